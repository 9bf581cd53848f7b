#pragma once
// The clock size page (AreaSize): width and height of the clock window.
#include <array>

#include "settings_window/ui/settings_page.h"

class SizePage : public SettingsPage {
public:
    explicit SizePage(const PageEnvironment &environment);

    // Fills the fields from the settings.
    void Open() override;
    // Stores the typed size (out-of-range values become 80) and has the clock
    // reshaped, its background recomposed and its figure restarted. false,
    // with nothing stored, when a field does not hold a number.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }
    QList<PageSpin> Spins() const override;

private:
    Context &ctx_;
    QWidget *window_;
    FieldEdit *width_;
    FieldEdit *height_;
    std::array<SpinButton *, 2> spins_;
    QAbstractButton *apply_;
};

// 時計サイズ (PageRequest 1).
PageDefinition SizePageDefinition();
