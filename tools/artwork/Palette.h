// The colours of the window's style sheets, so that every picture sits in the same dark theme.
#pragma once

#include <QColor>

namespace art {

inline const QColor kPanel(49, 44, 92);       // left panels and button faces
inline const QColor kInput(14, 12, 56);       // input boxes and the title strip
inline const QColor kDeep(11, 10, 30);        // the darkest background
inline const QColor kAccent(196, 40, 26);     // selected tab, checked preset
inline const QColor kAccentLight(228, 107, 56); // end of the slider gradient
inline const QColor kViolet(108, 0, 255);     // hover border of the add buttons
inline const QColor kText(235, 235, 235);     // light text
inline const QColor kGrey(150, 150, 150);     // grey text
inline const QColor kDarkGrey(100, 100, 100); // disabled text
inline const QColor kWhite(255, 255, 255);

inline QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

} // namespace art
