// Output volume and microphone level of the desktop's sound server.
//
// The output volume is that of the default output device; the microphones are every
// capture device that is in use (plugged in) and is not the monitor of an output.
// Percent is 0..100 of the server's normal volume; all channels move together, so
// the balance between them is kept.
#pragma once

// Sets the output volume (clamped to 0..100). On failure raises the name of the step
// that failed, as a plain string: "CoCreateInstance" (no sound server),
// "GetDefaultAudioEndpoint" (no default output), "pDevice->Active" (the default output
// could not be looked up) or "SetMasterVolumeLevelScalar" (the server refused the level).
void setSystemVolume(int percent);

// The output volume rounded to the nearest percent; a level above normal reads as 100.
// Raises the same step names as setSystemVolume, "GetMasterVolumeLevelScalar" standing
// for a level that could not be read.
int getSystemVolume();

// Sets every microphone to `percent` (clamped to 0..100) and to the given mute state.
// Silent: a failure skips what failed.
void setMicMuteAndVolume(bool mute, float percent);

// Writes the level of each microphone into `percent` in turn (rounded, at most 100),
// so the last one in the server's order wins; left untouched when there is none.
void getMicVolume(int &percent);
