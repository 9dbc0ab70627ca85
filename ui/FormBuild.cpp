#include "ui/FormBuild.h"

#include "ui/FormStyles.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>

namespace formbuild {

QFont pixelFont(int pixelSize, int weight)
{
    QFont font;
    font.setPixelSize(pixelSize);
    if (weight >= 0)
        font.setWeight(weight);
    return font;
}

QFont boldFont(int pixelSize)
{
    QFont font;
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setWeight(75);
    return font;
}

QFont bankGothicFont(int pixelSize)
{
    QFont font = boldFont(pixelSize);
    font.setFamily(QString::fromUtf8("BankGothic Lt BT"));
    return font;
}

QIcon fileIcon(const char *path)
{
    QIcon icon;
    icon.addFile(QString::fromUtf8(path), QSize(), QIcon::Normal, QIcon::Off);
    return icon;
}

QLabel *makePicture(QWidget *parent, const char *objectName, const QRect &geometry, const char *imagePath)
{
    QLabel *label = make<QLabel>(parent, objectName, geometry);
    label->setPixmap(QPixmap(QString::fromUtf8(imagePath)));
    label->setScaledContents(true);
    return label;
}

QPushButton *makeSheetButton(QWidget *parent, const char *objectName, const QRect &geometry,
                             const char *styleSheet, int iconSize)
{
    QPushButton *button = make<QPushButton>(parent, objectName, geometry);
    button->setStyleSheet(QString::fromUtf8(styleSheet));
    if (iconSize > 0)
        button->setIconSize(QSize(iconSize, iconSize));
    return button;
}

QWidget *makePanel(QWidget *page, const char *objectName)
{
    QWidget *panel = make<QWidget>(page, objectName, QRect(0, 0, 295, 651));
    panel->setStyleSheet(QString::fromUtf8(formsheet::panelSheet));
    return panel;
}

QLabel *makeSeparator(QWidget *panel, const char *objectName)
{
    QLabel *line = make<QLabel>(panel, objectName, QRect(13, 170, 260, 1));
    line->setMaximumSize(QSize(16777215, 2));
    line->setStyleSheet(QString::fromUtf8(formsheet::separatorSheet));
    return line;
}

QSlider *makeVolumeSlider(QWidget *panel, const char *objectName)
{
    QSlider *slider = make<QSlider>(panel, objectName, QRect(14, 100, 251, 20));
    slider->setStyleSheet(QString::fromUtf8(formsheet::volumeSliderSheet));
    slider->setMaximum(100);
    slider->setOrientation(Qt::Horizontal);
    return slider;
}

void raiseInOrder(std::initializer_list<QWidget *> bottomToTop)
{
    for (QWidget *widget : bottomToTop)
        widget->raise();
}

} // namespace formbuild
