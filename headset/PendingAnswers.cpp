#include "headset/PendingAnswers.h"

#include <cstddef>

PendingAnswers g_pendingAnswers;

namespace {
constexpr int kStatusError = 0; // the code of a ReadStatus answer with an error status
} // namespace

int PendingAnswers::kindOf(int code)
{
    switch (code) {
    case 20: return 0; // ReadAudio
    case 21: return 1; // SetPEQ acknowledgement
    case 0:
    case 1:
    case 2: return 2;  // ReadStatus: error, 7.1 on, 7.1 off
    default: return -1;
    }
}

bool PendingAnswers::post(int code)
{
    const int kind = kindOf(code);
    if (kind < 0)
        return true;
    // An error status carries nothing new, so it never takes the place of a status
    // answer that waits.
    if (code == kStatusError && m_waiting[std::size_t(kind)].load())
        return false;
    // The code is in place before the flag says something waits, so whoever takes the
    // flag reads this code or a later one.
    m_latest[std::size_t(kind)].store(code);
    return !m_waiting[std::size_t(kind)].exchange(true);
}

int PendingAnswers::take(int code)
{
    const int kind = kindOf(code);
    if (kind < 0 || !m_waiting[std::size_t(kind)].exchange(false))
        return code;
    return m_latest[std::size_t(kind)].load();
}

bool PendingAnswers::waiting(int code) const
{
    const int kind = kindOf(code);
    return kind >= 0 && m_waiting[std::size_t(kind)].load();
}

void PendingAnswers::forget()
{
    for (std::atomic<bool> &flag : m_waiting)
        flag.store(false);
}
