#include "calendar/ui/calendar_pages.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "calendar/ui/month_view.h"
#include "calendar/ui/note_window.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "context/pages.h"
#include "settings_window/ui/color_swatch.h"
#include "settings_window/ui/page_controls.h"

CalendarPage::CalendarPage(const PageEnvironment &environment)
    : ctx_(environment.ctx), view_(new MonthView(ctx_.calendar, ctx_.programFolder, environment.area))
{
    // The diary opens in diary mode: PageRequest still names this page.
    view_->openDiary = [this, owner = environment.window](const QDate &day) {
        ctx_.notes.DiaryDate = {static_cast<qint16>(day.year()), static_cast<qint16>(day.month()),
                                static_cast<qint16>(day.day())};
        ctx_.PageRequest = PageCalendar;
        OpenNoteWindow(ctx_, owner);
    };
}

void CalendarPage::Open()
{
    view_->Open(ctx_.services.clock->now().date());
}

DayStylePage::DayStylePage(const PageEnvironment &environment)
    : ctx_(environment.ctx), window_(environment.window), editor_(ctx_.calendar)
{
    QFrame *area = environment.area;
    dayTypes_ = new QComboBox(area);
    dayTypes_->setObjectName(QStringLiteral("CMB3"));
    dayTypes_->setGeometry(8, 16, 265, 22);
    // No label stands beside the list of day types.
    dayTypes_->setAccessibleName(QStringLiteral("日の種類"));

    MakeLabel(QStringLiteral("LBL21"), QStringLiteral("表示方法"), area, 8, 49);
    struct Option { int index; const char16_t *caption; int x, y, width; qint16 mark; };
    for (const Option &option : {Option{3, u"四角大", 64, 48, 65, MarkKind::LargeSquare},
                                 Option{4, u"四角小", 128, 48, 65, MarkKind::SmallSquare},
                                 Option{7, u"なし", 192, 48, 49, MarkKind::None},
                                 Option{5, u"丸", 64, 72, 57, MarkKind::Circle},
                                 Option{6, u"丸塗", 128, 72, 49, MarkKind::FilledCircle}}) {
        auto *button = new QRadioButton(QString::fromUtf16(option.caption), area);
        button->setObjectName(QStringLiteral("OPT%1").arg(option.index));
        button->setGeometry(option.x, option.y, option.width, 20);
        marks_[option.mark] = button;
    }

    struct Swatch { int index; int label; const char16_t *caption; int y; };
    int n = 0;
    for (const Swatch &swatch : {Swatch{4, 22, u"文字色", 96}, Swatch{5, 23, u"背景色", 120},
                                 Swatch{6, 24, u"拡張色", 144}}) {
        MakeLabel(QStringLiteral("LBL%1").arg(swatch.label), QString::fromUtf16(swatch.caption), area, 8,
                  swatch.y + 5);
        swatches_[n] = new ColorSwatch(swatch.index, *ctx_.services.choosers, area);
        swatches_[n++]->setGeometry(64, swatch.y, 57, 18);
    }
    apply_ = MakeButton(QStringLiteral("BTN11"), QStringLiteral("確定"), area, 8, 184);
    QObject::connect(dayTypes_, &QComboBox::currentIndexChanged, dayTypes_,
                     [this](int dayType) { listChanged(dayType); });
}

void DayStylePage::Open()
{
    const QSignalBlocker quiet(dayTypes_);
    dayTypes_->clear();
    dayTypes_->addItems(DayTypeListTexts());
    editor_ = DayStyleEditor(ctx_.calendar);
    dayTypes_->setCurrentIndex(0);
    show(editor_.ShowDayStyle());
}

bool DayStylePage::Apply()
{
    if (editor_.Apply(controls(), ctx_.calendar, ctx_.settingsPath()))
        return true;
    ShowWriteFailure(*ctx_.services.messages, window_,
                     QStringLiteral("カレンダーの表示を保存できませんでした。"), ctx_.settingsPath());
    return false;
}

DayStyleControls DayStylePage::controls() const
{
    DayStyleControls shown;
    for (qint16 mark = MarkKind::None; mark <= MarkKind::FilledCircle; ++mark) {
        if (marks_[mark]->isChecked())
            shown.Mark = mark;
    }
    shown.TextColor = swatches_[0]->color();
    shown.MarkColor = swatches_[1]->color();
    shown.ExtraColor = swatches_[2]->color();
    return shown;
}

void DayStylePage::show(const DayStyleControls &controls)
{
    marks_[controls.Mark]->setChecked(true);
    swatches_[0]->SetColor(controls.TextColor);
    swatches_[1]->SetColor(controls.MarkColor);
    swatches_[2]->SetColor(controls.ExtraColor);
}

void DayStylePage::listChanged(int dayType)
{
    if (dayType >= 0)
        show(editor_.SelectDayType(dayType, controls()));
}

PageDefinition CalendarPageDefinition()
{
    return DefinePage<CalendarPage>(PageCalendar, QStringLiteral("AreaCal"), {8, 8}, QStringLiteral("Tockara カレンダー"));
}

PageDefinition DayStylePageDefinition()
{
    return DefinePage<DayStylePage>(PageCalendarDisplay, QStringLiteral("AreaCalSet"), {8, 0}, QStringLiteral("Tockara [カレンダー設定]"));
}

void RegisterCalendar(FeatureHost &host)
{
    host.pages.add(CalendarPageDefinition());
    host.pages.add(DayStylePageDefinition());
}
