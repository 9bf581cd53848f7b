#include "settings_window/ui/chime_page.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "context/context.h"
#include "context/pages.h"
#include "settings_window/page_values.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"

namespace {
// What a screen reader, and a box about a field that is no number, call the
// four fields of the quiet time.
const std::array<QString, 4> kTimeNames = {QStringLiteral("鳴らさない時間の始まり (時)"),
                                           QStringLiteral("鳴らさない時間の始まり (分)"),
                                           QStringLiteral("鳴らさない時間の終わり (時)"),
                                           QStringLiteral("鳴らさない時間の終わり (分)")};
constexpr int kFirstTimeField = 2;
}

ChimePage::ChimePage(const PageEnvironment &environment) : ctx_(environment.ctx), window_(environment.window)
{
    QFrame *area = environment.area;
    enabled_ = MakeCheckBox(1, QStringLiteral("毎正時に時報を鳴らす。"), area, 16, 10);
    MakeLabel("LBL1", QStringLiteral("ファイル"), area, 16, 43);
    file_ = MakeField(1, area, 72, 40, 200);

    quiet_ = MakeCheckBox(2, QStringLiteral("次の時間は鳴らさない。"), area, 16, 80);
    // hh : mm から hh : mm まで
    const int columns[4] = {32, 76, 150, 194};
    for (int i = 0; i < 4; ++i) {
        times_[i] = MakeField(kFirstTimeField + i, area, columns[i], 110, 32);
        times_[i]->setAccessibleName(kTimeNames[i]);
        times_[i]->setStepRange({0, i % 2 == 0 ? 23 : 59});
    }
    MakeLabel({}, QStringLiteral(":"), area, 68, 113);
    MakeLabel({}, QStringLiteral("から"), area, 112, 113);
    MakeLabel({}, QStringLiteral(":"), area, 186, 113);
    MakeLabel({}, QStringLiteral("まで"), area, 230, 113);
    MakeLabel({}, QStringLiteral("(アラームと同じ時刻にも鳴らしません)"), area, 16, 146);

    apply_ = MakeButton("BTN1", QStringLiteral("確定"), area, 8, 184);
}

void ChimePage::Open()
{
    const auto &chime = ctx_.settings().Chime;
    enabled_->setChecked(chime.Enabled != 0);
    file_->setText(chime.File);
    quiet_->setChecked(chime.Quiet != 0);
    const auto [fromHour, fromMinute] = SplitAlarmTime(chime.QuietFrom);
    const auto [toHour, toMinute] = SplitAlarmTime(chime.QuietTo);
    const QString texts[4] = {fromHour, fromMinute, toHour, toMinute};
    for (int i = 0; i < 4; ++i)
        times_[i]->setText(texts[i]);
}

bool ChimePage::Apply()
{
    std::array<qint64, 4> numbers{};
    for (int i = 0; i < 4; ++i) {
        const auto value = ReadNumberField(*ctx_.services.messages, window_, times_[i], kTimeNames[i]);
        if (!value)
            return false;
        numbers[i] = *value;
    }
    ctx_.store.Update([&](Settings &settings) {
        settings.Chime.Enabled = enabled_->isChecked() ? 1 : 0;
        settings.Chime.File = file_->text();
        settings.Chime.Quiet = quiet_->isChecked() ? 1 : 0;
        settings.Chime.QuietFrom = AlarmTimeText(numbers[0], numbers[1]);
        settings.Chime.QuietTo = AlarmTimeText(numbers[2], numbers[3]);
    });
    return true;
}

PageDefinition ChimePageDefinition()
{
    return DefinePage<ChimePage>(PageChime, QStringLiteral("AreaChime"), {8, 0}, QStringLiteral("Tockara [時報]"));
}
