// The form's connections, seen from a recording window: what each click runs, in which
// order, and which check marks it shows or hides.
#include "FormUnderTest.h"
#include "TestEnv.h"
#include "ui/ui_tonewright.h"

#include <QTabBar>
#include <QtTest>

namespace {

using Calls = QStringList;

} // namespace

class TestFormConnections : public FormTest
{
    Q_OBJECT

    // Clicks the button from code, as the controllers do, and compares what ran.
    void expectClick(QAbstractButton *button, const Calls &expected)
    {
        m_window->takeCalls();
        button->click();
        const Calls calls = m_window->takeCalls();
        QVERIFY2(calls == expected, qPrintable(QStringLiteral("%1 (\"%2\") ran [%3], expected [%4]")
                                                   .arg(button->objectName(), button->text(), calls.join(", "),
                                                        expected.join(", "))));
    }

private slots:
    void setupConnectsEverythingQuietlyAndRunsNoSlot()
    {
        // init() built the form on the recording window: no connect may have failed.
        QCOMPARE(m_form->setupWarnings.filter(QStringLiteral("QObject::connect")), QStringList());
        QCOMPARE(m_form->setupWarnings.filter(QStringLiteral("Form connection failed")), QStringList());
        // Checking the default presets and making page 0 current call no window slot.
        QCOMPARE(m_window->takeCalls(), Calls());
        QCOMPARE(ui.tabWidget->currentIndex(), 0);
    }

    void aWindowWithoutTheSlotsIsReported()
    {
        MessageLog log;
        MessageLog::clear();
        QMainWindow bare;
        Ui_TonewrightClass form;
        form.setupUi(&bare);
        const QStringList failures = MessageLog::warningsContaining(QStringLiteral("Form connection failed"));
        QVERIFY(failures.contains(QStringLiteral(
            "Form connection failed: pushButton_Minimize clicked() -> TonewrightClass on_PushButton_Minimize_Clicked()")));
        QVERIFY(failures.contains(QStringLiteral(
            "Form connection failed: verticalSlider_16k_2 valueChanged(int) -> TonewrightClass "
            "on_VerticalSlider_Surround_ValueChange()")));
        // Links between the form's own widgets do not depend on the window.
        QCOMPARE(failures.filter(QStringLiteral("-> pushButton")), QStringList());
        QCOMPARE(failures.filter(QStringLiteral("-> radioButton")), QStringList());
    }

    void surroundFactoryPresetsRunTheirSlotThenCloseWhatTheyMust()
    {
        expectClick(ui.radioButton_Surround_Moba,
                    {"on_RadioButton_Surround_Moba_Clicked", "disappear", "Red_Dialog2"});
        expectClick(ui.radioButton_Surround_DeepBas,
                    {"on_RadioButton_Surround_DeepBass_Clicked", "disappear", "Red_Dialog2_STEREO", "Red_Dialog2"});
        expectClick(ui.radioButton_Surround_FPS, {"on_RadioButton_Surround_FPS_Clicked", "disappear", "Red_Dialog2"});
        expectClick(ui.radioButton_Surround_ZorbStandard,
                    {"on_RadioButton_Surround_ZorbStandard_Clicked", "disappear", "Red_Dialog2"});
        expectClick(ui.radioButton_Surround_ZorbStandard1,
                    {"on_RadioButton_Surround_Velor_Clicked", "Red_Dialog2_STEREO", "Red_Dialog2", "disappear"});
        expectClick(ui.radioButton_Surround_ZorbStandard2,
                    {"on_RadioButton_Surround_FLAT_Clicked", "Red_Dialog2_STEREO", "Red_Dialog2", "disappear"});
    }

