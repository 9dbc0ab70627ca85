// The simulated headset behind the hid_* calls (see HidSim.h).
#include "HidSim.h"

#include "MyHidApi.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <list>
#include <map>
#include <mutex>
#include <random>

using Clock = std::chrono::steady_clock;

struct hid_device_ {
    int deviceId = -1;
    bool unplugged = false; // its device was pulled out after the open
    bool wakePending = false; // hid_interrupt_read was called; the next read returns 0
    bool reportOut = false;   // a read returned a report; cleared when the reader comes back
    struct Pending {
        Clock::time_point readyAt;
        hidsim::Report bytes;
    };
    std::deque<Pending> input;
};

namespace hidsim {
namespace {

constexpr std::uint8_t kProtocolByte = 0x30;
constexpr std::uint8_t kSurroundOnFlag = 0x10;
constexpr int kHeaderSize = 6;
constexpr int kShortReadBytes = 16;

struct FaultRule {
    Fault fault;
    int remaining; // kEveryAnswer: no end
    int command;
};

struct SimDevice {
    Device info;
    bool plugged = true;
    int unit = -1; // the records of one headset share the id of its first record
};

struct State {
    std::mutex mutex;
    std::condition_variable changed;

    std::vector<SimDevice> devices;
    std::list<hid_device *> handles;
    std::array<std::uint8_t, 4> uniqueId{};
    std::uint8_t statusFlag = kSurroundOnFlag;
    std::uint8_t peqFlag = 1;
    std::uint8_t surroundFlag = 1;
    bool noiseCancellation = true;
    int delayMs = 3;
    bool openFails = false;
    int openError = 0; // errno of a refused open of a matching record; 0 opens
    bool writeFails = false;
    int writeResult = 0;
    std::deque<FaultRule> faults;
    std::vector<Report> written;
    int openCalls = 0;
    Device lastOpened;
    int liveLists = 0;
    long readCalls = 0;

    // A headset that answers without end (setFlood).
    struct Flood {
        int command = -1; // -1: no flood
        bool random = false;
        Clock::time_point nextAt;
        std::uint8_t nextFirstBand = 0;
        long answers = 0;
        std::mt19937 random32{20261209};
    } flood;

