// The program end to end in a test: the real MainWindow, offscreen, talking to the
// simulated headset. Helpers to plug a headset in, read what the window wrote to it,
// record message boxes, and tear the link down between cases.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class MainWindow;
class QObject;

namespace wt {

// What the simulated headset reports about itself.
struct HeadsetSetup {
    unsigned short pid = 0x0411;
    std::array<unsigned char, 4> uuid{{0x0a, 0x1b, 0x2c, 0x3d}};
    bool surroundOn = true; // ReadStatus: 7.1 processing on
    int peqFlag = 1;        // ReadAudio: PEQ available
    int surroundFlag = 1;   // ReadAudio: surround available
};

// One report the window wrote, decoded as far as the tests need.
struct Frame {
    QByteArray bytes;
    int command() const { return bytes.size() > 4 ? static_cast<unsigned char>(bytes[4]) : -1; }
    // SetPEQ (0x21)
    int firstBand() const { return byteAt(7); }
    int lastBand() const { return byteAt(8); }
    int presetNumber() const { return byteAt(6 + 37); }
    QList<int> gains() const; // the five signed gains of the frame
    // SetAlgorithmSwitch (0x31): a, b, c, d
    QList<int> switchArgs() const { return {byteAt(6), byteAt(8), byteAt(10), byteAt(11)}; }
    int byteAt(int i) const { return bytes.size() > i ? static_cast<unsigned char>(bytes[i]) : -1; }
};

constexpr int kReadAudio = 0x20;
constexpr int kSetPeq = 0x21;
constexpr int kSetSwitch = 0x31;
constexpr int kReadStatus = 0x32;

// The simulated headset.
void plugHeadset(const HeadsetSetup &setup = HeadsetSetup());
void unplugAll();
QList<Frame> writtenFrames();
void clearWrittenFrames();
// How the simulated headset answers: after this delay; the next `count` answers to a
// command lost; an acknowledgement of a SetPEQ frame with these bands pushed at once.
void setAnswerDelay(int ms);
void loseAnswers(int command, int count);
void pushPeqAcknowledgement(int firstBand, int lastBand);

// Stamps the CLOCK_MONOTONIC time (ns) at which the simulated headset has recorded
// `count` writes in all; waits on its own thread from construction.
class WriteStamp
{
public:
    explicit WriteStamp(int count, int timeoutMs = 10000);
    ~WriteStamp();
    qint64 nanoseconds(); // waits for the stamp; -1 when the writes never came
private:
    struct Private;
    std::unique_ptr<Private> d;
};
qint64 monotonicNs();

// Frames of one command, in the order written.
QList<Frame> framesOf(int command);
// The ten gains of a preset sent as two SetPEQ frames starting at index i of `frames`.
QList<int> presetGains(const QList<Frame> &frames, int i);
// The gains a preset's frames carry: the Standard presets (numbers 5 and 19) go out
// without band data on these headsets, every other preset with its ten gains.
QList<int> wireGains(int number, const QList<int> &gains);
// The commands of every frame written, in order.
QList<int> commandSequence();

// Runs a test object in a private environment, in an application started with
// "-autorun" as the log-on entry starts the program; the flag is kept from QtTest.
int execWithAutorun(QObject &test, int argc, char *argv[]);

// The window, built as main builds it (after the headset is plugged in or not).
std::unique_ptr<MainWindow> startWindow();
// A headset of `setup` plugged in, then the window started and its answers handled.
std::unique_ptr<MainWindow> startWindowWithHeadset(const HeadsetSetup &setup);
// Destroys the window and lets go of the headset, so the next case starts clean.
void closeWindow(std::unique_ptr<MainWindow> &window);

// Runs the event loop until `done` holds or `ms` pass; true when it held.
bool waitUntil(const std::function<bool()> &done, int ms = 3000);
// A wait for the slider gate to open: a period is 500 ticks of a 1 ms timer, and under
// the sanitizers it can take several seconds, so the wait allows for a few of them.
constexpr int kGateWaitMs = 15000;
// Runs the event loop until the link is at rest: every answer the headset owes has been
// read, and the window has handled each (after its first frame, where it holds them),
// so the frames that handling sent are answered and handled in turn. A start against a
// headset is over then: the status answer's presets sent, acknowledged and switched.
// Fails the test when that takes longer than 30 s.
void settle();
// Runs the event loop until the slider gate's count has run out, so it can send nothing
// more on its own, then settles the link; false when the count never ran out.
bool waitForGateAtRest(const MainWindow &window);

// Drops the program's debug chatter from the test output; warnings still show.
void silenceDebugLog();

// Records every message box as "title|text" instead of showing it.
QStringList &recordedPrompts();
void recordPrompts();

// The stored gains of a factory preset in the shipped default file of this product.
QList<int> defaultGains(unsigned short pid, const QString &algorithm, int listPosition);

// The user file of a headset in the test's Documents folder.
QString userFilePath(unsigned short pid, const std::array<unsigned char, 4> &uuid);
void removeUserFiles();

} // namespace wt
