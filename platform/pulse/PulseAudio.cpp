#include "platform/pulse/PulseAudio.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/subscribe.h>
#include <pulse/thread-mainloop.h>
#include <pulse/timeval.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

namespace pulse {

namespace {

using Clock = std::chrono::steady_clock;

// How long the calls that wait for an answer wait at most: long enough for a busy
// local server, short enough that a caller never visibly hangs.
constexpr auto kCallTimeout = std::chrono::milliseconds(250);
// A connection the server has not taken up (answered and told its devices) within this
// time counts as failed. Nothing waits for it meanwhile; it is generous so that a
// server started by the connection itself (socket activation at log-on) can answer.
constexpr auto kConnectTimeout = std::chrono::seconds(1);
// After a failed or lost connection, calls fail at once for a while instead of each
// trying (and perhaps waiting) again; the pause doubles with each failure in a row.
constexpr auto kFirstRetryPause = std::chrono::seconds(2);
constexpr auto kLongestRetryPause = std::chrono::seconds(30);

// Holds the main loop's lock for a scope: the loop thread runs every callback under
// it, so whatever the callbacks touch is read and written only under it.
class LoopLock {
public:
    explicit LoopLock(pa_threaded_mainloop *loop) : m_loop(loop) { pa_threaded_mainloop_lock(m_loop); }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

// The USB vendor id the server records for a device ("2e7a"), 0 when it records none.
unsigned short usbVendorIdOf(const pa_proplist *properties)
{
    const char *text = properties ? pa_proplist_gets(properties, PA_PROP_DEVICE_VENDOR_ID) : nullptr;
    if (!text)
        return 0;
    char *end = nullptr;
    const unsigned long id = std::strtoul(text, &end, 16);
    return end != text && *end == '\0' && id <= 0xFFFF ? static_cast<unsigned short>(id) : 0;
}

template <typename Info>
Device deviceFrom(const Info &info)
{
    Device device;
    device.index = info.index;
    device.name = info.name ? info.name : "";
    device.description = QString::fromUtf8(info.description ? info.description : "");
    device.available = !(info.active_port && info.active_port->available == PA_PORT_AVAILABLE_NO);
    device.usbVendorId = usbVendorIdOf(info.proplist);
    device.volume = info.volume;
    device.muted = info.mute != 0;
    return device;
}

// A source that records what an output plays. Both PulseAudio and pipewire-pulse name
// the output in monitor_of_sink; the class property says it too, and is kept as a
// second sign so that a server leaving the index out still never passes one off as a
// microphone.
bool isMonitor(const pa_source_info &info)
{
    if (info.monitor_of_sink != PA_INVALID_INDEX)
        return true;
    const char *deviceClass = info.proplist ? pa_proplist_gets(info.proplist, PA_PROP_DEVICE_CLASS) : nullptr;
    return deviceClass && std::strcmp(deviceClass, "monitor") == 0;
}

Device deviceFrom(const pa_source_info &info)
{
    Device device = deviceFrom<pa_source_info>(info);
    device.monitor = isMonitor(info);
    return device;
}

// The per-channel shape of each device's last audible volume, by device name, so that
// a device brought back from silence gets its balance back.
class BalanceMemory {
public:
    void remember(const Device &device)
    {
        if (!pa_cvolume_valid(&device.volume) || pa_cvolume_max(&device.volume) == PA_VOLUME_MUTED)
            return;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shapes[device.name] = device.volume;
    }

    // The device's volume to scale: its own, or when it is silent the shape it had.
    pa_cvolume shapeOf(const Device &device)
    {
        if (pa_cvolume_valid(&device.volume) && pa_cvolume_max(&device.volume) != PA_VOLUME_MUTED)
            return device.volume;
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto known = m_shapes.find(device.name);
        if (known != m_shapes.end() && known->second.channels == device.volume.channels)
            return known->second;
        pa_cvolume flat = device.volume;
        if (!pa_cvolume_valid(&flat))
            pa_cvolume_set(&flat, 1, PA_VOLUME_NORM);
        return flat;
    }

private:
    std::mutex m_mutex;
    std::map<std::string, pa_cvolume> m_shapes;
};

class Connection;
Connection &connection();

// The one connection of the process (see the header). Public calls run on any thread
// other than the loop's; callbacks run on the loop's thread, under the loop lock.
class Connection {
public:
    Connection() : m_loop(pa_threaded_mainloop_new())
    {
        if (m_loop)
            pa_threaded_mainloop_start(m_loop);
    }