    void resetLocked()
    {
        flood = Flood{};
        for (hid_device *h : handles)
            h->deviceId = -1; // stale handles read and write nothing
        handles.clear();
        devices.clear();
        uniqueId = {0x0A, 0x0B, 0x0C, 0x0D};
        statusFlag = kSurroundOnFlag;
        peqFlag = 1;
        surroundFlag = 1;
        noiseCancellation = true;
        delayMs = 3;
        openFails = writeFails = false;
        openError = 0;
        writeResult = 0;
        faults.clear();
        written.clear();
        openCalls = 0;
        lastOpened = Device{};
        readCalls = 0;
    }
};

State &state()
{
    static State *s = [] {
        auto *fresh = new State; // never destroyed: worker threads may outlive statics
        fresh->resetLocked();
        return fresh;
    }();
    return *s;
}

bool deviceUsable(const State &s, const hid_device *dev)
{
    return dev && !dev->unplugged && dev->deviceId >= 0 && dev->deviceId < int(s.devices.size())
        && s.devices[size_t(dev->deviceId)].plugged;
}

std::uint8_t sum8(const std::uint8_t *data, int count)
{
    unsigned int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += data[i];
    return std::uint8_t(sum);
}

// A request the headset understands: "N" in 32 bytes or "O" in 64, host direction,
// and a payload and checksum inside the report.
bool wellFormedRequest(const std::uint8_t *data, size_t length)
{
    const bool sized = (length == 32 && data[0] == 'N') || (length == 64 && data[0] == 'O');
    if (!sized || data[1] != kProtocolByte || data[2] != 0x80 || data[3] != 0x18)
        return false;
    const size_t payload = data[5];
    return kHeaderSize + payload + 1 <= length && sum8(data, int(kHeaderSize + payload)) == data[kHeaderSize + payload];
}

// The answer's payload by the protocol; false when the headset does not answer.
bool answerPayload(State &s, const std::uint8_t *request, std::vector<std::uint8_t> &payload)
{
    const std::uint8_t *req = request + kHeaderSize;
    switch (request[4]) {
    case 0x01: {
        payload = {0x01}; // format 1: 20 bytes of version text follow
        const char text[21] = "TW-SIM 1.00";
        payload.insert(payload.end(), text, text + 20);
        return true;
    }
    case 0x20:
        payload = {0x00, 0x03, s.peqFlag, s.surroundFlag};
        return true;
    case 0x21:
        payload = {0x00, req[1], req[2]};
        return true;
    case 0x31:
        if (req[4] == 0)
            s.statusFlag = req[2] ? kSurroundOnFlag : 0x00;
        else if (req[4] == 1 || req[4] == 2)
            s.noiseCancellation = req[4] == 1;
        payload = {0x00};
        return true;
    case 0x32:
        payload = {0x00, 0x00, s.statusFlag, s.uniqueId[0], s.uniqueId[1], s.uniqueId[2], s.uniqueId[3]};
        return true;
    case 0x30:
    case 0x99:
        payload = {0x00};
        return true;
    default:
        return false;
    }
}

// Takes the first fault rule that applies to this command, if any.
bool takeFault(State &s, int command, Fault &fault)
{
    for (auto it = s.faults.begin(); it != s.faults.end(); ++it) {
        if (it->command >= 0 && it->command != command)
            continue;
        fault = it->fault;
        if (it->remaining != kEveryAnswer && --it->remaining <= 0)
            s.faults.erase(it);
        return true;
    }
    return false;
}

// An answer frame: "$" in 64 bytes or "#" in 32, device direction, the command, the
// payload and its checksum.
Report answerFrame(bool longReport, std::uint8_t command, const std::vector<std::uint8_t> &payload)
{
    Report answer(longReport ? 64 : 32, 0);
    answer[0] = longReport ? '$' : '#';
    answer[1] = kProtocolByte;
    answer[2] = 0x18;
    answer[3] = 0x80;
    answer[4] = command;
    answer[5] = std::uint8_t(payload.size());
    std::copy(payload.begin(), payload.end(), answer.begin() + kHeaderSize);
    const size_t checksumAt = kHeaderSize + payload.size();
    answer[checksumAt] = sum8(answer.data(), int(checksumAt));
    return answer;
}

// The faults that change what the answer says, before its checksum is made.
void shapePayload(Fault fault, std::vector<std::uint8_t> &payload)
{
    if (fault == Fault::ErrorStatus)
        payload[0] = 1;
    else if (fault == Fault::ShortError)
        payload = {1};
    else if (fault == Fault::ShortSuccess)
        payload = {0};
}

void queueAnswer(State &s, hid_device *dev, const std::uint8_t *request)
{
    std::vector<std::uint8_t> payload;
    if (!answerPayload(s, request, payload))
        return;
    Fault fault{};
    const bool faulty = takeFault(s, request[4], fault);
    if (faulty && fault == Fault::NoAnswer)
        return;
    if (faulty)
        shapePayload(fault, payload);
    Report answer = answerFrame(request[0] == 'O', request[4], payload);
    if (faulty && fault == Fault::BadChecksum)
        answer[kHeaderSize + payload.size()] ^= 0x01;
    if (faulty && fault == Fault::WrongDirection) {
        answer[2] = 0x80;
        answer[3] = 0x18;
    }
    if (faulty && fault == Fault::ShortRead)
        answer.resize(kShortReadBytes);
    dev->input.push_back({Clock::now() + std::chrono::milliseconds(s.delayMs), std::move(answer)});
}

// ---- Flood: a headset that answers without end ------------------------------------
// Reports come no faster than a high-speed USB interrupt endpoint delivers them.
constexpr auto kFloodInterval = std::chrono::microseconds(125);

bool flooding(const State &s, const hid_device *dev)
{
    return s.flood.command >= 0 && s.devices[size_t(dev->deviceId)].info.answers;
}

// The next answer of the flood, made by the protocol's rules as if its request had
// been sent: the headset's own state, or random valid values with `random`.
Report floodAnswer(State &s)
{
    auto &rng = s.flood.random32;
    static const std::uint8_t kinds[] = {0x20, 0x21, 0x32};
    const std::uint8_t command = s.flood.random ? kinds[rng() % 3] : std::uint8_t(s.flood.command);
    std::vector<std::uint8_t> payload;
    if (command == 0x21) {
        // A preset's two frames acknowledged over and over, or random band pairs.
        const std::uint8_t first = s.flood.random ? std::uint8_t(rng() % 10) : s.flood.nextFirstBand;
        payload = {0x00, first, std::uint8_t(s.flood.random ? rng() % 10 : first + 4)};
        s.flood.nextFirstBand = first == 0 ? 5 : 0;
    } else if (s.flood.random && command == 0x32) {
        payload = {0x00, 0x00, std::uint8_t(rng() & 0x10), std::uint8_t(rng()), std::uint8_t(rng()),
                   std::uint8_t(rng()), std::uint8_t(rng())};
    } else if (s.flood.random) {
        payload = {0x00, 0x03, std::uint8_t(rng() % 2), std::uint8_t(rng() % 2)};
    } else {
        const std::uint8_t request[kHeaderSize + 1] = {'O', kProtocolByte, 0x80, 0x18, command, 1, 0};
        answerPayload(s, request, payload);
    }
    ++s.flood.answers;
    return answerFrame(true, command, payload);
}

bool recordMatches(const Device &d, unsigned short vid, unsigned short pid, unsigned short iface,
                   const wchar_t *serial, unsigned short usagePage)
{
    return d.vendorId == vid && d.productId == pid && (unsigned short)(d.interfaceNumber) == iface
        && d.usagePage == usagePage && (!serial || d.serial == serial);
}

wchar_t *wideCopy(const std::wstring &text)
{
    auto *out = static_cast<wchar_t *>(std::calloc(text.size() + 1, sizeof(wchar_t)));
    if (out)
        std::wmemcpy(out, text.c_str(), text.size());
    return out;
}

template <typename F>
auto locked(F &&f)
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return f(s);
}

} // namespace

