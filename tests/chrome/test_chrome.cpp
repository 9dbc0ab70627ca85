// The tray, closing and quitting, the frameless window's dragging and hover cursor,
// the folding preset lists, the font on resize and the window's plots.
#include "WindowTestSupport.h"

#include "TestEnv.h"

#include "headset/MyThread.h"
#include "headset/MyThread_Two.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"
#include "window/SystemTrayProbe.h"

#include <qcustomplot.h>

#include <QAction>
#include <QScrollBar>
#include <QtTest>

using namespace wt;

namespace {

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, target->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void sendHover(QWidget *target, QEvent::Type type, const QPoint &at)
{
    QHoverEvent event(type, at, QPoint(-1, -1));
    QCoreApplication::sendEvent(target, &event);
}

// Debug lines written while `action` runs.
QStringList debugLinesOf(const std::function<void()> &action)
{
    static QStringList *sink = nullptr;
    QStringList lines;
    sink = &lines;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtDebugMsg && sink)
            sink->append(text);
    });
    action();
    qInstallMessageHandler(previous);
    sink = nullptr;
    return lines;
}

} // namespace

class TestChrome : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::unique_ptr<MainWindow> m_window;
    MainWindow &w() { return *m_window; }

    // Whether a left press at `at` starts a drag: the window then follows the cursor.
    bool pressDrags(const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
    {
        w().move(100, 100);
        sendMouse(&w(), QEvent::MouseButtonPress, at, button);
        sendMouse(&w(), QEvent::MouseMove, at + QPoint(20, 15));
        const bool moved = w().pos() == QPoint(120, 115);
        sendMouse(&w(), QEvent::MouseButtonRelease, at + QPoint(20, 15), button);
        return moved;
    }

private slots:
    void initTestCase() { silenceDebugLog(); }

    void init()
    {
        setSystemTrayAvailableOverride(-1);
        m_window = startWindow();
        QVERIFY(w().isVisible());
    }

    void cleanup()
    {
        setSystemTrayAvailableOverride(-1);
        closeWindow(m_window);
        unplugAll();
    }

    void closeHidesToTheTrayAndHomePageBringsItBack()
    {
        setSystemTrayAvailableOverride(1);
        QVERIFY(w().m_pSystemTray->isVisible());
        QVERIFY(!QApplication::quitOnLastWindowClosed());
        for (QPushButton *close : {w().ui.pushButton_Close, w().ui.pushButton_DefaultClose}) {
            close->click();
            QVERIFY(!w().isVisible());
            QVERIFY(w().m_pSystemTray->isVisible());
            w().m_pShowMainAction->trigger();
            QVERIFY(w().isVisible());
        }
        // A click on the icon shows the window; other activations do not.
        w().close();
        emit w().m_pSystemTray->activated(QSystemTrayIcon::Context);
        QVERIFY(!w().isVisible());
        emit w().m_pSystemTray->activated(QSystemTrayIcon::Trigger);
        QVERIFY(w().isVisible());

        const QList<QAction *> menu = w().m_pSystemTray->contextMenu()->actions();
        QCOMPARE(menu.size(), 3);
        QCOMPARE(menu[0]->text(), QStringLiteral("Home Page"));
        QVERIFY(menu[1]->isSeparator());
        QCOMPARE(menu[2]->text(), QStringLiteral("Quit"));
    }

    void closeWithoutATrayEndsTheProgramAndMinimiseComesBack()
    {
        setSystemTrayAvailableOverride(0);
        // The minimise button leaves a window the task bar brings back.
        w().ui.pushButton_Minimize->click();
        QVERIFY(w().isMinimized());
        w().m_pShowMainAction->trigger();
        QVERIFY(w().isVisible());
        QVERIFY(!w().isMinimized());

        // Hidden with no tray to come back from, the window could never be reached
        // again: closing ends the program as "Quit" does.
        QTimer::singleShot(0, w().ui.pushButton_Close, &QPushButton::click);
        QTimer watchdog; // gone with this case, so it cannot end a later one's loop
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!w().isVisible());
        QVERIFY(!w().m_pSystemTray->isVisible());
    }

    void dragStartsOnlyInsideTheTitleArea()
    {
        // No headset: most of the start screen drags.
        QCOMPARE(w().m_nDevicePanelShown, 0);
        QVERIFY(pressDrags(QPoint(999, 629)));
        QVERIFY(!pressDrags(QPoint(1000, 100)));
        QVERIFY(!pressDrags(QPoint(500, 630)));
        QVERIFY(!pressDrags(QPoint(500, 300), Qt::RightButton));

        // The headset look: only the title strip.
        w().m_nDevicePanelShown = 1;
        QVERIFY(pressDrags(QPoint(10, 10)));
        QVERIFY(pressDrags(QPoint(1175, 79)));
        QVERIFY(!pressDrags(QPoint(10, 80)));
        QVERIFY(!pressDrags(QPoint(0, 10)));

        // After the release the window no longer follows.
        w().move(100, 100);
        sendMouse(&w(), QEvent::MouseMove, QPoint(300, 300));
        QCOMPARE(w().pos(), QPoint(100, 100));
    }

    void cursorPointsOverTheTitleButtons()
    {
        sendHover(&w(), QEvent::HoverMove, QPoint(1110, 20)); // minimise
        QCOMPARE(w().cursor().shape(), Qt::PointingHandCursor);
        sendHover(&w(), QEvent::HoverMove, QPoint(600, 300));
        QCOMPARE(w().cursor().shape(), Qt::ArrowCursor);
        sendHover(&w(), QEvent::HoverEnter, QPoint(1150, 5)); // close
        QCOMPARE(w().cursor().shape(), Qt::PointingHandCursor);
        sendHover(&w(), QEvent::HoverLeave, QPoint(-1, -1));
        QCOMPARE(w().cursor().shape(), Qt::ArrowCursor);
    }

    void surroundListFoldsAndUnfolds()
    {
        Ui_TonewrightClass &ui = w().ui;
        ui.scrollArea->verticalScrollBar()->setValue(40);
        ui.pushButton_die1->click();
        for (QWidget *gone : {static_cast<QWidget *>(ui.pushButton_die1), static_cast<QWidget *>(ui.radioButton_Surround_DeepBas),
                              static_cast<QWidget *>(ui.radioButton_Surround_ZorbStandard), static_cast<QWidget *>(ui.pushButton_16)})
            QVERIFY(gone->isHidden());
        // The form caps this button at 25 pixels high.
        QCOMPARE(ui.radioButton_Surround_Customize->geometry(), QRect(0, 10, 110, 25));
        QCOMPARE(ui.pushButton_Surround_CustomAdd->geometry(), QRect(210, 10, 24, 24));
        QCOMPARE(ui.radioButton_Surround_Custom2->geometry(), QRect(0, 70, 110, 30));
        QCOMPARE(ui.pushButton_18->geometry(), QRect(165, 72, 20, 24));
        QCOMPARE(ui.pushButton_Surround_CustomClear_3->geometry(), QRect(213, 75, 18, 18));
        QCOMPARE(ui.scrollArea->verticalScrollBar()->value(), 0);

        ui.pushButton_die2->click();
        QVERIFY(!ui.pushButton_die1->isHidden());
        QCOMPARE(ui.lineEdit_20->text(), QStringLiteral("Default"));
        for (QWidget *back : {ui.radioButton_Surround_DeepBas, ui.radioButton_Surround_ZorbStandard,
                              ui.radioButton_Surround_ZorbStandard1, ui.radioButton_Surround_ZorbStandard2})
            QVERIFY(!back->isHidden());
        QCOMPARE(ui.radioButton_Surround_Customize->geometry(), QRect(0, 130, 100, 25));
        QCOMPARE(ui.radioButton_Surround_Custom5->geometry(), QRect(0, 280, 110, 30));
        QCOMPARE(ui.pushButton_Surround_CustomClear_6->geometry(), QRect(213, 285, 18, 18));
    }

    void stereoListUnfoldLeavesTheMakersPresetsHidden()
    {
        Ui_TonewrightClass &ui = w().ui;
        ui.pushButton_die3->click();
        for (QWidget *gone : {static_cast<QWidget *>(ui.pushButton_die3), static_cast<QWidget *>(ui.pushButton_27),
                              static_cast<QWidget *>(ui.radioButton_Stereo_Pop), static_cast<QWidget *>(ui.radioButton_Stereo_Velor),
                              static_cast<QWidget *>(ui.radioButton_Stereo_FLAT)})
            QVERIFY(gone->isHidden());
        QCOMPARE(ui.pushButton_29->geometry(), QRect(165, 72, 20, 24));
        QCOMPARE(ui.pushButton_Stereo_CustomClear_2->geometry(), QRect(215, 45, 18, 18));

        ui.pushButton_die4->click();
        QVERIFY(!ui.radioButton_Stereo_Pop->isHidden());
        QVERIFY(!ui.radioButton_Stereo_ZorbStandard->isHidden());
        QVERIFY(ui.radioButton_Stereo_Velor->isHidden());
        QVERIFY(ui.radioButton_Stereo_FLAT->isHidden());
        QCOMPARE(ui.lineEdit_21->text(), QStringLiteral("Default"));
        QCOMPARE(ui.radioButton_Stereo_Customize->geometry(), QRect(0, 190, 110, 30));
        QCOMPARE(ui.pushButton_Stereo_CustomAdd->geometry(), QRect(210, 193, 24, 24));
        QCOMPARE(ui.pushButton_28->geometry(), QRect(160, 220, 20, 24));
    }

    void startScreenButtonsSwapTheViews()
    {
        Ui_TonewrightClass &ui = w().ui;
        w().main_clicked();
        QVERIFY(!ui.pushButton_8->isHidden());
        QCOMPARE(ui.pushButton_9->pos(), QPoint(1330, 190));
        w().main_changed();
        QVERIFY(ui.pushButton_8->isHidden());
        QCOMPARE(ui.pushButton_9->pos(), QPoint(338, 115));
        QVERIFY(ui.pushButton_9->styleSheet().contains(QStringLiteral("61350_main_no.png")));
        w().disappear();
        QVERIFY(ui.pushButton_17->isHidden());
        QVERIFY(ui.pushButton_Surround_CustomClear_2->isHidden());
        ui.tabWidget->setCurrentIndex(2);
        w().slot1();
        QCOMPARE(ui.tabWidget->currentIndex(), 0);
    }

    void resizesScaleTheFontOnceFromItsBaseSize()
    {
        QResizeEvent resize(w().size(), w().size());
        QCoreApplication::sendEvent(&w(), &resize);
        const qreal once = w().font().pointSizeF();
        for (int i = 0; i < 3; ++i)
            QCoreApplication::sendEvent(&w(), &resize);
        QCOMPARE(w().font().pointSizeF(), once);
        QCOMPARE(w().logicalDpiX(), 144); // set for this suite
        QFont base = QApplication::font();
        QCOMPARE(once, base.pointSizeF() * 1.5);
    }

    void windowPlotsAreSetUpAndLogTheirPresses()
    {
        Ui_TonewrightClass &ui = w().ui;
        QCOMPARE(ui.widget_Param_Stereo->xAxis->range(), QCPRange(0, 10));
        QVERIFY(!ui.widget_Param_Stereo->yAxis->grid()->visible());
        QCOMPARE(ui.widget_Param_Surround->yAxis->tickLabelColor(), QColor(Qt::white));
        QCOMPARE(ui.widget_Spectrum->graphCount(), 1);
        QCOMPARE(ui.groupBox_Stereo->graphCount(), 0);
        QCOMPARE(w().m_vecSpectrumKey.size(), 24001);
        QCOMPARE(w().m_vecSpectrumKey.last(), 24000.0);
        QCOMPARE(w().m_vecSpectrumValue.size(), 24001);

        const unsigned char frame[115] = {};
        w().updateSpectrumPlot(frame);
        QCPGraphDataContainer &data = *ui.widget_Spectrum->graph(0)->data();
        QCOMPARE(data.size(), 230);
        QCOMPARE(data.at(0)->value, 1.0);
        QCOMPARE(data.at(229)->key, 229.0);
        QCOMPARE(data.at(229)->value, 0.0);

        auto press = [&](QCustomPlot *plot, QPoint at) {
            return debugLinesOf([&] {
                QMouseEvent event(QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
                emit plot->mousePress(&event);
            });
        };
        auto move = [&](QPoint at) {
            return debugLinesOf([&] {
                QMouseEvent event(QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
                emit ui.widget_Param_Surround->mouseMove(&event);
            });
        };
        const QStringList first = press(ui.widget_Param_Stereo, QPoint(60, 100));
        QCOMPARE(first.size(), 1);
        const int count = first[0].toInt();
        QVERIFY(count > 0);
        QCOMPARE(press(ui.widget_Param_Surround, QPoint(60, 100)), QStringList{QString::number(count + 1)});
        QCOMPARE(press(ui.widget_Param_Surround, QPoint(110, 100)), QStringList{QStringLiteral("222")});
        QCOMPARE(press(ui.widget_Param_Stereo, QPoint(60, 10)), QStringList());
        QCOMPARE(move(QPoint(77, 100)), QStringList());
        QCOMPARE(move(QPoint(60, 100)), QStringList{QStringLiteral("Mouse Move::%1").arg(count + 3)});
    }

    // Last: "Quit" ends the event loop for good.
    void quitEndsTheEventLoopWithTheThreadsJoined()
    {
        closeWindow(m_window);
        plugHeadset();
        m_window = startWindow();
        QVERIFY(g_hidDevice);
        QVERIFY(w().m_pMyThread && w().m_pMyThread->isRunning());
        QVERIFY(w().m_pMyThreadTwo && w().m_pMyThreadTwo->isRunning());
        QTimer::singleShot(0, w().m_pExitAppAction, &QAction::trigger);
        QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(1); }); // watchdog
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(w().m_pMyThread->isFinished());
        QVERIFY(w().m_pMyThreadTwo->isFinished());
        QVERIFY(!w().m_pSystemTray->isVisible());
    }
};

QTEST_MAIN(TestChrome)
#include "test_chrome.moc"