    ~Connection()
    {
        if (!m_loop)
            return;
        {
            LoopLock lock(m_loop);
            drop();
        }
        pa_threaded_mainloop_stop(m_loop);
        pa_threaded_mainloop_free(m_loop);
    }

    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    Result connect()
    {
        if (!m_loop)
            return Result::NoServer;
        LoopLock lock(m_loop);
        return ensureLocked(Wait::Briefly);
    }

    void reset()
    {
        if (!m_loop)
            return;
        LoopLock lock(m_loop);
        drop();
        m_retryAt = {};
        m_retryAtTicks = 0;
        m_retryPause = kFirstRetryPause;
    }

    uint64_t changeCount()
    {
        if (!m_loop)
            return 0;
        // Only a connection not up yet whose pause is over costs a lock (and a look).
        if (!m_ready.load() && Clock::now().time_since_epoch().count() >= m_retryAtTicks.load()) {
            LoopLock lock(m_loop);
            ensureLocked(Wait::No);
        }
        return m_changes.load();
    }

    bool connecting() const { return m_connecting.load(); }

    BalanceMemory &balance() { return m_balance; }

    Result watched(Watched &state)
    {
        if (!m_loop)
            return Result::NoServer;
        LoopLock lock(m_loop);
        const Result ready = ensureLocked(Wait::No);
        if (ready == Result::Ok)
            state = m_watched;
        return ready;
    }

    // Sends a change without waiting; `start` issues it with the given completion
    // callback, and `apply` shows it in the watched devices at once.
    template <typename Start, typename Apply>
    Result request(const std::pair<int, uint32_t> &device, Start start, Apply apply)
    {
        if (!m_loop)
            return Result::NoServer;
        LoopLock lock(m_loop);
        const Result ready = ensureLocked(Wait::No);
        if (ready != Result::Ok)
            return ready;
        pa_operation *operation = start(m_context, &Connection::onRequestDone, keyOf(device));
        if (!operation)
            return lostOr(Result::Failed);
        pa_operation_unref(operation);
        ++m_changesInFlight[device];
        apply(m_watched);
        ++m_changes;
        return Result::Ok;
    }

    // Starts one request with `start` (which returns the library's operation) and
    // waits until it completes or the time is up.
    template <typename Start>
    Result run(Start start)
    {
        if (!m_loop)
            return Result::NoServer;
        LoopLock lock(m_loop);
        const Result ready = ensureLocked(Wait::Briefly);
        if (ready != Result::Ok)
            return ready;
        pa_operation *operation = start(m_context);
        if (!operation)
            return lostOr(Result::Failed);
        pa_operation_set_state_callback(operation, &Connection::onOperationState, m_loop);
        const bool finished = waitUntil([&] { return pa_operation_get_state(operation) != PA_OPERATION_RUNNING; });
        if (!finished) {
            pa_operation_cancel(operation);
            pa_operation_unref(operation);
            fail();
            return Result::NoServer;
        }
        const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
        pa_operation_unref(operation);
        return done ? Result::Ok : lostOr(Result::Failed);
    }

    // Device kinds in the keys of changes in flight.
    static constexpr int kSinkKind = 0;
    static constexpr int kSourceKind = 1;

private:
    using DeviceKey = std::pair<int, uint32_t>; // (kind, index)

    // A change's device travels as its callback's user data: kind in the lowest bit.
    static void *keyOf(const DeviceKey &device)
    {
        static_assert(sizeof(std::uintptr_t) > sizeof(uint32_t), "the index must fit beside the kind");
        return reinterpret_cast<void *>((std::uintptr_t(device.second) << 1) | std::uintptr_t(device.first));
    }
    static DeviceKey deviceOf(void *key)
    {
        const auto bits = reinterpret_cast<std::uintptr_t>(key);
        return {int(bits & 1), uint32_t(bits >> 1)};
    }