    void stereoFactoryPresetsRunTheirSlotThenCloseTheStereoPrompt()
    {
        const QList<QPair<QRadioButton *, QString>> presets = {
            {ui.radioButton_Stereo_Pop, "on_RadioButton_Stereo_Pop_Clicked"},
            {ui.radioButton_Stereo_RockRoll, "on_RadioButton_Stereo_RockRoll_Clicked"},
            {ui.radioButton_Stereo_DeepBass, "on_RadioButton_Stereo_DeepBass_Clicked"},
            {ui.radioButton_Stereo_Jazz, "on_RadioButton_Stereo_Jazz_Clicked"},
            {ui.radioButton_Stereo_Classic, "on_RadioButton_Stereo_Classic_Clicked"},
            {ui.radioButton_Stereo_ZorbStandard, "on_RadioButton_Stereo_ZorbStandard_Clicked"},
            {ui.radioButton_Stereo_Velor, "on_RadioButton_Stereo_Velor_Clicked"},
            {ui.radioButton_Stereo_FLAT, "on_RadioButton_Stereo_FLAT_Clicked"},
        };
        for (const auto &preset : presets)
            expectClick(preset.first, {preset.second, "disappear2", "Red_Dialog2_STEREO"});
    }

    void customSlotsAndCustomizeRunOnlyTheirOwnSlot()
    {
        expectClick(ui.radioButton_Surround_Customize, {"on_RadioButton_Surround_Customize_Clicked"});
        expectClick(ui.radioButton_Stereo_Customize, {"on_RadioButton_Stereo_Customize_Clicked"});
        const QStringList ordinals = {"One", "Two", "Three", "Four", "Five"};
        const QList<QRadioButton *> surround = {ui.radioButton_Surround_Custom1, ui.radioButton_Surround_Custom2,
                                                ui.radioButton_Surround_Custom3, ui.radioButton_Surround_Custom4,
                                                ui.radioButton_Surround_Custom5};
        const QList<QRadioButton *> stereo = {ui.radioButton_Stereo_Custom1, ui.radioButton_Stereo_Custom2,
                                              ui.radioButton_Stereo_Custom3, ui.radioButton_Stereo_Custom4,
                                              ui.radioButton_Stereo_Custom5};
        for (int slot = 0; slot < 5; ++slot) {
            expectClick(surround[slot], {QStringLiteral("on_RadioButton_Surround_Custom%1_Clicked").arg(ordinals[slot])});
            expectClick(stereo[slot], {QStringLiteral("on_RadioButton_Stereo_Custom%1_Clicked").arg(ordinals[slot])});
        }
    }

    void resetAndSaveRunTheirTwoSlotsInOrder()
    {
        expectClick(ui.pushButton_CustomReset, {"on_PushButton_CustomReset_Clicked", "On_Button_Reset1"});
        expectClick(ui.pushButton_CustomSave, {"On_Button_Save1", "on_PushButton_CustomSave_Clicked"});
        expectClick(ui.pushButton_CustomReset2, {"On_Button_Reset2", "on_PushButton_CustomReset_Clicked"});
        expectClick(ui.pushButton_CustomSave2, {"On_Button_Save2", "on_PushButton_CustomSave_Clicked"});
    }

    void everyDeleteButtonClicksItsPagesHiddenClearOnce()
    {
        for (QPushButton *button : {ui.pushButton_Surround_CustomClear_2, ui.pushButton_Surround_CustomClear_3,
                                    ui.pushButton_Surround_CustomClear_4, ui.pushButton_Surround_CustomClear_5,
                                    ui.pushButton_Surround_CustomClear_6, ui.pushButton_Surround_CustomClear})
            expectClick(button, {"on_PushButton_Surround_CustomClear_Clicked"});
        for (QPushButton *button : {ui.pushButton_Stereo_CustomClear_2, ui.pushButton_Stereo_CustomClear_3,
                                    ui.pushButton_Stereo_CustomClear_4, ui.pushButton_Stereo_CustomClear_5,
                                    ui.pushButton_Stereo_CustomClear_6, ui.pushButton_Stereo_CustomClear})
            expectClick(button, {"on_PushButton_Stereo_CustomClear_Clicked"});
    }

