// Frames from the headset: the frame check and one decoder per answer.
#include "headset/UsbHidOperation.h"

#include "headset/AnswerLog.h"

#include <cstring>

unsigned char g_ucReadBuf[kHidReportSize] = {};
unsigned char g_ucRecvBuf[kRecvBufSize] = {};
QMutex g_mutexRecv;

// Until the open headset's first good ReadAudio answer both equaliser pages count as
// available, so an error answer, which stores nothing, disables no page.
constexpr int kAudioFlagAvailable = 1;
std::atomic<int> g_nReadAudio_HPPEQ{kAudioFlagAvailable};
std::atomic<int> g_nReadAudio_HPSurround{kAudioFlagAvailable};
int g_nPEQAckFirstBand = 0;
int g_nPEQAckLastBand = 0;
DeviceUuid g_ucDeviceUuid;
unsigned char g_ucSpectrumData[kSpectrumSize] = {};

namespace {

constexpr unsigned char kReportIdAnswerA = '#';
constexpr unsigned char kReportIdAnswerB = '$';
constexpr unsigned char kDeviceToHost[2] = {0x18, 0x80};
constexpr int kHeaderSize = 6;
constexpr int kLengthAt = 5;
constexpr unsigned char kErrorStatus = 1;
constexpr unsigned char kSurroundOnFlag = 0x10;
constexpr int kPresetEndFirstBand = 5; // the bands of a preset's second frame
constexpr int kPresetEndLastBand = 9;

// The payload bytes each decoder reads from a success answer; a shorter one is not
// one of the headset's. An error answer may carry its status byte alone.
int minimumPayload(int command)
{
    switch (command) {
    case kCmdReadAudio:
        return 4;
    case kCmdSetPEQ:
        return 3;
    case kCmdReadStatus:
        return 7;
    case kCmdReadVersion:
    case kCmdSetVolume:
    case kCmdSetAlgorithmSwitch:
        return 1;
    default:
        return 0;
    }
}

// Payload byte `index` of the accepted frame; 0 past the frame's own payload length, so
// a short error answer never lends its checksum or padding to a decoder.
unsigned char payloadByte(int index)
{
    return index < g_ucRecvBuf[kLengthAt] ? g_ucRecvBuf[kHeaderSize + index] : 0;
}

bool errorStatus()
{
    return payloadByte(0) == kErrorStatus;
}

void logErrorAnswer()
{
    logAnswerLine(QStringLiteral("[Recv - ReadAudio::Error]"));
}

} // namespace

void DeviceUuid::store(const unsigned char bytes[4])
{
    std::uint32_t packed = 0;
    std::memcpy(&packed, bytes, 4);
    m_packed.store(packed);
}

void DeviceUuid::load(unsigned char out[4]) const
{
    const std::uint32_t packed = m_packed.load();
    std::memcpy(out, &packed, 4);
}

std::array<unsigned char, 4> DeviceUuid::bytes() const
{
    std::array<unsigned char, 4> out{};
    load(out.data());
    return out;
}

bool DeviceUuid::equals(const unsigned char other[4]) const
{
    const auto mine = bytes();
    return std::memcmp(mine.data(), other, 4) == 0;
}

int usbHidAcceptFrame(const unsigned char *report, int nRead)
{
    if (!report || (nRead != kHidShortReportSize && nRead != kHidReportSize))
        return -1;
    if ((report[0] != kReportIdAnswerA && report[0] != kReportIdAnswerB) || report[1] != kProtocolByte
        || report[2] != kDeviceToHost[0] || report[3] != kDeviceToHost[1])
        return -1;
    const int command = report[4];
    const int length = report[5];
    // Header, payload and checksum must all lie inside the bytes actually read.
    if (kHeaderSize + length + 1 > nRead)
        return -1;
    const bool errorAnswer = length >= 1 && report[kHeaderSize] == kErrorStatus;
    if (length < minimumPayload(command) && !errorAnswer)
        return -1;
    if (usbHidChecksum(report, kHeaderSize + length) != report[kHeaderSize + length])
        return -1;
    // Only this report's bytes: nothing of an earlier, longer one survives.
    std::memset(g_ucRecvBuf, 0, sizeof g_ucRecvBuf);
    std::memcpy(g_ucRecvBuf, report, static_cast<size_t>(nRead));
    return command;
}

void usbHidRecv_ReadVersion()
{
    if (payloadByte(0) == 0)
        logAnswerLine(QStringLiteral("No Version."));
    else
        logAnswerLine(QStringLiteral("[Recv - ReadVersion::Read Version Successful!]"));
}

void usbHidRecv_ReadAudio()
{
    if (errorStatus()) {
        logErrorAnswer();
        return;
    }
    g_nReadAudio_HPPEQ = payloadByte(2);
    g_nReadAudio_HPSurround = payloadByte(3);
}

void usbHidResetAudioFlags()
{
    g_nReadAudio_HPPEQ = kAudioFlagAvailable;
    g_nReadAudio_HPSurround = kAudioFlagAvailable;
}

void usbHidRecv_SetPEQ()
{
    g_nPEQAckFirstBand = payloadByte(1);
    g_nPEQAckLastBand = payloadByte(2);
    if (errorStatus())
        logErrorAnswer();
}

bool usbHidPeqAckEndsPreset()
{
    return g_nPEQAckFirstBand == kPresetEndFirstBand && g_nPEQAckLastBand == kPresetEndLastBand;
}

void usbHidRestorePresetEndAck()
{
    g_nPEQAckFirstBand = kPresetEndFirstBand;
    g_nPEQAckLastBand = kPresetEndLastBand;
}

void usbHidRecv_SetVolume()
{
    if (errorStatus())
        logAnswerLine(QStringLiteral("[Recv - Volume::Error]"));
}

void usbHidRecv_SetAlgorithmSwitch()
{
    if (errorStatus())
        logErrorAnswer();
}

int usbHidRecv_ReadStatus()
{
    if (errorStatus()) {
        logErrorAnswer();
        return 0;
    }
    g_ucDeviceUuid.store(g_ucRecvBuf + kHeaderSize + 3);
    const unsigned int flag = payloadByte(2);
    if (flag >= kSurroundOnFlag) {
        logAnswerLine(QStringLiteral("TabChangeFlag: 7.1 On %1  return 1").arg(flag));
        return 1;
    }
    logAnswerLine(QStringLiteral("TabChangeFlag:7.1 off %1  return 0").arg(flag));
    return 2;
}

void usbHidRecv_Spectrum()
{
    std::memcpy(g_ucSpectrumData, g_ucRecvBuf + kHeaderSize, kSpectrumSize);
}
