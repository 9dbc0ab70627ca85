// The level display's tween and frames, and the fixed look of the plots.
#include "presets/PlotLook.h"
#include "presets/SpectrumTween.h"

#include "TestEnv.h"

#include <qcustomplot.h>

#include <QtTest>

#include <array>
#include <cstring>

namespace {

using Frame = std::array<unsigned char, kSpectrumFrameSize>;

void clearTween()
{
    std::memset(g_nSpectrumTween, 0, sizeof g_nSpectrumTween);
    g_nSpectrumTweenStep = 0;
}

Frame nextFrame()
{
    Frame frame{};
    int length = -1;
    spectrumTweenNextFrame(frame.data(), &length);
    if (length != kSpectrumFrameLength)
        qWarning("frame length %d", length);
    return frame;
}

void setAll(unsigned char level, int count = kSpectrumBands)
{
    std::array<unsigned char, kSpectrumBands> levels;
    levels.fill(level);
    spectrumTweenSetFrame(levels.data(), count);
}

} // namespace

class TestPlots : public QObject
{
    Q_OBJECT
public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void init() { clearTween(); }

    void tweenFillsEveryStepFromTheZeroTable()
    {
        setAll(100);
        const int expected[kSpectrumTweenColumns] = {0, 12, 25, 37, 50, 62, 75, 87, 100};
        for (int i = 0; i < kSpectrumBands; ++i)
            for (int c = 0; c < kSpectrumTweenColumns; ++c)
                QCOMPARE(g_nSpectrumTween[i][c], expected[c]);
        // The next set starts from the newest levels of the last one.
        setAll(0);
        QCOMPARE(g_nSpectrumTween[3][0], 100);
        QCOMPARE(g_nSpectrumTween[3][4], 50);
        QCOMPARE(g_nSpectrumTween[3][8], 0);
    }

    void framesWalkNineStepsThenRepeat()
    {
        setAll(100);
        QList<Frame> frames;
        for (int n = 0; n < 10; ++n)
            frames << nextFrame();
        const int expected[kSpectrumTweenColumns] = {0, 12, 25, 37, 50, 62, 75, 87, 100};
        for (int n = 0; n < 9; ++n) {
            QCOMPARE(int(frames[n][0]), expected[n]);
            QCOMPARE(int(frames[n][1]), expected[n]);   // midpoint of two equal bands
            QCOMPARE(int(frames[n][112]), expected[n]); // band 56
            QCOMPARE(int(frames[n][113]), expected[n]); // after the last band: its own level
            QCOMPARE(int(frames[n][114]), 0);           // left as the caller cleared it
        }
        QCOMPARE(frames[9], frames[0]);
        QCOMPARE(g_nSpectrumTweenStep, 1);
    }

    void levelsAboveTheScaleAreCappedInTheFrameOnly()
    {
        std::array<unsigned char, kSpectrumBands> levels{};
        levels[0] = 200;
        levels[1] = 100;
        spectrumTweenSetFrame(levels.data(), kSpectrumBands);
        QCOMPARE(g_nSpectrumTween[0][8], 200);
        for (int n = 0; n < 8; ++n)
            nextFrame();
        const Frame last = nextFrame(); // step 8: the newest levels
        QCOMPARE(int(last[0]), 100);    // 200 written as 100
        QCOMPARE(int(last[1]), 100);    // midpoint 150 written as 100
        QCOMPARE(int(last[2]), 100);
        QCOMPARE(int(last[3]), 50);
    }

    void partialSetTouchesOnlyItsBandsAndRestartsTheWalk()
    {
        setAll(40);
        nextFrame();
        nextFrame();
        setAll(80, 10);
        QCOMPARE(g_nSpectrumTweenStep, 0);
        QCOMPARE(g_nSpectrumTween[9][8], 80);
        QCOMPARE(g_nSpectrumTween[9][0], 40);
        QCOMPARE(g_nSpectrumTween[10][8], 40);
        QCOMPARE(g_nSpectrumTween[10][0], 0);
    }

    void oversizedOrMissingLevelsAreRefused()
    {
        // More levels than the table has rows: only the 57 bands are taken.
        std::array<unsigned char, 4 * kSpectrumBands> many;
        many.fill(60);
        spectrumTweenSetFrame(many.data(), int(many.size()));
        QCOMPARE(g_nSpectrumTween[kSpectrumBands - 1][8], 60);
        spectrumTweenSetFrame(many.data(), -5);
        spectrumTweenSetFrame(nullptr, 10);
        QCOMPARE(g_nSpectrumTween[0][8], 60);
        QCOMPARE(g_nSpectrumTweenStep, 0);
    }

