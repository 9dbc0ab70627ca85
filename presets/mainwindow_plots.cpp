// The equaliser and level plots.
#include "window/MainWindow.h"

// Set-up and mouse handling come with the plots.
void MainWindow::InitSpectrumData() {}
void MainWindow::InitQCustomPlot() {}
void MainWindow::myCustomPlotMousePressEvent(QMouseEvent *) {}
void MainWindow::myCustomPlotMouseReleaseEvent(QMouseEvent *) {}
void MainWindow::myCustomPlotMouseMoveEvent(QMouseEvent *) {}
