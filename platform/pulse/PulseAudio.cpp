#include "platform/pulse/PulseAudio.h"

#include <pulse/context.h>
#include <pulse/introspect.h>
#include <pulse/mainloop.h>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace pulse {

namespace {

using Clock = std::chrono::steady_clock;

// Long enough for a busy local server, short enough that the window never visibly hangs.
constexpr auto kCallTimeout = std::chrono::milliseconds(250);
// After a time-out the server is taken to be stalled: calls fail at once for a while
// instead of each waiting out its own time-out on the GUI thread.
constexpr auto kPauseAfterTimeout = std::chrono::seconds(2);

// The one connection of the process, with its own (non-threaded) main loop that is
// only ever run inside a call, on the caller's thread, up to a deadline.
class Connection {
public:
    ~Connection()
    {
        drop();
        if (m_loop)
            pa_mainloop_free(m_loop);
    }

    Result ensure()
    {
        if (!m_loop)
            m_loop = pa_mainloop_new();
        if (m_context) {
            pump();  // notices a server that went away since the last call
            if (pa_context_get_state(m_context) == PA_CONTEXT_READY)
                return Result::Ok;
            drop();
        }
        if (Clock::now() < m_pausedUntil)
            return Result::NoServer;
        m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Tonewright");
        if (!m_context || pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0) {
            drop();
            return Result::NoServer;
        }
        const auto deadline = Clock::now() + kCallTimeout;
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(m_context);
            if (state == PA_CONTEXT_READY)
                return Result::Ok;
            if (!PA_CONTEXT_IS_GOOD(state)) {
                drop();
                return Result::NoServer;
            }
            if (!iterate(deadline)) {
                giveUp();
                return Result::NoServer;
            }
        }
    }

    // Starts one request with `start` (which returns the library's operation) and
    // runs the loop until it completes or the time is up.
    template <typename Start>
    Result run(Start start)
    {
        const Result ready = ensure();
        if (ready != Result::Ok)
            return ready;
        pa_operation *operation = start(m_context);
        if (!operation)
            return lostOr(Result::Failed);
        const auto deadline = Clock::now() + kCallTimeout;
        while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING) {
            if (!iterate(deadline)) {
                pa_operation_cancel(operation);
                pa_operation_unref(operation);
                giveUp();
                return Result::NoServer;
            }
        }
        const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
        pa_operation_unref(operation);
        return done ? Result::Ok : lostOr(Result::Failed);
    }

    void drop()
    {
        if (m_context) {
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
    }

    void reset()
    {
        drop();
        m_pausedUntil = {};
    }

private:
    // One round of the loop, waiting at most until `deadline`; false when the time is
    // up or the loop failed.
    bool iterate(Clock::time_point deadline)
    {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        return pa_mainloop_prepare(m_loop, static_cast<int>(left.count())) >= 0 && pa_mainloop_poll(m_loop) >= 0
               && pa_mainloop_dispatch(m_loop) >= 0;
    }

    // Handles whatever already arrived, without waiting.
    void pump()
    {
        if (pa_mainloop_prepare(m_loop, 0) >= 0 && pa_mainloop_poll(m_loop) >= 0)
            pa_mainloop_dispatch(m_loop);
    }

    void giveUp()
    {
        drop();
        m_pausedUntil = Clock::now() + kPauseAfterTimeout;
    }

    // A request that could not run: either the connection is gone, or the server said no.
    Result lostOr(Result refusal)
    {
        if (pa_context_get_state(m_context) == PA_CONTEXT_READY)
            return refusal;
        drop();
        return Result::NoServer;
    }

    pa_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    Clock::time_point m_pausedUntil{};
};

Connection &connection()
{
    static Connection instance;
    return instance;
}

template <typename Info>
Device deviceFrom(const Info &info)
{
    Device device;
    device.index = info.index;
    device.name = info.name ? info.name : "";
    device.description = QString::fromUtf8(info.description ? info.description : "");
    device.available = !(info.active_port && info.active_port->available == PA_PORT_AVAILABLE_NO);
    device.volume = info.volume;
    device.muted = info.mute != 0;
    return device;
}

Device deviceFrom(const pa_source_info &info)
{
    Device device = deviceFrom<pa_source_info>(info);
    device.monitor = info.monitor_of_sink != PA_INVALID_INDEX;
    return device;
}

// Collects the entries of an info list (or of a single lookup) into a vector.
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
    pa_cvolume volume = device.volume;
    if (!pa_cvolume_valid(&volume))
        pa_cvolume_set(&volume, 1, PA_VOLUME_NORM);
    pa_cvolume_scale(&volume, volumeFromPercent(percent));
    return volume;
}

Result connect()
{
    return connection().ensure();
}

void disconnect()
{
    connection().reset();
}

Result defaultSinkName(std::string &name)
{
    name.clear();
    const Result result = connection().run([&](pa_context *context) {
        return pa_context_get_server_info(
            context,
            [](pa_context *, const pa_server_info *info, void *userdata) {
                if (info && info->default_sink_name)
                    *static_cast<std::string *>(userdata) = info->default_sink_name;
            },
            &name);
    });
    if (result != Result::Ok)
        return result;
    return name.empty() ? Result::NotFound : Result::Ok;
}

Result sinkByName(const std::string &name, Device &device)
{
    std::vector<Device> found;
    const Result result = connection().run([&](pa_context *context) {
        return pa_context_get_sink_info_by_name(context, name.c_str(), collect<pa_sink_info>, &found);
    });
    if (result != Result::Ok)
        return result;
    if (found.empty())
        return Result::NotFound;
    device = found.front();
    return Result::Ok;
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
