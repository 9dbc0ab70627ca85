// Frames to the headset: one transmit buffer, one writer, one sender per command.
#include "headset/UsbHidOperation.h"

#include "app/LogHandler.h"

#include <QDebug>
#include <QString>

#include <cstring>

unsigned char g_ucSendBuf[kHidReportSize] = {};

namespace {

constexpr unsigned char kHostToDevice[2] = {0x80, 0x18};
constexpr int kHeaderSize = 6;

constexpr int kPeqPayloadSize = 38;
constexpr int kPeqBandsPerFrame = 5;
constexpr int kPeqBandBytes = 5;
constexpr int kPeqBandOffset = 4; // payload byte of the first band
constexpr int kPeqPresetOffset = 37;
constexpr int kBandFrequency[10] = {30, 60, 120, 250, 500, 1000, 2000, 4000, 8000, 16000};

using QWords = std::array<unsigned short, 10>;

constexpr QWords kDefaultQWords = {2000, 2000, 2000, 2000, 2000, 2000, 2000, 4000, 4000, 4000};

// The Standard factory presets (5 Stereo, 19 Surround) carry tuned Q words on two
// product ids and no band data on any other.
struct StandardQRow {
    int presetNumber;
    unsigned short productId;
    QWords q;
};
constexpr StandardQRow kStandardQRows[] = {
    {5, 0x0A61, {800, 800, 2000, 1500, 2000, 2000, 2000, 800, 4000, 4000}},
    {5, 0x4E22, {500, 500, 2000, 2000, 2000, 2000, 2000, 4000, 4000, 500}},
    {19, 0x0A61, {800, 800, 2000, 1500, 2000, 2000, 2000, 800, 4000, 4000}},
    {19, 0x4E22, {500, 500, 2000, 2000, 2000, 2000, 2000, 1000, 4000, 500}},
};

// Q words for a preset on the open headset; null when the frame carries no band data.
const QWords *peqQWords(int presetNumber, unsigned short productId)
{
    if (presetNumber != 5 && presetNumber != 19)
        return &kDefaultQWords;
    for (const StandardQRow &row : kStandardQRows)
        if (row.presetNumber == presetNumber && row.productId == productId)
            return &row.q;
    return nullptr;
}

void putBigEndian16(unsigned char *at, unsigned int value)
{
    at[0] = static_cast<unsigned char>(value >> 8);
    at[1] = static_cast<unsigned char>(value);
}

void logLine(const QString &text)
{
    qDebug().noquote() << text;
}

// Clears the buffer, writes header, payload and checksum, writes the report and
// logs the outcome under the sender's tag ("[Send - <tag>::...]").
int sendFrame(unsigned char reportId, unsigned char command, const unsigned char *payload, int length,
              const char *tag)
{
    std::memset(g_ucSendBuf, 0, sizeof g_ucSendBuf);
    const unsigned char header[kHeaderSize] = {reportId, kProtocolByte, kHostToDevice[0], kHostToDevice[1], command,
                                               static_cast<unsigned char>(length)};
    std::memcpy(g_ucSendBuf, header, kHeaderSize);
    if (length > 0)
        std::memcpy(g_ucSendBuf + kHeaderSize, payload, static_cast<size_t>(length));
    g_ucSendBuf[kHeaderSize + length] = usbHidChecksum(g_ucSendBuf, kHeaderSize + length);

    const int result = usbHidWriteDevice(g_ucSendBuf);
    const char *outcome = result == 2 ? "Device Not Open!" : result == 1 ? "Write Fail!" : "Write Success!";
    logLine(QStringLiteral("[Send - %1::%2]").arg(QLatin1String(tag), QLatin1String(outcome)));
    return result;
}

void trace(const QString &tag, const QString &message, const char *function, int line)
{
    debugLog(tag, message, QStringLiteral(__FILE__), QLatin1String(function), line);
}

// sendFrame between the "start" and "end(<result>)" trace calls of the senders that
// carry them.
int sendFrameTraced(const char *traceTag, const char *function, unsigned char reportId, unsigned char command,
                    const unsigned char *payload, int length, const char *logTag)
{
    trace(QLatin1String(traceTag), QStringLiteral("start"), function, __LINE__);
    const int result = sendFrame(reportId, command, payload, length, logTag);
    trace(QLatin1String(traceTag), QStringLiteral("end(%1)").arg(result), function, __LINE__);
    return result;
}

unsigned char low8(int value)
{
    return static_cast<unsigned char>(value & 0xFF);
}

} // namespace

