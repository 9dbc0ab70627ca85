#pragma once

class QWidget;

// Multiplies the widget's font point size by dpi / 96 and sets the font back.
void scaleWidgetFont(QWidget *widget, int dpi);