    // ---- Connecting, under the lock ----------------------------------------------

    // Whether a call may wait for a connection being made (a short time at most).
    enum class Wait { No, Briefly };

    // Ok when connected and the devices are known. Otherwise a connection is started
    // when none is being made and no pause runs; the server's answer arrives on the
    // loop thread later (the change count moves then), unless `wait` lets this call
    // wait for it.
    Result ensureLocked(Wait wait)
    {
        if (!m_context && !startConnecting())
            return Result::NoServer;
        if (wait == Wait::Briefly && !m_ready.load()) {
            waitUntil([this] {
                return m_ready.load() || !m_context || !PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context));
            });
        }
        if (!m_context)
            return Result::NoServer; // given up on meanwhile: the pause already runs
        if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context))) {
            fail(); // refused, or lost since the last call
            return Result::NoServer;
        }
        return m_ready.load() ? Result::Ok : Result::NoServer;
    }

    // Starts connecting without waiting for the server.
    bool startConnecting()
    {
        if (Clock::now() < m_retryAt)
            return false;
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Tonewright");
        if (!m_context) {
            fail();
            return false;
        }
        pa_context_set_state_callback(m_context, &Connection::onContextState, this);
        pa_context_set_subscribe_callback(m_context, &Connection::onServerEvent, this);
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            fail();
            return false;
        }
        m_connecting = true;
        m_connectTimer = startTimer(kConnectTimeout, &Connection::onConnectTimeout, this);
        return true;
    }

    // A one-shot timer of the loop that runs `expired` with `userdata`, on the loop thread.
    pa_time_event *startTimer(Clock::duration after, pa_time_event_cb_t expired, void *userdata)
    {
        timeval when{};
        pa_gettimeofday(&when);
        pa_timeval_add(&when, std::chrono::duration_cast<std::chrono::microseconds>(after).count());
        pa_mainloop_api *api = pa_threaded_mainloop_get_api(m_loop);
        return api->time_new(api, &when, expired, userdata);
    }

    void stopTimer(pa_time_event *&timer)
    {
        if (!timer)
            return;
        pa_mainloop_api *api = pa_threaded_mainloop_get_api(m_loop);
        api->time_free(timer);
        timer = nullptr;
    }

    // Waits (the lock is let go meanwhile) until `done` holds or one call's time is up.
    template <typename Done>
    bool waitUntil(Done done)
    {
        struct Expiry {
            pa_threaded_mainloop *loop;
            bool expired = false;
        } expiry{m_loop};
        pa_time_event *timer = startTimer(
            kCallTimeout,
            [](pa_mainloop_api *, pa_time_event *, const timeval *, void *userdata) {
                auto *e = static_cast<Expiry *>(userdata);
                e->expired = true;
                pa_threaded_mainloop_signal(e->loop, 0);
            },
            &expiry);
        while (!done() && !expiry.expired)
            pa_threaded_mainloop_wait(m_loop);
        stopTimer(timer);
        return done();
    }

    // Any failure: the connection goes, and the next try waits a growing pause.
    void fail()
    {
        drop();
        m_retryAt = Clock::now() + m_retryPause;
        m_retryAtTicks = m_retryAt.time_since_epoch().count();
        m_retryPause = std::min<Clock::duration>(m_retryPause * 2, kLongestRetryPause);
    }

    void drop()
    {
        stopTimer(m_connectTimer);
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_set_subscribe_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
        m_ready = false;
        m_connecting = false;
        m_loadsInFlight = 0;
        m_changesInFlight.clear();
        m_watched = Watched{};
        ++m_changes;
    }

    // A request that could not be sent: either the connection is gone, or the server said no.
    Result lostOr(Result refusal)
    {
        if (m_context && pa_context_get_state(m_context) == PA_CONTEXT_READY)
            return refusal;
        fail();
        return Result::NoServer;
    }

    // ---- Keeping the watched devices, on the loop thread -------------------------

    static void onContextState(pa_context *context, void *userdata)
    {
        auto *self = static_cast<Connection *>(userdata);
        const pa_context_state_t state = pa_context_get_state(context);
        if (!PA_CONTEXT_IS_GOOD(state)) {
            self->m_ready = false; // refused or lost: the next call finds out and pauses
            self->m_connecting = false;
            ++self->m_changes;
        }
        if (state == PA_CONTEXT_READY) {
            const auto mask = static_cast<pa_subscription_mask_t>(PA_SUBSCRIPTION_MASK_SINK | PA_SUBSCRIPTION_MASK_SOURCE
                                                                  | PA_SUBSCRIPTION_MASK_SERVER);
            pa_operation *subscribed = pa_context_subscribe(context, mask, nullptr, nullptr);
            if (subscribed)
                pa_operation_unref(subscribed);
            self->loadServer();
        }
        pa_threaded_mainloop_signal(self->m_loop, 0);
    }

    static void onServerEvent(pa_context *, pa_subscription_event_type_t event, uint32_t, void *userdata)
    {
        auto *self = static_cast<Connection *>(userdata);
        switch (event & PA_SUBSCRIPTION_EVENT_FACILITY_MASK) {
        case PA_SUBSCRIPTION_EVENT_SERVER:
            self->loadServer(); // the default devices may have changed
            break;
        case PA_SUBSCRIPTION_EVENT_SINK:
            self->loadDefaultSink();
            break;
        case PA_SUBSCRIPTION_EVENT_SOURCE:
            self->loadSources();
            break;
        default:
            break;
        }
    }

    // The server has not taken the connection up in time: a failure like any other.
    static void onConnectTimeout(pa_mainloop_api *, pa_time_event *, const timeval *, void *userdata)
    {
        auto *self = static_cast<Connection *>(userdata);
        if (!self->m_ready.load())
            self->fail();
        pa_threaded_mainloop_signal(self->m_loop, 0);
    }

    static void onOperationState(pa_operation *, void *loop)
    {
        pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
    }

    static void onRequestDone(pa_context *, int success, void *userdata)
    {
        Connection &self = connection();
        const DeviceKey device = deviceOf(userdata);
        auto inFlight = self.m_changesInFlight.find(device);
        if (inFlight != self.m_changesInFlight.end() && --inFlight->second <= 0)
            self.m_changesInFlight.erase(inFlight);
        // Refused: what was shown at once is not what the server has; ask again.
        if (!success) {
            if (device.first == kSinkKind)
                self.loadDefaultSink();
            else
                self.loadSources();
        }
    }

    bool changeInFlight(int kind, uint32_t index) const
    {
        return m_changesInFlight.count({kind, index}) != 0;
    }

    // Counts a load started by `start` (false when it could not be sent).
    template <typename Start>
    void load(Start start)
    {
        if (!m_context)
            return;
        pa_operation *operation = start(m_context);
        if (!operation)
            return;
        ++m_loadsInFlight;
        pa_operation_unref(operation);
    }

    void loadFinished()
    {
        if (--m_loadsInFlight <= 0) {
            m_loadsInFlight = 0;
            if (!m_ready.load())
                becomeReady();
        }
        ++m_changes; // each answer may have changed the watched devices
        pa_threaded_mainloop_signal(m_loop, 0);
    }

    // The first full load after connecting has arrived: the watched devices are known.
    void becomeReady()
    {
        stopTimer(m_connectTimer);
        m_retryPause = kFirstRetryPause;
        m_connecting = false;
        m_ready = true;
    }

    void loadServer()
    {
        load([this](pa_context *context) {
            return pa_context_get_server_info(context, &Connection::onServerInfo, this);
        });
    }

    void loadDefaultSink()
    {
        if (m_watched.defaultSinkName.empty())
            return;
        load([this](pa_context *context) {
            return pa_context_get_sink_info_by_name(context, m_watched.defaultSinkName.c_str(), &Connection::onSinkInfo,
                                                    this);
        });
    }

    void loadSources()
    {
        m_incomingSources.clear();
        load([this](pa_context *context) {
            return pa_context_get_source_info_list(context, &Connection::onSourceInfo, this);
        });
    }

    static void onServerInfo(pa_context *, const pa_server_info *info, void *userdata)
    {
        auto *self = static_cast<Connection *>(userdata);
        Watched &watched = self->m_watched;
        watched.defaultSinkName = info && info->default_sink_name ? info->default_sink_name : "";
        watched.defaultSourceName = info && info->default_source_name ? info->default_source_name : "";
        if (watched.defaultSinkName.empty())
            watched.defaultSinkFound = false;
        self->loadDefaultSink();
        self->loadSources();
        self->loadFinished();
    }

    static void onSinkInfo(pa_context *, const pa_sink_info *info, int eol, void *userdata)
    {
        auto *self = static_cast<Connection *>(userdata);
        Watched &watched = self->m_watched;
        if (eol) {
            if (eol < 0)
                watched.defaultSinkFound = false; // named, but not there
            self->loadFinished();
            return;
        }
        if (!info || watched.defaultSinkName != (info->name ? info->name : ""))
            return; // the default changed meanwhile; the server's event brings the new one
        Device sink = deviceFrom(*info);
        self->m_balance.remember(sink);
        // A level sent a moment ago may not be in this answer yet: keep showing it.
        if (watched.defaultSinkFound && watched.defaultSink.index == sink.index
            && self->changeInFlight(kSinkKind, sink.index))
            sink.volume = watched.defaultSink.volume;
        watched.defaultSink = sink;
        watched.defaultSinkFound = true;
    }

    static void onSourceInfo(pa_context *, const pa_source_info *info, int eol, void *userdata)
    {
        auto *self = static_cast<Connection *>(userdata);
        if (!eol) {
            if (info)
                self->m_incomingSources.push_back(deviceFrom(*info));
            return;
        }
        for (Device &source : self->m_incomingSources) {
            self->m_balance.remember(source);
            if (!self->changeInFlight(kSourceKind, source.index))
                continue;
            for (const Device &shown : self->m_watched.sources) {
                if (shown.index == source.index) {
                    source.volume = shown.volume;
                    source.muted = shown.muted;
                }
            }
        }
        self->m_watched.sources.swap(self->m_incomingSources);
        self->m_incomingSources.clear();
        self->loadFinished();
    }

    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    Clock::time_point m_retryAt{};
    Clock::duration m_retryPause = kFirstRetryPause;
    // Read without the lock by changeCount().
    std::atomic<Clock::rep> m_retryAtTicks{0};
    std::atomic<bool> m_ready{false};          // connected, and the first full load has arrived
    std::atomic<bool> m_connecting{false};     // a connection is being made, not yet ready
    std::atomic<uint64_t> m_changes{0};        // bumped by every change of the watched devices
    pa_time_event *m_connectTimer = nullptr;

    Watched m_watched;
    int m_loadsInFlight = 0;
    std::vector<Device> m_incomingSources;
    std::map<DeviceKey, int> m_changesInFlight; // -> requests not yet answered
    // Filled on the loop thread too: it lives as long as the connection, which stops
    // the loop before any member goes.
    BalanceMemory m_balance;
};

