#pragma once
// The rules of the calendar settings page: a working copy of the day styles
// that the page's controls edit one day type at a time, and that only 確定
// copies into the calendar and saves. The calendar font and the Nikki entry
// are not offered.
#include <array>
#include <QStringList>

#include "calendar/calendar_data.h"

// The texts of the day-type list; list position = DayType (0 to 9).
QStringList DayTypeListTexts();

// What the page's controls show for one entry: the selected mark option
// (a MarkKind from None to FilledCircle) and the three swatches' colours.
struct DayStyleControls {
    qint16 Mark = MarkKind::None;
    qint32 TextColor = 0;
    qint32 MarkColor = 0;
    qint32 ExtraColor = 0;

    bool operator==(const DayStyleControls &) const = default;
};

class DayStyleEditor {
public:
    // Takes the working copy of the calendar's day styles; day type 0 selected.
    explicit DayStyleEditor(const CalendarData &calendar);

    // The controls for the selected entry. A mark kind without an option
    // (CornerTriangle, or any unknown value) shows as None.
    DayStyleControls ShowDayStyle() const;
    // Writes the controls back into the selected entry.
    void StoreDayStyle(const DayStyleControls &controls);
    // The list moved: stores the controls into the entry shown so far, then
    // selects dayType and returns what the controls show for it.
    DayStyleControls SelectDayType(int dayType, const DayStyleControls &controls);
    // 確定: stores the controls, copies all entries into the calendar and
    // saves the "Calender" section with one write; false when it could not
    // be written.
    bool Apply(const DayStyleControls &controls, CalendarData &calendar, const QString &settingsPath);

    int SelectedDayType() const { return selected_; }
    const std::array<DayStyle, DayType::Count> &EditedDayStyles() const { return edited_; }

private:
    std::array<DayStyle, DayType::Count> edited_;
    int selected_ = 0;
};
