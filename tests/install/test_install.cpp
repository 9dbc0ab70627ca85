// Installing as a packager does (`cmake --install` with prefix /usr into a staging
// folder) and as a user does (under a prefix of their own): the menu entry, AppStream
// data, icons, run-time files, licences and udev rule land where a Linux desktop looks
// for them, and the installed program finds its files and serves the headset.
#include "TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>

namespace {

constexpr int kProcessTimeoutMs = 120000;

struct Outcome {
    int exitCode = -1;
    QByteArray output;
};

Outcome run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Outcome outcome;
    if (process.waitForFinished(kProcessTimeoutMs) && process.exitStatus() == QProcess::NormalExit)
        outcome.exitCode = process.exitCode();
    outcome.output = process.readAll();
    return outcome;
}

// `cmake --install` of the build tree; destdir empty installs in place under the prefix.
Outcome install(const QString &prefix, const QString &destdir)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (destdir.isEmpty())
        env.remove(QStringLiteral("DESTDIR"));
    else
        env.insert(QStringLiteral("DESTDIR"), destdir);
    return run(qEnvironmentVariable("TW_CMAKE"),
               {QStringLiteral("--install"), qEnvironmentVariable("TW_BUILD_DIR"), QStringLiteral("--prefix"), prefix,
                QStringLiteral("--strip")},
               env);
}

QJsonObject readJson(const QString &path)
{
    return QJsonDocument::fromJson(tw::readFileBytes(path)).object();
}

bool writeJson(const QString &path, const QJsonObject &object)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(QJsonDocument(object).toJson()) > 0;
}

// The installed program's surroundings with the simulated headset (a 0411) plugged in.
QProcessEnvironment simulatedHeadsetEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_LIBRARY_PATH"), qEnvironmentVariable("TW_SIM_LIBRARY_DIR"));
    env.insert(QStringLiteral("TW_SIM_HEADSETS"), QStringLiteral("0411"));
    return env;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    QTemporaryDir m_stage;
    QString m_usr; // the staged /usr

    QString staged(const QString &relative) const { return m_usr + QLatin1Char('/') + relative; }

