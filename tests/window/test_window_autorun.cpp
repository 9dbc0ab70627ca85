// Started with "-autorun": the window stays hidden in the tray, and the start-up runs
// exactly as without the flag.
#include "WindowTestSupport.h"

#include "TestEnv.h"

#include "app/AppShell.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"

#include <QtTest>

using namespace wt;

class TestWindowAutorun : public QObject
{
    Q_OBJECT

private slots:
    void startsHiddenWithTrayIconAndDoesTheWholeStartUp()
    {
        silenceDebugLog();
        recordPrompts();
        plugHeadset();
        std::unique_ptr<MainWindow> window = startWindow();
        QCOMPARE(g_nShowMainWindow, 0);
        QVERIFY(!window->isVisible());
        QVERIFY(window->m_pSystemTray);
        QVERIFY(window->m_pSystemTray->isVisible());

        QVERIFY(waitUntil([] { return framesOf(kSetSwitch).size() >= 1; }));
        settle();
        QCOMPARE(commandSequence().mid(0, 2), (QList<int>{kReadAudio, kReadStatus}));
        QCOMPARE(window->m_nDevicePanelShown, 1);
        QCOMPARE(window->m_fTabStatus, 2);
        QVERIFY(!window->m_currentDeviceInfo.defaultSurround.isEmpty());
        QVERIFY(!window->isVisible());
        closeWindow(window);
        unplugAll();
    }
};

int main(int argc, char *argv[])
{
    tw::isolateTestEnvironment();
    // The flag reaches the window the way main passes it: among the process's arguments.
    std::vector<char *> arguments(argv, argv + argc);
    char flag[] = "-autorun";
    arguments.push_back(flag);
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    TestWindowAutorun test;
    QStringList testArguments = QCoreApplication::arguments();
    testArguments.removeAll(QStringLiteral("-autorun"));
    return QTest::qExec(&test, testArguments);
}

#include "test_window_autorun.moc"
