// Further switches and levels of the sound devices, offered beside the window's own
// volume operations and run on the caller's thread.
//
// The legacy mixer's lines map onto the sound server where the server has a twin: the
// microphone line is every microphone, the recording-source selection is the server's
// default capture device. The server has no microphone-boost control and no
// "stereo mix" recording line, so those operations change nothing, exactly as on a
// mixer that lacks the line or control.
#pragma once

#include <cstdint>
#include <string>

// Mixer switches and levels. Levels are on the mixer's 0..65535 scale.
void mixerSetMicBoost(bool on);
void mixerSetMicMute(bool mute);
void mixerSetStereoMixMute(bool mute);
void mixerSetStereoMixVolume(int value);
void mixerSetMicVolume(int value);
void mixerSetMicInputVolume(int value);

// Recording-source selection: 1 when done (or nothing to select), 0 when the server
// could not be asked. By line id or component type there is nothing to match here; by
// name, the first capture device whose description contains `name` becomes the default.
int mixerSelectRecordingSource(int lineIdOrType);
int mixerSelectRecordingSourceByName(const std::wstring &name);

// Microphone-boost level in dB. Result codes follow the COM convention (0 success,
// negative failure); without a boost control every call fails with kAudioNotFound and
// leaves its arguments untouched.
using AudioResult = int32_t;
constexpr AudioResult kAudioOk = 0;
constexpr AudioResult kAudioNotFound = INT32_C(-2147467259);  // 0x80004005, "unspecified failure"
AudioResult setMicBoostLevel(float dB);
AudioResult getMicBoostLevel(float &dB);
AudioResult getMicBoostRange(float &minimumDb, float &maximumDb, float &stepDb);

// Every plugged-in output device: the level read (100 x level + 0.5, as a real number;
// the last device not at 0 wins, the value is left alone when all are at 0), the level
// set (percent clamped to 0..100), and the mute (with the level brought to 0 when
// `level` is 0) of those whose description contains "扬声器".
void getRenderEndpointsVolume(float &percent);
void setRenderEndpointsVolume(float percent);
void setSpeakerMuteAndVolume(bool mute, float level);
