#include "Scenes.h"

#include "Glyphs.h"
#include "Palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {

QFont captionFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Faint concentric arcs, like sound spreading from a point.
void drawRipples(QPainter &p, const QPointF &centre, qreal first, qreal step, int count, int alpha)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        p.setPen(QPen(withAlpha(kPanel.lighter(140), alpha * (count - i) / count), 1.2));
        const qreal radius = first + step * i;
        p.drawEllipse(centre, radius, radius);
    }
}

} // namespace

void drawBackdrop(QPainter &p, const QSize &size, bool titleStrip, const QPointF &glow)
{
    QLinearGradient fall(0, 0, 0, size.height());
    fall.setColorAt(0, QColor(28, 25, 62));
    fall.setColorAt(1, kDeep);
    p.fillRect(QRect(QPoint(0, 0), size), fall);
    drawRipples(p, QPointF(size.width() * 0.78, size.height() * 0.62), 120, 46, 9, 40);
    if (!glow.isNull()) {
        QRadialGradient spot(glow, size.height() * 0.5);
        spot.setColorAt(0, withAlpha(kAccent, 70));
        spot.setColorAt(0.5, withAlpha(kPanel, 60));
        spot.setColorAt(1, withAlpha(kPanel, 0));
        p.fillRect(QRect(QPoint(0, 0), size), spot);
    }
    if (titleStrip) {
        p.fillRect(QRect(0, 0, size.width(), 100), kInput);
        QLinearGradient seam(0, 0, size.width(), 0);
        seam.setColorAt(0, kAccent);
        seam.setColorAt(0.5, kAccentLight);
        seam.setColorAt(1, withAlpha(kAccentLight, 0));
        p.fillRect(QRect(0, 98, size.width(), 2), seam);
    }
}

void drawEqualiserFrame(QPainter &p, const QSize &size)
{
    // The sliders stand at x = 76 + 50 i (centres) and run from y = 21 (+12 dB) to 336 (-12 dB)
    // in this frame's coordinates.
    const qreal top = 21, bottom = 336;
    const auto yOf = [&](int db) { return top + (12 - db) * (bottom - top) / 24; };
    const QRectF box(0.5, 0.5, size.width() - 1, size.height() - 1);
    p.setPen(QPen(QColor(72, 66, 130), 1));
    p.setBrush(withAlpha(QColor(20, 18, 48), 235));
    p.drawRoundedRect(box, 10, 10);

    p.setFont(captionFont(11));
    for (int db = -12; db <= 12; db += 6) {
        const qreal y = yOf(db);
        p.setPen(QPen(withAlpha(kGrey, db == 0 ? 110 : 45), 1, db == 0 ? Qt::SolidLine : Qt::DashLine));
        p.drawLine(QPointF(60, y), QPointF(size.width() - 30, y));
        p.setPen(kGrey);
        const QString label = db > 0 ? QStringLiteral("+%1").arg(db) : QString::number(db);
        p.drawText(QRectF(8, y - 8, 44, 16), Qt::AlignRight | Qt::AlignVCenter, label);
    }
    p.setPen(kGrey);
    p.drawText(QRectF(8, 2, 44, 14), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("dB"));

    static const char *const bands[] = {"30", "60", "120", "250", "500", "1K", "2K", "4K", "8K", "16K"};
    p.setFont(captionFont(12, true));
    for (int i = 0; i < 10; ++i) {
        const qreal x = 76 + 50 * i;
        p.setPen(kText);
        p.drawText(QRectF(x - 24, 348, 48, 18), Qt::AlignCenter, QString::fromLatin1(bands[i]));
    }
    p.setPen(kGrey);
    p.setFont(captionFont(11));
    p.drawText(QRectF(size.width() - 46, 348, 40, 18), Qt::AlignCenter, QStringLiteral("Hz"));
}

void drawNoiseCancelling(QPainter &p, const QSize &size)
{
    const QPointF centre(size.width() / 2.0, size.height() * 0.45);
    QRadialGradient spot(centre, size.height() * 0.45);
    spot.setColorAt(0, withAlpha(kPanel, 200));
    spot.setColorAt(1, withAlpha(kPanel, 0));
    p.fillRect(QRect(QPoint(0, 0), size), spot);

    // Noise on the left, rough and dim; the clean voice on the right, smooth and bright.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        QPainterPath noise;
        const qreal x0 = centre.x() - 330 + 40 * i, y0 = centre.y();
        noise.moveTo(x0, y0);
        for (int k = 1; k <= 20; ++k)
            noise.lineTo(x0 + k * 9, y0 + ((k * 37 + i * 11) % 23 - 11) * (2.2 - 0.5 * i));
        p.setPen(QPen(withAlpha(kGrey, 140 - 35 * i), 2));
        p.drawPath(noise);
    }
    for (int i = 0; i < 3; ++i) {
        const qreal radius = 120 + 34 * i;
        p.setPen(QPen(withAlpha(kAccentLight, 220 - 60 * i), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), -40 * 16, 80 * 16);
    }
    drawMicrophone(p, QRectF(centre.x() - 90, centre.y() - 120, 180, 240), kText);
    p.setFont(captionFont(40, true));
    p.setPen(kText);
    p.drawText(QRectF(0, size.height() * 0.8, size.width(), 60), Qt::AlignCenter, QStringLiteral("ENC"));
}

} // namespace art
