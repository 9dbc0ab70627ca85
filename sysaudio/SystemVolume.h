// Output volume and microphone level of the desktop's sound server.
//
// The output volume is that of the default output device; the microphone is the
// headset's own capture device (the one on the headset's USB vendor id), else the
// server's default capture device, but never the monitor of an output (a server
// without a capture device makes one its default): then there is no microphone.
// Readings come from what the server last reported (no round trip) and changes are
// sent without waiting for the answer, so none of these calls keeps the caller waiting
// on the server, not even while a connection is being made: until the server has
// answered, they fail as without a server. Percent is 0..100 of the server's normal
// volume; all channels move together, so the balance between them is kept.
#pragma once

// Sets the output volume (clamped to 0..100). On failure raises the name of the step
// that failed, as a plain string: "CoCreateInstance" (no sound server, also one lost
// since the last call), "GetDefaultAudioEndpoint" (no default output),
// "pDevice->Active" (the default output could not be looked up) or
// "SetMasterVolumeLevelScalar" (the level could not be sent).
void setSystemVolume(int percent);

// The output volume rounded to the nearest percent; a level above normal reads as 100.
// Raises the same step names as setSystemVolume, "GetMasterVolumeLevelScalar" standing
// for a level that could not be read.
int getSystemVolume();

// Sets the microphone to `percent` (clamped to 0..100) and to the given mute state;
// no other capture device is touched, and without a microphone nothing is. Silent: a
// failure skips what failed.
void setMicMuteAndVolume(bool mute, float percent);

// Writes the microphone's level into `percent` (rounded, at most 100); left
// untouched when there is no microphone.
void getMicVolume(int &percent);

// A number that changes whenever what the calls above read may have changed (a change
// on the server, one sent from here, a server found or lost); cheap to ask.
unsigned long long systemVolumeChangeCount();

// True while the connection to the sound server is being made: a failure of the calls
// above is then not a lasting one, and the change count moves once the server has
// answered (or the connection has failed).
bool systemVolumeConnecting();
