#include "presets/PlotLook.h"

#include <qcustomplot.h>

#include <QLinearGradient>

namespace {

const QColor kAxisGrey(120, 120, 120);
const QColor kLevelAxis(13, 10, 42);
const QColor kLevelPen(72, 42, 142);
const QColor kLevelFill(11, 213, 234);
const QString kEqualiserBackground = QStringLiteral(":/controls/pic/control/background.png");

void setTransparentLegend(QCustomPlot *plot)
{
    plot->legend->setBrush(QBrush(QColor(255, 255, 255, 0), Qt::SolidPattern));
}

void setAxisPens(QCPAxis *axis, const QColor &colour)
{
    axis->setBasePen(QPen(colour));
    axis->setTickPen(QPen(colour));
    axis->setSubTickPen(QPen(colour));
}

} // namespace

QBrush plotBackgroundBrush()
{
    QLinearGradient gradient;
    gradient.setStart(0, 0);
    gradient.setColorAt(0, QColor(30, 30, 30));
    return QBrush(gradient);
}

void setUpEqualiserPlot(QCustomPlot *plot, const QBrush &background, const EqualiserPlotStyle &style)
{
    plot->setBackground(background);
    setTransparentLegend(plot);
    plot->axisRect()->setBackgroundScaledMode(Qt::KeepAspectRatioByExpanding);
    plot->axisRect()->setBackground(QPixmap(kEqualiserBackground));

    QCPAxis *x = plot->xAxis;
    x->setRange(0, 10);
    x->setTicks(false);
    x->grid()->setVisible(false);
    setAxisPens(x, kAxisGrey);
    x->setPadding(30);

    QCPAxis *y = plot->yAxis;
    y->setRange(-12.7, 12.5);
    y->setTickLabelSide(QCPAxis::lsOutside);
    y->setTickLengthIn(0);
    y->setTickLengthOut(5);
    y->setSubTickLengthIn(0);
    y->setSubTickLengthOut(2);
    y->setTickLabelPadding(5);
    y->setPadding(20);
    y->grid()->setVisible(style.valueGridVisible);
    if (style.valueAxisStyled) {
        y->setTickLabelColor(Qt::white);
        setAxisPens(y, kAxisGrey);
    }
}

void setUpLevelPlot(QCustomPlot *plot, const QBrush &background)
{
    plot->setBackground(background);
    setTransparentLegend(plot);

    QCPAxis *x = plot->xAxis;
    x->setRange(0, 230);
    x->setTicks(false);
    x->setBasePen(QPen(kLevelAxis));
    x->setPadding(30);
    x->setTickLengthIn(0);
    x->setSubTickLengthIn(0);
    x->grid()->setVisible(false);

    QCPAxis *y = plot->yAxis;
    y->setRange(0, 100);
    y->grid()->setVisible(false);
    y->setVisible(false);

    QCPGraph *graph = plot->addGraph(plot->xAxis, plot->yAxis);
    graph->setPen(QPen(kLevelPen));
    graph->setBrush(QBrush(kLevelFill, Qt::SolidPattern));
    graph->setName(QStringLiteral("test1"));
}
