// The sound server as the volume code sees it: the default output device, every
// output and capture device with its level and mute, and the calls that change them.
//
// One connection to PulseAudio (or pipewire-pulse) is kept for the whole process. Its
// main loop runs on a thread of its own that sleeps until the server has something to
// say: the connection subscribes to the server's change events and keeps the default
// output and the capture devices in memory, so reading them costs no round trip. It
// never starts a server of its own.
//
// Connecting does not wait: the calls that read or send report NoServer until the
// server has answered and told its devices, and the change count moves once it has.
// Only the calls that wait for an answer (at the end) wait for a connection too, a
// short time at most. A connection the server does not take up within a second, and
// a failed or lost one, is tried again only after a pause that grows from 2 s to 30 s,
// so an absent or silent server costs nothing either.
#pragma once

#include <pulse/volume.h>

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace pulse {

enum class Result {
    Ok,
    NoServer,  // no connection could be made (or it was lost / timed out)
    NotFound,  // the server answered, but the device asked for does not exist
    Failed,    // the server refused the change
};

// One sink or source as the server describes it.
struct Device {
    uint32_t index = 0;
    std::string name;
    QString description;
    bool monitor = false;    // a source that records what a sink plays
    bool available = true;   // false when its active port is marked unplugged
    unsigned short usbVendorId = 0; // of the USB device it belongs to; 0 when none or unknown
    pa_cvolume volume{};
    bool muted = false;
};

// What the server last told about the devices the window shows.
struct Watched {
    std::string defaultSinkName;    // empty: the server has no default output
    bool defaultSinkFound = false;  // false: the default output could not be looked up
    Device defaultSink;
    std::string defaultSourceName;
    std::vector<Device> sources;    // every source, monitors included, in the server's order
};

// Percent of the server's normal volume (100 % = normal), and back.
pa_volume_t volumeFromPercent(double percent);
double percentFromVolume(pa_volume_t volume);
// The loudest channel of a device, in percent of normal.
double devicePercent(const Device &device);
// The device's volume with every channel scaled so the loudest is at `percent`
// (clamped to 0..100): the balance between the channels is kept, also through 0
// (a device brought up from silence gets back the balance it had before).
pa_cvolume scaledVolume(const Device &device, double percent);

// Makes sure the connection is up (connecting if needed, unless pausing after a
// failure), waiting a short time at most for the server to take it up.
Result connect();
// Drops the connection; the next call connects afresh (to the server PULSE_SERVER names
// then), without waiting out a pause after an earlier failure.
void disconnect();

// The watched devices as last reported, without a round trip. NoServer while the
// connection is still being made (starting it when none is up and no pause runs).
Result watched(Watched &state);

// A number that changes whenever the watched devices (or the connection) change, so
// a caller can skip re-reading what it has seen. Costs no lock while connected;
// starts connecting when no connection is up and no pause after a failure runs.
uint64_t changeCount();

// True while a connection is being made and the server has not told its devices yet:
// NoServer then means "not yet" rather than "none". Costs no lock.
bool connecting();

// Changes sent without waiting for the server's answer; the watched devices show the
// change at once. NoServer without a connection (or one not up yet), Failed when the
// request could not be sent. A refusal that comes later is seen as the server's own
// state again.
Result requestSinkVolume(uint32_t index, const pa_cvolume &volume);
Result requestSourceVolume(uint32_t index, const pa_cvolume &volume);
Result requestSourceMute(uint32_t index, bool mute);

// Requests that wait for the server's answer, a short time at most.
Result listSinks(std::vector<Device> &sinks);
Result listSources(std::vector<Device> &sources);
Result setSinkVolume(uint32_t index, const pa_cvolume &volume);
Result setSinkMute(uint32_t index, bool mute);
Result setSourceVolume(uint32_t index, const pa_cvolume &volume);
Result setSourceMute(uint32_t index, bool mute);
Result setDefaultSource(const std::string &name);

} // namespace pulse
