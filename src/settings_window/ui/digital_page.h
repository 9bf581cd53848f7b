#pragma once
// The digital display page (AreaDigi): which date and time patterns the
// face's overlay draws, in which colours, with or without outlines.
#include <array>

#include "settings_window/ui/settings_page.h"

class ColorSwatch;
class QCheckBox;
class QComboBox;

class DigitalPage : public SettingsPage {
public:
    explicit DigitalPage(const PageEnvironment &environment);

    // Fills the pattern lists from Calender.ini and the rest from the settings.
    void Open() override;
    // The page into the "Digital" settings; the face takes the new patterns.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }

private:
    Context &ctx_;
    QComboBox *datePatterns_;     // CMB1
    QComboBox *timePatterns_;     // CMB2
    std::array<ColorSwatch *, 4> swatches_;   // DspCol0..3
    QCheckBox *dateOutline_;      // CHK3
    QCheckBox *timeOutline_;      // CHK4
    QAbstractButton *apply_;
};

// デジタル表示 (PageRequest 8).
PageDefinition DigitalPageDefinition();
