// Answers that wait for the window. The receive thread decodes far faster than the
// window handles some answers (a status answer re-sends both modes' presets, with
// pauses of the GUI thread between the frames), so a headset that answers without end
// would queue one signal per frame and the queue would grow without bound. Instead each
// kind of answer has at most one signal on its way: an answer of a kind that is still
// waiting only becomes the latest of its kind, and the window handles the latest.
#pragma once

#include <array>
#include <atomic>

class PendingAnswers
{
public:
    // Records code (one of sendReadAudio's codes) as the latest answer of its kind.
    // True when nothing of that kind was waiting, so the caller emits the signal; false
    // when the signal already on its way will deliver this answer too. Codes of no kind
    // are never held back; a status error (0) never replaces a status answer that waits.
    bool post(int code);

    // The window takes the answer a signal announced: the latest code of the signal's
    // kind, which waits no more. A code whose kind has nothing waiting (a signal emitted
    // before the last forget(), say) comes back unchanged.
    int take(int code);

    // True while an answer of code's kind waits for the window.
    bool waiting(int code) const;

    // Nothing waits any more: a new receive thread starts with an empty queue.
    void forget();

private:
    static constexpr int kKinds = 3; // ReadAudio, SetPEQ acknowledgement, ReadStatus
    static int kindOf(int code);     // -1: a code of no kind

    std::array<std::atomic<int>, kKinds> m_latest{};
    std::array<std::atomic<bool>, kKinds> m_waiting{};
};

// The answers of the one open headset, posted by the receive thread and taken by the
// window's answer dispatch. The acknowledgement kind is posted and taken under
// g_mutexRecv, with the band pair it announces.
extern PendingAnswers g_pendingAnswers;
