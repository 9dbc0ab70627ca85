// The vertical slider of one equaliser band. The mouse wheel is switched off so that
// scrolling the page past a band never changes its gain (and so never sends anything
// to the headset); dragging, clicking the groove and the keyboard work as usual.
#pragma once

#include <QSlider>

class QWheelEvent;

class CSlider : public QSlider
{
public:
    explicit CSlider(QWidget *parent = nullptr);
    ~CSlider() override;

protected:
    // Ignores the turn and leaves the event unaccepted, so it travels on to the parent.
    void wheelEvent(QWheelEvent *event) override;
};
