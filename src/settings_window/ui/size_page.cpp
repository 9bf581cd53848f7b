#include "settings_window/ui/size_page.h"

#include <QFrame>
#include <QPushButton>
#include <QString>

#include "context/context.h"
#include "context/pages.h"
#include "settings_window/page_values.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"
#include "settings_window/ui/spin_button.h"

namespace {
const QString kWidthName = QStringLiteral("横のサイズ");
const QString kHeightName = QStringLiteral("縦のサイズ");
}

SizePage::SizePage(const PageEnvironment &environment)
    : ctx_(environment.ctx), window_(environment.window)
{
    QFrame *area = environment.area;
    MakeLabel("LBL0", kWidthName, area, 24, 30);
    width_ = MakeField(0, area, 104, 27, 48);
    spins_[0] = new SpinButton(0, area);
    spins_[0]->move(152, 28);

    MakeLabel("LBL1", kHeightName, area, 24, 62);
    height_ = MakeField(1, area, 104, 59, 48);
    spins_[1] = new SpinButton(1, area);
    spins_[1]->move(152, 60);

    apply_ = MakeButton("BTN0", QStringLiteral("確定"), area, 8, 184);
}

void SizePage::Open()
{
    width_->setText(QString::number(ctx_.settings().Setting.Width));
    height_->setText(QString::number(ctx_.settings().Setting.Height));
}

bool SizePage::Apply()
{
    MessageBoxService &messages = *ctx_.services.messages;
    const auto width = ReadNumberField(messages, window_, width_, kWidthName);
    if (!width)
        return false;
    const auto height = ReadNumberField(messages, window_, height_, kHeightName);
    if (!height)
        return false;
    // Applying the same size again still restarts the figure at the centre.
    ctx_.store.Update(
        [&](Settings &settings) {
            settings.Setting.Width = ClampClockSize(*width);
            settings.Setting.Height = ClampClockSize(*height);
        },
        SettingsAspect::Size);
    return true;
}

QList<PageSpin> SizePage::Spins() const
{
    return {{spins_[0], width_, *SpinRangeOf(0)}, {spins_[1], height_, *SpinRangeOf(1)}};
}

PageDefinition SizePageDefinition()
{
    return DefinePage<SizePage>(PageSize, QStringLiteral("AreaSize"), {8, 0}, {});
}
