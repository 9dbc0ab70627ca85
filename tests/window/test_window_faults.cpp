// The window against misbehaving headsets: one that answers without end, one whose
// answers carry random unique ids, one whose status answer asks for a page that its
// own ReadAudio answer disabled, and one that answers ReadAudio with an error alone.
#include "WindowTestSupport.h"

#include "HidSim.h"
#include "TestEnv.h"

#include "app/LogHandler.h"
#include "headset/MyThread.h"
#include "headset/UsbHidOperation.h"
#include "window/EqPage.h"
#include "window/MainWindow.h"

#include <QAbstractButton>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMutex>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include <cerrno>

#include <atomic>
#include <memory>

using namespace wt;

namespace {

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.value(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024);
}

// How long a call queued on the GUI thread waits until it runs (what a click or a
// repaint waits for as well), up to limitMs.
qint64 queuedCallLatencyMs(QObject *context, int limitMs)
{
    auto clock = std::make_shared<QElapsedTimer>();
    auto ranAfter = std::make_shared<qint64>(-1);
    clock->start();
    QMetaObject::invokeMethod(context, [clock, ranAfter] { *ranAfter = clock->elapsed(); }, Qt::QueuedConnection);
    return waitUntil([&] { return *ranAfter >= 0; }, limitMs) ? *ranAfter : limitMs;
}

// The lines the receive threads write, counted on their way to the program's own log
// handler (the day's log file); every other line goes where it went before.
class ReceiveThreadLines
{
public:
    ReceiveThreadLines()
    {
        counts().clear();
        s_previous = qInstallMessageHandler(handle);
    }
    ~ReceiveThreadLines() { qInstallMessageHandler(s_previous); }

    QHash<QString, int> written() const
    {
        QMutexLocker lock(&mutex());
        return counts();
    }

    // The answers whose line begins with `start`: the lines written and the repeats
    // counted in their place.
    int answersLogged(const QString &start) const
    {
        static const QRegularExpression repeated(QStringLiteral("^\\[Recv - Repeated (\\d+) more times\\] (.*)$"));
        int answers = 0;
        const QHash<QString, int> lines = written();
        for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
            const QRegularExpressionMatch match = repeated.match(it.key());
            if (match.hasMatch() && match.captured(2).startsWith(start))
                answers += match.captured(1).toInt() * it.value();
            else if (it.key().startsWith(start))
                answers += it.value();
        }
        return answers;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (!qobject_cast<MyThread *>(QThread::currentThread())) {
            if (s_previous)
                s_previous(type, context, message);
            return;
        }
        {
            QMutexLocker lock(&mutex());
            ++counts()[message];
        }
        logMessageOutput(type, context, message);
    }
    static QHash<QString, int> &counts()
    {
        static QHash<QString, int> all;
        return all;
    }
    static QMutex &mutex()
    {
        static QMutex m;
        return m;
    }
    static inline QtMessageHandler s_previous = nullptr;
};

// The two status answers a headset gives: 7.1 processing on and off.
void statusAnswerRows()
{
    QTest::addColumn<bool>("surroundOn");
    QTest::newRow("7.1 on") << true;
    QTest::newRow("7.1 off") << false;
}

int userFileCount(unsigned short pid, const std::array<unsigned char, 4> &uuid)
{
    const QFileInfo one(userFilePath(pid, uuid));
    return one.dir().entryList({QStringLiteral("*.json")}, QDir::Files).size();
}

// Keeps the test's Documents folder from taking anything while it lives: the folder
// made read-only, or a plain file where it should be. Put back as it was after.
class DocumentsBlocked
{
public:
    explicit DocumentsBlocked(bool readOnlyFolder)
        : m_path(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)), m_readOnly(readOnlyFolder)
    {
        QDir(m_path).removeRecursively();
        if (m_readOnly) {
            QDir().mkpath(m_path);
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
        } else {
            QFile file(m_path);
            if (file.open(QIODevice::WriteOnly))
                file.write("not a folder");
        }
    }
    ~DocumentsBlocked()
    {
        if (m_readOnly)
            QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        else
            QFile::remove(m_path);
    }
    bool inPlace() const { return m_readOnly ? QFileInfo(m_path).isDir() : QFileInfo(m_path).isFile(); }