Connection &connection()
{
    static Connection instance;
    return instance;
}

// Collects the entries of an info list into a vector.
template <typename Info>
void collect(pa_context *, const Info *info, int eol, void *userdata)
{
    if (!eol && info)
        static_cast<std::vector<Device> *>(userdata)->push_back(deviceFrom(*info));
}

void noteSuccess(pa_context *, int success, void *userdata)
{
    *static_cast<bool *>(userdata) = success != 0;
}

// Runs a request that answers only with success or failure: `request` is one of the
// library's set calls, given `arguments` before its callback.
template <typename Request, typename... Arguments>
Result change(Request request, Arguments... arguments)
{
    bool success = false;
    const Result result = connection().run(
        [&](pa_context *context) { return request(context, arguments..., noteSuccess, &success); });
    if (result != Result::Ok)
        return result;
    return success ? Result::Ok : Result::Failed;
}

// The watched device a change is sent for, shown changed at once by `edit`.
template <typename Edit>
auto onWatchedSource(uint32_t index, Edit edit)
{
    return [index, edit](Watched &watched) {
        for (Device &source : watched.sources)
            if (source.index == index)
                edit(source);
    };
}

} // namespace

pa_volume_t volumeFromPercent(double percent)
{
    // Written so that NaN, too, ends up silent rather than undefined.
    const double clamped = percent > 0.0 ? std::min(percent, 100.0) : 0.0;
    return static_cast<pa_volume_t>(std::lround(clamped * PA_VOLUME_NORM / 100.0));
}

