// The sound server as the volume code sees it: the default output device, every
// output and capture device with its level and mute, and the calls that change them.
//
// One connection to PulseAudio (or pipewire-pulse) is kept for the whole process and
// driven from the calling thread (the GUI thread). It never starts a server of its own,
// every call gives up after a short time so a stalled server cannot freeze the window,
// and a connection that was lost or timed out is made again by a later call.
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
    pa_cvolume volume{};
    bool muted = false;
};

// Percent of the server's normal volume (100 % = normal), and back.
pa_volume_t volumeFromPercent(double percent);
double percentFromVolume(pa_volume_t volume);
// The loudest channel of a device, in percent of normal.
double devicePercent(const Device &device);
// The device's volume with every channel scaled so the loudest is at `percent`
// (clamped to 0..100): the balance between the channels is kept.
pa_cvolume scaledVolume(const Device &device, double percent);

// Makes sure the connection is up (connecting if needed).
Result connect();
// Drops the connection; the next call connects afresh (to the server PULSE_SERVER names
// then). Also forgets a pause after a time-out.
void disconnect();

// Name of the server's default sink; NotFound when the server has none.
Result defaultSinkName(std::string &name);
Result sinkByName(const std::string &name, Device &device);
Result listSinks(std::vector<Device> &sinks);
Result listSources(std::vector<Device> &sources);

Result setSinkVolume(uint32_t index, const pa_cvolume &volume);
Result setSinkMute(uint32_t index, bool mute);
Result setSourceVolume(uint32_t index, const pa_cvolume &volume);
Result setSourceMute(uint32_t index, bool mute);
Result setDefaultSource(const std::string &name);

} // namespace pulse
