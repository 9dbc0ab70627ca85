// The fixed look of the window's plots: the two equaliser plots (background picture
// and axes, no data) and the level plot (one spike graph on a dark ground).
#pragma once

#include <QBrush>

class QCustomPlot;

// How the two equaliser plots differ: only the value axis.
struct EqualiserPlotStyle {
    bool valueGridVisible; // the value axis keeps its grid lines
    bool valueAxisStyled;  // white tick labels and grey axis, tick and sub-tick pens
};

constexpr EqualiserPlotStyle kStereoPlotStyle{false, false};
constexpr EqualiserPlotStyle kSurroundPlotStyle{true, true};

// The uniform dark ground of every plot, built from a one-stop gradient.
QBrush plotBackgroundBrush();

void setUpEqualiserPlot(QCustomPlot *plot, const QBrush &background, const EqualiserPlotStyle &style);
void setUpLevelPlot(QCustomPlot *plot, const QBrush &background);
