#include "ui/MyCustomSlider.h"

#include <QDebug>
#include <QLabel>
#include <QPalette>

MyCustomSlider::MyCustomSlider(QWidget *parent)
    : QSlider(parent)
    , m_displayLabel(new QLabel(this))
{
    m_displayLabel->setFixedSize(QSize(20, 10));
    m_displayLabel->setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::white);
    m_displayLabel->setPalette(palette);
    m_displayLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_displayLabel->setVisible(false);
    m_displayLabel->move(10, 111);
}

MyCustomSlider::~MyCustomSlider() = default;

void MyCustomSlider::mousePressEvent(QMouseEvent *event)
{
    if (m_displayLabel->isHidden()) {
        m_displayLabel->setVisible(true);
        m_displayLabel->setText(QString::number(value()));
    }
    QSlider::mousePressEvent(event);
}

void MyCustomSlider::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_displayLabel->isHidden())
        m_displayLabel->setVisible(false);
    QSlider::mouseReleaseEvent(event);
}

// 24 steps from +12 at the top to -12 at the bottom; the height is divided before
// it is multiplied, so the label walks in whole-pixel steps.
int MyCustomSlider::valueLabelTop() const
{
    const int stepsFromTop = 12 - value();
    return (height() / 24) * stepsFromTop + stepsFromTop / 3;
}

void MyCustomSlider::mouseMoveEvent(QMouseEvent *event)
{
    qDebug() << valueLabelTop();
    m_displayLabel->setText(QString::number(value()));
    m_displayLabel->move(width() / 2 - 10, valueLabelTop());
    // The label shows the value from before this move's own change.
    QSlider::mouseMoveEvent(event);
}
