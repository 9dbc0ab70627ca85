// Small builders shared by the parts of the main window form: each makes one widget
// of a shape the form repeats, named and placed, with the look the form gives it.
#pragma once

#include <QFont>
#include <QIcon>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <initializer_list>

class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class Ui_TonewrightClass;

namespace formbuild {

// A new widget of class W with its objectName and geometry set.
template <class W>
W *make(QWidget *parent, const char *objectName, const QRect &geometry)
{
    W *widget = new W(parent);
    widget->setObjectName(QString::fromUtf8(objectName));
    widget->setGeometry(geometry);
    return widget;
}

// A copy of the application font with the pixel size (and weight, when given) set.
QFont pixelFont(int pixelSize, int weight = -1);
// A copy of the application font made bold, with the pixel size set when one is given.
QFont boldFont(int pixelSize = 0);
// The font of the page buttons (Reset, Save, Test).
QFont bankGothicFont(int pixelSize);
// An icon holding one image file at default size, mode Normal, state Off.
QIcon fileIcon(const char *path);

// A label that shows an image scaled to its size.
QLabel *makePicture(QWidget *parent, const char *objectName, const QRect &geometry, const char *imagePath);
// A disabled text box (line edit, text edit) that only shows text.
template <class W>
W *makeTextBox(QWidget *parent, const char *objectName, const QRect &geometry, const char *styleSheet,
               const QFont &font = pixelFont(12))
{
    W *box = make<W>(parent, objectName, geometry);
    box->setEnabled(false);
    box->setFont(font);
    box->setStyleSheet(QString::fromUtf8(styleSheet));
    return box;
}
// A push button whose look is all in its style sheet; iconSize 0 leaves the icon size alone.
QPushButton *makeSheetButton(QWidget *parent, const char *objectName, const QRect &geometry,
                             const char *styleSheet, int iconSize = 0);

// The dark left panel of a page.
QWidget *makePanel(QWidget *page, const char *objectName);
// The thin separator line of a panel.
QLabel *makeSeparator(QWidget *panel, const char *objectName);
// A horizontal 0..100 volume slider of a panel.
QSlider *makeVolumeSlider(QWidget *panel, const char *objectName);

// Raises each widget in turn, so the last one ends on top of its siblings.
void raiseInOrder(std::initializer_list<QWidget *> bottomToTop);

} // namespace formbuild
