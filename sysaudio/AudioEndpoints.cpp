#include "sysaudio/AudioEndpoints.h"

#include "sysaudio/AudioDevices.h"

#include <QString>

#include <cstdio>
#include <functional>

namespace {

constexpr double kMixerFullScale = 65535.0;
const QString kSpeakerWord = QStringLiteral("扬声器");

void setMicrophonesToMixerLevel(int value)
{
    const double percent = value * 100.0 / kMixerFullScale;
    for (const pulse::Device &microphone : microphones())
        pulse::setSourceVolume(microphone.index, pulse::scaledVolume(microphone, percent));
}

// Runs `apply` on every plugged-in output. The failure texts keep their literal "/n".
void forEachActiveOutput(const std::function<void(const pulse::Device &)> &apply)
{
    if (pulse::connect() != pulse::Result::Ok) {
        std::fputs("CoCreateInstance Failed!/n", stdout);
        return;
    }
    pulse::Result result = pulse::Result::Ok;
    const std::vector<pulse::Device> outputs = activeOutputs(result);
    if (result != pulse::Result::Ok) {
        std::fputs("EnumAudioEndpoints Failed!/n", stdout);
        return;
    }
    for (const pulse::Device &output : outputs)
        apply(output);
}

} // namespace

void mixerSetMicBoost(bool)
{
    // No boost control on the server: no device gets the boost, so none is muted after it.
}

void mixerSetMicMute(bool mute)
{
    for (const pulse::Device &microphone : microphones())
        pulse::setSourceMute(microphone.index, mute);
}

void mixerSetStereoMixMute(bool)
{
    // No "stereo mix" recording line exists on the server.
}

void mixerSetStereoMixVolume(int)
{
    // No "stereo mix" recording line exists on the server.
}

void mixerSetMicVolume(int value)
{
    setMicrophonesToMixerLevel(value);
}

void mixerSetMicInputVolume(int value)
{
    setMicrophonesToMixerLevel(value);
}

int mixerSelectRecordingSource(int)
{
    return pulse::connect() == pulse::Result::Ok ? 1 : 0;
}

int mixerSelectRecordingSourceByName(const std::wstring &name)
{
    std::vector<pulse::Device> sources;
    if (pulse::listSources(sources) != pulse::Result::Ok)
        return 0;
    const QString wanted = QString::fromStdWString(name);
    for (const pulse::Device &source : sources) {
        if (source.description.contains(wanted))
            return pulse::setDefaultSource(source.name) == pulse::Result::NoServer ? 0 : 1;
    }
    return 1;
}

AudioResult setMicBoostLevel(float)
{
    return kAudioNotFound;
}

AudioResult getMicBoostLevel(float &)
{
    return kAudioNotFound;
}

AudioResult getMicBoostRange(float &, float &, float &)
{
    return kAudioNotFound;
}

void getRenderEndpointsVolume(float &percent)
{
    forEachActiveOutput([&](const pulse::Device &output) {
        const double level = pulse::devicePercent(output) / 100.0;
        if (level > 0.00001)
            percent = static_cast<float>(100.0 * level + 0.5);
    });
}

void setRenderEndpointsVolume(float percent)
{
    forEachActiveOutput([&](const pulse::Device &output) {
        pulse::setSinkVolume(output.index, pulse::scaledVolume(output, percent));
    });
}

void setSpeakerMuteAndVolume(bool mute, float level)
{
    forEachActiveOutput([&](const pulse::Device &output) {
        if (!output.description.contains(kSpeakerWord))
            return;
        // The channels keep their level unless the caller asks for silence.
        if (level == 0.0f)
            pulse::setSinkVolume(output.index, pulse::scaledVolume(output, 0.0));
        pulse::setSinkMute(output.index, mute);
    });
}
