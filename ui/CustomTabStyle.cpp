#include "ui/CustomTabStyle.h"

#include <QPainter>

CustomTabStyle::CustomTabStyle()
    : QProxyStyle()
{
}

CustomTabStyle::~CustomTabStyle() = default;

void CustomTabStyle::drawItemText(QPainter *painter, const QRect &rect, int /*flags*/, const QPalette &pal,
                                  bool enabled, const QString &text, QPalette::ColorRole textRole) const
{
    painter->save();
    const int leftCentred = Qt::AlignLeft | Qt::AlignVCenter;
    painter->translate(10, 0);
    // The generic drawing of QStyle itself, not the base style's: the base style may
    // centre tab texts on its own.
    QStyle::drawItemText(painter, rect, leftCentred, pal, enabled, text, textRole);
    painter->restore();
}