void reset()
{
    locked([](State &s) { s.resetLocked(); });
    state().changed.notify_all();
}

int addDevice(const Device &device)
{
    return locked([&](State &s) {
        const int id = int(s.devices.size());
        SimDevice d{device, true, id};
        if (d.info.path.empty())
            d.info.path = "sim:" + std::to_string(id);
        s.devices.push_back(d);
        return id;
    });
}

int addHeadset(unsigned short productId)
{
    Device control;
    control.productId = productId;
    const int id = addDevice(control);
    Device consumer = control;
    consumer.usagePage = 0x000C;
    consumer.answers = false;
    const int consumerId = addDevice(consumer);
    locked([&](State &s) { s.devices[size_t(consumerId)].unit = id; });
    return id;
}

namespace {
void setPlugged(int deviceId, bool plugged)
{
    locked([&](State &s) {
        const auto chosen = [&](int id) { return deviceId < 0 || s.devices[size_t(id)].unit == deviceId; };
        for (size_t i = 0; i < s.devices.size(); ++i)
            if (chosen(int(i)))
                s.devices[i].plugged = plugged;
        if (!plugged)
            for (hid_device *h : s.handles)
                if (h->deviceId >= 0 && chosen(h->deviceId))
                    h->unplugged = true;
        return 0;
    });
    state().changed.notify_all();
}
} // namespace

void unplug(int deviceId)
{
    setPlugged(deviceId, false);
}

void plug(int deviceId)
{
    setPlugged(deviceId, true);
}

void setUniqueId(std::array<std::uint8_t, 4> id)
{
    locked([&](State &s) { s.uniqueId = id; });
}

void setSurroundOn(bool on)
{
    setStatusFlag(on ? kSurroundOnFlag : 0x00);
}

