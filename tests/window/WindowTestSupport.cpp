#include "WindowTestSupport.h"

#include "HidSim.h"

#include "app/AppShell.h"
#include "app/Prompt.h"
#include "headset/PendingAnswers.h"
#include "headset/UsbHidOperation.h"
#include "window/MainWindow.h"

#include "TestEnv.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QStandardPaths>
#include <QTest>

#include <ctime>
#include <thread>
#include <vector>

namespace wt {

QList<int> Frame::gains() const
{
    QList<int> out;
    for (int band = 0; band < 5; ++band)
        out.append(static_cast<signed char>(byteAt(14 + 5 * band)));
    return out;
}

void plugHeadset(const HeadsetSetup &setup)
{
    hidsim::reset();
    hidsim::addHeadset(setup.pid);
    hidsim::setUniqueId({setup.uuid[0], setup.uuid[1], setup.uuid[2], setup.uuid[3]});
    hidsim::setSurroundOn(setup.surroundOn);
    hidsim::setAudioFlags(static_cast<std::uint8_t>(setup.peqFlag), static_cast<std::uint8_t>(setup.surroundFlag));
}

void unplugAll()
{
    hidsim::reset();
}

QList<Frame> writtenFrames()
{
    QList<Frame> frames;
    for (const hidsim::Report &report : hidsim::writtenReports())
        frames.append({QByteArray(reinterpret_cast<const char *>(report.data()), static_cast<int>(report.size()))});
    return frames;
}

void clearWrittenFrames()
{
    hidsim::clearWrittenReports();
}

void setAnswerDelay(int ms)
{
    hidsim::setAnswerDelayMs(ms);
}

void loseAnswers(int command, int count)
{
    hidsim::injectFault(hidsim::Fault::NoAnswer, count, command);
}

void pushPeqAcknowledgement(int firstBand, int lastBand)
{
    hidsim::Report report(64, 0);
    const std::uint8_t head[] = {'#', 0x30, 0x18, 0x80, kSetPeq, 3, 0, static_cast<std::uint8_t>(firstBand),
                                 static_cast<std::uint8_t>(lastBand)};
    std::copy(std::begin(head), std::end(head), report.begin());
    report[9] = usbHidChecksum(report.data(), 9);
    hidsim::pushReport(report);
}

QList<Frame> framesOf(int command)
{
    QList<Frame> out;
    for (const Frame &frame : writtenFrames())
        if (frame.command() == command)
            out.append(frame);
    return out;
}

QList<int> presetGains(const QList<Frame> &frames, int i)
{
    if (i + 1 >= frames.size())
        return {};
    return frames[i].gains() + frames[i + 1].gains();
}

QList<int> wireGains(int number, const QList<int> &gains)
{
    return number == 5 || number == 19 ? QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0} : gains;
}

QList<int> commandSequence()
{
    QList<int> out;
    for (const Frame &frame : writtenFrames())
        out.append(frame.command());
    return out;
}

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

struct WriteStamp::Private {
    std::thread waiter;
    qint64 stamp = -1;
};

WriteStamp::WriteStamp(int count, int timeoutMs) : d(new Private)
{
    d->waiter = std::thread([this, count, timeoutMs] {
        if (hidsim::waitForWrites(static_cast<std::size_t>(count), timeoutMs))
            d->stamp = monotonicNs();
    });
}

WriteStamp::~WriteStamp()
{
    if (d->waiter.joinable())
        d->waiter.join();
}

qint64 WriteStamp::nanoseconds()
{
    if (d->waiter.joinable())
        d->waiter.join();
    return d->stamp;
}

int execWithAutorun(QObject &test, int argc, char *argv[])
{
    tw::isolateTestEnvironment();
    // The flag reaches the window the way main passes it: among the process's arguments.
    std::vector<char *> arguments(argv, argv + argc);
    char flag[] = "-autorun";
    arguments.push_back(flag);
    int count = static_cast<int>(arguments.size());
    QApplication app(count, arguments.data());
    QStringList testArguments = QCoreApplication::arguments();
    testArguments.removeAll(QStringLiteral("-autorun"));
    return QTest::qExec(&test, testArguments);
}