    void everyOtherControlRunsItsOneSlot()
    {
        const QList<QPair<QAbstractButton *, QString>> controls = {
            {ui.pushButton_Minimize, "on_PushButton_Minimize_Clicked"},
            {ui.pushButton_Close, "on_PushButton_Close_Clicked"},
            {ui.pushButton_DefaultClose, "on_PushButton_DefaultClose_Clicked"},
            {ui.pushButton_12, "on_PushButton_Max_Clicked"},
            {ui.pushButton_8, "main_changed"},
            {ui.pushButton_9, "main_clicked"},
            {ui.radioButton, "slot1"},
            {ui.pushButton_Surround_CustomAdd, "on_PushButton_Surround_CustomAdd_Clicked"},
            {ui.pushButton_Stereo_CustomAdd, "on_PushButton_Stereo_CustomAdd_Clicked"},
            {ui.pushButton_6, "Red_Dialog"},
            {ui.pushButton_7, "Red_Dialog2"},
            {ui.pushButton_10, "Red_Dialog_STEREO"},
            {ui.pushButton_11, "Red_Dialog2_STEREO"},
            {ui.pushButton_33, "disappear"},
            {ui.pushButton_34, "disappear2"},
            {ui.pushButton_SurroundTest, "on_PushButton_PlayTest_Clicked"},
            {ui.pushButton_die1, "pushButton_die1_fold"},
            {ui.pushButton_die2, "pushButton_die2_fold"},
            {ui.pushButton_die3, "pushButton_die3_fold"},
            {ui.pushButton_die4, "pushButton_die4_fold"},
            {ui.pushButton_2, "On_Button_MousePressEvent"},
            {ui.pushButton_3, "Off_Button_MousePressEvent"},
            {ui.checkBox_MicENC, "on_CheckBox_MicENC_Clicked"},
        };
        for (const auto &control : controls)
            expectClick(control.first, {control.second});
        // The check marks are the window's own copy buttons: the form connects nothing to them.
        for (QPushButton *mark : {ui.pushButton_13, ui.pushButton_161, ui.pushButton_27, ui.radioButton_Stereo_FLAT_copy})
            expectClick(mark, {});
    }

    void modeSegmentsActOnPressNotOnRelease()
    {
        m_window->takeCalls();
        QTest::mousePress(ui.pushButton_4, Qt::LeftButton);
        QCOMPARE(m_window->takeCalls(), Calls({"On_Button_Style"}));
        QTest::mouseRelease(ui.pushButton_4, Qt::LeftButton);
        QCOMPARE(m_window->takeCalls(), Calls());
        QTest::mousePress(ui.pushButton_5, Qt::LeftButton);
        QCOMPARE(m_window->takeCalls(), Calls({"On_Button_Surround"}));
        QTest::mouseRelease(ui.pushButton_5, Qt::LeftButton);
    }

    void tabBarClickReportsTheClickedIndex()
    {
        QTabBar *bar = ui.tabWidget->tabBar();
        for (int index : {1, 2, 0}) {
            m_window->takeCalls();
            QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
            QCOMPARE(m_window->takeCalls(), Calls({QStringLiteral("on_TabWidget_Clicked(%1)").arg(index)}));
        }
    }

