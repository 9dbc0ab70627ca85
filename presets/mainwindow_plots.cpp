// The equaliser and level plots: their set-up at start, the equaliser plots' mouse
// input and the drawing of one level frame.
#include "window/MainWindow.h"

#include "presets/PlotLook.h"
#include "presets/SpectrumTween.h"

#include <qcustomplot.h>

#include <QDebug>

namespace {

int g_nPlotPressCount = 0; // presses on the two equaliser plots

constexpr int kSpectrumKeyCount = 24001;

// The two bars of the plots' band columns that the mouse input watches.
bool inFirstColumn(const QPoint &p)
{
    return p.x() > 55 && p.x() < 77 && p.y() > 10 && p.y() < 310;
}

bool inSecondColumn(const QPoint &p)
{
    return p.x() > 103 && p.x() < 125 && p.y() > 10 && p.y() < 310;
}

} // namespace

void MainWindow::InitSpectrumData()
{
    m_vecSpectrumKey.reserve(kSpectrumKeyCount);
    m_vecSpectrumValue.reserve(kSpectrumKeyCount);
    for (int i = 0; i < kSpectrumKeyCount; ++i) {
        m_vecSpectrumKey.append(i);
        m_vecSpectrumValue.append(0.0);
    }
}

void MainWindow::InitQCustomPlot()
{
    qDebug() << "***** Init QCustomPlot! *****";
    for (QCustomPlot *plot : {ui.widget_Param_Stereo, ui.widget_Param_Surround}) {
        connect(plot, SIGNAL(mouseMove(QMouseEvent*)), this, SLOT(myCustomPlotMouseMoveEvent(QMouseEvent*)));
        connect(plot, SIGNAL(mousePress(QMouseEvent*)), this, SLOT(myCustomPlotMousePressEvent(QMouseEvent*)));
        connect(plot, SIGNAL(mouseRelease(QMouseEvent*)), this, SLOT(myCustomPlotMouseReleaseEvent(QMouseEvent*)));
    }
    const QBrush background = plotBackgroundBrush();
    setUpEqualiserPlot(ui.widget_Param_Stereo, background, kStereoPlotStyle);
    setUpEqualiserPlot(ui.widget_Param_Surround, background, kSurroundPlotStyle);
    setUpLevelPlot(ui.widget_Spectrum, background);
}

void MainWindow::updateSpectrumPlot(const unsigned char *frame)
{
    QVector<double> keys, values;
    spectrumPlotPoints(frame, keys, values);
    ui.widget_Spectrum->graph(0)->setData(keys, values, false);
    ui.widget_Spectrum->replot(QCustomPlot::rpQueuedReplot);
}

void MainWindow::myCustomPlotMousePressEvent(QMouseEvent *event)
{
    ++g_nPlotPressCount;
    const QPoint at = event->pos();
    if (ui.verticalSlider_30->geometry().contains(at))
        qDebug() << "30Hz";
    if (inFirstColumn(at))
        qDebug() << g_nPlotPressCount;
    if (inSecondColumn(at))
        qDebug() << "222";
}

void MainWindow::myCustomPlotMouseReleaseEvent(QMouseEvent *) {}

void MainWindow::myCustomPlotMouseMoveEvent(QMouseEvent *event)
{
    if (inFirstColumn(event->pos()))
        qDebug().noquote() << QStringLiteral("Mouse Move::%1").arg(g_nPlotPressCount);
}
