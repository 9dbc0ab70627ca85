// Benchmark of the main road against the simulated headset (run on demand: make bench).
// Reports medians over repeated runs of:
//   - process start to the ReadStatus request written;
//   - process start to the window's first painted frame, beside a bare window of the
//     same size measured in the same run;
//   - a factory preset click to its second SetPEQ frame written, with the program's
//     own log handler on (as in the program: each debug line written and echoed, the
//     later runs within the log's budget);
//   - the growth of the day's log, in bytes a second, over five minutes of brisk use
//     (a start, a preset click every second, a page switch every 30 s, a Save) and over
//     a minute while the headset repeats its status answer without end (the program's
//     own log handler on), with the lines left out;
//   - wake-ups (context switches of all threads) per second and CPU time of the idle
//     program hidden in the tray, without a sound server and with a private one, and
//     the wake-ups the program causes in that server.
// The parent process starts itself again as a child for each start-up, click and idle run.
#include "WindowTestSupport.h"

#include "HidSim.h"
#include "TestEnv.h"
#include "ThreadWakeups.h"

#include "app/LogHandler.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace wt;

namespace {

constexpr int kStartRuns = 15;
constexpr int kClickRuns = 40;
constexpr int kIdleRuns = 3;
constexpr int kIdleSettleMs = 2000;
constexpr int kIdleSampleMs = 5000;
constexpr int kFirstFrameTimeoutMs = 10000;
constexpr int kFloodMs = 60000;
constexpr int kBriskSeconds = 300;
const QSize kWindowSize(1176, 730);
const QByteArray kNoServer = "unix:/nonexistent/tonewright-bench/native";

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printStamp(const char *what, qint64 nanoseconds)
{
    std::printf("%s %lld\n", what, static_cast<long long>(nanoseconds));
    std::fflush(stdout);
}

// The CLOCK_MONOTONIC time at which `window` had its first frame on the screen (the
// end of its first paint), -1 when it was not painted in time. Runs the event loop.
qint64 firstFrameNs(QWidget &window)
{
    struct FirstPaint : QObject {
        QEventLoop loop;
        qint64 stamp = -1;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint && stamp < 0) {
                stamp = 0;
                // After this paint has been flushed.
                QTimer::singleShot(0, this, [this] {
                    stamp = monotonicNs();
                    loop.quit();
                });
            }
            return false;
        }
    } firstPaint;
    window.installEventFilter(&firstPaint);
    if (firstPaint.stamp < 0) {
        QTimer::singleShot(kFirstFrameTimeoutMs, &firstPaint.loop, &QEventLoop::quit);
        firstPaint.loop.exec();
    }
    window.removeEventFilter(&firstPaint);
    return firstPaint.stamp > 0 ? firstPaint.stamp : -1;
}

// Child: start the window against a plugged-in headset; print when ReadStatus went
// out and when the window's first frame was painted.
int childStartUp()
{
    plugHeadset();
    WriteStamp statusWritten(2); // ReadAudio, then ReadStatus
    std::unique_ptr<MainWindow> window = startWindow();
    const qint64 frame = firstFrameNs(*window);
    printStamp("readstatus", statusWritten.nanoseconds());
    printStamp("firstframe", frame);
    closeWindow(window);
    return 0;
}

// Child: a bare window of the program's size and flags; print its first frame.
int childBareWindow()
{
    QWidget bare(nullptr, Qt::FramelessWindowHint);
    bare.setFixedSize(kWindowSize);
    bare.show();
    printStamp("firstframe", firstFrameNs(bare));
    return 0;
}

// Child: preset clicks with the program's own log handler; one "click <ms>" line each.
int childClicks()
{
    plugHeadset();
    std::unique_ptr<MainWindow> window = startWindow();
    settle();
    qInstallMessageHandler(logMessageOutput);
    QAbstractButton *const radios[] = {window->ui.radioButton_Stereo_Jazz, window->ui.radioButton_Stereo_Pop,
                                       window->ui.radioButton_Surround_FPS, window->ui.radioButton_Surround_Moba};
    for (int run = 0; run < kClickRuns; ++run) {
        clearWrittenFrames();
        QAbstractButton *radio = radios[run % 4];
        WriteStamp secondFrame(2);
        const qint64 before = monotonicNs();
        radio->click();
        const qint64 written = secondFrame.nanoseconds();
        if (written > 0)
            std::printf("click %.4f\n", (written - before) / 1e6);
        std::fflush(stdout);
        settle();
    }
    closeWindow(window);
    return 0;
}

