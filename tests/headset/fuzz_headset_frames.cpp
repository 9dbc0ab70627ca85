// Feeds arbitrary input reports through the receive thread's frame check and
// decoders: nothing may read or write outside the report or the buffers.
#include "headset/MyThread.h"
#include "headset/PendingAnswers.h"
#include "headset/UsbHidOperation.h"

#include <QtGlobal>

#include <cstring>

namespace {
void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static MyThread *thread = [] {
        qInstallMessageHandler(quiet);
        return new MyThread;
    }();
    if (size < 1)
        return 0;
    // First byte: the read length the loop would see (low bits) and whether to
    // repair the checksum (high bit), so the decoders see plenty of accepted frames.
    // The rest is the report, in a buffer exactly as long as the read.
    const int lengths[] = {32, 64, 16, 0, -1, 63};
    const int nRead = lengths[(data[0] & 0x7F) % 6];
    const size_t have = size - 1;
    const size_t room = nRead > 0 ? size_t(nRead) : 0;
    unsigned char *report = new unsigned char[room ? room : 1];
    std::memset(report, 0, room ? room : 1);
    std::memcpy(report, data + 1, have < room ? have : room);
    if ((data[0] & 0x80) && room > 6 && 6u + report[5] < room)
        report[6 + report[5]] = usbHidChecksum(report, 6 + report[5]);
    thread->processReport(report, nRead);
    g_pendingAnswers.forget(); // as if the window took each answer at once
    usbHidRecv_Spectrum();
    delete[] report;
    return 0;
}
