// The artwork as the program finds it: every picture the window and its controllers name
// resolves in the compiled-in resources, loads, and has the size of the place it fills;
// the headset pictures and the test sound lie beside the program.
#include "TestEnv.h"

#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QMovie>
#include <QTabBar>
#include <QTabWidget>
#include <QtEndian>
#include <QtMath>
#include <QtTest>

namespace {

// Resource path and the size of the widget (or icon size) that shows it.
struct NamedPicture {
    const char *path; // UTF-8, exactly as the form and the controllers write it
    int width;
    int height;
};

const NamedPicture kPictures[] = {
    // Window and title bar.
    {":/Tonewright/pic/FX.png", 781, 641},
    {":/controls/pic/control/background.png", 1221, 735},
    {":/controls/pic/control/minimize-hui.png", 40, 40},
    {":/controls/pic/control/minimize.png", 40, 40},
    {":/controls/pic/control/close.png", 40, 40},
    {":/controls/pic/control/big_hui.png", 21, 21},
    {":/controls/pic/control/big.png", 21, 21},
    {":/controls/pic/control/Microphone.png", 20, 27},
    {":/fx/pic/fx/guanbi-灰色.png", 40, 40},
    {":/fx/pic/fx/guanbi-白色.png", 40, 40},
    {":/fx/pic/fx/fanhui-白色.png", 26, 26},
    {":/fx/pic/fx/fanhui-深灰.png", 26, 26},
    {":/fx/pic/fx/moorvale-hui.png", 442, 72},
    {":/fx/pic/fx/main_2.png", 1176, 733},
    {":/fx/pic/fx/shanchu-白色.png", 50, 50},
    // Sliders, separators and preset lists.
    {":/controls/pic/control/button.png", 16, 16},
    {":/controls/pic/control/white.png", 260, 1},
    {":/controls/pic/control/radiobutton.png", 20, 20},
    {":/png/pic/png/11111.png", 591, 371},
    {":/png/pic/png/add.png", 20, 20},
    {":/png/pic/png/check.png", 22, 22},
    {":/png/pic/png/add-hui.png", 20, 20},
    {":/png/pic/png/check-hui.png", 22, 22},
    {":/png/pic/png/del.png", 16, 16},
    {":/fx/pic/fx/top.png", 18, 9},
    {":/fx/pic/fx/bottom.png", 18, 9},
    {":/fx/pic/fx/left-白色.png", 9, 18},
    {":/fx/pic/fx/jiantou-白色.png", 9, 18},
    {":/fx/pic/fx/laba-白色.png", 21, 16},
    {":/fx/pic/fx/hui_mai.png", 12, 16},
    // Headset pictures.
    {":/headset/pic/headset/61350_main_no.png", 442, 510},
    {":/headset/pic/headset/61350_main_ac.png", 442, 510},
    {":/headset/pic/headset/61351_main_no.png", 442, 510},
    {":/headset/pic/headset/61351_main_ac.png", 442, 510},
    {":/headset/pic/headset/7728.png", 781, 641},
    {":/headset/pic/headset/main_headset.png", 1221, 735},
    // West tab icons (icon size 45 x 87).
    {":/min/pic/min/game-hui.png", 45, 87},
    {":/min/pic/min/game.png", 45, 87},
    {":/min/pic/min/ear.png", 45, 87},
    {":/min/pic/min/ear-bai.png", 45, 87},
    {":/min/pic/min/maikefeng.png", 45, 87},
    {":/min/pic/min/maikefeng-bai.png", 45, 87},
    {":/min/pic/min/sun.png", 45, 87},
    {":/min/pic/min/sun-bai.png", 45, 87},
    // Speaker test: the listener, the seven positions at rest and their animations.
    {":/png/pic/png/head.png", 330, 330},
    {":/gif/pic/gif/PersonHead1.gif", 330, 330},
    {":/png/pic/png/左上.png", 30, 30},
    {":/png/pic/png/上.png", 30, 30},
    {":/png/pic/png/右上.png", 30, 30},
    {":/png/pic/png/右.png", 30, 30},
    {":/png/pic/png/右下.png", 30, 30},
    {":/png/pic/png/左下.png", 30, 30},
    {":/png/pic/png/左.png", 30, 30},
    {":/gif/pic/gif/左上.gif", 30, 30},
    {":/gif/pic/gif/上.gif", 30, 30},
    {":/gif/pic/gif/右上.gif", 30, 30},
    {":/gif/pic/gif/右.gif", 30, 30},
    {":/gif/pic/gif/右下.gif", 30, 30},
    {":/gif/pic/gif/左下.gif", 30, 30},
    {":/gif/pic/gif/左.gif", 30, 30},
};

const char kWindowIcon[] = ":/Tonewright/pic/bb.ico";

// The sequencer's steps (ticks of 10 ms) and which side each position's speaker is on:
// -1 left, 0 centre, +1 right.
struct Step {
    double start;
    int side;
};
const Step kSteps[] = {{1.0, -1}, {2.6, 0}, {4.5, +1}, {6.2, +1}, {8.1, +1}, {9.8, -1}, {11.6, -1}};

struct Pcm {
    int rate = 0;
    int channels = 0;
    int bits = 0;
    QByteArray samples;

