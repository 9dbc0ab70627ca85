// The headset protocol: frames, senders, device open, answer decoders, and the
// link state the window reads. Free functions over file-scope globals; the senders
// and the open run on the GUI thread, the decoders on the receive thread.
#pragma once

#include "MyHidApi.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QVector>

#include <array>
#include <atomic>
#include <cstdint>

// ---- Link state ---------------------------------------------------------------
extern hid_device *g_hidDevice;          // the one open headset, null when none
extern int g_nDeviceOpen;                // 1 while a headset is open
extern unsigned short g_sOpenVid;        // ids of the headset opened last
extern unsigned short g_sOpenPid;
extern QByteArray g_baOpenNode;          // the node (path) of the headset opened last
extern const QVector<int> g_vecSupportPid; // 0x0411, 0x0412

// Permitted ids, filled from the default preset files (at most 100 each).
constexpr int kMaxIdListSize = 100;
extern unsigned short g_sPidList[kMaxIdListSize];
extern int g_nPidCount;
extern unsigned short g_sVidList[kMaxIdListSize];
extern int g_nVidCount;

constexpr unsigned short kHeadsetVendorId = 0x2E7A;

// ---- Frames -------------------------------------------------------------------
constexpr int kHidReportSize = 64;      // "O" reports and the largest answer
constexpr int kHidShortReportSize = 32; // "N" reports
constexpr int kRecvBufSize = 70;
constexpr unsigned char kReportIdShort = 'N';
constexpr unsigned char kReportIdLong = 'O';
constexpr unsigned char kProtocolByte = 0x30;

enum UsbHidCommand : unsigned char {
    kCmdReadVersion = 0x01,
    kCmdReadAudio = 0x20,
    kCmdSetPEQ = 0x21,
    kCmdSetVolume = 0x30,
    kCmdSetAlgorithmSwitch = 0x31,
    kCmdReadStatus = 0x32,
    kCmd99 = 0x99,
};

extern unsigned char g_ucSendBuf[kHidReportSize]; // the one transmit buffer (GUI thread)

// Low 8 bits of the sum of the first count bytes.
unsigned char usbHidChecksum(const unsigned char *data, int count);

// 0 written; 1 the write did not report 32 or 64 bytes; 2 no buffer, no open
// device, or a report id other than "N" or "O".
int usbHidWriteDevice(const unsigned char *report);

// ---- Senders (GUI thread; outcome in the log only) ------------------------------
void usbHidSend_ReadVersion();
void usbHidSend_ReadAudio();
void usbHidSend_SetVolume(int a, int b, int c, int d, int e);
void usbHidSend_SetPEQ(int a, int firstBand, int lastBand, int presetNumber, std::array<int, 10> gains);
void usbHidSend_SetMicVolume(int volume);
void usbHidSend_SetAlgorithmSwitch(int a, int b, int c, int d);
void usbHidSend_ReadStatus();
void usbHidSend_Cmd99(int a);

// ---- Device open (GUI thread) ---------------------------------------------------
// 0 opened; -1 a matching device failed to open; -2 no matching device (also when
// a headset is already open).
int usbHidOpenDevice();
// True when the last usbHidOpenDevice found a headset but was refused its node
// (permission denied: the udev rule is not installed yet).
bool usbHidOpenRefused();
// What the user must do then: the udev rule and how to install it (one line).
QString usbHidOpenRefusedText();

// True while the node of the headset opened last is still connected. Two headsets of
// one model carry the same ids, so only its own node tells whether it is the one gone.
bool usbHidOpenDeviceListed();

// ---- Receiving (receive thread) ----------------------------------------------------
extern unsigned char g_ucReadBuf[kHidReportSize]; // filled by hid_read_timeout
extern unsigned char g_ucRecvBuf[kRecvBufSize];   // the accepted frame the decoders read
extern QMutex g_mutexRecv;                        // guards the two PEQ acknowledgement bands

// Checks a report of nRead bytes: 32 or 64 bytes, a device report id ("#" or "$"),
// protocol byte, device-to-host direction, a payload that fits inside the bytes read
// and a matching checksum. An accepted frame is copied to g_ucRecvBuf, the rest of
// which is cleared, and its command is returned; -1 when rejected.
int usbHidAcceptFrame(const unsigned char *report, int nRead);

// The headset's unique id, written by the receive thread and read by the GUI
// thread; it is stored and loaded as one word, so a reader never sees half of an
// old id and half of a new one.
class DeviceUuid
{
public:
    void store(const unsigned char bytes[4]);
    void load(unsigned char out[4]) const;
    std::array<unsigned char, 4> bytes() const;
    bool equals(const unsigned char other[4]) const;

private:
    std::atomic<std::uint32_t> m_packed{0};
};

// Decoded answers.
extern std::atomic<int> g_nReadAudio_HPPEQ;      // ReadAudio: PEQ available (0 = no)
extern std::atomic<int> g_nReadAudio_HPSurround; // ReadAudio: surround available (0 = no)
extern int g_nPEQAckFirstBand;                   // SetPEQ ack, under g_mutexRecv
extern int g_nPEQAckLastBand;                    // SetPEQ ack, under g_mutexRecv
extern DeviceUuid g_ucDeviceUuid;                // ReadStatus: the headset's unique id
constexpr int kSpectrumSize = 57;
extern unsigned char g_ucSpectrumData[kSpectrumSize];

// Decoders: each reads the frame in g_ucRecvBuf.
void usbHidRecv_ReadVersion();
void usbHidRecv_ReadAudio();
// Both flags back to "available", as at each open: the last headset's answer says
// nothing about this one.
void usbHidResetAudioFlags();
void usbHidRecv_SetPEQ();
void usbHidRecv_SetVolume();
void usbHidRecv_SetAlgorithmSwitch();
int usbHidRecv_ReadStatus(); // 1 7.1 on, 2 7.1 off, 0 error status
void usbHidRecv_Spectrum();

// Whether the acknowledged band pair is that of a preset's second frame (bands 5 to 9),
// after which the window switches the processing mode; and putting that pair back.
// Under g_mutexRecv.
bool usbHidPeqAckEndsPreset();
void usbHidRestorePresetEndAck();