private slots:
    void initTestCase()
    {
        QVERIFY(m_stage.isValid());
        const Outcome outcome = install(QStringLiteral("/usr"), m_stage.path());
        QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
        m_usr = m_stage.filePath(QStringLiteral("usr"));
    }

    void menuEntryAndAppStreamDataValidate()
    {
        const QString entry = staged(QStringLiteral("share/applications/tonewright.desktop"));
        const QString metainfo = staged(QStringLiteral("share/metainfo/tonewright.metainfo.xml"));
        QVERIFY(QFile::exists(entry));
        QVERIFY(QFile::exists(metainfo));
        Outcome outcome = run(QStringLiteral("desktop-file-validate"), {entry});
        QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
        outcome = run(QStringLiteral("appstreamcli"), {QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo});
        QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
        // The entry starts the installed program and shows the installed icon.
        const QByteArray text = tw::readFileBytes(entry);
        QVERIFY(text.contains("\nExec=tonewright\n"));
        QVERIFY(text.contains("\nIcon=tonewright\n"));
        QVERIFY(QFile::exists(staged(QStringLiteral("bin/tonewright"))));
        QVERIFY(tw::readFileBytes(metainfo).contains("<launchable type=\"desktop-id\">tonewright.desktop</launchable>"));
    }

    void iconAtEverySize_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        for (int side : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(side)))
                << QStringLiteral("share/icons/hicolor/%1x%1/apps/tonewright.png").arg(side) << QSize(side, side);
        QTest::newRow("scalable") << QStringLiteral("share/icons/hicolor/scalable/apps/tonewright.svg")
                                  << QSize(256, 256);
    }

    void iconAtEverySize()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        QImageReader icon(staged(file));
        QVERIFY2(icon.canRead(), qPrintable(file));
        QCOMPARE(icon.size(), size);
    }

    void runtimeFilesAndLicencesUnderShare()
    {
        for (const char *file : {"share/tonewright/DefaultFile/VID-2e7a&PID-0411.json",
                                 "share/tonewright/DefaultFile/VID-2e7a&PID-0412.json",
                                 "share/tonewright/photo/0411.png", "share/tonewright/photo/0412.png",
                                 "share/tonewright/audio/test.wav", "share/doc/tonewright/copyright",
                                 "share/doc/tonewright/LiberationSans-Regular.COPYING",
                                 "share/doc/tonewright/Jura-Light.COPYING"})
            QVERIFY2(QFile::exists(staged(QLatin1String(file))), file);
        // Beside the program and its library there is nothing but the program's code.
        QDirIterator lib(staged(QStringLiteral("lib")), {QStringLiteral("*.json"), QStringLiteral("*.png"),
                                                         QStringLiteral("*.wav")},
                         QDir::Files, QDirIterator::Subdirectories);
        QVERIFY2(!lib.hasNext(), qPrintable(lib.hasNext() ? lib.next() : QString()));
        const QByteArray copyright = tw::readFileBytes(staged(QStringLiteral("share/doc/tonewright/copyright")));
        QVERIFY(copyright.contains("Liberation Sans") && copyright.contains("Jura"));
    }

    void installedProgramIsStripped()
    {
        const Outcome sections = run(QStringLiteral("readelf"), {QStringLiteral("-S"), staged(QStringLiteral("bin/tonewright"))});
        QCOMPARE(sections.exitCode, 0);
        QVERIFY(!sections.output.contains(".symtab"));
    }

    void udevRuleWhereConfigured()
    {
        QString rules = qEnvironmentVariable("TW_UDEV_RULES_DIR");
        QVERIFY(!rules.isEmpty());
        rules = QDir::isRelativePath(rules) ? staged(rules) : m_stage.path() + rules;
        QVERIFY2(QFile::exists(rules + QStringLiteral("/70-tonewright.rules")), qPrintable(rules));
    }

    // A headset this user may not open yet: the installed program's hint names the rule
    // as installed, not a path in a source checkout the user does not have.
    void permissionHintNamesTheInstalledRule()
    {
        QProcessEnvironment env = simulatedHeadsetEnvironment();
        env.insert(QStringLiteral("TW_SIM_OPEN_REFUSED"), QString::number(EACCES));
        env.insert(QStringLiteral("TONEWRIGHT_PROMPT_AUTOCLOSE_MS"), QStringLiteral("100"));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(staged(QStringLiteral("bin/tonewright")), QStringList());
        QVERIFY(program.waitForStarted());
        QByteArray output;
        const QRegularExpression hint(QStringLiteral("prompt: prompt \\| .*sudo install -m 644 (\\S+) "));
        QRegularExpressionMatch match;
        QTRY_VERIFY_WITH_TIMEOUT((match = hint.match(QString::fromLocal8Bit(output += program.readAll()))).hasMatch(),
                                 30000);
        program.kill();
        program.waitForFinished(5000);

        const QString rules = qEnvironmentVariable("TW_UDEV_RULES_DIR");
        const QString named = match.captured(1);
        if (QDir::isRelativePath(rules)) {
            QCOMPARE(named, staged(rules) + QStringLiteral("/70-tonewright.rules"));
        } else {
            QCOMPARE(named, rules + QStringLiteral("/70-tonewright.rules"));
        }
        QVERIFY(QFile::exists(QDir::isRelativePath(rules) ? named : m_stage.path() + named));
    }

    // The installed program, started with no hint where its files are, makes the
    // headset's user file from the installed default file (marked here, so that a copy
    // of the build tree's could not pass).
    void installedProgramServesTheHeadset()
    {
        const QString defaultFile = staged(QStringLiteral("share/tonewright/DefaultFile/VID-2e7a&PID-0411.json"));
        QJsonObject defaults = readJson(defaultFile);
        QJsonObject modes = defaults.value(QStringLiteral("defaultMode")).toObject();
        QVERIFY(modes.contains(QStringLiteral("Stereo 0 Pop")));
        QJsonObject pop = modes.value(QStringLiteral("Stereo 0 Pop")).toObject();
        pop.insert(QStringLiteral("parameter"), QStringLiteral("7,-7,7,-7,7,-7,7,-7,7,-7"));
        modes.insert(QStringLiteral("Stereo 0 Pop"), pop);
        defaults.insert(QStringLiteral("defaultMode"), modes);
        QVERIFY(writeJson(defaultFile, defaults));

        QProcess program;
        program.setProcessEnvironment(simulatedHeadsetEnvironment());
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(staged(QStringLiteral("bin/tonewright")), QStringList());
        QVERIFY(program.waitForStarted());

        const QString userFile = QDir::homePath()
                                 + QStringLiteral("/Documents/tonewright/UserFile/VID-2e7a&PID-0411&UUID-0a0b0c0d.json");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(userFile), 30000);
        const QJsonObject user = readJson(userFile);
        program.kill();
        program.waitForFinished(5000);
        QCOMPARE(user.value(QStringLiteral("defaultMode")).toObject(), modes);
    }

    // The rule's folder follows the prefix unless it is /usr (udev's own folder then):
    // pinned on a fresh configuration, whatever this build's cache was given.
    void udevRuleFolderFollowsAPrefixOfOnesOwn()
    {
        QTemporaryDir tree;
        QVERIFY(tree.isValid());
        const Outcome configured = run(qEnvironmentVariable("TW_CMAKE"),
                                       {QStringLiteral("-S"), qEnvironmentVariable("TW_SOURCE_DIR"),
                                        QStringLiteral("-B"), tree.path(),
                                        QStringLiteral("-DCMAKE_INSTALL_PREFIX=/opt/tonewright"),
                                        QStringLiteral("-DBUILD_TESTING=OFF")});
        QVERIFY2(configured.exitCode == 0, configured.output.constData());
        QByteArray rules;
        for (const QByteArray &line : tw::readFileBytes(tree.filePath(QStringLiteral("CMakeCache.txt"))).split('\n')) {
            if (line.startsWith("TW_UDEV_RULES_DIR:"))
                rules = line.mid(line.indexOf('=') + 1);
        }
        QCOMPARE(rules, QByteArray("lib/udev/rules.d"));
    }

    // An install under a prefix of one's own writes nothing outside it, so it needs no root.
    void userPrefixInstallStaysInsideIt()
    {
        // A builder may have sent the rule to a system folder on purpose; the default
        // is pinned above.
        if (!QDir::isRelativePath(qEnvironmentVariable("TW_UDEV_RULES_DIR")))
            QSKIP("this build was configured to put the udev rule in a fixed system folder");
        QTemporaryDir prefix;
        QVERIFY(prefix.isValid());
        const Outcome outcome = install(prefix.path(), QString());
        QVERIFY2(outcome.exitCode == 0, outcome.output.constData());
        const QList<QByteArray> installed =
            tw::readFileBytes(qEnvironmentVariable("TW_BUILD_DIR") + QStringLiteral("/install_manifest.txt"))
                .split('\n');
        int count = 0;
        for (const QByteArray &path : installed) {
            if (path.isEmpty())
                continue;
            ++count;
            QVERIFY2(path.startsWith(QFile::encodeName(prefix.path()) + '/'), path.constData());
        }
        QVERIFY(count > 0);
        QVERIFY(QFile::exists(prefix.filePath(QStringLiteral("lib/udev/rules.d/70-tonewright.rules"))));
        QVERIFY(QFile::exists(prefix.filePath(QStringLiteral("bin/tonewright"))));
    }
};

QTEST_MAIN(TestInstall)
#include "test_install.moc"
