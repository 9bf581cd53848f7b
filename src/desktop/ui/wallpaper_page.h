#pragma once
// The wallpaper page (AreaWall): the desktop's wallpaper and its arrangement,
// shown on opening and set at once with 確定. The wallpaper is the desktop's,
// not a setting of the clock: Tockara.ini is not written.
#include <array>

#include "settings_window/ui/settings_page.h"

class QRadioButton;

class WallpaperPage : public SettingsPage {
public:
    explicit WallpaperPage(const PageEnvironment &environment);

    // The current wallpaper: its file in FLD13, its arrangement's option
    // (並べて表示, 中央に表示, 拡大に表示) or 壁紙なし when there is none.
    void Open() override;
    // Sets the file of FLD13 in the chosen arrangement; 壁紙なし removes the
    // wallpaper whatever the field holds.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }

    // The "..." button: a picture chosen in the file chooser replaces FLD13.
    void ChooseFile();

private:
    Context &ctx_;
    QWidget *window_;
    FieldEdit *file_;
    // OPT8 tiled, OPT9 centred, OPT10 stretched, OPT11 none.
    std::array<QRadioButton *, 4> options_;
    QAbstractButton *apply_;
};

// 壁紙設定 (PageRequest 11).
PageDefinition WallpaperPageDefinition();
