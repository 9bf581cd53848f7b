#pragma once
// The calendar's two pages of the settings window: the month view
// (カレンダー, PageRequest 7) and the day styles (カレンダー表示, PageRequest 9).
#include <array>

#include "calendar/day_style_editor.h"
#include "settings_window/ui/settings_page.h"

struct FeatureHost;
class ColorSwatch;
class MonthView;
class QComboBox;
class QRadioButton;

class CalendarPage : public SettingsPage {
public:
    explicit CalendarPage(const PageEnvironment &environment);
    // Today's month, with today fixed while the page stays open.
    void Open() override;

private:
    Context &ctx_;
    MonthView *view_;
};

class DayStylePage : public SettingsPage {
public:
    explicit DayStylePage(const PageEnvironment &environment);
    // A fresh working copy of the day styles; 今日 shown.
    void Open() override;
    // 確定: the working copy into the calendar and Tockara.ini. A write that
    // fails is told and keeps the window open.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }

private:
    DayStyleControls controls() const;
    void show(const DayStyleControls &controls);
    void listChanged(int dayType);

    Context &ctx_;
    QWidget *window_;
    DayStyleEditor editor_;
    QComboBox *dayTypes_;                        // CMB3
    std::array<QRadioButton *, 5> marks_{};      // by MarkKind: OPT7, OPT3, OPT4, OPT5, OPT6
    std::array<ColorSwatch *, 3> swatches_{};    // DspCol4, 5, 6
    QAbstractButton *apply_;                     // BTN11
};

PageDefinition CalendarPageDefinition();
PageDefinition DayStylePageDefinition();

// Both pages into the settings window's registry.
void RegisterCalendar(FeatureHost &host);
