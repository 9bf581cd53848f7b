#pragma once
// The hourly chime's page (AreaChime): whether the chime sounds, the sound
// file it plays (typed as an alarm's), and the quiet time in which it stays
// silent. 確定 stores them.
#include <array>

#include "settings_window/ui/settings_page.h"

class QCheckBox;

class ChimePage : public SettingsPage {
public:
    explicit ChimePage(const PageEnvironment &environment);

    void Open() override;
    // false, with nothing stored, when a field of the quiet time is no number.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }

private:
    Context &ctx_;
    QWidget *window_;
    QCheckBox *enabled_;
    FieldEdit *file_;
    QCheckBox *quiet_;
    // The quiet time's start hour and minute, then its end hour and minute.
    std::array<FieldEdit *, 4> times_;
    QAbstractButton *apply_;
};

// 時報の設定 (PageRequest 14).
PageDefinition ChimePageDefinition();
