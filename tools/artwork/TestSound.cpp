#include "TestSound.h"

#include <QByteArray>
#include <QFile>
#include <QtMath>

namespace art {

namespace {

constexpr int kRate = 22050;
constexpr int kChannels = 2;
constexpr double kLength = 14.2; // seconds; the walk's last step comes at 13.9 s

// One position of the walk: when its step begins, its pan (0 left, 1 right) and the
// note its chime starts on. Rear speakers sound a little softer.
struct Cue {
    double start;
    double pan;
    double note;
    double level;
};

// The sequencer's steps fall at 1.0, 2.6, 4.5, 6.2, 8.1, 9.8 and 11.6 s: front left, centre,
// front right, right, rear right, rear left, left. The notes climb a pentatonic scale.
const Cue kCues[] = {
    {1.0, 0.15, 523.25, 1.0}, {2.6, 0.5, 587.33, 1.0},  {4.5, 0.85, 659.25, 1.0}, {6.2, 1.0, 783.99, 1.0},
    {8.1, 0.8, 880.00, 0.75}, {9.8, 0.2, 1046.50, 0.75}, {11.6, 0.0, 1174.66, 1.0},
};

// A soft bell: a sine with a little second and third partial and an exponential decay.
double bell(double frequency, double t)
{
    if (t < 0)
        return 0;
    const double attack = qMin(1.0, t / 0.005);
    const double w = 2 * M_PI * frequency * t;
    return attack * qExp(-4.5 * t) * (qSin(w) + 0.3 * qSin(2 * w) * qExp(-3 * t) + 0.12 * qSin(3 * w) * qExp(-6 * t));
}

// Three notes rising by a major third and a fifth, a fifth of a second apart.
double chime(double base, double t)
{
    return bell(base, t) + 0.8 * bell(base * 1.25, t - 0.2) + 0.7 * bell(base * 1.5, t - 0.4);
}

void put(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

QByteArray waveHeader(quint32 dataBytes)
{
    QByteArray h;
    h.append("RIFF");
    put(h, 36 + dataBytes, 4);
    h.append("WAVEfmt ");
    put(h, 16, 4);                          // format chunk size
    put(h, 1, 2);                           // PCM
    put(h, kChannels, 2);
    put(h, kRate, 4);
    put(h, kRate * kChannels * 2, 4);       // bytes per second
    put(h, kChannels * 2, 2);               // bytes per frame
    put(h, 16, 2);                          // bits per sample
    h.append("data");
    put(h, dataBytes, 4);
    return h;
}

} // namespace

bool writeTestSound(const QString &path)
{
    const int frames = int(kLength * kRate);
    QByteArray pcm;
    pcm.reserve(frames * kChannels * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / kRate;
        double left = 0, right = 0;
        for (const Cue &cue : kCues) {
            const double s = chime(cue.note, t - cue.start) * cue.level * 0.28;
            // Equal-power pan keeps the loudness steady as the sound walks round.
            left += s * qCos(cue.pan * M_PI / 2);
            right += s * qSin(cue.pan * M_PI / 2);
        }
        const double fade = qMin(1.0, (kLength - t) / 0.2);
        for (double v : {left * fade, right * fade}) {
            const qint16 sample = qint16(qBound(-32767.0, v * 32767.0, 32767.0));
            put(pcm, quint16(sample), 2);
        }
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray header = waveHeader(quint32(pcm.size()));
    return file.write(header) == header.size() && file.write(pcm) == pcm.size();
}

} // namespace art