private:
    QString m_path;
    bool m_readOnly;
};

// Copies this test program and the run-time files it needs (its libraries, the default
// preset files, the headset photos) into folder; symbolic links would not do, as the
// program knows its folder by its own resolved path.
bool layOutProgramCopy(const QString &folder, const QString &program)
{
    const QDir here(QCoreApplication::applicationDirPath());
    if (!QFile::copy(QCoreApplication::applicationFilePath(), program))
        return false;
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QString &library : here.entryList({QStringLiteral("*.so"), QStringLiteral("*.so.*")}, QDir::Files)) {
        if (!QFile::copy(here.filePath(library), folder + QLatin1Char('/') + library))
            return false;
    }
    for (const QString &sub : {QStringLiteral("DefaultFile"), QStringLiteral("photo")}) {
        if (!QDir().mkpath(folder + QLatin1Char('/') + sub))
            return false;
        const QDir from(here.filePath(sub));
        for (const QString &file : from.entryList(QDir::Files)) {
            if (!QFile::copy(from.filePath(file), folder + QLatin1Char('/') + sub + QLatin1Char('/') + file))
                return false;
        }
    }
    return true;
}

// Warnings that name a widget's style sheet, counted while this lives.
class StyleSheetWarnings
{
public:
    StyleSheetWarnings()
    {
        count() = 0;
        s_previous = qInstallMessageHandler(handle);
    }
    ~StyleSheetWarnings() { qInstallMessageHandler(s_previous); }
    int seen() const { return count(); }

private:
    static int &count()
    {
        static int n = 0;
        return n;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (message.contains(QLatin1String("stylesheet"), Qt::CaseInsensitive))
            ++count();
        if (s_previous)
            s_previous(type, context, message);
    }
    static QtMessageHandler s_previous;
};
QtMessageHandler StyleSheetWarnings::s_previous = nullptr;

} // namespace

class TestWindowFaults : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private:
    std::unique_ptr<MainWindow> m_window;

    void startWithHeadset(const HeadsetSetup &setup = HeadsetSetup())
    {
        m_window = startWindowWithHeadset(setup);
        QVERIFY(g_nDeviceOpen == 1);
    }

    // Run by the copy in the odd folder: the photo of the headset beside this program
    // is on the label, drawn as the same picture from a plain folder is drawn.
    void photoIsDrawnFromThisProgramFolder()
    {
        const StyleSheetWarnings warnings;
        startWithHeadset();
        QLabel *const label = m_window->ui.label_Spectrum;
        QVERIFY2(label->styleSheet().contains(QStringLiteral("/photo/0411.png")), qPrintable(label->styleSheet()));
        const QImage shown = label->grab().toImage();
        QCOMPARE(warnings.seen(), 0);

        // The same picture named from a plain folder, on the same label, looks the same;
        // with no picture the label looks otherwise.
        QTemporaryDir plain;
        QVERIFY(plain.isValid());
        const QString photo = plain.filePath(QStringLiteral("0411.png"));
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/photo/0411.png"), photo));
        label->setStyleSheet(QStringLiteral("border-image:url(%1);").arg(photo));
        QCOMPARE(shown, label->grab().toImage());
        label->setStyleSheet(QString());
        QVERIFY(shown != label->grab().toImage());
    }

