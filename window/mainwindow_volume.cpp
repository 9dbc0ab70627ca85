// The window's three volume sliders, handed to the volume control at construction.
#include "window/MainWindow.h"

#include "headset/UsbHidOperation.h"

void MainWindow::initVolumeControls()
{
    VolumeWidgets widgets;
    widgets.Slider_Voice1 = ui.Slider_Voice1;
    widgets.textEdit = ui.textEdit;
    widgets.Slider_Voice1_2 = ui.Slider_Voice1_2;
    widgets.textEdit_2 = ui.textEdit_2;
    widgets.Slider_Voice1_3 = ui.Slider_Voice1_3;
    widgets.textEdit_3 = ui.textEdit_3;
    // Without a sound server or an output device this logs the failing step and goes on.
    initVolumeSliders(this, widgets);
}

void MainWindow::set_Value(int value)
{
    showVolumeValue(ui.textEdit, value);
    usbHidSend_SetVolume(1, 20, 20, 20, 20);
}

void MainWindow::set_Value2(int value)
{
    showVolumeValue(ui.textEdit_2, value);
}
