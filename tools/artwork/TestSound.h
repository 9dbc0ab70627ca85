// The 7.1 speaker-test sound: a short chime for each speaker position, timed to the
// sequencer's steps and panned towards the side of the speaker it announces.
#pragma once

#include <QString>

namespace art {

// Writes the sound as a 16-bit stereo PCM WAV file; false when the file cannot be written.
bool writeTestSound(const QString &path);

} // namespace art