double percentFromVolume(pa_volume_t volume)
{
    return volume * 100.0 / PA_VOLUME_NORM;
}

double devicePercent(const Device &device)
{
    return percentFromVolume(pa_cvolume_max(&device.volume));
}

pa_cvolume scaledVolume(const Device &device, double percent)
{
    BalanceMemory &balance = connection().balance();
    balance.remember(device);
    pa_cvolume volume = balance.shapeOf(device);
    pa_cvolume_scale(&volume, volumeFromPercent(percent));
    return volume;
}

Result connect()
{
    return connection().connect();
}

void disconnect()
{
    connection().reset();
}

Result watched(Watched &state)
{
    return connection().watched(state);
}

uint64_t changeCount()
{
    return connection().changeCount();
}

bool connecting()
{
    return connection().connecting();
}

Result requestSinkVolume(uint32_t index, const pa_cvolume &volume)
{
    return connection().request(
        {Connection::kSinkKind, index},
        [&](pa_context *context, pa_context_success_cb_t done, void *ticket) {
            return pa_context_set_sink_volume_by_index(context, index, &volume, done, ticket);
        },
        [&](Watched &watched) {
            if (watched.defaultSinkFound && watched.defaultSink.index == index)
                watched.defaultSink.volume = volume;
        });
}

