#include "settings_window/color_swatch.h"

#include <QMouseEvent>

#include "face/color_value.h"

ColorSwatch::ColorSwatch(int index, QWidget *parent) : QLabel(parent), index_(index)
{
    setObjectName(QStringLiteral("DspCol%1").arg(index));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    SetColor(0);
}

void ColorSwatch::SetColor(ColorValue color)
{
    color_ = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    setPalette(palette);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and release on the swatch.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(index_);
    QLabel::mouseReleaseEvent(event);
}