private slots:
    void initTestCase()
    {
        silenceDebugLog();
        recordPrompts();
    }

    void init() { removeUserFiles(); }

    void cleanup()
    {
        hidsim::setFlood(-1);
        closeWindow(m_window);
        unplugAll();
    }

    // A headset that answers without end: the answers waiting for the window stay one
    // per kind, so memory stays flat and a queued call (a click, a repaint) still runs
    // at once, though each status answer costs the window tens of milliseconds. The day's
    // log gets a line of the receive thread a few times a second at most, and the count
    // of the repeats held back accounts for every answer.
    void aFloodOfAnswersLeavesMemoryFlatAndTheWindowResponsive_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("ReadStatus") << kReadStatus;
        QTest::newRow("ReadAudio") << kReadAudio;
        QTest::newRow("acknowledgements") << kSetPeq;
    }
    void aFloodOfAnswersLeavesMemoryFlatAndTheWindowResponsive()
    {
        QFETCH(int, command);
        const ReceiveThreadLines lines;
        startWithHeadset();
        // Signals on their way to the window: emitted on the receive thread, delivered
        // here in the same queue order as to the window. At most one per kind of answer
        // waits, and one more while the window takes it.
        std::atomic<int> emitted{0};
        int delivered = 0;
        connect(m_window->m_pMyThread, &MyThread::sendReadAudio, this, [&] { ++emitted; }, Qt::DirectConnection);
        connect(m_window->m_pMyThread, &MyThread::sendReadAudio, this, [&] { ++delivered; }, Qt::QueuedConnection);

        QElapsedTimer flooding;
        flooding.start();
        hidsim::setFlood(command);
        QVERIFY(waitUntil([] { return hidsim::floodedAnswerCount() > 1000; }, 30000)); // well under way
        const long before = residentKiB();
        const long floodedBefore = hidsim::floodedAnswerCount();
        constexpr int kResponsiveMs = 500;
        qint64 worst = 0;
        int mostWaiting = 0;
        QElapsedTimer flood;
        flood.start();
        while (flood.elapsed() < 3000 && worst < kResponsiveMs) {
            mostWaiting = std::max(mostWaiting, emitted - delivered);
            worst = std::max(worst, queuedCallLatencyMs(m_window.get(), kResponsiveMs));
            QTest::qWait(100);
        }
        const long grownKiB = residentKiB() - before;
        const long flooded = hidsim::floodedAnswerCount() - floodedBefore;
        hidsim::setFlood(-1);
        const qint64 floodSeconds = flooding.elapsed() / 1000 + 1;
        settle();
        disconnect(m_window->m_pMyThread, nullptr, this, nullptr);
        // The start-up status answer, then the flood's; the last second's count comes
        // once that second is over, while the thread waits for the next answer.
        const int statusAnswers = 1 + (command == kReadStatus ? int(hidsim::floodedAnswerCount()) : 0);
        QTRY_COMPARE_WITH_TIMEOUT(lines.answersLogged(QStringLiteral("TabChangeFlag")), statusAnswers, 3000);
        const QHash<QString, int> written = lines.written();
        for (auto it = written.cbegin(); it != written.cend(); ++it)
            QVERIFY2(it.value() <= 5 * (floodSeconds + 1),
                     qPrintable(QStringLiteral("%1 times: %2").arg(it.value()).arg(it.key())));

        QVERIFY2(flooded > 1000, qPrintable(QString::number(flooded))); // it really answered without end
        qInfo("most signals waiting %d, longest wait %lld ms, grown by %ld KiB", mostWaiting, worst, grownKiB);
        QVERIFY2(mostWaiting <= 6, qPrintable(QStringLiteral("%1 signals waited").arg(mostWaiting)));
        QVERIFY2(worst < kResponsiveMs, qPrintable(QStringLiteral("a queued call waited %1 ms").arg(worst)));
#ifndef __SANITIZE_ADDRESS__ // the sanitizer holds freed memory back for a while
        QVERIFY2(grownKiB < 1024, qPrintable(QStringLiteral("grew by %1 KiB").arg(grownKiB)));
#else
        Q_UNUSED(grownKiB);
#endif
        QCOMPARE(g_nDeviceOpen, 1);
    }

    // Random valid answers carry a new unique id each: the open headset keeps the id of
    // its first status answer, and no other user file is made.
    void randomIdsMakeNoNewUserFiles()
    {
        const HeadsetSetup setup;
        startWithHeadset(setup);
        QVERIFY(QFileInfo::exists(userFilePath(setup.pid, setup.uuid)));
        QCOMPARE(userFileCount(setup.pid, setup.uuid), 1);
        const QString userFile = m_window->m_qstrCurrentUserFileName;

        hidsim::setFlood(kReadStatus, true);
        QVERIFY(waitUntil([] { return hidsim::floodedAnswerCount() > 1000; }, 30000));
        hidsim::setFlood(-1);
        settle();
        QCOMPARE(userFileCount(setup.pid, setup.uuid), 1);
        QCOMPARE(m_window->m_qstrCurrentUserFileName, userFile);
        QVERIFY(recordedPrompts().isEmpty());
    }

    // The ReadAudio answer says there is no surround processing, the status answer that
    // 7.1 is on: the Surround page is disabled, so the Stereo page takes its place and its
    // selection goes out, followed by its switch.
    void surroundFlagZeroThenSurroundOnEndsOnTheStereoPage()
    {
        HeadsetSetup setup;
        setup.surroundFlag = 0;
        setup.surroundOn = true;
        startWithHeadset(setup);
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(0));
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), 1);
        QCOMPARE(m_window->m_fTabStatus, 1);
        const QList<Frame> peq = framesOf(kSetPeq);
        QVERIFY(!peq.isEmpty());
        QCOMPARE(peq.last().presetNumber(), 5); // Stereo Standard
        const QList<Frame> switches = framesOf(kSetSwitch);
        QVERIFY(!switches.isEmpty());
        QCOMPARE(switches.last().switchArgs(), (QList<int>{1, 0, 0, 1}));
        QVERIFY(QFileInfo::exists(userFilePath(setup.pid, setup.uuid)));

        // A click on the page now shown is answered as on any headset.
        clearWrittenFrames();
        m_window->ui.radioButton_Stereo_Jazz->click();
        settle();
        QCOMPARE(framesOf(kSetPeq).size(), 2);
        QCOMPARE(framesOf(kSetSwitch).size(), 1);
    }

    // A headset that answers ReadAudio with an error status alone says nothing about its
    // pages: both stay usable, the status answer selects its own page, the Standard
    // preset goes out with its switch, and a preset click is sent as on any headset.
    void readAudioErrorAnswerLeavesBothPagesUsable_data() { statusAnswerRows(); }
    void readAudioErrorAnswerLeavesBothPagesUsable()
    {
        QFETCH(bool, surroundOn);
        HeadsetSetup setup;
        setup.surroundOn = surroundOn;
        plugHeadset(setup);
        hidsim::injectFault(hidsim::Fault::ShortError, hidsim::kEveryAnswer, kReadAudio);
        m_window = startWindow();
        // The status answer's presets end with the page's switch; a loaded machine may
        // take longer than a quiet spell to get there.
        QVERIFY(waitUntil([] { return !framesOf(kSetSwitch).isEmpty(); }, 10000));
        settle();
        QCOMPARE(g_nDeviceOpen, 1);
        QCOMPARE(framesOf(kReadAudio).size(), 1);
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(0));
        QVERIFY(m_window->ui.tabWidget->isTabEnabled(1));
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), surroundOn ? 0 : 1);
        QCOMPARE(m_window->m_fTabStatus, surroundOn ? 2 : 1);
        const QList<Frame> peq = framesOf(kSetPeq);
        QVERIFY(!peq.isEmpty());
        QCOMPARE(peq.last().presetNumber(), surroundOn ? 19 : 5); // the page's Standard preset
        const QList<int> switchArgs = surroundOn ? QList<int>{1, 1, 0, 0} : QList<int>{1, 0, 0, 1};
        const QList<Frame> switches = framesOf(kSetSwitch);
        QVERIFY(!switches.isEmpty());
        QCOMPARE(switches.last().switchArgs(), switchArgs);

        clearWrittenFrames();
        (surroundOn ? m_window->ui.radioButton_Surround_FPS : m_window->ui.radioButton_Stereo_Jazz)->click();
        settle();
        QCOMPARE(framesOf(kSetPeq).size(), 2);
        QCOMPARE(framesOf(kSetSwitch).size(), 1);
        QCOMPARE(framesOf(kSetSwitch).last().switchArgs(), switchArgs);
    }

    // With neither equaliser page enabled, the window ends on the microphone page, and
    // the headset's user file is made and read all the same. A later status answer goes
    // nowhere near the disabled pages and sends nothing.
    void noEqualiserPageEnabledEndsOnTheMicrophonePage_data() { statusAnswerRows(); }
    void noEqualiserPageEnabledEndsOnTheMicrophonePage()
    {
        QFETCH(bool, surroundOn);
        HeadsetSetup setup;
        setup.peqFlag = 0;
        setup.surroundFlag = 0;
        setup.surroundOn = surroundOn;
        startWithHeadset(setup);
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(0));
        QVERIFY(!m_window->ui.tabWidget->isTabEnabled(1));
        QCOMPARE(m_window->ui.tabWidget->currentIndex(), 2);
        QCOMPARE(m_window->m_fTabStatus, 3);
        QVERIFY(QFileInfo::exists(userFilePath(setup.pid, setup.uuid)));
        QVERIFY(m_window->m_fUserFileLoaded);

        QSignalSpy pagesShown(m_window->ui.tabWidget, &QTabWidget::currentChanged);
        clearWrittenFrames();
        usbHidSend_ReadStatus();
        settle();
        QCOMPARE(framesOf(kReadStatus).size(), 1);
        QCOMPARE(framesOf(kSetPeq).size(), 0);
        QCOMPARE(pagesShown.count(), 0);
        QCOMPARE(m_window->m_fTabStatus, 3);
    }

    // The program run from a folder whose name holds a quote, a double quote, a
    // backslash, non-ASCII letters, blanks and parentheses, as a user-prefix install under
    // such a home folder is: the headset photo beside it is drawn, and Qt has no
    // complaint about the style sheet that names it. A copy of this test program, laid
    // out there with its run-time files, runs the case itself.
    void theHeadsetPhotoShowsFromAnyProgramFolder()
    {
        const QString folderName = QStringLiteral("it's \"Grüße\" \\ (1)");
        if (QCoreApplication::applicationDirPath().endsWith(folderName)) {
            photoIsDrawnFromThisProgramFolder();
            return;
        }
        QTemporaryDir base;
        QVERIFY(base.isValid());
        const QString folder = base.filePath(folderName);
        QVERIFY(QDir().mkpath(folder));
        const QString program = folder + QLatin1Char('/') + QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        QVERIFY(layOutProgramCopy(folder, program));

        QProcess copy;
        copy.setProcessChannelMode(QProcess::MergedChannels);
        copy.start(program, {QStringLiteral("theHeadsetPhotoShowsFromAnyProgramFolder")});
        QVERIFY2(copy.waitForStarted(10000), qPrintable(copy.errorString()));
        const bool finished = copy.waitForFinished(120000);
        if (!finished)
            copy.kill();
        const QByteArray output = copy.readAll();
        if (!output.contains("PASS   : TestWindowFaults::theHeadsetPhotoShowsFromAnyProgramFolder()"))
            qInfo().noquote() << "The copy's run:\n" << output;
        QVERIFY2(finished && copy.exitStatus() == QProcess::NormalExit && copy.exitCode() == 0, output.constData());
        QVERIFY2(!output.contains("Could not parse stylesheet"), output.constData());
        QVERIFY2(output.contains("PASS   : TestWindowFaults::theHeadsetPhotoShowsFromAnyProgramFolder()"),
                 output.constData());
    }

    // ~/Documents cannot take the headset's user file: one box says so, and the factory
    // presets, read from the model's default file instead, still reach the headset, every
    // one of them; custom presets have nowhere to live and none are offered: Add and Copy
    // are disabled, and even a click that reached them makes nothing and writes nothing.
    // The log names each path that failed and the system's reason.
    void aDocumentsFolderThatCannotBeWrittenStillSendsFactoryPresets_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::addColumn<QString>("folderReason");
        QTest::addColumn<QString>("fileReason");
        QTest::newRow("read-only folder") << true << qt_error_string(EACCES) << qt_error_string(ENOENT);
        QTest::newRow("a file in its place") << false << qt_error_string(ENOTDIR) << qt_error_string(ENOTDIR);
    }
    void aDocumentsFolderThatCannotBeWrittenStillSendsFactoryPresets()
    {
        QFETCH(bool, readOnlyFolder);
        QFETCH(QString, folderReason);
        QFETCH(QString, fileReason);
        if (readOnlyFolder && ::geteuid() == 0)
            QSKIP("root writes into a read-only folder all the same");
        const DocumentsBlocked blocked(readOnlyFolder);
        QVERIFY(blocked.inPlace());

        const HeadsetSetup setup;
        const QString userFile = userFilePath(setup.pid, setup.uuid);
        const QString userFolder = QFileInfo(userFile).absolutePath();
        const auto expectWarning = [](const QString &text) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(text) + QLatin1Char('$')));
        };
        expectWarning(QStringLiteral("Folder not made: %1: %2").arg(QFileInfo(userFolder).absolutePath(), folderReason));
        expectWarning(QStringLiteral("Folder not made: %1/: %2").arg(userFolder, folderReason));
        expectWarning(QStringLiteral("User preset file not made: %1: %2").arg(userFile, fileReason));
        recordedPrompts().clear();
        startWithHeadset(setup);
        QTRY_COMPARE(recordedPrompts(), QStringList{QStringLiteral("warning|JSON file generation failed!")});
        QVERIFY(!QFileInfo::exists(userFile));
        // The start sent the default file's stored selection, then Surround Standard.
        QList<Frame> peq = framesOf(kSetPeq);
        QVERIFY(peq.size() >= 2);
        QCOMPARE(peq.last().presetNumber(), 19);
        QCOMPARE(presetGains(peq, peq.size() - 2), wireGains(19, defaultGains(setup.pid, QStringLiteral("Surround"), 2)));

        const struct {
            QAbstractButton *radio;
            const char *algorithm;
            int listPosition;
            int number;
        } presets[] = {
            {m_window->ui.radioButton_Surround_DeepBas, "Surround", 0, 16},
            {m_window->ui.radioButton_Surround_FPS, "Surround", 1, 18},
            {m_window->ui.radioButton_Surround_Moba, "Surround", 3, 17},
            {m_window->ui.radioButton_Surround_ZorbStandard, "Surround", 2, 19},
            {m_window->ui.radioButton_Surround_ZorbStandard1, "Surround", 4, 20},
            {m_window->ui.radioButton_Surround_ZorbStandard2, "Surround", 5, 16},
            {m_window->ui.radioButton_Stereo_Pop, "Stereo", 0, 0},
            {m_window->ui.radioButton_Stereo_RockRoll, "Stereo", 1, 1},
            {m_window->ui.radioButton_Stereo_DeepBass, "Stereo", 2, 2},
            {m_window->ui.radioButton_Stereo_Jazz, "Stereo", 3, 3},
            {m_window->ui.radioButton_Stereo_Classic, "Stereo", 4, 4},
            {m_window->ui.radioButton_Stereo_ZorbStandard, "Stereo", 5, 5},
            {m_window->ui.radioButton_Stereo_Velor, "Stereo", 6, 6},
            {m_window->ui.radioButton_Stereo_FLAT, "Stereo", 7, 7},
        };
        for (const auto &preset : presets) {
            clearWrittenFrames();
            preset.radio->click();
            QVERIFY2(waitUntil([] { return framesOf(kSetPeq).size() >= 2; }), qPrintable(preset.radio->text()));
            peq = framesOf(kSetPeq);
            QCOMPARE(peq.size(), 2);
            QCOMPARE(peq.at(0).presetNumber(), preset.number);
            QCOMPARE(presetGains(peq, 0),
                     wireGains(preset.number, defaultGains(setup.pid, QLatin1String(preset.algorithm), preset.listPosition)));
        }
        QVERIFY(m_window->m_listCustomParam.isEmpty());

        const EqPage &stereo = *m_window->m_stereoPage;
        QVERIFY(!stereo.customAdd->isEnabled());
        QVERIFY(!m_window->m_surroundPage->customAdd->isEnabled());
        QVERIFY(!stereo.copyButtons.front()->isEnabled());
        clearWrittenFrames();
        stereo.customize->click();
        m_window->on_PushButton_Stereo_CustomAdd_Clicked();
        m_window->on_PushButton_Stereo_CustomCopy_Clicked();
        m_window->on_PushButton_CustomSave_Clicked();
        QCOMPARE(m_window->m_nStereoCustomCount, 0);
        QVERIFY(framesOf(kSetPeq).isEmpty());
        QVERIFY(!stereo.save->isEnabled());
        QVERIFY(blocked.inPlace());
        QCOMPARE(recordedPrompts().size(), 1);
    }
};

QTEST_MAIN(TestWindowFaults)
#include "test_window_faults.moc"
