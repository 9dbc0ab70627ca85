#include "presets/SpectrumTween.h"

#include <algorithm>

int g_nSpectrumTween[kSpectrumBands][kSpectrumTweenColumns] = {};
int g_nSpectrumTweenStep = 0;

namespace {

constexpr int kPrevious = 0;
constexpr int kNewest = kSpectrumTweenColumns - 1;
constexpr int kLevelMax = 100;

unsigned char displayLevel(int level)
{
    return static_cast<unsigned char>(std::clamp(level, 0, kLevelMax));
}

// Fills the in-between columns by halving: the middle first, then the quarters,
// then the eighths, each from the two columns already known around it.
void fillInBetween(int *row)
{
    static constexpr int kOrder[][3] = {{4, 0, 8}, {2, 0, 4}, {6, 4, 8}, {1, 0, 2},
                                        {3, 2, 4}, {5, 4, 6}, {7, 6, 8}};
    for (const auto &cell : kOrder)
        row[cell[0]] = (row[cell[1]] + row[cell[2]]) / 2;
}

} // namespace

void spectrumTweenSetFrame(const unsigned char *levels, int count)
{
    g_nSpectrumTweenStep = 0;
    if (!levels)
        return;
    count = std::clamp(count, 0, kSpectrumBands);
    for (int i = 0; i < count; ++i) {
        g_nSpectrumTween[i][kPrevious] = g_nSpectrumTween[i][kNewest];
        g_nSpectrumTween[i][kNewest] = levels[i];
    }
    for (int i = 0; i < count; ++i)
        fillInBetween(g_nSpectrumTween[i]);
}

void spectrumTweenNextFrame(unsigned char *frame, int *length)
{
    const int s = g_nSpectrumTweenStep;
    for (int i = 0; i < kSpectrumBands; ++i) {
        const int level = g_nSpectrumTween[i][s];
        // The last band has no right-hand neighbour; its midpoint is its own level.
        const int next = i + 1 < kSpectrumBands ? g_nSpectrumTween[i + 1][s] : level;
        frame[2 * i] = displayLevel(level);
        frame[2 * i + 1] = displayLevel((level + next) / 2);
    }
    g_nSpectrumTweenStep = (s + 1) % kSpectrumTweenColumns;
    *length = kSpectrumFrameLength;
}

void spectrumPlotPoints(const unsigned char *frame, QVector<double> &keys, QVector<double> &values)
{
    keys.resize(kSpectrumPlotPoints);
    values.resize(kSpectrumPlotPoints);
    for (int k = 0; k < kSpectrumPlotPoints; k += 2) {
        keys[k] = k;
        keys[k + 1] = k + 1;
        values[k] = 1.0;
        values[k + 1] = frame[k / 2];
    }
}