QString todaysLog()
{
    return logFolder() + QDate::currentDate().toString(QStringLiteral("/yyyyMMdd/app_log.txt"));
}

// Prints, under `name`, how fast the day's log grew from `before` bytes over `seconds`,
// and how many lines its counts say were left out.
void printLogGrowth(const char *name, qint64 before, double seconds)
{
    const QByteArray grown = tw::readFileBytes(todaysLog()).mid(int(before));
    static const QRegularExpression count(QStringLiteral("\\] (\\d+) log lines \\(\\d+ bytes\\) left out"));
    qint64 leftOut = 0;
    for (auto it = count.globalMatch(QString::fromLocal8Bit(grown)); it.hasNext();)
        leftOut += it.next().captured(1).toLongLong();
    std::printf("%slog %.1f\n%sleftout %lld\n%slines %lld\n", name, grown.size() / seconds, name,
                static_cast<long long>(leftOut), name, static_cast<long long>(grown.count('\n')));
    std::fflush(stdout);
}

// Child: two minutes of a headset repeating its status answer, with the program's own
// log handler; prints the day's log growth a second in each minute and the lines its
// counts left out.
int childFlood()
{
    plugHeadset();
    std::unique_ptr<MainWindow> window = startWindow();
    settle();
    qInstallMessageHandler(logMessageOutput);
    qint64 before = QFileInfo(todaysLog()).size();
    hidsim::setFlood(kReadStatus);
    for (const char *minute : {"floodfirst", "floodsecond"}) {
        QElapsedTimer flood;
        flood.start();
        QTest::qWait(kFloodMs);
        printLogGrowth(minute, before, flood.elapsed() / 1000.0);
        before = QFileInfo(todaysLog()).size();
    }
    hidsim::setFlood(-1);
    std::printf("floodanswers %ld\n", hidsim::floodedAnswerCount());
    std::fflush(stdout);
    closeWindow(window);
    return 0;
}

// Child: five minutes of brisk use with the program's own log handler from the start:
// the start, a factory preset click every second, the other equaliser page every 30 s,
// and at the end a custom slot added and saved.
int childBrisk()
{
    qInstallMessageHandler(logMessageOutput);
    const qint64 before = QFileInfo(todaysLog()).size();
    QElapsedTimer session;
    session.start();
    plugHeadset();
    std::unique_ptr<MainWindow> window = startWindow();
    const QVector<QAbstractButton *> presets[2] = {
        {window->ui.radioButton_Surround_FPS, window->ui.radioButton_Surround_Moba,
         window->ui.radioButton_Surround_DeepBas},
        {window->ui.radioButton_Stereo_Jazz, window->ui.radioButton_Stereo_Pop, window->ui.radioButton_Stereo_Classic}};
    int page = 0;
    for (int second = 1; second <= kBriskSeconds; ++second) {
        QTest::qWait(int(std::max<qint64>(0, second * 1000 - session.elapsed())));
        if (second % 30 == 0) {
            page = 1 - page;
            emit window->ui.tabWidget->tabBarClicked(page);
        }
        presets[page].at(second % presets[page].size())->click();
    }
    window->ui.radioButton_Surround_Customize->click();
    window->on_PushButton_Surround_CustomAdd_Clicked();
    window->on_PushButton_CustomSave_Clicked();
    settle();
    printLogGrowth("brisk", before, session.elapsed() / 1000.0);
    closeWindow(window);
    return 0;
}

// Child: the program hidden in the tray, idle until killed.
int childIdle()
{
    plugHeadset();
    std::unique_ptr<MainWindow> window = startWindow();
    std::printf("ready\n");
    std::fflush(stdout);
    return QApplication::exec();
}

// A child of this mode; with outputFile, its standard output goes there.
QProcess *startChild(const QString &mode, const QStringList &extra = {}, const QByteArray &pulseServer = kNoServer,
                     const QString &outputFile = QString())
{
    auto *child = new QProcess;
    if (!outputFile.isEmpty())
        child->setStandardOutputFile(outputFile);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), QString::fromLocal8Bit(pulseServer));
    child->setProcessEnvironment(environment);
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(), QStringList{"--child", mode} + extra);
    return child;
}

// Runs a child to its end; its output lines.
QList<QByteArray> childOutput(const QString &mode, int timeoutMs = 60000)
{
    QProcess *child = startChild(mode);
    child->waitForFinished(timeoutMs);
    const QList<QByteArray> lines = child->readAllStandardOutput().split('\n');
    delete child;
    return lines;
}

