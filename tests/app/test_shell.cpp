#include "TestEnv.h"
#include "app/AppShell.h"
#include "app/Autorun.h"
#include "app/Conversion.h"
#include "app/ProcessHelpers.h"
#include "app/RuntimeFolder.h"
#include "platform/Autostart.h"
#include "platform/InstanceLock.h"
#include "platform/ProcFs.h"
#include "platform/ScreenDpi.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Puts back the variables the runtime folder is chosen by when a case ends.
class EnvironmentScope
{
public:
    EnvironmentScope()
    {
        for (const char *name : kNames)
            m_saved.append(qgetenv(name));
    }
    ~EnvironmentScope()
    {
        for (int i = 0; i < m_saved.size(); ++i) {
            if (m_saved[i].isNull())
                qunsetenv(kNames[i]);
            else
                qputenv(kNames[i], m_saved[i]);
        }
    }
    EnvironmentScope(const EnvironmentScope &) = delete;
    EnvironmentScope &operator=(const EnvironmentScope &) = delete;

private:
    static constexpr const char *kNames[] = {"XDG_RUNTIME_DIR", "TMPDIR", "XDG_CACHE_HOME"};
    QList<QByteArray> m_saved;
};

} // namespace

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

    // An entry the user marked read-only stays byte for byte as it is, as a read-only
    // preset file does; the owner's write bit decides, so root leaves it alone too.
    void autostartMarkedReadOnlyIsLeftAlone()
    {
        const QString path = autostartEntryPath(QStringLiteral("tonewright"));
        QFile::remove(path);
        setAutoRunRegistry(QStringLiteral("/opt/old/tonewright"));
        const QByteArray kept = tw::readFileBytes(path);
        const auto removeEntry = qScopeGuard([&path] {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            QFile::remove(path);
        });
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright"));
        QCOMPARE(tw::readFileBytes(path), kept);
        QCOMPARE(QFileInfo(path).permissions() & QFile::WriteOwner, QFile::Permissions());
    }

    // The desktop's start-up settings turn an entry off by writing into it, and users
    // add keys of their own; the next start still updates the program path but keeps
    // every line it does not own, in the form it was written.
    void autostartTheUserDisabledStaysDisabled_data()
    {
        QTest::addColumn<QByteArray>("disable");
        QTest::newRow("KDE, Xfce") << QByteArray("Hidden=true");
        QTest::newRow("GNOME") << QByteArray("X-GNOME-Autostart-enabled = false");
        QTest::newRow("GNOME, as a number") << QByteArray("X-GNOME-Autostart-enabled=0");
        QTest::newRow("MATE") << QByteArray("X-MATE-Autostart-enabled=false");
    }

    void autostartTheUserDisabledStaysDisabled()
    {
        QFETCH(QByteArray, disable);
        const QString path = autostartEntryPath(QStringLiteral("tonewright"));
        QFile::remove(path);
        setAutoRunRegistry(QStringLiteral("/opt/old/tonewright"));
        const QByteArray own = "OnlyShowIn=XFCE;MATE;\nX-GNOME-Autostart-Delay=5\nName[de]=Klangregler\n";
        QByteArray edited = tw::readFileBytes(path).replace("X-GNOME-Autostart-enabled=true\n", "");
        edited += disable + "\n" + own + "[Desktop Action other]\nHidden=false\nExec=other\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(edited);
        file.close();

        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright")); // moved since
        const QByteArray entry = tw::readFileBytes(path);
        QCOMPARE(entry, QByteArray(edited).replace("Exec=/opt/old/tonewright -autorun",
                                                   "Exec=/usr/lib/tonewright/tonewright -autorun"));

        // Keys of its own the program finds missing are put back; the rest stays.
        QByteArray trimmed = QByteArray(entry).replace("Type=Application\n", "");
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(trimmed);
        file.close();
        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright"));
        const QByteArray restored = tw::readFileBytes(path);
        QVERIFY2(restored.startsWith("[Desktop Entry]\nType=Application\n"), restored.constData());
        QCOMPARE(restored.count("Type=Application"), 1);
        QVERIFY(restored.contains("\n" + disable + "\n" + own));

        // Turned on again in the settings (the key removed): on it stays.
        QVERIFY(QFile::remove(path));
        setAutoRunRegistry(QStringLiteral("/usr/lib/tonewright/tonewright"));
        const QByteArray enabled = tw::readFileBytes(path);
        QVERIFY(enabled.contains("\nX-GNOME-Autostart-enabled=true\n"));
        QVERIFY(!enabled.contains("Hidden"));
    }

    // A menu entry linked into the autostart folder is a common way to start a program at
    // log-on: the link is read through and replaced by the program's own file, holding
    // the user's keys with the program's updated; what the link points at stays as it was.
    void autostartLinkIsReplacedNotWrittenThrough()
    {
        const QString path = autostartEntryPath(QStringLiteral("tonewright"));
        QFile::remove(path);
        const QString menuEntry = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications/tonewright.desktop");
        QVERIFY(QDir().mkpath(QFileInfo(menuEntry).path()));
        const QByteArray menu = "[Desktop Entry]\nType=Application\nName=Tonewright\nExec=/opt/tw/tonewright\n"
                                "Icon=tonewright\nHidden=true\nX-Own=1\n";
        QFile file(menuEntry);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(menu);
        file.close();
        QVERIFY(QFile::link(menuEntry, path));

        setAutoRunRegistry(QStringLiteral("/opt/tw/tonewright"));
        QCOMPARE(tw::readFileBytes(menuEntry), menu);
        QVERIFY(!QFileInfo(path).isSymLink());
        QVERIFY(QFileInfo(path).isFile());
        QCOMPARE(tw::readFileBytes(path), QByteArray(menu)
                                              .replace("Name=Tonewright", "Name=tonewright")
                                              .replace("Exec=/opt/tw/tonewright", "Exec=/opt/tw/tonewright -autorun"));

        // A link to nothing: a fresh entry of the program's own takes its place.
        QVERIFY(QFile::remove(path));
        const QString missing = QFileInfo(menuEntry).path() + QStringLiteral("/missing.desktop");
        QVERIFY(QFile::link(missing, path));
        setAutoRunRegistry(QStringLiteral("/opt/tw/tonewright"));
        QVERIFY(!QFileInfo(path).isSymLink());
        const QByteArray fresh = tw::readFileBytes(path);
        QVERIFY2(fresh.startsWith("[Desktop Entry]\nType=Application\nName=tonewright\n"), fresh.constData());
        QVERIFY(fresh.contains("\nExec=/opt/tw/tonewright -autorun\nX-GNOME-Autostart-enabled=true\n"));
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(tw::readFileBytes(menuEntry), menu);
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

    // The permission hint asks for a copy into /etc/udev/rules.d only where udev does
    // not read the rule: make install's /usr/local/lib/udev/rules.d is one of its folders,
    // a prefix of one's own is not.
    void udevReadsRulesFromItsFoldersOnly_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("read");
        for (const char *folder : {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
                                   "/usr/lib/udev/rules.d", "/lib/udev/rules.d"})
            QTest::newRow(folder) << QString::fromLatin1(folder) + QStringLiteral("/70-tonewright.rules") << true;
        QTest::newRow("above one") << QStringLiteral("/usr/local/lib/udev/rules.d/../70-tonewright.rules") << false;
        QTest::newRow("user prefix") << QDir::homePath() + QStringLiteral("/.local/lib/udev/rules.d/70-tonewright.rules")
                                     << false;
        QTest::newRow("/opt prefix") << QStringLiteral("/opt/tonewright/lib/udev/rules.d/70-tonewright.rules") << false;
        QTest::newRow("source checkout") << QStringLiteral("packaging/70-tonewright.rules") << false;
    }
    void udevReadsRulesFromItsFoldersOnly()
    {
        QFETCH(QString, rule);
        QFETCH(bool, read);
        QCOMPARE(udevReadsRuleFile(rule), read);
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
        QCOMPARE(first.create(), InstanceLock::Outcome::Taken);
        QCOMPARE(second.create(), InstanceLock::Outcome::HeldElsewhere);
        first.release();
        QCOMPARE(second.create(), InstanceLock::Outcome::Taken);
        QCOMPARE(InstanceLock(QStringLiteral("no/such/folder/key")).create(), InstanceLock::Outcome::Unavailable);
    }

    // Without $XDG_RUNTIME_DIR the marker lives in a folder of the user's own in the
    // temporary folder; a link planted in its place is not followed.
    void markerFallbackFolderIsTheUsersAlone()
    {
        EnvironmentScope scope;
        QTemporaryDir shared;
        QTemporaryDir elsewhere;
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(shared.path()));
        const QString own = shared.path() + QStringLiteral("/tonewright-") + QString::number(geteuid());

        QVERIFY(QFile::link(elsewhere.path(), own));
        InstanceLock marker(QStringLiteral("bdjo"));
        QCOMPARE(marker.create(), InstanceLock::Outcome::Taken);
        QVERIFY(!InstanceLock::pathForKey(QStringLiteral("bdjo")).startsWith(own));
        QVERIFY(QDir(elsewhere.path()).isEmpty());
        marker.release();

        QVERIFY(QFile::remove(own));
        QCOMPARE(marker.create(), InstanceLock::Outcome::Taken);
        QCOMPARE(InstanceLock::pathForKey(QStringLiteral("bdjo")), own + QStringLiteral("/bdjo.lock"));
        struct stat folder {};
        QCOMPARE(lstat(QFile::encodeName(own).constData(), &folder), 0);
        QVERIFY(S_ISDIR(folder.st_mode));
        QCOMPARE(folder.st_mode & 0777, mode_t(0700));
        marker.release();
    }

    // The session's runtime folder is only used as it is: one open to others (say
    // XDG_RUNTIME_DIR=/tmp under sudo) or a link is neither changed nor used, and the
    // marker goes to the user's own folder instead.
    void aRuntimeFolderOpenToOthersIsLeftAlone()
    {
        EnvironmentScope scope;
        QTemporaryDir shared;
        QTemporaryDir session;
        QTemporaryDir tmp;
        const QByteArray sessionPath = QFile::encodeName(session.path());
        QCOMPARE(chmod(sessionPath.constData(), 01777), 0);
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const QString own = tmp.path() + QStringLiteral("/tonewright-") + QString::number(geteuid());

        qputenv("XDG_RUNTIME_DIR", sessionPath);
        InstanceLock marker(QStringLiteral("bdjo"));
        QCOMPARE(marker.create(), InstanceLock::Outcome::Taken);
        QCOMPARE(InstanceLock::pathForKey(QStringLiteral("bdjo")), own + QStringLiteral("/bdjo.lock"));
        struct stat folder {};
        QCOMPARE(stat(sessionPath.constData(), &folder), 0);
        QCOMPARE(folder.st_mode & 07777, mode_t(01777));
        QVERIFY(QDir(session.path()).isEmpty());

        // A link to a private folder stands in for nothing either.
        QCOMPARE(chmod(sessionPath.constData(), 0700), 0);
        const QString link = shared.path() + QStringLiteral("/run");
        QVERIFY(QFile::link(session.path(), link));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(link));
        QCOMPARE(InstanceLock::pathForKey(QStringLiteral("bdjo")), own + QStringLiteral("/bdjo.lock"));
        qputenv("XDG_RUNTIME_DIR", sessionPath);
        QCOMPARE(InstanceLock::pathForKey(QStringLiteral("bdjo")), session.path() + QStringLiteral("/bdjo.lock"));
    }

    // A marker file that cannot be opened (left root-only by a "sudo -E" run; here a
    // folder in its place) is not another instance: the next folder carries the marker,
    // for every start alike. With no folder at all the start goes on unmarked.
    void aMarkerThatCannotBeMadeIsNotARunningInstance()
    {
        EnvironmentScope scope;
        QTemporaryDir tmp;
        qputenv("TMPDIR", QFile::encodeName(tmp.path()));
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QVERIFY(QDir(runtime).mkdir(QStringLiteral("tw-blocked.lock")));
        InstanceLock first(QStringLiteral("tw-blocked"));
        InstanceLock second(QStringLiteral("tw-blocked"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot open the instance marker")));
        QCOMPARE(first.create(), InstanceLock::Outcome::Taken);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Cannot open the instance marker")));
        QCOMPARE(second.create(), InstanceLock::Outcome::HeldElsewhere);
        QVERIFY(QFile::exists(tmp.path() + QStringLiteral("/tonewright-") + QString::number(geteuid())
                              + QStringLiteral("/tw-blocked.lock")));
        QVERIFY(QDir(runtime).rmdir(QStringLiteral("tw-blocked.lock")));

        // No runtime folder, and neither the temporary folder nor the cache usable.
        QFile blocker(tmp.filePath(QStringLiteral("a-file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(blocker.fileName()));
        qputenv("XDG_CACHE_HOME", QFile::encodeName(blocker.fileName()));
        QCOMPARE(InstanceLock(QStringLiteral("bdjo")).create(), InstanceLock::Outcome::Unavailable);
    }

    void helperMarkersLiveAsLongAsTheProcess()
    {
        QVERIFY(!activateInstanceByWindowProperty(QStringLiteral("tw-test-sem"), QStringLiteral("TW_TEST_PROP")));
        QVERIFY(activateInstanceByWindowProperty(QStringLiteral("tw-test-sem"), QStringLiteral("TW_TEST_PROP")));
        QCOMPARE(activateInstanceByMutex(), 0);
        QCOMPARE(InstanceLock(QStringLiteral("Sample07")).create(), InstanceLock::Outcome::HeldElsewhere);
        QCOMPARE(activateInstanceByMutex(), 0);
    }
};

QTEST_MAIN(TestShell)
#include "test_shell.moc"