    double seconds() const { return double(samples.size()) / (rate * channels * bits / 8); }

    // Root mean square of one channel (0 left, 1 right) over [from, to) seconds, 0 to 1.
    double rms(int channel, double from, double to) const
    {
        const int frameBytes = channels * 2;
        const int first = int(from * rate), last = qMin(int(to * rate), samples.size() / frameBytes);
        double sum = 0;
        for (int i = first; i < last; ++i) {
            const auto *at = reinterpret_cast<const uchar *>(samples.constData() + i * frameBytes + channel * 2);
            const double v = qFromLittleEndian<qint16>(at) / 32768.0;
            sum += v * v;
        }
        return last > first ? qSqrt(sum / (last - first)) : 0;
    }
};

// Reads a RIFF WAVE file of 16-bit PCM; fails the test on anything else.
Pcm readWave(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    Pcm pcm;
    if (all.size() < 12 || !all.startsWith("RIFF") || all.mid(8, 4) != "WAVE")
        return pcm;
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(all.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(all.constData() + at); };
    if (u32(4) != quint32(all.size() - 8))
        return pcm; // the RIFF size must cover the whole file
    for (int at = 12; at + 8 <= all.size();) {
        const QByteArray id = all.mid(at, 4);
        const quint32 size = u32(at + 4);
        if (size > quint32(all.size() - at - 8))
            return Pcm{};
        if (id == "fmt " && size >= 16 && u16(at + 8) == 1) {
            pcm.channels = u16(at + 10);
            pcm.rate = int(u32(at + 12));
            pcm.bits = u16(at + 22);
        } else if (id == "data") {
            pcm.samples = all.mid(at + 8, int(size));
        }
        at += 8 + int(size) + int(size & 1);
    }
    return pcm;
}

// Vertical extent of the bright pixels in the columns [from, to) of an image.
int inkHeight(const QImage &image, int from, int to)
{
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < to; ++x)
            if (qGray(image.pixel(x, y)) > 60) {
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
    return bottom < top ? 0 : bottom - top + 1;
}

// Bounding box of the bright pixels.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 60)
                box |= QRect(x, y, 1, 1);
    return box;
}

QString besideProgram(const char *relative)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(relative);
}

} // namespace

class TestArtworkResources : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void namedPictureLoads_data();
    void namedPictureLoads();
    void windowIconHoldsSeveralSizes();
    void westTabIconStandsUpright_data();
    void westTabIconStandsUpright();
    void headsetPhotosBesideProgram_data();
    void headsetPhotosBesideProgram();
    void testSoundFollowsTheSpeakerWalk();
};

void TestArtworkResources::namedPictureLoads_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    for (const NamedPicture &p : kPictures)
        QTest::newRow(p.path) << QString::fromUtf8(p.path) << QSize(p.width, p.height);
}