// The values of the output lines that begin with `key`.
QVector<double> valuesOf(const QList<QByteArray> &lines, const QByteArray &key)
{
    QVector<double> values;
    for (const QByteArray &line : lines) {
        if (line.startsWith(key + ' '))
            values.append(line.mid(key.size() + 1).trimmed().toDouble());
    }
    return values;
}

// Process start to each stamp the child prints, in ms (one value per key, -1 if none).
QVector<double> msFromStart(const QString &mode, const QList<QByteArray> &keys)
{
    const qint64 before = monotonicNs();
    const QList<QByteArray> lines = childOutput(mode);
    QVector<double> out;
    for (const QByteArray &key : keys) {
        const double stamp = valuesOf(lines, key).value(0, -1);
        out.append(stamp > 0 ? (stamp - before) / 1e6 : -1);
    }
    return out;
}

struct StartFigures {
    QVector<double> readStatus, firstFrame, bareFirstFrame;
};

StartFigures startUpFigures()
{
    StartFigures figures;
    for (int run = 0; run < kStartRuns; ++run) {
        const QVector<double> program = msFromStart("startup", {"readstatus", "firstframe"});
        if (program[0] >= 0)
            figures.readStatus.append(program[0]);
        if (program[1] >= 0)
            figures.firstFrame.append(program[1]);
        const double bare = msFromStart("bare", {"firstframe"}).value(0, -1);
        if (bare >= 0)
            figures.bareFirstFrame.append(bare);
    }
    return figures;
}

// The private sound server of the volume tests, started for the idle runs.
class PrivateServer {
public:
    PrivateServer() : m_folder(QStringLiteral("/tmp/tw-bench-%1").arg(QCoreApplication::applicationPid()))
    {
        m_running = QProcess::execute(QStringLiteral("sh"), {QStringLiteral(TW_PULSE_SCRIPT), "start", m_folder}) == 0;
    }
    ~PrivateServer() { QProcess::execute(QStringLiteral("sh"), {QStringLiteral(TW_PULSE_SCRIPT), "stop", m_folder}); }
    bool running() const { return m_running; }
    QByteArray address() const { return "unix:" + m_folder.toLocal8Bit() + "/main/native"; }
    qint64 pid() const { return tw::readFileBytes(m_folder + "/main/pid").trimmed().toLongLong(); }

private:
    QString m_folder;
    bool m_running = false;
};

struct IdleFigures {
    double wakeupsPerSecond = 0;
    double cpuPercent = 0;
    double serverWakeupsPerSecond = 0; // those the program caused
};

// Wake-ups a second of a process over one sample.
double wakeupsPerSecond(qint64 pid)
{
    const qint64 before = tw::threadContextSwitches(pid);
    QThread::msleep(kIdleSampleMs);
    return (tw::threadContextSwitches(pid) - before) * 1000.0 / kIdleSampleMs;
}

IdleFigures idleFigures(const QByteArray &pulseServer, qint64 serverPid)
{
    const double serverAlone = serverPid > 0 ? wakeupsPerSecond(serverPid) : 0;
    QVector<double> wakeups, cpu, server;
    for (int run = 0; run < kIdleRuns; ++run) {
        QProcess *child = startChild("idle", {"-autorun"}, pulseServer);
        child->waitForReadyRead(30000);
        QThread::msleep(kIdleSettleMs);
        const qint64 pid = child->processId();
        const qint64 switches = tw::threadContextSwitches(pid);
        const qint64 serverSwitches = serverPid > 0 ? tw::threadContextSwitches(serverPid) : 0;
        const qint64 cpuNs = tw::threadCpuNanoseconds(pid);
        QThread::msleep(kIdleSampleMs);
        const double seconds = kIdleSampleMs / 1000.0;
        wakeups.append((tw::threadContextSwitches(pid) - switches) / seconds);
        cpu.append((tw::threadCpuNanoseconds(pid) - cpuNs) / 1e9 / seconds * 100.0);
        if (serverPid > 0)
            server.append((tw::threadContextSwitches(serverPid) - serverSwitches) / seconds - serverAlone);
        child->kill();
        child->waitForFinished(5000);
        delete child;
    }
    return {median(wakeups), median(cpu), std::max(0.0, median(server))};
}

