#include "settings_window/ui/alarm_page.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "context/context.h"
#include "context/pages.h"
#include "settings_window/page_values.h"
#include "settings_window/settings_window_state.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"
#include "settings_window/ui/spin_button.h"

namespace {
const QString kHourName = QStringLiteral("時");
const QString kMinuteName = QStringLiteral("分");
const std::array<QString, 3> kPresetCaptions = {QStringLiteral("設定１"), QStringLiteral("設定２"),
                                                QStringLiteral("設定３")};
}

AlarmPage::AlarmPage(const PageEnvironment &environment)
    : ctx_(environment.ctx), state_(environment.state), window_(environment.window)
{
    QFrame *area = environment.area;
    for (int i = 0; i < 3; ++i) {
        presets_[i] = new QRadioButton(kPresetCaptions[i], area);
        presets_[i]->setObjectName(QStringLiteral("OPT%1").arg(i));
        presets_[i]->move(16 + 80 * i, 10);
        presets_[i]->adjustSize();
        QObject::connect(presets_[i], &QRadioButton::clicked, area, [this, i] { SwitchPreset(i); });
    }
    enabled_ = MakeCheckBox(1, QStringLiteral("アラームを有効にする。"), area, 16, 40);

    hour_ = MakeField(2, area, 16, 72, 32);
    spins_[0] = new SpinButton(2, area);
    spins_[0]->move(48, 73);
    // The unit after the field names it (the label on its left is the hour's).
    MakeLabel("LBL2", kHourName, area, 70, 75)->setBuddy(hour_);
    minute_ = MakeField(3, area, 96, 72, 32);
    spins_[1] = new SpinButton(3, area);
    spins_[1]->move(128, 73);
    MakeLabel("LBL3", kMinuteName, area, 150, 75)->setBuddy(minute_);

    MakeLabel("LBL4", QStringLiteral("コメント"), area, 16, 111);
    comment_ = MakeField(4, area, 72, 108, 200);
    MakeLabel("LBL5", QStringLiteral("ファイル"), area, 16, 143);
    file_ = MakeField(5, area, 72, 140, 200);

    apply_ = MakeButton("BTN1", QStringLiteral("確定"), area, 8, 184);
}

void AlarmPage::Open()
{
    state_.AlarmSet = 0;
    presets_[0]->setChecked(true);
    work_ = ctx_.settings().Alarm;
    ShowAlarmFields();
}

bool AlarmPage::SwitchPreset(int preset)
{
    if (preset < 0 || preset > 2)
        return false;
    if (!StoreAlarmFields()) {
        presets_[shownPreset()]->setChecked(true);
        return false;
    }
    state_.AlarmSet = qint16(preset);
    presets_[preset]->setChecked(true);
    ShowAlarmFields();
    return true;
}

bool AlarmPage::Apply()
{
    if (!StoreAlarmFields())
        return false;
    ctx_.store.Update([this](Settings &settings) { settings.Alarm = work_; });
    return true;
}

QList<PageSpin> AlarmPage::Spins() const
{
    return {{spins_[0], hour_, *SpinRangeOf(2)}, {spins_[1], minute_, *SpinRangeOf(3)}};
}

// AlarmSet survives between openings and could hold anything; the page only
// ever shows one of its three presets.
int AlarmPage::shownPreset() const
{
    return qBound(0, int(state_.AlarmSet), 2);
}

void AlarmPage::ShowAlarmFields()
{
    const AlarmEntry &entry = work_[shownPreset()];
    const auto [hour, minute] = SplitAlarmTime(entry.Time);
    hour_->setText(hour);
    minute_->setText(minute);
    comment_->setText(entry.Comment);
    file_->setText(entry.File);
    enabled_->setChecked(entry.Enabled != 0);
}

bool AlarmPage::StoreAlarmFields()
{
    MessageBoxService &messages = *ctx_.services.messages;
    const auto hour = ReadNumberField(messages, window_, hour_, kHourName);
    if (!hour)
        return false;
    const auto minute = ReadNumberField(messages, window_, minute_, kMinuteName);
    if (!minute)
        return false;
    AlarmEntry &entry = work_[shownPreset()];
    entry.Time = AlarmTimeText(*hour, *minute);
    entry.File = file_->text();
    entry.Comment = comment_->text();
    entry.Enabled = enabled_->isChecked() ? 1 : 0;
    return true;
}

PageDefinition AlarmPageDefinition()
{
    return DefinePage<AlarmPage>(PageAlarm, QStringLiteral("AreaAlarm"), {8, 0}, {});
}
