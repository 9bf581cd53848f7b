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
    // Sets the file of FLD13 (~ below the home folder, a relative path below
    // the program folder) in the chosen arrangement; 壁紙なし removes the
    // wallpaper whatever the field holds. Nothing is set when the field and
    // the option are as the page showed them. A file that holds no picture is
    // told, and the page stays open with nothing changed.
    bool Apply() override;
    QAbstractButton *ApplyButton() const override { return apply_; }

    // The "..." button: a picture chosen in the file chooser replaces FLD13.
    void ChooseFile();

private:
    // The checked option's index in options_; -1 when none is.
    int CheckedOption() const;
    // FLD13 made a whole path; empty when the field is.
    QString WholePath() const;
    void ShowUnreadable(const QString &file);

    // The field and the option as Open showed them.
    struct Shown {
        QString file;
        int option = -1;
    };

    Context &ctx_;
    QWidget *window_;
    FieldEdit *file_;
    // OPT8 tiled, OPT9 centred, OPT10 stretched, OPT11 none.
    std::array<QRadioButton *, 4> options_;
    QAbstractButton *apply_;
    Shown shown_;
};

// 壁紙設定 (PageRequest 11).
PageDefinition WallpaperPageDefinition();
