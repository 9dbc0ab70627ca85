// The sound server's devices as the volume code counts them.
#pragma once

#include "platform/pulse/PulseAudio.h"

#include <vector>

// Every microphone: each capture device that is plugged in and is not the monitor of
// an output, in the server's order. Empty when the server cannot be asked.
std::vector<pulse::Device> microphones();

// Every output device that is plugged in, in the server's order; `result` tells
// whether the server could be asked.
std::vector<pulse::Device> activeOutputs(pulse::Result &result);

// A level in whole percent as the window shows it: rounded, at most 100.
int shownPercent(const pulse::Device &device);