    void plotPointsStandEachByteAsASpike()
    {
        Frame frame{};
        frame[0] = 7;
        frame[114] = 9;
        QVector<double> keys, values;
        spectrumPlotPoints(frame.data(), keys, values);
        QCOMPARE(keys.size(), kSpectrumPlotPoints);
        QCOMPARE(values.size(), kSpectrumPlotPoints);
        for (int k = 0; k < kSpectrumPlotPoints; ++k)
            QCOMPARE(keys[k], double(k));
        QCOMPARE(values[0], 1.0);
        QCOMPARE(values[1], 7.0);
        QCOMPARE(values[2], 1.0);
        QCOMPARE(values[3], 0.0);
        QCOMPARE(values[229], 9.0);
    }

    void equaliserPlotsShowAxesOnAPicture()
    {
        QCustomPlot stereo, surround, pristine;
        setUpEqualiserPlot(&stereo, plotBackgroundBrush(), kStereoPlotStyle);
        setUpEqualiserPlot(&surround, plotBackgroundBrush(), kSurroundPlotStyle);
        const QCPAxis &defaults = *pristine.yAxis;
        for (QCustomPlot *plot : {&stereo, &surround}) {
            QCOMPARE(plot->graphCount(), 0);
            QCOMPARE(plot->legend->brush(), QBrush(QColor(255, 255, 255, 0), Qt::SolidPattern));
            QCOMPARE(plot->axisRect()->backgroundScaledMode(), Qt::KeepAspectRatioByExpanding);
            QCOMPARE(plot->axisRect()->background().size(),
                     QPixmap(QStringLiteral(":/controls/pic/control/background.png")).size());
            QCOMPARE(plot->xAxis->range(), QCPRange(0, 10));
            QVERIFY(!plot->xAxis->ticks());
            QVERIFY(!plot->xAxis->grid()->visible());
            QCOMPARE(plot->xAxis->basePen(), QPen(QColor(120, 120, 120)));
            QCOMPARE(plot->xAxis->tickPen(), QPen(QColor(120, 120, 120)));
            QCOMPARE(plot->xAxis->subTickPen(), QPen(QColor(120, 120, 120)));
            QCOMPARE(plot->xAxis->padding(), 30);
            QCOMPARE(plot->yAxis->range(), QCPRange(-12.7, 12.5));
            QCOMPARE(plot->yAxis->tickLabelSide(), QCPAxis::lsOutside);
            QCOMPARE(plot->yAxis->tickLengthIn(), 0);
            QCOMPARE(plot->yAxis->tickLengthOut(), 5);
            QCOMPARE(plot->yAxis->subTickLengthIn(), 0);
            QCOMPARE(plot->yAxis->subTickLengthOut(), 2);
            QCOMPARE(plot->yAxis->tickLabelPadding(), 5);
            QCOMPARE(plot->yAxis->padding(), 20);
        }
        // Only the Surround plot's value axis is styled and keeps its grid.
        QVERIFY(!stereo.yAxis->grid()->visible());
        QCOMPARE(stereo.yAxis->tickLabelColor(), defaults.tickLabelColor());
        QCOMPARE(stereo.yAxis->basePen(), defaults.basePen());
        QVERIFY(surround.yAxis->grid()->visible());
        QCOMPARE(surround.yAxis->tickLabelColor(), QColor(Qt::white));
        QCOMPARE(surround.yAxis->basePen(), QPen(QColor(120, 120, 120)));
        QCOMPARE(surround.yAxis->tickPen(), QPen(QColor(120, 120, 120)));
        QCOMPARE(surround.yAxis->subTickPen(), QPen(QColor(120, 120, 120)));
    }

    void levelPlotHasOneSpikeGraph()
    {
        QCustomPlot level;
        setUpLevelPlot(&level, plotBackgroundBrush());
        QCOMPARE(level.xAxis->range(), QCPRange(0, 230));
        QVERIFY(!level.xAxis->ticks());
        QVERIFY(!level.xAxis->grid()->visible());
        QCOMPARE(level.xAxis->basePen(), QPen(QColor(13, 10, 42)));
        QCOMPARE(level.xAxis->tickLengthIn(), 0);
        QCOMPARE(level.xAxis->subTickLengthIn(), 0);
        QCOMPARE(level.yAxis->range(), QCPRange(0, 100));
        QVERIFY(!level.yAxis->grid()->visible());
        QVERIFY(!level.yAxis->visible());
        QVERIFY(level.axisRect()->background().isNull());
        QCOMPARE(level.graphCount(), 1);
        QCOMPARE(level.graph(0)->pen(), QPen(QColor(72, 42, 142)));
        QCOMPARE(level.graph(0)->brush(), QBrush(QColor(11, 213, 234), Qt::SolidPattern));
        QCOMPARE(level.graph(0)->name(), QStringLiteral("test1"));
        QCOMPARE(level.graph(0)->dataCount(), 0);
    }

    void backgroundIsUniformDarkGrey()
    {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        QPainter(&image).fillRect(image.rect(), plotBackgroundBrush());
        QCOMPARE(image.pixelColor(7, 7), QColor(30, 30, 30));
        QCOMPARE(image.pixelColor(0, 0), QColor(30, 30, 30));
    }
};

QTEST_MAIN(TestPlots)
#include "test_plots.moc"
