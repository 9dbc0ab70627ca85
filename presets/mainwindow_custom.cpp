// Custom preset slots: selection, add, copy, save, reset, deletion and renaming.
#include "window/MainWindow.h"

// Behaviour comes with the custom preset editing.
void MainWindow::on_RadioButton_Surround_CustomOne_Clicked() {}
void MainWindow::on_RadioButton_Surround_CustomTwo_Clicked() {}
void MainWindow::on_RadioButton_Surround_CustomThree_Clicked() {}
void MainWindow::on_RadioButton_Surround_CustomFour_Clicked() {}
void MainWindow::on_RadioButton_Surround_CustomFive_Clicked() {}
void MainWindow::on_RadioButton_Stereo_CustomOne_Clicked() {}
void MainWindow::on_RadioButton_Stereo_CustomTwo_Clicked() {}
void MainWindow::on_RadioButton_Stereo_CustomThree_Clicked() {}
void MainWindow::on_RadioButton_Stereo_CustomFour_Clicked() {}
void MainWindow::on_RadioButton_Stereo_CustomFive_Clicked() {}
void MainWindow::on_PushButton_Surround_CustomAdd_Clicked() {}
void MainWindow::on_PushButton_Stereo_CustomAdd_Clicked() {}
void MainWindow::on_PushButton_Surround_CustomCopy_Clicked() {}
void MainWindow::on_PushButton_Stereo_CustomCopy_Clicked() {}
void MainWindow::on_PushButton_CustomSave_Clicked() {}
void MainWindow::on_PushButton_CustomReset_Clicked() {}
void MainWindow::on_PushButton_Surround_CustomClear_Clicked() {}
void MainWindow::on_PushButton_Stereo_CustomClear_Clicked() {}
void MainWindow::On_Button_Reset1() {}
void MainWindow::On_Button_Save1() {}
void MainWindow::On_Button_Reset2() {}
void MainWindow::On_Button_Save2() {}
void MainWindow::Red_Dialog() {}
void MainWindow::Red_Dialog2() {}
void MainWindow::Red_Dialog_STEREO() {}
void MainWindow::Red_Dialog2_STEREO() {}
void MainWindow::on_LineEdit_CustomizeName_Changed(const QString &) {}
