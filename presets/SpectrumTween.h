// The level display: each new set of band levels becomes nine display frames that
// step from the previous levels to the new ones, and a frame becomes the points
// the level plot draws. GUI thread only.
#pragma once

#include <QVector>

constexpr int kSpectrumBands = 57;          // rows of the tween table, one per band
constexpr int kSpectrumTweenColumns = 9;    // previous level, seven steps, newest level
constexpr int kSpectrumFrameSize = 115;     // bytes of one display frame
constexpr int kSpectrumFrameLength = 114;   // bytes the frame builder reports as written
constexpr int kSpectrumPlotPoints = 230;    // points the level plot draws per frame

extern int g_nSpectrumTween[kSpectrumBands][kSpectrumTweenColumns];
extern int g_nSpectrumTweenStep;

// Takes new levels for bands 0 to count - 1 and starts the walk over at step 0.
// Levels beyond the table's 57 bands are ignored.
void spectrumTweenSetFrame(const unsigned char *levels, int count);

// Writes the display frame of the current step into the caller-cleared 115-byte
// buffer, sets length to 114 and advances the step (8 wraps to 0).
void spectrumTweenNextFrame(unsigned char *frame, int *length);

// The level plot's points for one 115-byte frame: keys 0 to 229, every even key at
// 1.0 and every odd key 2i + 1 at frame byte i, so each byte stands as a spike.
void spectrumPlotPoints(const unsigned char *frame, QVector<double> &keys, QVector<double> &values);