    void bandSlidersReportEveryChangeToTheirPage()
    {
        const QList<CSlider *> stereo = {ui.verticalSlider_30, ui.verticalSlider_60, ui.verticalSlider_120,
                                         ui.verticalSlider_250, ui.verticalSlider_500, ui.verticalSlider_1k,
                                         ui.verticalSlider_2k, ui.verticalSlider_4k, ui.verticalSlider_8k,
                                         ui.verticalSlider_16k};
        const QList<CSlider *> surround = {ui.verticalSlider_30_2, ui.verticalSlider_60_2, ui.verticalSlider_120_2,
                                           ui.verticalSlider_250_2, ui.verticalSlider_500_2, ui.verticalSlider_1k_2,
                                           ui.verticalSlider_2k_2, ui.verticalSlider_4k_2, ui.verticalSlider_8k_2,
                                           ui.verticalSlider_16k_2};
        for (const auto &page : {qMakePair(stereo, QString("on_VerticalSlider_Stereo_ValueChange")),
                                 qMakePair(surround, QString("on_VerticalSlider_Surround_ValueChange"))}) {
            for (CSlider *band : page.first) {
                m_window->takeCalls();
                band->setValue(5);
                band->setValue(5); // no change, no call
                band->setValue(-12);
                QCOMPARE(m_window->takeCalls(), Calls({page.second, page.second}));
            }
        }
    }

    void checkMarksShowExactlyWhileTheirRadioIsChecked()
    {
        // Before any toggle every mark is shown as created.
        QVERIFY(!ui.pushButton_14->isHidden());
        QVERIFY(!ui.pushButton_16->isHidden());

        ui.radioButton_Surround_Moba->click();
        QVERIFY(!ui.pushButton_14->isHidden());
        QVERIFY(ui.pushButton_16->isHidden()); // Standard lost its check
        QVERIFY(!ui.pushButton_161->isHidden()); // never toggled

        ui.radioButton_Surround_ZorbStandard1->click();
        QVERIFY(ui.radioButton_Surround_ZorbStandard1->isChecked());
        QVERIFY(!ui.radioButton_Surround_ZorbStandard->isChecked());
        QVERIFY(!ui.radioButton_Surround_ZorbStandard2->isChecked());
        QVERIFY(ui.pushButton_14->isHidden());

        ui.radioButton_Surround_Custom3->click();
        QVERIFY(ui.pushButton_161->isHidden());
        QVERIFY(!ui.pushButton_19->isHidden());
        QVERIFY(!ui.pushButton_Surround_CustomClear_4->isHidden());
        ui.radioButton_Surround_ZorbStandard2->click();
        QVERIFY(ui.pushButton_19->isHidden());
        QVERIFY(ui.pushButton_Surround_CustomClear_4->isHidden());
        QVERIFY(!ui.pushButton_162->isHidden());

        ui.radioButton_Stereo_Custom5->click();
        QVERIFY(ui.pushButton_27->isHidden());
        QVERIFY(!ui.pushButton_32->isHidden());
        QVERIFY(!ui.pushButton_Stereo_CustomClear_6->isHidden());
        ui.radioButton_Stereo_FLAT->click();
        QVERIFY(!ui.radioButton_Stereo_FLAT_copy->isHidden());
        QVERIFY(ui.pushButton_32->isHidden());
        QVERIFY(ui.pushButton_Stereo_CustomClear_6->isHidden());
        ui.radioButton_Stereo_Velor->click();
        QVERIFY(ui.radioButton_Stereo_FLAT_copy->isHidden());
        QVERIFY(!ui.radioButton_Stereo_Velor_copy->isHidden());
    }

    void clickingTheCheckedStandardShowsItsMarkAgain()
    {
        QVERIFY(ui.radioButton_Stereo_ZorbStandard->isChecked());
        ui.pushButton_27->setVisible(false);
        expectClick(ui.radioButton_Stereo_ZorbStandard,
                    {"on_RadioButton_Stereo_ZorbStandard_Clicked", "disappear2", "Red_Dialog2_STEREO"});
        QVERIFY(!ui.pushButton_27->isHidden());
        // Other checked buttons only run their clicked() receivers.
        ui.radioButton_Stereo_Jazz->click();
        ui.pushButton_25->setVisible(false);
        ui.radioButton_Stereo_Jazz->click();
        QVERIFY(ui.pushButton_25->isHidden());
    }
};

QTEST_MAIN(TestFormConnections)
#include "test_form_connections.moc"
