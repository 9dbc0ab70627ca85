// The simulated headset: libMyHidApiSim.so exports the same hid_* calls as
// libMyHidApi.so, so a test linked against it drives the program's real protocol
// code against a headset that lives in memory. This header is its control panel.
//
// The simulated headset answers every well-formed request the way the headset's
// protocol says (header "#"/"$" 0x30 0x18 0x80, the request's command, status 0,
// the answer's own payload, checksum), after a short delay; it never copies the
// request back except where the headset itself echoes (the SetPEQ band indices).
//
//   ReadVersion 0x01 -> format 1, 20 bytes of version text
//   ReadAudio   0x20 -> status, rate code 3, PEQ flag, surround flag   (setAudioFlags)
//   SetPEQ      0x21 -> status, first band, last band of the request
//   SetVolume   0x30 -> status
//   Switch      0x31 -> status; (a,0,b,0,0,d) sets surround on/off by b,
//                       (a,0,b,0,1|2,d) turns noise cancellation on/off
//   ReadStatus  0x32 -> status, 0, flag (0x10 surround on, 0x00 off), unique id
//   0x99             -> status
// Malformed requests (wrong header, length or checksum) are recorded but not answered.
//
// Every function is thread safe. State lives until reset(); call reset() in each test.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace hidsim {

// One enumerated HID record (one top-level collection of one interface).
struct Device {
    unsigned short vendorId = 0x2E7A;
    unsigned short productId = 0x0411;
    unsigned short usagePage = 0xFF00;
    unsigned short usage = 0x0001;
    int interfaceNumber = 3;
    std::string path;     // empty: "sim:<id>"
    std::wstring serial;
    bool answers = true;  // false: accepts writes, never answers (not the headset's channel)
};

enum class Fault {
    ErrorStatus,    // status byte 1
    BadChecksum,    // checksum off by one bit
    WrongDirection, // direction bytes 0x80 0x18 (the host's)
    ShortRead,      // the read returns only 16 bytes of the answer
    NoAnswer,       // the answer is lost
    // Misbehaving headsets' answers:
    ShortError,     // the status byte alone (L = 1), status 1
    ShortSuccess,   // the status byte alone (L = 1), status 0: too short to be valid
};

using Report = std::vector<std::uint8_t>;

// Forget everything: no devices, no handles' queued answers, no faults, default
// headset state (id 0A 0B 0C 0D, surround on, PEQ and surround flags 1, noise
// cancellation on), 3 ms answer delay, empty write log.
void reset();

// Devices. addDevice returns the device's id (0, 1, ...). addHeadset adds a headset of
// this product id as it enumerates: its vendor-page control collection and its
// consumer-control collection (usage page 0x000C) on the same interface; returns the
// id of the vendor-page record.
int addDevice(const Device &device);
int addHeadset(unsigned short productId = 0x0411);
// Pull a device out (-1: every device; a headset's id: all its records): it leaves the
// enumeration, and reads and writes on handles opened on it fail (-1) from now on.
void unplug(int deviceId = -1);
// Plug a pulled device back in (-1: every device); handles opened before stay dead,
// as a real re-plug gives a new node.
void plug(int deviceId = -1);

// Headset state the answers report.
void setUniqueId(std::array<std::uint8_t, 4> id);
void setSurroundOn(bool on);             // ReadStatus flag 0x10 or 0x00
void setStatusFlag(std::uint8_t flag);   // any raw ReadStatus flag byte
void setAudioFlags(std::uint8_t peq, std::uint8_t surround);
bool surroundOn();
bool noiseCancellationOn();

// Timing and failures.
void setAnswerDelayMs(int ms);           // default 3
void setOpenFails(bool fails);           // hid_open returns null
void setOpenRefused(int error);          // hid_open of a present headset fails with errno error
                                         // (EACCES: no udev rule yet); 0 opens again
void setWriteFails(bool fails);          // hid_write returns -1
void setWriteResult(int bytes);          // hid_write reports this count (0: the real count)
// The next `count` answers (to `command` only, or to any when -1) carry the fault;
// with kEveryAnswer, every answer from now on (a headset that, say, answers ReadAudio
// with an error status alone however often it is asked).
constexpr int kEveryAnswer = -1;
void injectFault(Fault fault, int count = 1, int command = -1);
// A misbehaving headset that answers without end: from now on every read of a handle
// on the headset's channel returns another answer to `command` (0x20 ReadAudio, 0x21 an
// acknowledgement of a preset's frames in turn, 0x32 ReadStatus), built from the
// headset's state as if the request had been sent, one every 125 us at most (a
// high-speed USB interrupt endpoint); any other command stops the flood. With
// randomAnswers, each is a random valid answer of the three kinds instead (random
// unique ids, flags and band pairs).
void setFlood(int command, bool randomAnswers = false);
long floodedAnswerCount();               // flood answers read since reset

// Queue a raw input report on every open handle, readable at once.
void pushReport(const Report &report);

// What the program did.
std::vector<Report> writtenReports();    // every hid_write, in order, at its length
void clearWrittenReports();
bool waitForWrites(std::size_t count, int timeoutMs); // true once `count` writes were recorded
int openHandleCount();                   // handles not yet closed
int openCallCount();                     // successful hid_open calls since reset
Device lastOpenedDevice();               // the record hid_open matched last
int liveEnumerationCount();              // hid_enumerate lists not yet freed
long readCallCount();                    // hid_read_timeout calls since reset
// True when no usable handle has an answer still to be read (a delayed one included),
// no flood runs, and every reader that took a report has come back to read again, so
// it is done with that report (decoded it, told the window of it).
bool everyAnswerRead();

} // namespace hidsim
