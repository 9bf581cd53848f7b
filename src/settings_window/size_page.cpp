#include "settings_window/size_page.h"

#include <QFrame>
#include <QString>

#include "settings/context.h"
#include "settings_window/field_edit.h"
#include "settings_window/page_controls.h"
#include "settings_window/page_values.h"
#include "settings_window/spin_button.h"

namespace {
const QString kWidthName = QStringLiteral("横のサイズ");
const QString kHeightName = QStringLiteral("縦のサイズ");
}

SizePage::SizePage(QFrame *area, Context &ctx, QWidget *owner) : ctx_(ctx), owner_(owner)
{
    MakeLabel("LBL0", kWidthName, area, 24, 30);
    width_ = MakeField(0, area, 104, 27, 48);
    (new SpinButton(0, area))->move(152, 28);

    MakeLabel("LBL1", kHeightName, area, 24, 62);
    height_ = MakeField(1, area, 104, 59, 48);
    (new SpinButton(1, area))->move(152, 60);

    MakeButton("BTN0", QStringLiteral("確定"), area, 8, 184);
}

void SizePage::Open()
{
    width_->setText(QString::number(ctx_.settings.Setting.Width));
    height_->setText(QString::number(ctx_.settings.Setting.Height));
}

bool SizePage::Apply()
{
    const auto width = ReadNumberField(ctx_, owner_, width_, kWidthName);
    if (!width)
        return false;
    const auto height = ReadNumberField(ctx_, owner_, height_, kHeightName);
    if (!height)
        return false;
    ctx_.settings.Setting.Width = ClampClockSize(*width);
    ctx_.settings.Setting.Height = ClampClockSize(*height);
    return true;
}
