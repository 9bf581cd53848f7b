#pragma once
// The alarm page (AreaAlarm): edits a working copy of the three alarm
// presets; the option buttons switch which preset the fields show, and only
// 確定 writes the copy back to the settings.
#include <array>

#include "settings/settings.h"
#include "settings_window/ui/settings_page.h"

class QCheckBox;
class QRadioButton;

class AlarmPage : public SettingsPage {
public:
    explicit AlarmPage(const PageEnvironment &environment);

    // Opening: preset 0, a fresh working copy, its fields shown.
    void Open() override;
    // The working copy, with the shown fields, into the settings. false, with
    // nothing stored, when the time fields do not hold numbers.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }
    QList<PageSpin> Spins() const override;

    // The presets' option buttons (OPT 0..2): keeps the shown preset's edits
    // in the working copy and shows preset. When the shown fields cannot be
    // kept (a time that is not a number) the user is told and the page stays
    // on the shown preset; returns false then.
    bool SwitchPreset(int preset);

private:
    void ShowAlarmFields();
    bool StoreAlarmFields();
    int shownPreset() const;

    Context &ctx_;
    SettingsWindowState &state_;
    QWidget *window_;
    std::array<QRadioButton *, 3> presets_;
    QCheckBox *enabled_;
    FieldEdit *hour_;
    FieldEdit *minute_;
    FieldEdit *comment_;
    FieldEdit *file_;
    std::array<SpinButton *, 2> spins_;
    QAbstractButton *apply_;
    std::array<AlarmEntry, 3> work_;
};

// アラーム設定 (PageRequest 2).
PageDefinition AlarmPageDefinition();