void setStatusFlag(std::uint8_t flag)
{
    locked([&](State &s) { s.statusFlag = flag; });
}

void setAudioFlags(std::uint8_t peq, std::uint8_t surround)
{
    locked([&](State &s) {
        s.peqFlag = peq;
        s.surroundFlag = surround;
    });
}

bool surroundOn()
{
    return locked([](State &s) { return s.statusFlag >= kSurroundOnFlag; });
}

bool noiseCancellationOn()
{
    return locked([](State &s) { return s.noiseCancellation; });
}

void setAnswerDelayMs(int ms)
{
    locked([&](State &s) { s.delayMs = std::max(0, ms); });
}

void setOpenFails(bool fails)
{
    locked([&](State &s) { s.openFails = fails; });
}

void setOpenRefused(int error)
{
    locked([&](State &s) { s.openError = error; });
}

void setWriteFails(bool fails)
{
    locked([&](State &s) { s.writeFails = fails; });
}

void setWriteResult(int bytes)
{
    locked([&](State &s) { s.writeResult = bytes; });
}

void injectFault(Fault fault, int count, int command)
{
    const int remaining = count == kEveryAnswer ? count : std::max(1, count);
    locked([&](State &s) { s.faults.push_back({fault, remaining, command}); });
}

void setFlood(int command, bool randomAnswers)
{
    locked([&](State &s) {
        s.flood.command = command == 0x20 || command == 0x21 || command == 0x32 ? command : -1;
        s.flood.random = randomAnswers && s.flood.command >= 0;
        s.flood.nextAt = Clock::now();
        return 0;
    });
    state().changed.notify_all();
}

long floodedAnswerCount()
{
    return locked([](State &s) { return s.flood.answers; });
}

void pushReport(const Report &report)
{
    locked([&](State &s) {
        for (hid_device *h : s.handles)
            h->input.push_back({Clock::now(), report});
    });
    state().changed.notify_all();
}

std::vector<Report> writtenReports()
{
    return locked([](State &s) { return s.written; });
}

void clearWrittenReports()
{
    locked([](State &s) { s.written.clear(); });
}

bool waitForWrites(std::size_t count, int timeoutMs)
{
    State &s = state();
    std::unique_lock<std::mutex> lock(s.mutex);
    return s.changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return s.written.size() >= count; });
}

int openHandleCount()
{
    return locked([](State &s) { return int(s.handles.size()); });
}

int openCallCount()
{
    return locked([](State &s) { return s.openCalls; });
}

Device lastOpenedDevice()
{
    return locked([](State &s) { return s.lastOpened; });
}

int liveEnumerationCount()
{
    return locked([](State &s) { return s.liveLists; });
}

long readCallCount()
{
    return locked([](State &s) { return s.readCalls; });
}

bool everyAnswerRead()
{
    return locked([](State &s) {
        return std::none_of(s.handles.begin(), s.handles.end(), [&](const hid_device *h) {
            return deviceUsable(s, h) && (!h->input.empty() || h->reportOut || flooding(s, h));
        });
    });
}

} // namespace hidsim

// ---- The hid_* calls -------------------------------------------------------------
using namespace hidsim;