std::unique_ptr<MainWindow> startWindow()
{
    auto window = std::make_unique<MainWindow>();
    window->showAsStarted();
    return window;
}

std::unique_ptr<MainWindow> startWindowWithHeadset(const HeadsetSetup &setup)
{
    plugHeadset(setup);
    std::unique_ptr<MainWindow> window = startWindow();
    settle();
    return window;
}

void closeWindow(std::unique_ptr<MainWindow> &window)
{
    window.reset(); // stops the worker threads
    if (g_hidDevice)
        hid_close(g_hidDevice);
    g_hidDevice = nullptr;
    g_nDeviceOpen = 0;
    g_pendingAnswers.forget(); // what still waited went with the window
    QMutexLocker lock(&g_mutexRecv);
    g_nPEQAckFirstBand = 0;
    g_nPEQAckLastBand = 0;
}

bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QTest::qWait(5);
    }
    return true;
}

namespace {
// Nothing of the link is in flight: every answer the simulated headset owes has been
// read and decoded, and no decoded answer waits for the window (those it holds until
// its first frame wait too). The window handles answers and sends its frames on this
// thread, so once a handling has run the headset already owes the answers to what it
// sent: this holds only when the whole chain has run out.
bool linkAtRest()
{
    constexpr int kReadAudioAnswer = 20, kPeqAcknowledgement = 21, kStatusAnswer = 1;
    return hidsim::everyAnswerRead() && !g_pendingAnswers.waiting(kReadAudioAnswer)
        && !g_pendingAnswers.waiting(kPeqAcknowledgement) && !g_pendingAnswers.waiting(kStatusAnswer);
}
} // namespace

void settle()
{
    constexpr int kLongestMs = 30000;
    QElapsedTimer total;
    total.start();
    for (;;) {
        // A signal posted before an answer was forgotten (a new link) is in no count;
        // delivering what is posted and asking again leaves nothing unseen.
        if (linkAtRest()) {
            QCoreApplication::sendPostedEvents();
            if (linkAtRest())
                return;
        }
        if (total.elapsed() > kLongestMs) {
            QTest::qFail("the headset's answers were still not all handled after 30 s", __FILE__, __LINE__);
            return;
        }
        QTest::qWait(5);
    }
}

bool waitForGateAtRest(const MainWindow &window)
{
    if (!waitUntil([&] { return window.m_nSliderMoved == 0; }, kGateWaitMs))
        return false;
    settle();
    return true;
}

void silenceDebugLog()
{
    static const QtMessageHandler previous = qInstallMessageHandler(nullptr);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type != QtDebugMsg && previous)
            previous(type, context, message);
    });
}

QStringList &recordedPrompts()
{
    static QStringList prompts;
    return prompts;
}

void recordPrompts()
{
    setPromptHandler([](const PromptRequest &request) {
        recordedPrompts().append(request.title + QLatin1Char('|') + request.text);
        return QMessageBox::Ok;
    });
}

QList<int> defaultGains(unsigned short pid, const QString &algorithm, int listPosition)
{
    QFile file(QCoreApplication::applicationDirPath()
               + QString::asprintf("/DefaultFile/VID-2e7a&PID-%04x.json", pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject presets = QJsonDocument::fromJson(file.readAll()).object().value("defaultMode").toObject();
    int position = 0;
    for (const QString &key : presets.keys()) { // ascending key order, as the program reads them
        const QJsonObject preset = presets.value(key).toObject();
        if (preset.value("algorithm").toString() != algorithm)
            continue;
        if (position++ != listPosition)
            continue;
        QList<int> gains;
        for (const QString &gain : preset.value("parameter").toString().split(QLatin1Char(',')))
            gains.append(gain.toInt());
        return gains;
    }
    return {};
}

static QString userFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/')
           + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral("/UserFile");
}

QString userFilePath(unsigned short pid, const std::array<unsigned char, 4> &uuid)
{
    return userFolder()
           + QString::asprintf("/VID-2e7a&PID-%04x&UUID-%02x%02x%02x%02x.json", pid, uuid[0], uuid[1], uuid[2], uuid[3]);
}

void removeUserFiles()
{
    QDir(userFolder()).removeRecursively();
}

} // namespace wt
