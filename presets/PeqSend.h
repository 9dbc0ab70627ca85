// State of the road from the band sliders to the headset, shared by the window's
// preset flows.
#pragma once

// The gains last taken from each page's sliders for sending, band order (30 Hz first).
extern int g_nStereoGain[10];
extern int g_nSurroundGain[10];

// 1 while the Surround page shows its speaker-test panel instead of the equaliser.
extern int g_nSurroundSoundView;

// Slider gate: a change starts a count of this many gate ticks; then the gate opens.
constexpr int kSliderGateTicks = 500;
