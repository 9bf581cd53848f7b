#include "settings_window/ui/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "face/color_value.h"
#include "pickers/cls_dialog.h"

ColorSwatch::ColorSwatch(int index, ChooserService &choosers, QWidget *parent)
    : QLabel(parent), index_(index), choosers_(choosers)
{
    setObjectName(QStringLiteral("DspCol%1").arg(index));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    SetColor(0);
}

void ColorSwatch::SetColor(ColorValue color)
{
    color_ = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(color));
    setPalette(palette);
}

void ColorSwatch::ChooseColor()
{
    clsDialog dialog(choosers_);
    if (dialog.ColorCode(window()))
        SetColor(dialog.ChosenColor());
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and release on the swatch.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        ChooseColor();
    QLabel::mouseReleaseEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        ChooseColor();
        return;
    }
    QLabel::keyPressEvent(event);
}

// The focused swatch is raised instead of sunken, so the keyboard user sees
// which one Space opens.
void ColorSwatch::focusInEvent(QFocusEvent *event)
{
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    QLabel::focusInEvent(event);
}

void ColorSwatch::focusOutEvent(QFocusEvent *event)
{
    setFrameShadow(QFrame::Sunken);
    setLineWidth(1);
    QLabel::focusOutEvent(event);
}
