#include "settings_window/ui/digital_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <limits>

#include "settings/display_patterns.h"
#include "context/context.h"
#include "context/pages.h"
#include "settings/profile.h"
#include "settings_window/ui/color_swatch.h"
#include "settings_window/ui/page_controls.h"

namespace {

// The controls of one group (日付表示 or 時刻表示).
struct PatternGroup {
    QComboBox *patterns;
    ColorSwatch *text;
    ColorSwatch *outline;
    QCheckBox *outlineOn;
};

PatternGroup MakeGroup(QFrame *area, ChooserService &choosers, int waku, const QString &caption,
                       const QString &subject, int y, int combo, int textSwatch, int outlineSwatch,
                       int outlineCheck)
{
    auto *group = new QGroupBox(caption, area);
    group->setObjectName(QStringLiteral("Waku%1").arg(waku));
    group->setGeometry(8, y, 265, 78);

    QLabel *way = MakeLabel("", QStringLiteral("表示方法"), group, 10, 24);
    auto *patterns = new QComboBox(group);
    patterns->setObjectName(QStringLiteral("CMB%1").arg(combo));
    patterns->setGeometry(72, 20, 184, 22);
    way->setBuddy(patterns);

    MakeLabel("", QStringLiteral("色"), group, 10, 53);
    auto *text = new ColorSwatch(textSwatch, choosers, group);
    text->setGeometry(72, 50, 32, 18);
    auto *outline = new ColorSwatch(outlineSwatch, choosers, group);
    outline->setGeometry(112, 50, 32, 18);
    QCheckBox *outlineOn = MakeCheckBox(outlineCheck, QStringLiteral("縁取り"), group, 156, 50);
    // Both groups show the same captions: a reader hears which group a
    // control belongs to, and the two swatches after the one label 色 apart.
    patterns->setAccessibleName(subject + QStringLiteral("の表示方法"));
    text->setAccessibleName(subject + QStringLiteral("の文字色"));
    outline->setAccessibleName(subject + QStringLiteral("の縁取り色"));
    outlineOn->setAccessibleName(subject + QStringLiteral("の縁取り"));
    return {patterns, text, outline, outlineOn};
}

// Position 0 ("not shown") followed by the labels of the patterns 1, 2, ...
// up to the first missing one.
void FillPatternList(QComboBox *list, const QString &notShown, const QString &programFolder,
                     bool timePatterns)
{
    list->clear();
    list->addItem(notShown);
    for (int n = 1; n <= std::numeric_limits<qint16>::max(); ++n) {
        const QString pattern = ReadFormatPattern(programFolder, timePatterns, n);
        if (pattern.isEmpty())
            break;
        list->addItem(GetField(pattern, 2, ","));
    }
}

// A stored position the list does not have selects nothing; see SelectedPattern.
void SelectPattern(QComboBox *list, qint16 position)
{
    list->setCurrentIndex(position >= 0 && position < list->count() ? position : -1);
}

// The selected position, or the stored one while nothing is selected, so a
// position the list cannot show survives until the user picks another.
qint16 SelectedPattern(const QComboBox *list, qint16 stored)
{
    return list->currentIndex() >= 0 ? qint16(list->currentIndex()) : stored;
}

} // namespace

DigitalPage::DigitalPage(const PageEnvironment &environment) : ctx_(environment.ctx)
{
    QFrame *area = environment.area;
    ChooserService &choosers = *ctx_.services.choosers;
    const PatternGroup date =
        MakeGroup(area, choosers, 0, QStringLiteral("日付表示"), QStringLiteral("日付"), 4, 1, 0, 2, 3);
    const PatternGroup time =
        MakeGroup(area, choosers, 1, QStringLiteral("時刻表示"), QStringLiteral("時刻"), 88, 2, 1, 3, 4);
    datePatterns_ = date.patterns;
    timePatterns_ = time.patterns;
    swatches_ = {date.text, time.text, date.outline, time.outline};
    dateOutline_ = date.outlineOn;
    timeOutline_ = time.outlineOn;

    // Shown for the user's eyes only: no setting belongs to it.
    MakeCheckBox(2, QStringLiteral("Tip表示"), area, 96, 188);
    apply_ = MakeButton("BTN10", QStringLiteral("確定"), area, 8, 184);
}

void DigitalPage::Open()
{
    const auto &digital = ctx_.settings().Digital;
    FillPatternList(datePatterns_, QStringLiteral("日付を表示しない"), ctx_.programFolder, false);
    SelectPattern(datePatterns_, digital.DatePattern);
    FillPatternList(timePatterns_, QStringLiteral("時刻を表示しない"), ctx_.programFolder, true);
    SelectPattern(timePatterns_, digital.TimePattern);

    swatches_[0]->SetColor(digital.DateColor);
    swatches_[1]->SetColor(digital.TimeColor);
    swatches_[2]->SetColor(digital.DateFuchiColor);
    swatches_[3]->SetColor(digital.TimeFuchiColor);

    dateOutline_->setChecked(digital.DateFuchiEnabled != 0);
    timeOutline_->setChecked(digital.TimeFuchiEnabled != 0);
}

bool DigitalPage::Apply()
{
    ctx_.store.Update([this](Settings &settings) {
        auto &digital = settings.Digital;
        digital.DatePattern = SelectedPattern(datePatterns_, digital.DatePattern);
        digital.TimePattern = SelectedPattern(timePatterns_, digital.TimePattern);

        digital.DateColor = swatches_[0]->color();
        digital.TimeColor = swatches_[1]->color();
        digital.DateFuchiColor = swatches_[2]->color();
        digital.TimeFuchiColor = swatches_[3]->color();

        digital.DateFuchiEnabled = dateOutline_->isChecked() ? 1 : 0;
        digital.TimeFuchiEnabled = timeOutline_->isChecked() ? 1 : 0;
    });
    return true;
}

PageDefinition DigitalPageDefinition()
{
    return DefinePage<DigitalPage>(PageDigital, QStringLiteral("AreaDigi"), {8, 0}, {});
}
