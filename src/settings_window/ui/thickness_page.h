#pragma once
// The hand thickness page (AreaThick): widths of the hour, minute and second
// hands.
#include <array>

#include "settings_window/ui/settings_page.h"

class ThicknessPage : public SettingsPage {
public:
    explicit ThicknessPage(const PageEnvironment &environment);

    // Fills the fields from the settings.
    void Open() override;
    // Stores the typed widths (outside 1..4 they become 1). false, with
    // nothing stored, when a field does not hold a number.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }
    QList<PageSpin> Spins() const override;

private:
    Context &ctx_;
    QWidget *window_;
    std::array<FieldEdit *, 3> fields_;   // hour, minute, second hand
    std::array<SpinButton *, 3> spins_;
    QAbstractButton *apply_;
};

// 針の設定 (PageRequest 3).
PageDefinition ThicknessPageDefinition();
