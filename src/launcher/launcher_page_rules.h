#pragma once
// The rules of the launcher page (AreaLunch): showing an entry, checking the
// fields, adding, changing and deleting entries. Every change reaches the
// list, the menu and Tockara.ini at once; the page only shows the outcome.
#include <optional>
#include <QString>
#include <QStringList>

#include "launcher/launcher_list.h"

class MessageBoxService;
class QWidget;

// The texts of the page's three fields: FLD 9 title, FLD 10 file (or
// folder), FLD 11 work folder.
struct LunchFields {
    QString title, file, workFolder;
    bool operator==(const LunchFields &) const = default;
};

// What the page shows for an entry: a program, document or shortcut as its
// full file path with the work folder editable; a folder or archive by its
// folder alone, the work folder shown but not editable.
struct LunchEntryView {
    LunchFields fields;
    bool workFolderEnabled = true;
};
LunchEntryView ViewOfEntry(const LauncherEntry &entry);

// What the page does after a button.
struct LunchOutcome {
    bool listChanged = false;                 // refill CMB 0 from the titles
    std::optional<int> select;                // then select this position of CMB 0
    std::optional<int> focus;                 // the FLD to focus after a refused check
    std::optional<QString> workFolderText;    // the new text of FLD 11
};

// The file chooser of DialogBtn 0: its title and file types (name NUL
// pattern NUL …, an extra NUL at the end), the first preselected.
QString LunchFileChooserTitle();
QString LunchFileChooserFilter();
// The work folder chooser of DialogBtn 1.
QString LunchFolderChooserTitle();

class LauncherPageRules {
public:
    // lunchIndex is the number of the entry shown (1-based, 0 for none); it
    // lives as long as the settings window's state. owner owns the boxes.
    LauncherPageRules(LauncherStore &store, qint16 &lunchIndex, MessageBoxService &messages, QWidget *owner)
        : store_(store), lunchIndex_(lunchIndex), messages_(messages), owner_(owner)
    {
    }

    // The titles of CMB 0, in list order.
    QStringList Titles() const;
    // Position p of CMB 0 was selected: entry p + 1 is shown.
    LunchEntryView Select(int position);

    // Checks the fields: a title, an existing file or folder, and for a file
    // an existing work folder. Shows the message of the first failure and
    // names the field to focus; a folder becomes its own work folder.
    LunchOutcome CheckLunchFields(const LunchFields &fields) const;

    // 追加, 変更, 削除 (BTN 3, 4, 5).
    LunchOutcome Add(const LunchFields &fields);
    LunchOutcome Change(const LunchFields &fields);
    LunchOutcome Delete();

private:
    // The entry the fields describe, or nothing (with its message shown and
    // the field to focus in outcome) when a check fails.
    std::optional<LauncherEntry> EntryFromFields(const LunchFields &fields, LunchOutcome &outcome) const;

    LauncherStore &store_;
    qint16 &lunchIndex_;
    MessageBoxService &messages_;
    QWidget *owner_;
};
