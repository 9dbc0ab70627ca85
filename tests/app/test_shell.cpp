#include "TestEnv.h"
#include "app/AppShell.h"
#include "app/Autorun.h"
#include "app/Conversion.h"
#include "app/ProcessHelpers.h"
#include "platform/Autostart.h"
#include "platform/InstanceLock.h"
#include "platform/ProcFs.h"
#include "platform/ScreenDpi.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>


class TestShell : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void autorunFlagMustMatchExactly()
    {
        QVERIFY(!isAutorunStart({QStringLiteral("/usr/bin/tonewright")}));
        QVERIFY(isAutorunStart({QStringLiteral("/usr/bin/tonewright"), QStringLiteral("-x"), QStringLiteral("-autorun")}));
        QVERIFY(isAutorunStart({QStringLiteral("-autorun")})); // the program path counts too
        QVERIFY(!isAutorunStart({QStringLiteral("tonewright"), QStringLiteral("-AUTORUN")}));
        QVERIFY(!isAutorunStart({QStringLiteral("tonewright"), QStringLiteral("--autorun")}));
        QVERIFY(!isAutorunStart({QStringLiteral("tonewright"), QStringLiteral("-autorun2")}));
    }

    void autostartEntryQuotesAPathWithASpace()
    {
        setAutoRunRegistry(QStringLiteral("/opt/My Apps/Panel.bin"));
        const QString path = autostartEntryPath(QStringLiteral("Panel"));
        QCOMPARE(QFileInfo(path).path(), qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/autostart"));
        const QByteArray first = tw::readFileBytes(path);
        QVERIFY2(first.contains("\nExec=\"/opt/My Apps/Panel.bin\" -autorun\n"), first.constData());
        QVERIFY(first.startsWith("[Desktop Entry]\n"));
        QVERIFY(first.contains("\nType=Application\n"));

        setAutoRunRegistry(QStringLiteral("/opt/My Apps/Panel.bin")); // every start rewrites it
        QCOMPARE(tw::readFileBytes(path), first);

        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright"));
        QVERIFY(tw::readFileBytes(autostartEntryPath(QStringLiteral("tonewright")))
                    .contains("\nExec=/usr/lib/tonewright/tonewright -autorun\n"));
    }

    // The desktop's start-up settings turn an entry off by writing into it; the next
    // start still updates the program path but leaves it off.
    void autostartTheUserDisabledStaysDisabled_data()
    {
        QTest::addColumn<QByteArray>("disable");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("KDE, Xfce") << QByteArray("Hidden=true") << QByteArray("\nHidden=true\n");
        QTest::newRow("GNOME") << QByteArray("X-GNOME-Autostart-enabled = false")
                               << QByteArray("\nX-GNOME-Autostart-enabled=false\n");
    }

    void autostartTheUserDisabledStaysDisabled()
    {
        QFETCH(QByteArray, disable);
        QFETCH(QByteArray, kept);
        const QString path = autostartEntryPath(QStringLiteral("tonewright"));
        setAutoRunRegistry(QStringLiteral("/opt/old/tonewright"));
        QByteArray edited = tw::readFileBytes(path).replace("X-GNOME-Autostart-enabled=true\n", "");
        edited += disable + "\n[Desktop Action other]\nHidden=false\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(edited);
        file.close();

        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright")); // moved since
        const QByteArray entry = tw::readFileBytes(path);
        QVERIFY2(entry.contains("\nExec=/usr/lib/tonewright/tonewright -autorun\n"), entry.constData());
        QVERIFY2(entry.contains(kept), entry.constData());

        // Turned on again in the settings (the key removed): on it stays.
        QVERIFY(QFile::remove(path));
        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright"));
        const QByteArray enabled = tw::readFileBytes(path);
        QVERIFY(enabled.contains("\nX-GNOME-Autostart-enabled=true\n"));
        QVERIFY(!enabled.contains("Hidden"));
    }

    void execValueEscapesReservedCharacters()
    {
        // Exec quoting first ($ " \ escaped, % doubled), then the string escape doubles backslashes.
        QCOMPARE(desktopExecValue(QStringLiteral("/a b/$x\"y\\z%"), {QStringLiteral("-autorun")}),
                 QStringLiteral("\"/a b/\\\\$x\\\\\"y\\\\\\\\z%%\" -autorun"));
    }

    void unwritableAutostartFolderIsSilent()
    {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        QFile blocker(QStringLiteral("not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_CONFIG_HOME", QFileInfo(blocker).absoluteFilePath().toLocal8Bit());
        QVERIFY(!writeAutostartEntry(QStringLiteral("x"), QStringLiteral("/x"), {}));
        setAutoRunRegistry(QStringLiteral("/x")); // no error, no crash
        qputenv("XDG_CONFIG_HOME", saved);
    }

    void fontScalesWithTheScreen()
    {
        QFont font;
        font.setPointSize(9);
        const QFont at144 = scaledApplicationFont(font, 144);
        QCOMPARE(at144.pointSize(), 13);
        QCOMPARE(at144.weight(), 57);
        QCOMPARE(scaledApplicationFont(font, 96).pointSize(), 9);
        QCOMPARE(scaledApplicationFont(font, 120).pointSize(), 11); // 11.25 truncated
        QCOMPARE(scaledApplicationFont(font, 5).pointSize(), 9);    // would be 0: kept

        QFont pixels;
        pixels.setPixelSize(12);
        const QFont scaledPixels = scaledApplicationFont(pixels, 144);
        QCOMPARE(scaledPixels.pixelSize(), 12);
        QCOMPARE(scaledPixels.weight(), 57);
    }

    void xftDpiIsReadFromResourceText()
    {
        QCOMPARE(xftDpiFromResources("Xcursor.size:\t24\nXft.dpi:\t144\n"), 144);
        QCOMPARE(xftDpiFromResources("Xft.dpi: 120.4"), 120);
        QCOMPARE(xftDpiFromResources("Xcursor.size: 24\n"), 0);
        QCOMPARE(xftDpiFromResources("Xft.dpi: -5\n"), 0);
        QCOMPARE(xftDpiFromResources("Xft.dpi: lots\n"), 0);
        QCOMPARE(xftDpiFromResources(""), 0);
    }

    void shippedFacesStandInForTheFormsFamilies()
    {
        loadApplicationFonts();
        QCOMPARE(QApplication::font().family(), QStringLiteral("Arial"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("SimSun"))).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("BankGothic Lt BT"))).family(), QStringLiteral("Jura"));

        QCOMPARE(loadFontFamilyFromFile(QStringLiteral(":font/font/bgothl.ttf")), QStringLiteral("Jura"));
        QTest::ignoreMessage(QtDebugMsg, "Open font file error");
        QCOMPARE(loadFontFamilyFromFile(QStringLiteral("missing.ttf")), QString());
    }

    void processesAreFoundInProc()
    {
        const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        const int found = findProcessIdByExeName(self);
        QVERIFY(found > 0);
        QVERIFY(found <= getpid()); // the lowest id of that name, ours at the latest
        QCOMPARE(procfs::executableName(found), self);
        QCOMPARE(findProcessIdByExeName(QStringLiteral("no-such-program-tw")), 0);
        QCOMPARE(findProcessIdByExeName(self.toUpper()), 0);

        QCOMPARE(getParentProcessId(getpid()), int(getppid()));
        QCOMPARE(getParentProcessId(-5), -1);
    }

    void markerIsHeldByOneOwnerAtATime()
    {
        InstanceLock first(QStringLiteral("tw-test-marker"));
        InstanceLock second(QStringLiteral("tw-test-marker"));
        QVERIFY(InstanceLock::pathForKey(QStringLiteral("bdjo")).startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
        QVERIFY(first.create());
        QVERIFY(!second.create());
        first.release();
        QVERIFY(second.create());
        QVERIFY(!InstanceLock(QStringLiteral("no/such/folder/key")).create());
    }

    // Without $XDG_RUNTIME_DIR the marker lives in a folder of the user's own in the
    // temporary folder; a link planted in its place is not followed.
    void markerFallbackFolderIsTheUsersAlone()
    {
        const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray savedTmp = qgetenv("TMPDIR");
        QTemporaryDir shared;
        QTemporaryDir elsewhere;
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
        const QString own = shared.path() + QStringLiteral("/tonewright-") + QString::number(geteuid());

        QVERIFY(QFile::link(elsewhere.path(), own));
        InstanceLock marker(QStringLiteral("bdjo"));
        QVERIFY(marker.create());
        QVERIFY(!InstanceLock::pathForKey(QStringLiteral("bdjo")).startsWith(own));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        marker.release();

        QVERIFY(QFile::remove(own));
        QVERIFY(marker.create());
        QCOMPARE(InstanceLock::pathForKey(QStringLiteral("bdjo")), own + QStringLiteral("/bdjo.lock"));
        struct stat folder {};
        QCOMPARE(lstat(QFile::encodeName(own).constData(), &folder), 0);
        QVERIFY(S_ISDIR(folder.st_mode));
        QCOMPARE(folder.st_mode & 0777, mode_t(0700));
        marker.release();

        qputenv("XDG_RUNTIME_DIR", savedRuntime);
        if (savedTmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", savedTmp);
    }

    void helperMarkersLiveAsLongAsTheProcess()
    {
        QVERIFY(!activateInstanceByWindowProperty(QStringLiteral("tw-test-sem"), QStringLiteral("TW_TEST_PROP")));
        QVERIFY(activateInstanceByWindowProperty(QStringLiteral("tw-test-sem"), QStringLiteral("TW_TEST_PROP")));
        QCOMPARE(activateInstanceByMutex(), 0);
        QVERIFY(!InstanceLock(QStringLiteral("Sample07")).create());
        QCOMPARE(activateInstanceByMutex(), 0);
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
