#include "Glyphs.h"

#include "Palette.h"

#include <QFont>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {

QPen roundPen(const QColor &c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// Maps unit coordinates (0..1 in both directions) into the rectangle.
QPointF at(const QRectF &r, qreal x, qreal y)
{
    return QPointF(r.left() + x * r.width(), r.top() + y * r.height());
}

QRectF unitRect(const QRectF &r, qreal x, qreal y, qreal w, qreal h)
{
    return QRectF(at(r, x, y), QSizeF(w * r.width(), h * r.height()));
}

// The largest centred square inside r, so that glyphs keep their proportions.
QRectF square(const QRectF &r)
{
    const qreal side = qMin(r.width(), r.height());
    return QRectF(r.center() - QPointF(side / 2, side / 2), QSizeF(side, side));
}

// Strokes polylines given in unit coordinates of r, with round caps and joins.
void strokeUnitLines(QPainter &p, const QRectF &r, const QColor &c, qreal widthFraction,
                     std::initializer_list<std::initializer_list<QPointF>> lines)
{
    p.setPen(roundPen(c, strokeFor(r, widthFraction)));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    for (const auto &line : lines) {
        bool first = true;
        for (const QPointF &u : line) {
            const QPointF point = at(r, u.x(), u.y());
            if (first)
                path.moveTo(point);
            else
                path.lineTo(point);
            first = false;
        }
    }
    p.drawPath(path);
}

} // namespace

qreal strokeFor(const QRectF &r, qreal fraction)
{
    return qMax(1.0, qMin(r.width(), r.height()) * fraction);
}

void drawCross(QPainter &p, const QRectF &r, const QColor &c)
{
    strokeUnitLines(p, square(r), c, 0.06, {{{0.33, 0.33}, {0.67, 0.67}}, {{0.67, 0.33}, {0.33, 0.67}}});
}

