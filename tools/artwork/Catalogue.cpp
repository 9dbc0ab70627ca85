#include "Catalogue.h"

#include "Glyphs.h"
#include "Palette.h"
#include "Scenes.h"

#include <QFont>
#include <QLinearGradient>
#include <QtMath>

namespace art {

namespace {

using Glyph = void (*)(QPainter &, const QRectF &, const QColor &);

QRectF whole(const QSize &size)
{
    return QRectF(QPointF(0, 0), QSizeF(size));
}

Artwork still(const QString &prefix, const QString &name, const QString &file, QSize size, Painter paint)
{
    return Artwork{prefix, name, file, size, Kind::Picture, std::move(paint)};
}

// A still whose file name is its resource name.
Artwork still(const QString &prefix, const QString &name, QSize size, Painter paint)
{
    return still(prefix, name, name, size, std::move(paint));
}

// A one-colour glyph filling the picture, with an optional inset.
Painter glyph(Glyph draw, QColor colour, qreal inset = 0)
{
    return [draw, colour, inset](QPainter &p, const QSize &size, qreal) {
        draw(p, whole(size).adjusted(inset, inset, -inset, -inset), colour);
    };
}

Painter chevron(qreal angle, QColor colour)
{
    return [angle, colour](QPainter &p, const QSize &size, qreal) {
        drawChevron(p, whole(size).adjusted(1, 1, -1, -1), angle, colour, 1.8);
    };
}

// The red square behind the hover state of the close button.
Painter closeHover()
{
    return [](QPainter &p, const QSize &size, qreal) {
        p.fillRect(whole(size), kAccent);
        drawCross(p, whole(size), kWhite);
    };
}

Painter headsetScene(QColor accent, bool lit, bool boom)
{
    return [accent, lit, boom](QPainter &p, const QSize &size, qreal) {
        drawHeadset(p, whole(size).adjusted(8, 8, -8, -8), accent, lit, boom);
    };
}

Painter backdrop(bool titleStrip, QPointF glow)
{
    return [titleStrip, glow](QPainter &p, const QSize &size, qreal) { drawBackdrop(p, size, titleStrip, glow); };
}

// A west tab icon: the glyph and a short caption side by side, as the tab shows them.
Artwork tabIcon(const QString &name, Glyph draw, const QString &caption, QColor colour)
{
    Painter paint = [draw, caption, colour](QPainter &p, const QSize &upright, qreal) {
        const qreal h = upright.height();
        const QRectF mark(4, 4, h - 8, h - 8);
        if (caption.isEmpty()) {
            draw(p, QRectF((upright.width() - mark.width()) / 2, 4, mark.width(), mark.height()), colour);
            return;
        }
        draw(p, mark, colour);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(14);
        font.setBold(true);
        p.setFont(font);
        p.setPen(colour);
        p.drawText(QRectF(h - 2, 0, upright.width() - h + 2, h), Qt::AlignCenter, caption);
    };
    return Artwork{QStringLiteral("/min"), QStringLiteral("pic/min/") + name, QStringLiteral("pic/min/") + name,
                   QSize(45, 87), Kind::TabIcon, paint};
}

// The seven speaker positions of the 7.1 test: resource stem, file stem, and the direction
// each speaker faces (towards the listener in the middle of the ring).
struct SpeakerPosition {
    const char *resourceStem; // UTF-8
    const char *fileStem;
    qreal facing;
};

const SpeakerPosition kSpeakers[] = {
    {"左上", "front-left", 45},   {"上", "centre", 90},        {"右上", "front-right", 135},
    {"右", "right", 180},          {"右下", "rear-right", 225}, {"左下", "rear-left", 315},
    {"左", "left", 0},
};

void addSpeakers(QVector<Artwork> &out)
{
    for (const SpeakerPosition &s : kSpeakers) {
        const QString stem = QString::fromUtf8(s.resourceStem);
        const QString file = QString::fromLatin1(s.fileStem);
        const qreal facing = s.facing;
        out.append(still(QStringLiteral("/png"), QStringLiteral("pic/png/") + stem + QStringLiteral(".png"),
                         QStringLiteral("pic/png/speaker-") + file + QStringLiteral(".png"), QSize(30, 30),
                         [facing](QPainter &p, const QSize &size, qreal) {
                             drawSpeakerBadge(p, whole(size), facing, 0, 0);
                         }));
        Artwork pulse{QStringLiteral("/gif"), QStringLiteral("pic/gif/") + stem + QStringLiteral(".gif"),
                      QStringLiteral("pic/gif/speaker-") + file + QStringLiteral(".gif"), QSize(30, 30),
                      Kind::Animation, [facing](QPainter &p, const QSize &size, qreal phase) {
                          const qreal glow = 0.6 + 0.4 * qSin(phase * 2 * M_PI);
                          drawSpeakerBadge(p, whole(size), facing, phase, glow);
                      }};
        pulse.frames = 10;
        pulse.frameDelayMs = 70;
        out.append(pulse);
    }
}

void addWindowChrome(QVector<Artwork> &out)
{
    const QString c = QStringLiteral("/controls");
    out.append(still(c, QStringLiteral("pic/control/white.png"), QSize(260, 1), [](QPainter &p, const QSize &size, qreal) {
        QLinearGradient line(0, 0, size.width(), 0);
        line.setColorAt(0, withAlpha(kText, 0));
        line.setColorAt(0.15, withAlpha(kText, 150));
        line.setColorAt(0.85, withAlpha(kText, 150));
        line.setColorAt(1, withAlpha(kText, 0));
        p.fillRect(whole(size), line);
    }));
    out.append(still(c, QStringLiteral("pic/control/button.png"), QSize(16, 16), [](QPainter &p, const QSize &size, qreal) {
        p.setPen(QPen(kAccent, 3));
        p.setBrush(kWhite);
        p.drawEllipse(whole(size).adjusted(1.5, 1.5, -1.5, -1.5));
    }));
    out.append(still(c, QStringLiteral("pic/control/radiobutton.png"), QSize(20, 20), [](QPainter &p, const QSize &size, qreal) {
        p.setPen(QPen(kAccent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(whole(size).adjusted(2, 2, -2, -2));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(whole(size).adjusted(6, 6, -6, -6));
    }));
    out.append(still(c, QStringLiteral("pic/control/Microphone.png"), QSize(20, 27), glyph(drawMicrophone, kText)));
    out.append(still(c, QStringLiteral("pic/control/big_hui.png"), QSize(21, 21), glyph(drawMaximise, kGrey)));
    out.append(still(c, QStringLiteral("pic/control/big.png"), QSize(21, 21), glyph(drawMaximise, kWhite)));
    out.append(still(c, QStringLiteral("pic/control/minimize-hui.png"), QSize(40, 40), glyph(drawMinimise, kGrey)));
    out.append(still(c, QStringLiteral("pic/control/minimize.png"), QSize(40, 40), glyph(drawMinimise, kWhite)));
    out.append(still(c, QStringLiteral("pic/control/close.png"), QSize(40, 40), closeHover()));
    out.append(still(c, QStringLiteral("pic/control/background.png"), QSize(1221, 735), backdrop(true, QPointF())));
}

void addPanelIcons(QVector<Artwork> &out)
{
    const QString f = QStringLiteral("/fx");
    const auto fx = [](const char *name) { return QStringLiteral("pic/fx/") + QString::fromUtf8(name); };
    out.append(still(f, fx("moorvale-hui.png"), QSize(442, 72), [](QPainter &p, const QSize &size, qreal) {
        drawWordMark(p, whole(size).adjusted(4, 6, -4, -6), QColor(205, 203, 220));
    }));
    out.append(still(f, fx("guanbi-灰色.png"), fx("close-grey.png"), QSize(40, 40), glyph(drawCross, kGrey)));
    out.append(still(f, fx("guanbi-白色.png"), fx("close-white.png"), QSize(40, 40), glyph(drawCross, kWhite)));
    out.append(still(f, fx("fanhui-白色.png"), fx("back-white.png"), QSize(26, 26), glyph(drawBackArrow, kWhite)));
    out.append(still(f, fx("fanhui-深灰.png"), fx("back-darkgrey.png"), QSize(26, 26), glyph(drawBackArrow, kDarkGrey)));
    out.append(still(f, fx("main_2.png"), QSize(1176, 733), backdrop(false, QPointF(588, 366))));
    out.append(still(f, fx("shanchu-白色.png"), fx("delete-white.png"), QSize(50, 50), glyph(drawTrash, kWhite)));
    out.append(still(f, fx("top.png"), QSize(18, 9), chevron(270, kText)));
    out.append(still(f, fx("bottom.png"), QSize(18, 9), chevron(90, kText)));
    out.append(still(f, fx("left-白色.png"), fx("left-white.png"), QSize(9, 18), chevron(180, kWhite)));
    out.append(still(f, fx("jiantou-白色.png"), fx("right-white.png"), QSize(9, 18), chevron(0, kWhite)));
    out.append(still(f, fx("laba-白色.png"), fx("speaker-white.png"), QSize(21, 16), glyph(drawLoudspeaker, kWhite)));
    out.append(still(f, fx("hui_mai.png"), QSize(12, 16), glyph(drawMicrophone, kGrey)));
}

// The 0411 model wears the accent red, the 0412 model violet, the others grey-blue.
const QColor kModel0411 = kAccent;
const QColor kModel0412 = kViolet;
const QColor kModelOther(70, 130, 200);

void addHeadsets(QVector<Artwork> &out)
{
    const QString h = QStringLiteral("/headset");
    const QSize button(442, 510);
    out.append(still(h, QStringLiteral("pic/headset/61350_main_no.png"), button, headsetScene(kModel0411, false, false)));
    out.append(still(h, QStringLiteral("pic/headset/61350_main_ac.png"), button, headsetScene(kModel0411, true, false)));
    out.append(still(h, QStringLiteral("pic/headset/61351_main_no.png"), button, headsetScene(kModel0412, false, false)));
    out.append(still(h, QStringLiteral("pic/headset/61351_main_ac.png"), button, headsetScene(kModel0412, true, false)));
    out.append(still(h, QStringLiteral("pic/headset/7728.png"), QSize(781, 641), headsetScene(kModelOther, false, true)));
    // The start screen: the headset button stands at 338, 115 with its size 442 x 510.
    out.append(still(h, QStringLiteral("pic/headset/main_headset.png"), QSize(1221, 735),
                     backdrop(true, QPointF(338 + 221, 115 + 255))));
}

void addTabIcons(QVector<Artwork> &out)
{
    const QString surround = QStringLiteral("7.1"), stereo = QStringLiteral("2.0"), mic = QStringLiteral("MIC");
    out.append(tabIcon(QStringLiteral("game-hui.png"), drawGamepad, surround, kGrey));
    out.append(tabIcon(QStringLiteral("game.png"), drawGamepad, surround, kWhite));
    out.append(tabIcon(QStringLiteral("ear.png"), drawHeadphones, stereo, kGrey));
    out.append(tabIcon(QStringLiteral("ear-bai.png"), drawHeadphones, stereo, kWhite));
    out.append(tabIcon(QStringLiteral("maikefeng.png"), drawMicrophone, mic, kGrey));
    out.append(tabIcon(QStringLiteral("maikefeng-bai.png"), drawMicrophone, mic, kWhite));
    out.append(tabIcon(QStringLiteral("sun.png"), drawSun, QString(), kGrey));
    out.append(tabIcon(QStringLiteral("sun-bai.png"), drawSun, QString(), kWhite));
}

void addPresetList(QVector<Artwork> &out)
{
    const QString p = QStringLiteral("/png");
    out.append(still(p, QStringLiteral("pic/png/11111.png"), QSize(591, 371),
                     [](QPainter &painter, const QSize &size, qreal) { drawEqualiserFrame(painter, size); }));
    out.append(still(p, QStringLiteral("pic/png/add.png"), QSize(20, 20), glyph(drawPlus, kWhite)));
    out.append(still(p, QStringLiteral("pic/png/check.png"), QSize(22, 22), glyph(drawCheck, kAccent)));
    // The same greyed, for the Add button and the copy check marks while they are disabled.
    out.append(still(p, QStringLiteral("pic/png/add-hui.png"), QSize(20, 20), glyph(drawPlus, kDarkGrey)));
    out.append(still(p, QStringLiteral("pic/png/check-hui.png"), QSize(22, 22), glyph(drawCheck, kDarkGrey)));
    out.append(still(p, QStringLiteral("pic/png/del.png"), QSize(16, 16), glyph(drawTrash, kGrey)));
    out.append(still(p, QStringLiteral("pic/png/head.png"), QSize(330, 330), [](QPainter &painter, const QSize &size, qreal) {
        drawListener(painter, whole(size), 0, false);
    }));
}

void addSpeakerTest(QVector<Artwork> &out)
{
    addSpeakers(out);
    Artwork head{QStringLiteral("/gif"), QStringLiteral("pic/gif/PersonHead1.gif"), QStringLiteral("pic/gif/PersonHead1.gif"),
                 QSize(330, 330), Kind::Animation, [](QPainter &p, const QSize &size, qreal phase) {
                     drawListener(p, whole(size), phase, true);
                 }};
    head.frames = 12;
    head.frameDelayMs = 90;
    out.append(head);
}

// The program's icon: the window's, the tray's and the desktop menu's.
void drawProgramIcon(QPainter &p, const QSize &size, qreal)
{
    const QRectF r = whole(size);
    const qreal radius = size.width() * 0.2;
    QLinearGradient face(0, 0, 0, size.height());
    face.setColorAt(0, kPanel);
    face.setColorAt(1, kInput);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(r, radius, radius);
    p.setPen(QPen(kAccent, qMax(1.0, size.width() / 16.0)));
    p.setBrush(Qt::NoBrush);
    const qreal in = size.width() / 10.0;
    p.drawRoundedRect(r.adjusted(in, in, -in, -in), radius * 0.6, radius * 0.6);
    drawHeadphones(p, r.adjusted(in, in, -in, -in), kWhite);
}

// The menu icon in the freedesktop icon theme layout, installed under share/icons/.
void addDesktopIcons(QVector<Artwork> &out)
{
    const QString apps = QStringLiteral("/apps/tonewright");
    for (int side : windowIconSizes())
        out.append(still(QString(), QStringLiteral("icons/hicolor/%1x%1").arg(side) + apps + QStringLiteral(".png"),
                         QSize(side, side), drawProgramIcon));
    const QString scalable = QStringLiteral("icons/hicolor/scalable") + apps + QStringLiteral(".svg");
    out.append(Artwork{QString(), scalable, scalable, QSize(256, 256), Kind::Vector, drawProgramIcon});
}

void addProgramPictures(QVector<Artwork> &out)
{
    const QString t = QStringLiteral("/Tonewright");
    out.append(Artwork{t, QStringLiteral("pic/bb.ico"), QStringLiteral("pic/bb.ico"), QSize(256, 256), Kind::WindowIcon,
                       drawProgramIcon});
    out.append(still(t, QStringLiteral("pic/FX.png"), QSize(781, 641),
                     [](QPainter &p, const QSize &size, qreal) { drawNoiseCancelling(p, size); }));
    // The headset pictures the program reads from its photo folder, named by product id.
    out.append(still(QString(), QStringLiteral("photo/0411.png"), QSize(781, 641), headsetScene(kModel0411, false, true)));
    out.append(still(QString(), QStringLiteral("photo/0412.png"), QSize(781, 641), headsetScene(kModel0412, false, true)));
}

QVector<Artwork> build()
{
    QVector<Artwork> out;
    addWindowChrome(out);
    addPanelIcons(out);
    addHeadsets(out);
    addTabIcons(out);
    addPresetList(out);
    addSpeakerTest(out);
    addProgramPictures(out);
    addDesktopIcons(out);
    return out;
}

} // namespace

const QVector<Artwork> &catalogue()
{
    static const QVector<Artwork> all = build();
    return all;
}

const QVector<int> &windowIconSizes()
{
    static const QVector<int> sizes{16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

} // namespace art
