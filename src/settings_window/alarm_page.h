#pragma once
// The alarm page (AreaAlarm): edits a working copy of the three alarm
// presets; the option buttons switch which preset the fields show, and only
// 確定 writes the copy back to the settings.
#include <array>

#include "settings/settings.h"

class QCheckBox;
class QFrame;
class QRadioButton;
class QWidget;
struct Context;
struct SettingsWindowState;
class FieldEdit;

class AlarmPage {
public:
    AlarmPage(QFrame *area, Context &ctx, SettingsWindowState &state, QWidget *owner);

    // Opening: preset 0, a fresh working copy, its fields shown.
    void Open();
    // OPT_Click for the presets (0..2): keeps the shown preset's edits in the
    // working copy and shows preset. When the shown fields cannot be kept (a
    // time that is not a number) the user is told and the page stays on the
    // shown preset; returns false then.
    bool SwitchPreset(int preset);
    // 確定: the working copy, with the shown fields, into the settings. false,
    // with nothing stored, when the time fields do not hold numbers.
    bool Apply();

private:
    void LoadAlarmWork();
    void ShowAlarmFields();
    bool StoreAlarmFields();
    void SaveAlarmWork();
    int shownPreset() const;

    Context &ctx_;
    SettingsWindowState &state_;
    QWidget *owner_;
    std::array<QRadioButton *, 3> presets_;
    QCheckBox *enabled_;
    FieldEdit *hour_;
    FieldEdit *minute_;
    FieldEdit *comment_;
    FieldEdit *file_;
    std::array<AlarmEntry, 3> work_;
};
