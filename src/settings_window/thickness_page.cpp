#include "settings_window/thickness_page.h"

#include <QFrame>
#include <QString>

#include "settings/context.h"
#include "settings_window/field_edit.h"
#include "settings_window/page_controls.h"
#include "settings_window/page_values.h"
#include "settings_window/spin_button.h"

namespace {
// Hand i uses label and field 6 + i and spin button 4 + i.
const std::array<QString, 3> kHandNames = {QStringLiteral("短針の太さ"),
                                           QStringLiteral("長針の太さ"),
                                           QStringLiteral("秒針の太さ")};
constexpr int kFirstField = 6;
constexpr int kFirstSpin = 4;
}

ThicknessPage::ThicknessPage(QFrame *area, Context &ctx, QWidget *owner)
    : ctx_(ctx), owner_(owner)
{
    for (int i = 0; i < 3; ++i) {
        const int y = 30 + 32 * i;
        MakeLabel(QStringLiteral("LBL%1").arg(kFirstField + i), kHandNames[i], area, 24, y);
        fields_[i] = MakeField(kFirstField + i, area, 104, y - 3, 32);
        (new SpinButton(kFirstSpin + i, area))->move(136, y - 2);
    }
    MakeButton("BTN2", QStringLiteral("確定"), area, 8, 184);
}

void ThicknessPage::Open()
{
    const auto &thick = ctx_.settings.Thick;
    fields_[0]->setText(QString::number(thick.HLine));
    fields_[1]->setText(QString::number(thick.MLine));
    fields_[2]->setText(QString::number(thick.SLine));
}

bool ThicknessPage::Apply()
{
    std::array<qint16, 3> widths{};
    for (int i = 0; i < 3; ++i) {
        const auto value = ReadNumberField(ctx_, owner_, fields_[i], kHandNames[i]);
        if (!value)
            return false;
        widths[i] = ClampHandThickness(*value);
    }
    auto &thick = ctx_.settings.Thick;
    thick.HLine = widths[0];
    thick.MLine = widths[1];
    thick.SLine = widths[2];
    return true;
}