void TestArtworkResources::namedPictureLoads()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QVERIFY2(QFile::exists(path), qPrintable(path));
    if (path.endsWith(QLatin1String(".gif"))) {
        QMovie movie(path);
        QVERIFY(movie.isValid());
        QVERIFY2(movie.frameCount() > 1, "an animation needs more than one frame");
        QVERIFY(movie.jumpToFrame(0));
        QCOMPARE(movie.currentImage().size(), size);
        // Every frame carries a delay, or a player would race through the animation.
        QImageReader frames(path);
        for (int i = 0; i < movie.frameCount(); ++i) {
            QVERIFY(!frames.read().isNull());
            QVERIFY(frames.nextImageDelay() > 0);
        }
        return;
    }
    QImageReader reader(path);
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void TestArtworkResources::windowIconHoldsSeveralSizes()
{
    // The title bar and the tray ask for small sizes, a task switcher for large ones.
    QImageReader reader(QString::fromLatin1(kWindowIcon));
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QSet<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), image.height());
        sides.insert(image.width());
    }
    for (int side : {16, 32, 48, 256})
        QVERIFY2(sides.contains(side), qPrintable(QStringLiteral("no %1 px image").arg(side)));
}

void TestArtworkResources::westTabIconStandsUpright_data()
{
    QTest::addColumn<QString>("path");
    for (const char *name : {"game-hui", "game", "ear", "ear-bai", "maikefeng", "maikefeng-bai"})
        QTest::newRow(name) << QStringLiteral(":/min/pic/min/%1.png").arg(QLatin1String(name));
}

void TestArtworkResources::westTabIconStandsUpright()
{
    // The west tab bar turns its icons a quarter anticlockwise: on screen each icon must
    // read upright, its glyph on the left and its shorter caption on the right.
    QFETCH(QString, path);
    QTabWidget tabs;
    tabs.setStyleSheet(QStringLiteral("QTabBar::tab { background-color: black; }"));
    tabs.setTabPosition(QTabWidget::West);
    tabs.setIconSize(QSize(45, 87));
    tabs.addTab(new QWidget, QIcon(path), QString());
    tabs.resize(400, 300);
    tabs.show();
    const QImage shot = tabs.tabBar()->grab(tabs.tabBar()->tabRect(0)).toImage();
    const QRect ink = inkBox(shot);
    QVERIFY(ink.isValid());
    QVERIFY2(ink.width() > ink.height(), "the icon stands on its side");
    const int third = ink.width() / 3;
    const int glyph = inkHeight(shot, ink.left(), ink.left() + third);
    const int caption = inkHeight(shot, ink.right() + 1 - third, ink.right() + 1);
    QVERIFY2(glyph > caption, "the icon is upside down");
}

void TestArtworkResources::headsetPhotosBesideProgram_data()
{
    QTest::addColumn<QString>("path");
    // Named by the product ids that the headset link opens, as "%04x".
    QTest::newRow("0411") << besideProgram("photo/0411.png");
    QTest::newRow("0412") << besideProgram("photo/0412.png");
}

void TestArtworkResources::headsetPhotosBesideProgram()
{
    QFETCH(QString, path);
    QImageReader reader(path);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
    QCOMPARE(image.size(), QSize(781, 641)); // the microphone page's picture area
}

void TestArtworkResources::testSoundFollowsTheSpeakerWalk()
{
    const Pcm pcm = readWave(besideProgram("audio/test.wav"));
    QCOMPARE(pcm.channels, 2);
    QCOMPARE(pcm.bits, 16);
    QVERIFY(pcm.rate >= 8000);
    // The walk ends at 13.9 s; the sound lasts until then and not much longer.
    QVERIFY2(pcm.seconds() >= 13.9 && pcm.seconds() <= 15.0, qPrintable(QString::number(pcm.seconds())));
    QVERIFY(pcm.rms(0, 0, 0.9) < 0.001 && pcm.rms(1, 0, 0.9) < 0.001); // quiet until the first step

    for (const Step &step : kSteps) {
        const double left = pcm.rms(0, step.start, step.start + 0.6);
        const double right = pcm.rms(1, step.start, step.start + 0.6);
        const QByteArray where = QByteArray::number(step.start);
        QVERIFY2(qMax(left, right) > 0.05, where.constData()); // each step is heard
        QVERIFY2(qMax(left, right) < 0.99, where.constData()); // and does not clip
        if (step.side < 0)
            QVERIFY2(left > 1.5 * right, where.constData());
        else if (step.side > 0)
            QVERIFY2(right > 1.5 * left, where.constData());
        else
            QVERIFY2(qAbs(left - right) < 0.1 * left, where.constData());
    }
}

QTEST_MAIN(TestArtworkResources)
#include "test_artwork_resources.moc"
