// Started with "-autorun": the window stays hidden in the tray, or minimised on a
// desktop without a tray, and the start-up runs exactly as without the flag.
#include "WindowTestSupport.h"

#include "TestEnv.h"

#include "app/AppShell.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"
#include "window/SystemTrayProbe.h"

#include <QtTest>

using namespace wt;

class TestWindowAutorun : public QObject
{
    Q_OBJECT

private slots:
    void startsHiddenWithTrayIconAndDoesTheWholeStartUp()
    {
        setSystemTrayAvailableOverride(1);
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

    void withoutATrayStartsMinimisedWhereTheUserCanReachIt()
    {
        // Stock GNOME: nothing could bring back a window hidden to a tray.
        setSystemTrayAvailableOverride(0);
        plugHeadset();
        std::unique_ptr<MainWindow> window = startWindow();
        QCOMPARE(g_nShowMainWindow, 0);
        QVERIFY(window->isVisible());
        QVERIFY(window->isMinimized());
        QVERIFY(waitUntil([] { return framesOf(kSetSwitch).size() >= 1; }));
        QVERIFY(window->isMinimized()); // the headset's answers do not pop it up
        closeWindow(window);
        unplugAll();
        setSystemTrayAvailableOverride(-1);
    }
};

int main(int argc, char *argv[])
{
    TestWindowAutorun test;
    return execWithAutorun(test, argc, argv);
}

#include "test_window_autorun.moc"