void reportIdle(QTextStream &out, const char *setting, const IdleFigures &idle, bool withServer)
{
    out << QString::asprintf("  idle in the tray, %-17s: %8.1f wake-ups/s, CPU %6.3f %%", setting,
                             idle.wakeupsPerSecond, idle.cpuPercent);
    if (withServer)
        out << QString::asprintf(", server +%.1f wake-ups/s", idle.serverWakeupsPerSecond);
    out << QString::asprintf("  (%d runs of %d s)\n", kIdleRuns, kIdleSampleMs / 1000);
}

} // namespace

int main(int argc, char *argv[])
{
    tw::isolateTestEnvironment();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    silenceDebugLog();
    recordPrompts();
    const int childAt = arguments.indexOf(QStringLiteral("--child"));
    if (childAt >= 0 && childAt + 1 < arguments.size()) {
        const QString mode = arguments.at(childAt + 1);
        if (mode == QLatin1String("startup"))
            return childStartUp();
        if (mode == QLatin1String("bare"))
            return childBareWindow();
        if (mode == QLatin1String("click"))
            return childClicks();
        if (mode == QLatin1String("flood"))
            return childFlood();
        if (mode == QLatin1String("brisk"))
            return childBrisk();
        return childIdle();
    }

    // The brisk session is mostly waiting: it runs beside the other measurements, in a
    // test environment (and so a log) of its own. Its output, the log's echo included,
    // goes to a file: a pipe nobody reads while the others run would fill and hold it.
    const QString briskOutput = QDir::homePath() + QStringLiteral("/brisk-output");
    QProcess *brisk = startChild("brisk", {}, kNoServer, briskOutput);
    const StartFigures starts = startUpFigures();
    const QVector<double> clicks = valuesOf(childOutput("click"), "click");
    const QList<QByteArray> flood = childOutput("flood", 2 * kFloodMs + 60000);
    const IdleFigures quiet = idleFigures(kNoServer, 0);
    IdleFigures withServer;
    {
        PrivateServer server;
        if (server.running())
            withServer = idleFigures(server.address(), server.pid());
        else
            std::fputs("bench: the private sound server did not start\n", stderr);
    }

    brisk->waitForFinished((kBriskSeconds + 120) * 1000);
    delete brisk;
    const QList<QByteArray> briskLines = tw::readFileBytes(briskOutput).split('\n');

    QTextStream out(stdout);
    const double frame = median(starts.firstFrame), bare = median(starts.bareFirstFrame);
    out << "Tonewright main road, medians against the simulated headset\n";
    out << QString::asprintf("  process start -> ReadStatus written : %8.2f ms  (%d runs)\n", median(starts.readStatus),
                             starts.readStatus.size());
    out << QString::asprintf("  process start -> first frame        : %8.2f ms  (%d runs; bare window %.2f ms, %.1fx)\n",
                             frame, starts.firstFrame.size(), bare, bare > 0 ? frame / bare : 0.0);
    out << QString::asprintf("  preset click -> second SetPEQ written: %8.2f ms  (%d runs, log handler on)\n",
                             median(clicks), clicks.size());
    out << QString::asprintf("  brisk use -> log growth             : %8.1f bytes/s  (%d s; %.0f lines written, %.0f "
                             "left out)\n",
                             valuesOf(briskLines, "brisklog").value(0, -1), kBriskSeconds,
                             valuesOf(briskLines, "brisklines").value(0, 0),
                             valuesOf(briskLines, "briskleftout").value(0, -1));
    out << QString::asprintf("  status-answer flood -> log growth   : %8.1f bytes/s  (after its first minute, "
                             "%.1f bytes/s in that; %.0f answers in %d s, %.0f lines left out and counted)\n",
                             valuesOf(flood, "floodsecondlog").value(0, -1),
                             valuesOf(flood, "floodfirstlog").value(0, -1),
                             valuesOf(flood, "floodanswers").value(0, 0), 2 * kFloodMs / 1000,
                             valuesOf(flood, "floodfirstleftout").value(0, 0) +
                                 valuesOf(flood, "floodsecondleftout").value(0, 0));
    reportIdle(out, "no sound server", quiet, false);
    reportIdle(out, "with sound server", withServer, true);
    return starts.readStatus.isEmpty() || starts.firstFrame.isEmpty() || clicks.isEmpty()
                   || valuesOf(flood, "floodsecondlog").isEmpty() || valuesOf(briskLines, "brisklog").isEmpty()
               ? 1
               : 0;
}
