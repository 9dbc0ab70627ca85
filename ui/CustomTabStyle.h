// Proxy style for the west tab bar: every tab label is drawn left-aligned and
// vertically centred, 10 pixels in from the left of its rectangle.
#pragma once

#include <QProxyStyle>

class CustomTabStyle : public QProxyStyle
{
public:
    // Based on the application's default style.
    CustomTabStyle();
    ~CustomTabStyle() override;

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &pal, bool enabled,
                      const QString &text, QPalette::ColorRole textRole = QPalette::NoRole) const override;
};
