#include "settings_window/ui/spin_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "settings_window/sprite_sheet.h"

namespace {
constexpr int kHalf = 9;
}

SpinButton::SpinButton(int index, QWidget *parent) : QWidget(parent), index_(index)
{
    setObjectName(QStringLiteral("UDBTNArea%1").arg(index));
    setFixedSize(SpriteCell, SpriteCell);
}

void SpinButton::SetLooks(int upper, int lower)
{
    upper_ = upper;
    lower_ = lower;
    update();
}

void SpinButton::paintEvent(QPaintEvent *)
{
    // On a scaled screen the painter scales the sheet without smoothing (it
    // is never asked to smooth), so the pixel art stays sharp.
    QPainter p(this);
    const QImage &sheet = SpriteSheet();
    p.drawImage(QPoint(0, 0), sheet, QRect(SpriteLookX(upper_), 0, SpriteCell, kHalf));
    p.drawImage(QPoint(0, kHalf), sheet, QRect(SpriteLookX(lower_), kHalf, SpriteCell, kHalf));
}

void SpinButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit pressed(index_, event->position().toPoint().y());
}

void SpinButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit released(index_);
}
