// A main window that declares every slot the form connects to, by the same signatures
// as the real window, and records each call in order, so tests can compare what a
// click runs with the order the form promises.
#pragma once

#include <QMainWindow>
#include <QStringList>

class RecordingWindow : public QMainWindow
{
    Q_OBJECT
public:
    using QMainWindow::QMainWindow;

    // Every slot call since the last take, oldest first; tab clicks carry their index.
    QStringList takeCalls()
    {
        QStringList calls = m_calls;
        m_calls.clear();
        return calls;
    }

public slots:
    void on_TabWidget_Clicked(int index) { record(QStringLiteral("on_TabWidget_Clicked(%1)").arg(index)); }
    void on_PushButton_Minimize_Clicked() { record("on_PushButton_Minimize_Clicked"); }
    void on_PushButton_Close_Clicked() { record("on_PushButton_Close_Clicked"); }
    void on_PushButton_DefaultClose_Clicked() { record("on_PushButton_DefaultClose_Clicked"); }
    void on_PushButton_Max_Clicked() { record("on_PushButton_Max_Clicked"); }
    void main_changed() { record("main_changed"); }
    void main_clicked() { record("main_clicked"); }
    void slot1() { record("slot1"); }
    void on_RadioButton_Surround_Moba_Clicked() { record("on_RadioButton_Surround_Moba_Clicked"); }
    void on_RadioButton_Surround_DeepBass_Clicked() { record("on_RadioButton_Surround_DeepBass_Clicked"); }
    void on_RadioButton_Surround_FPS_Clicked() { record("on_RadioButton_Surround_FPS_Clicked"); }
    void on_RadioButton_Surround_ZorbStandard_Clicked() { record("on_RadioButton_Surround_ZorbStandard_Clicked"); }
    void on_RadioButton_Surround_Velor_Clicked() { record("on_RadioButton_Surround_Velor_Clicked"); }
    void on_RadioButton_Surround_FLAT_Clicked() { record("on_RadioButton_Surround_FLAT_Clicked"); }
    void on_RadioButton_Surround_Customize_Clicked() { record("on_RadioButton_Surround_Customize_Clicked"); }
    void on_RadioButton_Surround_CustomOne_Clicked() { record("on_RadioButton_Surround_CustomOne_Clicked"); }
    void on_RadioButton_Surround_CustomTwo_Clicked() { record("on_RadioButton_Surround_CustomTwo_Clicked"); }
    void on_RadioButton_Surround_CustomThree_Clicked() { record("on_RadioButton_Surround_CustomThree_Clicked"); }
    void on_RadioButton_Surround_CustomFour_Clicked() { record("on_RadioButton_Surround_CustomFour_Clicked"); }
    void on_RadioButton_Surround_CustomFive_Clicked() { record("on_RadioButton_Surround_CustomFive_Clicked"); }
    void on_PushButton_Surround_CustomAdd_Clicked() { record("on_PushButton_Surround_CustomAdd_Clicked"); }
    void on_PushButton_Surround_CustomClear_Clicked() { record("on_PushButton_Surround_CustomClear_Clicked"); }
    void Red_Dialog() { record("Red_Dialog"); }
    void Red_Dialog2() { record("Red_Dialog2"); }
    void disappear() { record("disappear"); }
    void on_PushButton_CustomReset_Clicked() { record("on_PushButton_CustomReset_Clicked"); }
    void On_Button_Reset1() { record("On_Button_Reset1"); }
    void On_Button_Save1() { record("On_Button_Save1"); }
    void on_PushButton_CustomSave_Clicked() { record("on_PushButton_CustomSave_Clicked"); }
    void On_Button_Style() { record("On_Button_Style"); }
    void On_Button_Surround() { record("On_Button_Surround"); }
    void on_PushButton_PlayTest_Clicked() { record("on_PushButton_PlayTest_Clicked"); }
    void pushButton_die1_fold() { record("pushButton_die1_fold"); }
    void pushButton_die2_fold() { record("pushButton_die2_fold"); }
    void on_VerticalSlider_Surround_ValueChange() { record("on_VerticalSlider_Surround_ValueChange"); }
    void on_RadioButton_Stereo_Pop_Clicked() { record("on_RadioButton_Stereo_Pop_Clicked"); }
    void on_RadioButton_Stereo_RockRoll_Clicked() { record("on_RadioButton_Stereo_RockRoll_Clicked"); }
    void on_RadioButton_Stereo_DeepBass_Clicked() { record("on_RadioButton_Stereo_DeepBass_Clicked"); }
    void on_RadioButton_Stereo_Jazz_Clicked() { record("on_RadioButton_Stereo_Jazz_Clicked"); }
    void on_RadioButton_Stereo_Classic_Clicked() { record("on_RadioButton_Stereo_Classic_Clicked"); }
    void on_RadioButton_Stereo_ZorbStandard_Clicked() { record("on_RadioButton_Stereo_ZorbStandard_Clicked"); }
    void on_RadioButton_Stereo_Velor_Clicked() { record("on_RadioButton_Stereo_Velor_Clicked"); }
    void on_RadioButton_Stereo_FLAT_Clicked() { record("on_RadioButton_Stereo_FLAT_Clicked"); }
    void on_RadioButton_Stereo_Customize_Clicked() { record("on_RadioButton_Stereo_Customize_Clicked"); }
    void on_RadioButton_Stereo_CustomOne_Clicked() { record("on_RadioButton_Stereo_CustomOne_Clicked"); }
    void on_RadioButton_Stereo_CustomTwo_Clicked() { record("on_RadioButton_Stereo_CustomTwo_Clicked"); }
    void on_RadioButton_Stereo_CustomThree_Clicked() { record("on_RadioButton_Stereo_CustomThree_Clicked"); }
    void on_RadioButton_Stereo_CustomFour_Clicked() { record("on_RadioButton_Stereo_CustomFour_Clicked"); }
    void on_RadioButton_Stereo_CustomFive_Clicked() { record("on_RadioButton_Stereo_CustomFive_Clicked"); }
    void on_PushButton_Stereo_CustomAdd_Clicked() { record("on_PushButton_Stereo_CustomAdd_Clicked"); }
    void on_PushButton_Stereo_CustomClear_Clicked() { record("on_PushButton_Stereo_CustomClear_Clicked"); }
    void Red_Dialog_STEREO() { record("Red_Dialog_STEREO"); }
    void Red_Dialog2_STEREO() { record("Red_Dialog2_STEREO"); }
    void disappear2() { record("disappear2"); }
    void On_Button_Reset2() { record("On_Button_Reset2"); }
    void On_Button_Save2() { record("On_Button_Save2"); }
    void pushButton_die3_fold() { record("pushButton_die3_fold"); }
    void pushButton_die4_fold() { record("pushButton_die4_fold"); }
    void on_VerticalSlider_Stereo_ValueChange() { record("on_VerticalSlider_Stereo_ValueChange"); }
    void On_Button_MousePressEvent() { record("On_Button_MousePressEvent"); }
    void Off_Button_MousePressEvent() { record("Off_Button_MousePressEvent"); }
    void on_CheckBox_MicENC_Clicked() { record("on_CheckBox_MicENC_Clicked"); }

private:
    void record(const QString &slot) { m_calls << slot; }

    QStringList m_calls;
};
