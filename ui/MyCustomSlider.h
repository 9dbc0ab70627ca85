// A slider that shows its value in a small white label following the handle while
// it is dragged. Built for the -12..+12 dB range of an equaliser band.
#pragma once

#include <QSlider>

class QLabel;
class QMouseEvent;

class MyCustomSlider : public QSlider
{
public:
    explicit MyCustomSlider(QWidget *parent = nullptr);
    ~MyCustomSlider() override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // Height within the slider at which the value label stands for the current value.
    int valueLabelTop() const;

    QLabel *m_displayLabel; // child of the slider, deleted with it
};
