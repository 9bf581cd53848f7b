#include "settings_window/ui/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "face/color_value.h"
#include "pickers/cls_dialog.h"
#include "settings_window/ui/accessible_names.h"

namespace {
// The focus ring: this wide in the highlight colour, then a line of black or
// white inside it, whichever stands out from the swatch's colour.
constexpr int kFocusRingWidth = 2;
}

ColorSwatch::ColorSwatch(int index, ChooserService &choosers, QWidget *parent)
    : QLabel(parent), index_(index), choosers_(choosers)
{
    InstallAccessibleControls();
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

void ColorSwatch::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    const QRect whole = rect();
    const QRect inside = whole.adjusted(kFocusRingWidth, kFocusRingWidth, -kFocusRingWidth, -kFocusRingWidth);
    const QRegion ring = QRegion(whole).subtracted(QRegion(inside));
    painter.setClipRegion(ring);
    painter.fillRect(whole, palette().color(QPalette::Highlight));
    const QColor contrast = qGray(ToQColor(color_).rgb()) < 128 ? Qt::white : Qt::black;
    painter.setClipRegion(QRegion(inside).subtracted(QRegion(inside.adjusted(1, 1, -1, -1))));
    painter.fillRect(inside, contrast);
}
