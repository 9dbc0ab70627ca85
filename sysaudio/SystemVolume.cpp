#include "sysaudio/SystemVolume.h"

#include "sysaudio/AudioDevices.h"

#include "headset/UsbHidOperation.h"

namespace {

// The devices as the server last reported them, or the name of the step that failed
// when there is no server to ask.
pulse::Watched watchedDevices()
{
    pulse::Watched watched;
    if (pulse::watched(watched) != pulse::Result::Ok)
        throw "CoCreateInstance";
    return watched;
}

// The default output device, or the name of the step at which finding it failed.
pulse::Device defaultOutput()
{
    const pulse::Watched watched = watchedDevices();
    if (watched.defaultSinkName.empty())
        throw "GetDefaultAudioEndpoint";
    if (!watched.defaultSinkFound)
        throw "pDevice->Active";
    return watched.defaultSink;
}

// The microphone the window shows and sets: the headset's own capture device, else
// the server's default one. Never the monitor of an output, not even when the server
// makes one its default for want of a capture device: setting it would change what
// recordings of the desktop's sound capture. Null when there is no such device (or
// no server).
const pulse::Device *windowMicrophone(const pulse::Watched &watched)
{
    const pulse::Device *defaultSource = nullptr;
    for (const pulse::Device &source : watched.sources) {
        if (source.monitor)
            continue;
        if (source.usbVendorId == kHeadsetVendorId)
            return &source;
        if (source.name == watched.defaultSourceName)
            defaultSource = &source;
    }
    return defaultSource;
}

} // namespace

void setSystemVolume(int percent)
{
    const pulse::Device sink = defaultOutput();
    switch (pulse::requestSinkVolume(sink.index, pulse::scaledVolume(sink, percent))) {
    case pulse::Result::Ok:
        return;
    case pulse::Result::NoServer:
        throw "CoCreateInstance"; // lost since the lookup
    default:
        throw "SetMasterVolumeLevelScalar";
    }
}

int getSystemVolume()
{
    const pulse::Device sink = defaultOutput();
    if (!pa_cvolume_valid(&sink.volume))
        throw "GetMasterVolumeLevelScalar";
    return shownPercent(sink);
}

void setMicMuteAndVolume(bool mute, float percent)
{
    pulse::Watched watched;
    if (pulse::watched(watched) != pulse::Result::Ok)
        return;
    if (const pulse::Device *microphone = windowMicrophone(watched)) {
        pulse::requestSourceMute(microphone->index, mute);
        pulse::requestSourceVolume(microphone->index, pulse::scaledVolume(*microphone, percent));
    }
}

void getMicVolume(int &percent)
{
    pulse::Watched watched;
    if (pulse::watched(watched) != pulse::Result::Ok)
        return;
    const pulse::Device *microphone = windowMicrophone(watched);
    if (microphone && pa_cvolume_valid(&microphone->volume))
        percent = shownPercent(*microphone);
}

unsigned long long systemVolumeChangeCount()
{
    return pulse::changeCount();
}

bool systemVolumeConnecting()
{
    return pulse::connecting();
}