extern "C" {

struct hid_device_info *hid_enumerate(unsigned short vendor_id, unsigned short product_id)
{
    return locked([&](State &s) {
        hid_device_info *head = nullptr;
        hid_device_info **tail = &head;
        for (const SimDevice &d : s.devices) {
            if (!d.plugged || (vendor_id && d.info.vendorId != vendor_id) || (product_id && d.info.productId != product_id))
                continue;
            auto *info = static_cast<hid_device_info *>(std::calloc(1, sizeof(hid_device_info)));
            info->path = strdup(d.info.path.c_str());
            info->vendor_id = d.info.vendorId;
            info->product_id = d.info.productId;
            info->serial_number = wideCopy(d.info.serial);
            info->product_string = wideCopy(L"Simulated headset");
            info->usage_page = d.info.usagePage;
            info->usage = d.info.usage;
            info->interface_number = d.info.interfaceNumber;
            *tail = info;
            tail = &info->next;
        }
        if (head)
            ++s.liveLists;
        return head;
    });
}

void hid_free_enumeration(struct hid_device_info *devs)
{
    if (!devs)
        return;
    locked([](State &s) { --s.liveLists; });
    while (devs) {
        hid_device_info *next = devs->next;
        std::free(devs->path);
        std::free(devs->serial_number);
        std::free(devs->manufacturer_string);
        std::free(devs->product_string);
        std::free(devs);
        devs = next;
    }
}

hid_device *hid_open(unsigned short vendor_id, unsigned short product_id, unsigned short interface_number,
                     const wchar_t *serial_number, unsigned short usage_page)
{
    int error = ENODEV; // as the real library: no record matches
    hid_device *opened = locked([&](State &s) -> hid_device * {
        if (s.openFails)
            return nullptr;
        for (size_t i = 0; i < s.devices.size(); ++i) {
            const SimDevice &d = s.devices[i];
            if (!d.plugged || !recordMatches(d.info, vendor_id, product_id, interface_number, serial_number, usage_page))
                continue;
            if (s.openError) {
                error = s.openError;
                return nullptr;
            }
            auto *dev = new hid_device;
            dev->deviceId = int(i);
            s.handles.push_back(dev);
            ++s.openCalls;
            s.lastOpened = d.info;
            return dev;
        }
        return nullptr;
    });
    if (!opened)
        errno = error;
    return opened;
}

int hid_set_nonblocking(hid_device *dev, int nonblock)
{
    (void)nonblock;
    return dev ? 0 : -1;
}

int hid_write(hid_device *dev, const unsigned char *data, size_t length)
{
    State &s = state();
    int result;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (!data || !deviceUsable(s, dev) || s.writeFails)
            return -1;
        s.written.emplace_back(data, data + length);
        if (s.devices[size_t(dev->deviceId)].info.answers && wellFormedRequest(data, length))
            queueAnswer(s, dev, data);
        result = s.writeResult ? s.writeResult : int(length);
    }
    s.changed.notify_all();
    return result;
}

int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int milliseconds)
{
    State &s = state();
    std::unique_lock<std::mutex> lock(s.mutex);
    ++s.readCalls;
    if (dev)
        dev->reportOut = false; // the reader is done with the report it had before
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(0, milliseconds));
    for (;;) {
        if (!data || !deviceUsable(s, dev))
            return -1;
        if (dev->wakePending) {
            dev->wakePending = false;
            return 0;
        }
        const auto now = Clock::now();
        if (!dev->input.empty() && dev->input.front().readyAt <= now) {
            hidsim::Report report = std::move(dev->input.front().bytes);
            dev->input.pop_front();
            const size_t n = std::min(length, report.size());
            std::memcpy(data, report.data(), n);
            dev->reportOut = true;
            return int(n);
        }
        if (flooding(s, dev) && s.flood.nextAt <= now) {
            s.flood.nextAt = now + kFloodInterval;
            const hidsim::Report report = floodAnswer(s);
            const size_t n = std::min(length, report.size());
            std::memcpy(data, report.data(), n);
            dev->reportOut = true;
            return int(n);
        }
        if (milliseconds >= 0 && now >= deadline)
            return 0;
        auto wakeAt = milliseconds >= 0 ? deadline : now + std::chrono::hours(1);
        if (!dev->input.empty())
            wakeAt = std::min(wakeAt, dev->input.front().readyAt);
        if (flooding(s, dev))
            wakeAt = std::min(wakeAt, s.flood.nextAt);
        s.changed.wait_until(lock, wakeAt);
    }
}

void hid_interrupt_read(hid_device *dev)
{
    if (!dev)
        return;
    locked([&](State &) {
        dev->wakePending = true;
        return 0;
    });
    state().changed.notify_all();
}

void hid_close(hid_device *dev)
{
    if (!dev)
        return;
    locked([&](State &s) {
        s.handles.remove(dev);
        return 0;
    });
    delete dev;
}

} // extern "C"
