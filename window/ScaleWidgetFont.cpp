#include "window/ScaleWidgetFont.h"

#include <QWidget>

void scaleWidgetFont(QWidget *widget, int dpi)
{
    QFont font = widget->font();
    if (font.pointSizeF() <= 0) // a pixel-sized font has no point size to scale
        return;
    font.setPointSizeF(font.pointSizeF() * dpi / 96.0);
    widget->setFont(font);
}
