// Benchmark of the main road against the simulated headset (run on demand: make bench).
// Reports medians over repeated runs of:
//   - process start to the ReadStatus request written;
//   - a factory preset click to its second SetPEQ frame written;
//   - wake-ups per second and CPU time of the idle program hidden in the tray.
// The parent process starts itself again as a child for each start-up and idle run.
#include "WindowTestSupport.h"

#include "TestEnv.h"

#include "window/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRadioButton>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

using namespace wt;

namespace {

constexpr int kStartRuns = 15;
constexpr int kClickRuns = 40;
constexpr int kIdleRuns = 3;
constexpr int kIdleSettleMs = 2000;
constexpr int kIdleSampleMs = 5000;

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Child: start the window against a plugged-in headset and print when ReadStatus went out.
int childStartUp()
{
    plugHeadset();
    WriteStamp statusWritten(2); // ReadAudio, then ReadStatus
    std::unique_ptr<MainWindow> window = startWindow();
    std::printf("readstatus %lld\n", static_cast<long long>(statusWritten.nanoseconds()));
    std::fflush(stdout);
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

// /proc figures of a process: context switches of all its threads, and CPU time in ticks.
struct ProcSample {
    qint64 switches = 0;
    qint64 cpuTicks = 0;
};

ProcSample sampleProcess(qint64 pid)
{
    ProcSample sample;
    const QString base = QStringLiteral("/proc/%1").arg(pid);
    for (const QString &task : QDir(base + "/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(base + "/task/" + task + "/status");
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
                sample.switches += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        }
    }
    QFile stat(base + "/stat");
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 12)
            sample.cpuTicks = fields[11].toLongLong() + fields[12].toLongLong(); // utime, stime
    }
    return sample;
}

QProcess *startChild(const QString &mode, const QStringList &extra = {})
{
    auto *child = new QProcess;
    child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child->start(QCoreApplication::applicationFilePath(), QStringList{"--child", mode} + extra);
    return child;
}

double startUpMs()
{
    const qint64 before = monotonicNs();
    QProcess *child = startChild("startup");
    child->waitForFinished(30000);
    const QString out = QString::fromLatin1(child->readAllStandardOutput());
    delete child;
    const QStringList fields = out.split(QLatin1Char(' '));
    const qint64 written = fields.size() == 2 ? fields[1].trimmed().toLongLong() : -1;
    return written > 0 ? (written - before) / 1e6 : -1;
}

QVector<double> presetClickMs()
{
    plugHeadset();
    std::unique_ptr<MainWindow> window = startWindow();
    settle();
    QVector<double> times;
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
            times.append((written - before) / 1e6);
        settle(100);
    }
    closeWindow(window);
    unplugAll();
    return times;
}

void idleFigures(double &wakeupsPerSecond, double &cpuMsPerSecond)
{
    QVector<double> wakeups, cpu;
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    for (int run = 0; run < kIdleRuns; ++run) {
        QProcess *child = startChild("idle", {"-autorun"});
        child->waitForReadyRead(30000);
        QThread::msleep(kIdleSettleMs);
        const ProcSample first = sampleProcess(child->processId());
        QThread::msleep(kIdleSampleMs);
        const ProcSample second = sampleProcess(child->processId());
        child->kill();
        child->waitForFinished(5000);
        delete child;
        const double seconds = kIdleSampleMs / 1000.0;
        wakeups.append((second.switches - first.switches) / seconds);
        cpu.append((second.cpuTicks - first.cpuTicks) / ticksPerSecond * 1000.0 / seconds);
    }
    wakeupsPerSecond = median(wakeups);
    cpuMsPerSecond = median(cpu);
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
        return mode == QLatin1String("startup") ? childStartUp() : childIdle();
    }

    QVector<double> starts;
    for (int run = 0; run < kStartRuns; ++run) {
        const double ms = startUpMs();
        if (ms >= 0)
            starts.append(ms);
    }
    const QVector<double> clicks = presetClickMs();
    double wakeups = 0, cpuMs = 0;
    idleFigures(wakeups, cpuMs);

    QTextStream out(stdout);
    out << "Tonewright main road, medians against the simulated headset\n";
    out << QString::asprintf("  process start -> ReadStatus written : %8.2f ms  (%d runs)\n", median(starts),
                             starts.size());
    out << QString::asprintf("  preset click -> second SetPEQ written: %8.2f ms  (%d runs)\n", median(clicks),
                             clicks.size());
    out << QString::asprintf("  idle in the tray: wake-ups          : %8.1f /s   (%d runs of %d s)\n", wakeups,
                             kIdleRuns, kIdleSampleMs / 1000);
    out << QString::asprintf("  idle in the tray: CPU time          : %8.2f ms/s\n", cpuMs);
    return starts.isEmpty() || clicks.isEmpty() ? 1 : 0;
}
