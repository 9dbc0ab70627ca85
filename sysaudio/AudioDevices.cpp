#include "sysaudio/AudioDevices.h"

#include <algorithm>
#include <cmath>

namespace {

template <typename Keep>
std::vector<pulse::Device> kept(std::vector<pulse::Device> devices, Keep keep)
{
    devices.erase(std::remove_if(devices.begin(), devices.end(),
                                 [&](const pulse::Device &device) { return !keep(device); }),
                  devices.end());
    return devices;
}

} // namespace

std::vector<pulse::Device> microphones()
{
    std::vector<pulse::Device> sources;
    if (pulse::listSources(sources) != pulse::Result::Ok)
        return {};
    return kept(std::move(sources), [](const pulse::Device &source) { return !source.monitor && source.available; });
}

std::vector<pulse::Device> activeOutputs(pulse::Result &result)
{
    std::vector<pulse::Device> sinks;
    result = pulse::listSinks(sinks);
    if (result != pulse::Result::Ok)
        return {};
    return kept(std::move(sinks), [](const pulse::Device &sink) { return sink.available; });
}

int shownPercent(const pulse::Device &device)
{
    return std::min(100, static_cast<int>(std::lround(pulse::devicePercent(device))));
}