void drawChevron(QPainter &p, const QRectF &r, qreal angleDegrees, const QColor &c, qreal width)
{
    // Drawn pointing right in a unit box, then turned about the centre.
    p.save();
    p.translate(r.center());
    p.rotate(angleDegrees);
    const bool across = qAbs(qSin(qDegreesToRadians(angleDegrees))) > 0.5;
    const qreal along = (across ? r.height() : r.width()) / 2 - width / 2;
    const qreal side = (across ? r.width() : r.height()) / 2 - width / 2;
    p.setPen(roundPen(c, width));
    QPainterPath path;
    path.moveTo(-along, -side);
    path.lineTo(along, 0);
    path.lineTo(-along, side);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void drawBackArrow(QPainter &p, const QRectF &r, const QColor &c)
{
    strokeUnitLines(p, square(r), c, 0.1,
                    {{{0.48, 0.22}, {0.2, 0.5}, {0.48, 0.78}}, {{0.22, 0.5}, {0.82, 0.5}}});
}

void drawMinimise(QPainter &p, const QRectF &r, const QColor &c)
{
    strokeUnitLines(p, square(r), c, 0.05, {{{0.35, 0.52}, {0.65, 0.52}}});
}

void drawMaximise(QPainter &p, const QRectF &r, const QColor &c)
{
    const QRectF s = square(r);
    p.setPen(roundPen(c, strokeFor(s, 0.08)));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(unitRect(s, 0.25, 0.25, 0.5, 0.5), 1.5, 1.5);
}

void drawPlus(QPainter &p, const QRectF &r, const QColor &c)
{
    strokeUnitLines(p, square(r), c, 0.12, {{{0.5, 0.22}, {0.5, 0.78}}, {{0.22, 0.5}, {0.78, 0.5}}});
}

void drawCheck(QPainter &p, const QRectF &r, const QColor &c)
{
    strokeUnitLines(p, square(r), c, 0.13, {{{0.2, 0.52}, {0.42, 0.74}, {0.8, 0.28}}});
}

void drawTrash(QPainter &p, const QRectF &r, const QColor &c)
{
    const QRectF s = square(r);
    // Lid, handle, and the body narrowing down.
    strokeUnitLines(p, s, c, 0.08,
                    {{{0.2, 0.26}, {0.8, 0.26}},
                     {{0.4, 0.26}, {0.42, 0.16}, {0.58, 0.16}, {0.6, 0.26}},
                     {{0.27, 0.32}, {0.32, 0.84}, {0.68, 0.84}, {0.73, 0.32}}});
    if (s.width() >= 24) // ribs only where they stay apart
        strokeUnitLines(p, s, c, 0.08, {{{0.44, 0.42}, {0.45, 0.74}}, {{0.56, 0.42}, {0.55, 0.74}}});
}

void drawMicrophone(QPainter &p, const QRectF &r, const QColor &c)
{
    // Keeps the glyph's own 3:4 proportion inside r.
    QRectF g = r;
    if (r.width() * 4 > r.height() * 3)
        g.setWidth(r.height() * 3 / 4);
    else
        g.setHeight(r.width() * 4 / 3);
    g.moveCenter(r.center());
    const qreal w = strokeFor(g, 0.09);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(unitRect(g, 0.32, 0.04, 0.36, 0.56), g.width() * 0.18, g.width() * 0.18);
    p.setPen(roundPen(c, w));
    p.setBrush(Qt::NoBrush);
    QPainterPath cradle;
    cradle.moveTo(at(g, 0.14, 0.38));
    cradle.cubicTo(at(g, 0.14, 0.84), at(g, 0.86, 0.84), at(g, 0.86, 0.38));
    p.drawPath(cradle);
    p.drawLine(at(g, 0.5, 0.74), at(g, 0.5, 0.92));
    p.drawLine(at(g, 0.3, 0.94), at(g, 0.7, 0.94));
}

void drawLoudspeaker(QPainter &p, const QRectF &r, const QColor &c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    QPainterPath body;
    body.moveTo(at(r, 0.04, 0.34));
    body.lineTo(at(r, 0.22, 0.34));
    body.lineTo(at(r, 0.48, 0.08));
    body.lineTo(at(r, 0.48, 0.92));
    body.lineTo(at(r, 0.22, 0.66));
    body.lineTo(at(r, 0.04, 0.66));
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(roundPen(c, strokeFor(r, 0.09)));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 2; ++i) {
        const qreal radius = r.height() * (0.22 + 0.2 * i);
        const QRectF arc(at(r, 0.5, 0.5) - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        p.drawArc(arc, -50 * 16, 100 * 16);
    }
}

void drawGamepad(QPainter &p, const QRectF &r, const QColor &c)
{
    const QRectF s = square(r);
    QPainterPath pad;
    pad.moveTo(at(s, 0.28, 0.3));
    pad.lineTo(at(s, 0.72, 0.3));
    pad.cubicTo(at(s, 0.92, 0.3), at(s, 1.0, 0.62), at(s, 0.94, 0.74));
    pad.cubicTo(at(s, 0.88, 0.84), at(s, 0.76, 0.8), at(s, 0.68, 0.66));
    pad.lineTo(at(s, 0.32, 0.66));
    pad.cubicTo(at(s, 0.24, 0.8), at(s, 0.12, 0.84), at(s, 0.06, 0.74));
    pad.cubicTo(at(s, 0.0, 0.62), at(s, 0.08, 0.3), at(s, 0.28, 0.3));
    p.setPen(roundPen(c, strokeFor(s, 0.06)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(pad);
    p.setPen(roundPen(c, strokeFor(s, 0.07)));
    p.drawLine(at(s, 0.22, 0.48), at(s, 0.38, 0.48)); // cross pad
    p.drawLine(at(s, 0.3, 0.4), at(s, 0.3, 0.56));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const qreal dot = s.width() * 0.045;
    p.drawEllipse(at(s, 0.66, 0.43), dot, dot);
    p.drawEllipse(at(s, 0.75, 0.52), dot, dot);
}

void drawHeadphones(QPainter &p, const QRectF &r, const QColor &c)
{
    const QRectF s = square(r);
    p.setPen(roundPen(c, strokeFor(s, 0.07)));
    p.setBrush(Qt::NoBrush);
    QPainterPath band;
    band.moveTo(at(s, 0.16, 0.62));
    band.cubicTo(at(s, 0.12, 0.08), at(s, 0.88, 0.08), at(s, 0.84, 0.62));
    p.drawPath(band);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(unitRect(s, 0.1, 0.54, 0.18, 0.32), s.width() * 0.06, s.width() * 0.06);
    p.drawRoundedRect(unitRect(s, 0.72, 0.54, 0.18, 0.32), s.width() * 0.06, s.width() * 0.06);
}

void drawSun(QPainter &p, const QRectF &r, const QColor &c)
{
    const QRectF s = square(r);
    const QPointF centre = s.center();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre, s.width() * 0.18, s.width() * 0.18);
    p.setPen(roundPen(c, strokeFor(s, 0.07)));
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(45.0 * i);
        const QPointF dir(qCos(a), qSin(a));
        p.drawLine(centre + dir * s.width() * 0.3, centre + dir * s.width() * 0.42);
    }
}

void drawSpeakerBadge(QPainter &p, const QRectF &r, qreal angleDegrees, qreal waves, qreal glow)
{
    const QRectF s = square(r);
    const qreal radius = s.width() / 2 - 1;
    QColor face = kPanel;
    if (glow > 0) {
        face.setRed(int(kPanel.red() + (kAccent.red() - kPanel.red()) * glow));
        face.setGreen(int(kPanel.green() + (kAccent.green() - kPanel.green()) * glow));
        face.setBlue(int(kPanel.blue() + (kAccent.blue() - kPanel.blue()) * glow));
    }
    p.setPen(QPen(glow > 0 ? kAccentLight : kGrey, qMax(1.0, s.width() / 24)));
    p.setBrush(face);
    p.drawEllipse(s.center(), radius, radius);

    // The cone, drawn facing +x on a 30-unit badge and turned towards the listener.
    p.save();
    p.translate(s.center());
    p.scale(s.width() / 30, s.width() / 30);
    p.rotate(angleDegrees);
    p.setPen(Qt::NoPen);
    p.setBrush(kText);
    p.drawRect(QRectF(-9, -3, 4, 6));
    QPainterPath cone;
    cone.moveTo(-5, -3);
    cone.lineTo(0, -7);
    cone.lineTo(0, 7);
    cone.lineTo(-5, 3);
    cone.closeSubpath();
    p.drawPath(cone);
    p.setBrush(Qt::NoBrush);
    const int rings = waves > 0 ? 3 : 2;
    for (int i = 0; i < rings; ++i) {
        qreal rr = 3.5 + 3.2 * i;
        int alpha = 255;
        if (waves > 0) { // rings travel outwards and fade as they go
            rr = 2.5 + 3.2 * (i + waves);
            alpha = int(255 * (1.0 - (i + waves) / rings));
        }
        p.setPen(QPen(withAlpha(kText, qBound(0, alpha, 255)), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(1 - rr, -rr, 2 * rr, 2 * rr), -45 * 16, 90 * 16);
    }
    p.restore();
}

void drawListener(QPainter &p, const QRectF &r, qreal rings, bool animated)
{
    const QRectF s = square(r);
    const QPointF c = s.center();
    const qreal unit = s.width() / 330;
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) { // the ring of speakers around the listener
        qreal radius = (90 + 24 * i) * unit;
        QColor ring = withAlpha(kGrey, 60 - 15 * i);
        if (animated) {
            const qreal phase = i / 3.0 + rings;
            const qreal t = phase - qFloor(phase);
            radius = (80 + 80 * t) * unit;
            ring = withAlpha(kAccentLight, int(200 * (1 - t)));
        }
        p.setPen(QPen(ring, 3 * unit));
        p.drawEllipse(c, radius, radius);
    }
    // Ears, then the head over them, then the nose showing which way is front.
    p.setPen(QPen(QColor(150, 140, 210), 3 * unit));
    p.setBrush(QColor(70, 62, 128));
    p.drawEllipse(c + QPointF(-58 * unit, 0), 12 * unit, 22 * unit);
    p.drawEllipse(c + QPointF(58 * unit, 0), 12 * unit, 22 * unit);
    QRadialGradient skin(c + QPointF(-15 * unit, -20 * unit), 80 * unit);
    skin.setColorAt(0, QColor(96, 86, 160));
    skin.setColorAt(1, QColor(52, 46, 100));
    p.setBrush(skin);
    p.drawEllipse(c, 56 * unit, 64 * unit);
    QPainterPath nose;
    nose.moveTo(c + QPointF(-10 * unit, -62 * unit));
    nose.lineTo(c + QPointF(0, -78 * unit));
    nose.lineTo(c + QPointF(10 * unit, -62 * unit));
    p.setBrush(QColor(150, 140, 210));
    p.drawPath(nose);
}

void drawHeadset(QPainter &p, const QRectF &r, const QColor &accent, bool lit, bool boom)
{
    // Laid out on a 100 x 115 grid, centred in r.
    const qreal unit = qMin(r.width() / 100, r.height() / 115);
    p.save();
    p.translate(r.center() - QPointF(50 * unit, 57.5 * unit));
    p.scale(unit, unit);

    QRadialGradient halo(QPointF(50, 58), 55);
    halo.setColorAt(0, withAlpha(accent, lit ? 110 : 55));
    halo.setColorAt(1, withAlpha(accent, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(halo);
    p.drawEllipse(QPointF(50, 58), 55, 55);
    p.setBrush(withAlpha(kDeep, 150)); // floor shadow
    p.drawEllipse(QPointF(50, 108), 34, 4);

    // Headband: a dark outer arc with a padded inner arc and an accent seam.
    QPainterPath band;
    band.moveTo(16, 60);
    band.cubicTo(12, -2, 88, -2, 84, 60);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(34, 30, 70), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(band);
    p.setPen(QPen(lit ? accent.lighter(130) : accent, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(band);
    QPainterPath pad;
    pad.moveTo(28, 24);
    pad.cubicTo(36, 15, 64, 15, 72, 24);
    p.setPen(QPen(QColor(62, 56, 112), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(pad);

    // Yokes and ear cups.
    for (int side = 0; side < 2; ++side) {
        const qreal cx = side == 0 ? 17 : 83;
        const qreal dir = side == 0 ? -1 : 1;
        p.setPen(QPen(QColor(90, 84, 140), 2.4));
        p.setBrush(Qt::NoBrush);
        p.drawLine(QPointF(cx, 52), QPointF(cx + dir * 1.5, 62));
        QLinearGradient shell(QPointF(cx, 56), QPointF(cx, 100));
        shell.setColorAt(0, QColor(46, 41, 88));
        shell.setColorAt(1, QColor(18, 16, 42));
        p.setPen(QPen(QColor(98, 90, 160), 1.2));
        p.setBrush(shell);
        p.drawRoundedRect(QRectF(cx - 13, 58, 26, 40), 11, 11);
        p.setPen(QPen(lit ? accent.lighter(125) : accent, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(cx, 78), 7.5, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(accent, lit ? 230 : 170));
        p.drawEllipse(QPointF(cx, 78), 2.2, 2.2);
    }

    if (boom) {
        QPainterPath arm;
        arm.moveTo(12, 92);
        arm.cubicTo(10, 106, 24, 110, 38, 104);
        p.setPen(QPen(QColor(34, 30, 70), 3.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arm);
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawRoundedRect(QRectF(36, 101, 8, 5), 2.5, 2.5);
    }
    p.restore();
}

void drawWordMark(QPainter &p, const QRectF &r, const QColor &c)
{
    // A small waveform in a ring, then the name.
    const qreal h = r.height();
    const QRectF ring(r.left() + h * 0.1, r.top() + h * 0.1, h * 0.8, h * 0.8);
    p.setPen(QPen(kAccent, h * 0.07));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ring);
    p.setPen(roundPen(c, h * 0.06));
    const qreal bars[] = {0.2, 0.45, 0.7, 0.45, 0.2};
    for (int i = 0; i < 5; ++i) {
        const qreal x = ring.left() + ring.width() * (0.26 + 0.12 * i);
        const qreal half = ring.height() * bars[i] / 2;
        p.drawLine(QPointF(x, ring.center().y() - half), QPointF(x, ring.center().y() + half));
    }
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(int(h * 0.5));
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, h * 0.06);
    p.setFont(font);
    p.setPen(c);
    p.drawText(QRectF(r.left() + h * 1.05, r.top(), r.width() - h * 1.05, h),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TONEWRIGHT"));
}

} // namespace art