Result requestSourceVolume(uint32_t index, const pa_cvolume &volume)
{
    return connection().request(
        {Connection::kSourceKind, index},
        [&](pa_context *context, pa_context_success_cb_t done, void *ticket) {
            return pa_context_set_source_volume_by_index(context, index, &volume, done, ticket);
        },
        onWatchedSource(index, [volume](Device &source) { source.volume = volume; }));
}

Result requestSourceMute(uint32_t index, bool mute)
{
    return connection().request(
        {Connection::kSourceKind, index},
        [&](pa_context *context, pa_context_success_cb_t done, void *ticket) {
            return pa_context_set_source_mute_by_index(context, index, int(mute), done, ticket);
        },
        onWatchedSource(index, [mute](Device &source) { source.muted = mute; }));
}

Result listSinks(std::vector<Device> &sinks)
{
    sinks.clear();
    return connection().run(
        [&](pa_context *context) { return pa_context_get_sink_info_list(context, collect<pa_sink_info>, &sinks); });
}

Result listSources(std::vector<Device> &sources)
{
    sources.clear();
    return connection().run([&](pa_context *context) {
        return pa_context_get_source_info_list(context, collect<pa_source_info>, &sources);
    });
}

Result setSinkVolume(uint32_t index, const pa_cvolume &volume)
{
    return change(pa_context_set_sink_volume_by_index, index, &volume);
}

Result setSinkMute(uint32_t index, bool mute)
{
    return change(pa_context_set_sink_mute_by_index, index, int(mute));
}

Result setSourceVolume(uint32_t index, const pa_cvolume &volume)
{
    return change(pa_context_set_source_volume_by_index, index, &volume);
}

Result setSourceMute(uint32_t index, bool mute)
{
    return change(pa_context_set_source_mute_by_index, index, int(mute));
}

Result setDefaultSource(const std::string &name)
{
    return change(pa_context_set_default_source, name.c_str());
}

} // namespace pulse
