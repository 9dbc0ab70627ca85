// Every picture the program uses: where it lives in the resources, where its file lies in
// the source tree, its size on screen and how it is drawn.
#pragma once

#include <QPainter>
#include <QSize>
#include <QString>
#include <QVector>

#include <functional>

namespace art {

enum class Kind {
    Picture,    // a PNG drawn as it is shown
    TabIcon,    // a PNG for the west tab bar: drawn upright, stored turned a quarter clockwise
    Animation,  // a GIF; the painter is called once per frame
    WindowIcon, // an ICO holding several sizes
    Vector,     // an SVG, drawn once at its nominal size
};

// phase runs from 0 up to (not including) 1 across an animation's frames; 0 for stills.
using Painter = std::function<void(QPainter &, const QSize &, qreal phase)>;

struct Artwork {
    QString prefix;  // resource prefix; empty for files not compiled in (laid beside the program, installed)
    QString name;    // resource name under the prefix (may be non-ASCII)
    QString file;    // path of the file under resources/, ASCII only
    QSize size;      // size as stored (a tab icon's is its turned size)
    Kind kind;
    Painter paint;
    int frames = 1;
    int frameDelayMs = 0;

    QString resourcePath() const { return QLatin1Char(':') + prefix + QLatin1Char('/') + name; }
};

const QVector<Artwork> &catalogue();

// The window icon's sizes, smallest first; the menu icon is drawn at the same sizes.
const QVector<int> &windowIconSizes();

} // namespace art
