#include "ui/CSlider.h"

CSlider::CSlider(QWidget *parent)
    : QSlider(parent)
{
}

CSlider::~CSlider() = default;

void CSlider::wheelEvent(QWheelEvent *)
{
}
