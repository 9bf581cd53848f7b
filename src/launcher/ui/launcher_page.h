#pragma once
// The launcher page (AreaLunch): the entries in a drop-down list, the shown
// entry's title, file and work folder, and 追加, 変更, 削除, each of which
// changes the list, the menu and Tockara.ini at once and keeps the window
// open. The rules live in LauncherPageRules; the page shows their outcome.
#include "launcher/launcher_page_rules.h"
#include "settings_window/ui/settings_page.h"

class QComboBox;
class QPushButton;

class LauncherPage : public SettingsPage {
public:
    explicit LauncherPage(const PageEnvironment &environment);

    // Lists the titles; the first entry is shown when there is one.
    void Open() override;

private:
    void ShowEntry(int position);
    void Show(const LunchOutcome &outcome);
    LunchFields fields() const;
    void ChooseFile();
    void ShowWorkFolder(const QString &folder);
    void ChooseWorkFolder();

    Context &ctx_;
    QWidget *window_;
    LauncherPageRules rules_;
    QComboBox *entries_;
    FieldEdit *title_;
    FieldEdit *file_;
    FieldEdit *workFolder_;
};

// ランチャー設定 (PageRequest 5).
PageDefinition LauncherPageDefinition();
