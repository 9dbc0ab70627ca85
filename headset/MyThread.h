// The receive thread: reads the headset's input reports while a headset is open,
// checks and decodes each one and reports the decoded answer by sendReadAudio.
#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

class MyThread : public QThread
{
    Q_OBJECT
public:
    MyThread();
    ~MyThread() override; // stops the loop and waits for it

    // The loop runs while this is 1; written by the GUI thread.
    std::atomic<int> m_fRunning{0};

    // Clears the run flag, wakes the waiting read and waits until run() has
    // returned. Call before closing the handle the thread reads.
    void stopAndWait();

    // One report of nRead bytes: checked, decoded, and the answer's code emitted
    // unless an answer of its kind still waits for the window (PendingAnswers), whose
    // one signal then delivers this answer as the latest. Used by the loop; tests and
    // the fuzzer feed reports through it directly.
    void processReport(const unsigned char *report, int nRead);

signals:
    void sendSetMicTimer(int step);
    void sendReadAudio(int code);

protected:
    void run() override;

private:
    // The short pause between two passes, longer after a failed read; a stop ends it.
    void pauseAfterPass(int nRead);

    std::mutex m_pauseMutex;
    std::condition_variable m_pauseEnd;

    void signalAnswer(int code);
    void decodePeqAcknowledgement();
};
