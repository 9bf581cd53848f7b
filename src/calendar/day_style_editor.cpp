#include "calendar/day_style_editor.h"

QStringList DayTypeListTexts()
{
    return {QStringLiteral("今日"),   QStringLiteral("日曜日"), QStringLiteral("月曜日"),
            QStringLiteral("火曜日"), QStringLiteral("水曜日"), QStringLiteral("木曜日"),
            QStringLiteral("金曜日"), QStringLiteral("土曜日"), QStringLiteral("記念日"),
            QStringLiteral("祝･祭日")};
}

DayStyleEditor::DayStyleEditor(const CalendarData &calendar) : edited_(calendar.DayStyleTable) {}

DayStyleControls DayStyleEditor::ShowDayStyle() const
{
    const DayStyle &style = edited_[selected_];
    const bool offered = style.Kind >= MarkKind::LargeSquare && style.Kind <= MarkKind::FilledCircle;
    return {offered ? style.Kind : qint16(MarkKind::None), style.TextColor, style.MarkColor, style.ExtraColor};
}

void DayStyleEditor::StoreDayStyle(const DayStyleControls &controls)
{
    const bool offered = controls.Mark >= MarkKind::LargeSquare && controls.Mark <= MarkKind::FilledCircle;
    edited_[selected_] = {offered ? controls.Mark : qint16(MarkKind::None), controls.TextColor,
                          controls.MarkColor, controls.ExtraColor};
}

DayStyleControls DayStyleEditor::SelectDayType(int dayType, const DayStyleControls &controls)
{
    StoreDayStyle(controls);
    if (dayType >= 0 && dayType < DayTypeListTexts().size())
        selected_ = dayType;
    return ShowDayStyle();
}

bool DayStyleEditor::Apply(const DayStyleControls &controls, CalendarData &calendar,
                           const QString &settingsPath)
{
    StoreDayStyle(controls);
    calendar.DayStyleTable = edited_;
    return SaveDayStyles(calendar, settingsPath);
}
