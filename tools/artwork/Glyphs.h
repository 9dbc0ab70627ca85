// Simple vector glyphs. Each draws into the given rectangle in one colour, so one glyph
// serves its grey, white and dark variants.
#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace art {

// Stroke width that keeps a glyph legible at its size.
qreal strokeFor(const QRectF &r, qreal fraction = 0.09);

void drawCross(QPainter &p, const QRectF &r, const QColor &c);
// A chevron pointing along angleDegrees (0 right, 90 down, 180 left, 270 up).
void drawChevron(QPainter &p, const QRectF &r, qreal angleDegrees, const QColor &c, qreal width);
void drawBackArrow(QPainter &p, const QRectF &r, const QColor &c);
void drawMinimise(QPainter &p, const QRectF &r, const QColor &c);
void drawMaximise(QPainter &p, const QRectF &r, const QColor &c);
void drawPlus(QPainter &p, const QRectF &r, const QColor &c);
void drawCheck(QPainter &p, const QRectF &r, const QColor &c);
void drawTrash(QPainter &p, const QRectF &r, const QColor &c);
void drawMicrophone(QPainter &p, const QRectF &r, const QColor &c);
void drawLoudspeaker(QPainter &p, const QRectF &r, const QColor &c);
void drawGamepad(QPainter &p, const QRectF &r, const QColor &c);
void drawHeadphones(QPainter &p, const QRectF &r, const QColor &c);
void drawSun(QPainter &p, const QRectF &r, const QColor &c);

// A speaker cone in a round badge, facing angleDegrees; waves (0 to 1) grows the sound
// rings in front of it, glow (0 to 1) warms the badge towards the accent colour.
void drawSpeakerBadge(QPainter &p, const QRectF &r, qreal angleDegrees, qreal waves, qreal glow);

// A listener's head seen from above, nose up; rings (0 to 1) sends sound rings outwards.
void drawListener(QPainter &p, const QRectF &r, qreal rings, bool animated);

// The headset drawing, front view; boom adds the microphone arm.
void drawHeadset(QPainter &p, const QRectF &r, const QColor &accent, bool lit, bool boom);

// Our own word mark.
void drawWordMark(QPainter &p, const QRectF &r, const QColor &c);

} // namespace art
