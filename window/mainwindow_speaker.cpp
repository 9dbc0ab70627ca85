// The 7.1 speaker test and the microphone's noise cancellation.
#include "window/MainWindow.h"

// Behaviour comes with the speaker test and noise cancellation.
void MainWindow::on_PushButton_PlayTest_Clicked() {}
void MainWindow::on_SLOTSetMicTimer_LabelUI(int) {}
void MainWindow::On_Button_MousePressEvent() {}
void MainWindow::Off_Button_MousePressEvent() {}
void MainWindow::on_CheckBox_MicENC_Clicked() {}
void MainWindow::on_PushButton_Horn_LeftUp_Clicked() {}
void MainWindow::stopSpeakerTest() {}
