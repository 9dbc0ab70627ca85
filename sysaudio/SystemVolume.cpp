#include "sysaudio/SystemVolume.h"

#include "sysaudio/AudioDevices.h"

namespace {

// The default output device, or the name of the step at which finding it failed.
pulse::Device defaultOutput()
{
    std::string name;
    switch (pulse::defaultSinkName(name)) {
    case pulse::Result::Ok:
        break;
    case pulse::Result::NotFound:
        throw "GetDefaultAudioEndpoint";
    default:
        throw "CoCreateInstance";
    }
    pulse::Device sink;
    if (pulse::sinkByName(name, sink) != pulse::Result::Ok)
        throw "pDevice->Active";
    return sink;
}

} // namespace

void setSystemVolume(int percent)
{
    const pulse::Device sink = defaultOutput();
    if (pulse::setSinkVolume(sink.index, pulse::scaledVolume(sink, percent)) != pulse::Result::Ok)
        throw "SetMasterVolumeLevelScalar";
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
    for (const pulse::Device &microphone : microphones()) {
        pulse::setSourceMute(microphone.index, mute);
        pulse::setSourceVolume(microphone.index, pulse::scaledVolume(microphone, percent));
    }
}

void getMicVolume(int &percent)
{
    for (const pulse::Device &microphone : microphones()) {
        if (pa_cvolume_valid(&microphone.volume))
            percent = shownPercent(microphone);
    }
}
