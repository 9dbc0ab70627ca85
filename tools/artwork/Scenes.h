// The large pictures: window backgrounds, the equaliser frame, the microphone page.
#pragma once

#include <QPainter>
#include <QPointF>
#include <QSize>

namespace art {

// The window's dark backdrop; titleStrip darkens the top 100 pixels behind the title bar,
// glow lights a soft spot at the given point (none when null).
void drawBackdrop(QPainter &p, const QSize &size, bool titleStrip, const QPointF &glow);

// The frame behind the ten band sliders, with its dB scale and band captions.
void drawEqualiserFrame(QPainter &p, const QSize &size);

// The microphone page before a headset is known: a microphone with noise-cancelling waves.
void drawNoiseCancelling(QPainter &p, const QSize &size);

} // namespace art
