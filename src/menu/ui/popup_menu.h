#pragma once
// frmMenu: the never-shown window that owns the clock's popup menu tree. It
// builds the tree from the menu table and sends each chosen item's command
// to the command table; what a command does is bound by the feature that owns
// it. Items are QActions named array + index ("barBack4"); an item that opens
// a submenu is a QMenu of that name, whose menuAction() carries the name too.
#include <QHash>
#include <QList>
#include <QPointer>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QWidget>

#include "context/commands.h"

class QAction;
class QMenu;

class PopupMenu : public QWidget {
    Q_OBJECT

public:
    explicit PopupMenu(const CommandTable &commands, QWidget *parent = nullptr);

    // The popup the clock opens: the submenu of the invisible top item "Sys".
    QMenu *popup() const { return sys_; }
    // The item of an array index, e.g. item("barBack", 4); null when none.
    QAction *item(const QString &array, int index) const;
    // The submenu an item opens; null for an item without one.
    QMenu *submenu(const QString &array, int index) const;

    // Opens the popup with its top-left corner at anchor (screen pixels), or
    // beside the clock (its window's screen rectangle, when given) where it
    // does not fit there; returns when the menu has closed and the chosen
    // command has run.
    void ShowPopupMenu(QPoint anchor, QRect clock = {});

    // Sets every check mark from the state its command reports. Runs before
    // each popup; call it when that state may have changed.
    void RefreshChecks();

    // Names action array + index and sends its clicks as command (with page,
    // for OpenPage); also for items added at run time (launcher entries,
    // folder items).
    void attachItem(QAction *action, const QString &array, int index, Command command,
                    qint16 page = 0);

    // The click entry points of the item arrays, by index (as the menu's own
    // clicks arrive): each runs the command of that item, and nothing for an
    // index the array does not have.
    void barMenu_Click(int index) { Click("barMenu", index); }
    void barEnv_Click(int index) { Click("barEnv", index); }
    void barColor_Click(int index) { Click("barColor", index); }
    void barBack_Click(int index) { Click("barBack", index); }
    void barLunch_Click(int index) { Click("barLunch", index); }
    void barOpt_Click(int index) { Click("barOPT", index); }
    void barHelp_Click(int index) { Click("barHelp", index); }

signals:
    // Right before the popup opens: the moment to refill run-time items.
    void aboutToPopup();

private:
    struct CheckableItem {
        QPointer<QAction> action;
        Command command;
        CommandItem item;
    };

    void BuildTree();
    void Click(const QString &array, int index);

    const CommandTable &commands_;
    QMenu *sys_ = nullptr;
    QHash<QString, QPointer<QAction>> items_;   // run-time items may be deleted
    QHash<QString, QMenu *> submenus_;
    QList<CheckableItem> checkables_;
};
