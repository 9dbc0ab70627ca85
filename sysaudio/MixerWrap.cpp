#include "sysaudio/MixerWrap.h"

MixerWrap::~MixerWrap() = default;