unsigned char usbHidChecksum(const unsigned char *data, int count)
{
    unsigned int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += data[i];
    return static_cast<unsigned char>(sum);
}

int usbHidWriteDevice(const unsigned char *report)
{
    const QString tag = QStringLiteral("Usb Hid write");
    trace(tag, QStringLiteral("start"), __func__, __LINE__);
    if (!report)
        return 2;
    const int length = report[0] == kReportIdShort ? kHidShortReportSize
                       : report[0] == kReportIdLong ? kHidReportSize
                                                    : 0;
    if (!g_hidDevice || length == 0) {
        trace(tag, QStringLiteral("fail222"), __func__, __LINE__);
        return 2;
    }
    const int written = hid_write(g_hidDevice, report, static_cast<size_t>(length));
    if (written == kHidShortReportSize || written == kHidReportSize) {
        trace(tag, QStringLiteral("success"), __func__, __LINE__);
        return 0;
    }
    trace(tag, QStringLiteral("fail111"), __func__, __LINE__);
    return 1;
}

void usbHidSend_ReadVersion()
{
    sendFrame(kReportIdShort, kCmdReadVersion, nullptr, 0, "ReadVersion");
}

void usbHidSend_ReadAudio()
{
    qDebug() << "***** Read Audio! *****";
    const unsigned char payload[] = {0x00};
    sendFrame(kReportIdLong, kCmdReadAudio, payload, sizeof payload, "ReadAudio");
}

void usbHidSend_SetVolume(int a, int b, int c, int d, int e)
{
    const unsigned char payload[] = {low8(a), 0x00, low8(b), low8(c), low8(d), low8(e)};
    sendFrame(kReportIdShort, kCmdSetVolume, payload, sizeof payload, "SetVolume");
}

void usbHidSend_SetPEQ(int a, int firstBand, int lastBand, int presetNumber, std::array<int, 10> gains)
{
    unsigned char payload[kPeqPayloadSize] = {low8(a), low8(firstBand), low8(lastBand), 0x00};

    const QWords *q = peqQWords(presetNumber, g_sOpenPid);
    const bool wholeHalf = lastBand - firstBand == kPeqBandsPerFrame - 1 && (firstBand == 0 || firstBand == 5);
    if (wholeHalf && q) {
        for (int i = 0; i < kPeqBandsPerFrame; ++i) {
            const int band = firstBand + i;
            unsigned char *at = payload + kPeqBandOffset + i * kPeqBandBytes;
            putBigEndian16(at, static_cast<unsigned int>(kBandFrequency[band]));
            putBigEndian16(at + 2, (*q)[static_cast<size_t>(band)]);
            at[4] = low8(gains[static_cast<size_t>(band)]);
        }
    }
    payload[kPeqPresetOffset] = low8(presetNumber);

    // This trace line has always been stored in the GBK code page; the log reads
    // UTF-8, so its Chinese characters show as replacement characters.
    qDebug() << "\xC9\xE8\xD6\xC3" "PEQ\xA3\xA8" "0x21\xA3\xA9" "37";
    qDebug() << int(payload[kPeqPresetOffset]);
    sendFrameTraced("Usb Hid send PEQ", __func__, kReportIdLong, kCmdSetPEQ, payload, sizeof payload, "SetPEQ");
}

void usbHidSend_SetMicVolume(int volume)
{
    unsigned char payload[14] = {0x01};
    payload[10] = low8(volume);
    sendFrameTraced("Usb Hid send Switch", __func__, kReportIdLong, kCmdSetVolume, payload, sizeof payload,
                    "SetMicVolume");
}

void usbHidSend_SetAlgorithmSwitch(int a, int b, int c, int d)
{
    const unsigned char payload[] = {low8(a), 0x00, low8(b), 0x00, low8(c), low8(d)};
    sendFrameTraced("Usb Hid send Switch", __func__, kReportIdLong, kCmdSetAlgorithmSwitch, payload, sizeof payload,
                    "SetSwitch");
}

void usbHidSend_ReadStatus()
{
    const unsigned char payload[] = {0x00};
    sendFrame(kReportIdLong, kCmdReadStatus, payload, sizeof payload, "ReadStatus");
}

void usbHidSend_Cmd99(int a)
{
    const unsigned char payload[] = {low8(a)};
    sendFrame(kReportIdLong, kCmd99, payload, sizeof payload, "ReadStatus");
}
