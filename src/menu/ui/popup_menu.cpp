#include "menu/ui/popup_menu.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include "menu/popup_anchor.h"
#include "menu/ui/menu_table.h"

namespace {

QString ItemName(const QString &array, int index)
{
    return array + QString::number(index);
}

} // namespace

PopupMenu::PopupMenu(const CommandTable &commands, QWidget *parent)
    : QWidget(parent), commands_(commands)
{
    setObjectName(QStringLiteral("frmMenu"));
    BuildTree();
}

void PopupMenu::BuildTree()
{
    sys_ = new QMenu(QStringLiteral("System"), this);
    sys_->setObjectName(QStringLiteral("Sys"));
    // A submenu may begin with a separator (the launcher's, while it has no
    // entries); every separator of the table stays visible.
    sys_->setSeparatorsCollapsible(false);

    // menus[level - 1] is the menu that items of that level go into.
    QList<QMenu *> menus = {sys_};
    for (const MenuTableEntry &entry : PopupMenuTable()) {
        menus.resize(entry.level);
        QMenu *parentMenu = menus.back();
        const QString array = QString::fromUtf8(entry.array);
        const QString caption = QString::fromUtf8(entry.caption);

        QAction *action = nullptr;
        switch (entry.kind) {
        case MenuItemKind::Separator:
            action = parentMenu->addSeparator();
            break;
        case MenuItemKind::Submenu: {
            QMenu *menu = parentMenu->addMenu(caption);
            menu->setObjectName(ItemName(array, entry.index));
            menu->setSeparatorsCollapsible(false);
            submenus_.insert(menu->objectName(), menu);
            menus.append(menu);
            action = menu->menuAction();
            break;
        }
        case MenuItemKind::Item:
        case MenuItemKind::Checkable:
            action = parentMenu->addAction(caption);
            action->setCheckable(entry.kind == MenuItemKind::Checkable);
            break;
        }
        action->setEnabled(entry.enabled);
        action->setVisible(entry.visible);
        attachItem(action, array, entry.index, entry.command, entry.page);
    }
}

void PopupMenu::attachItem(QAction *action, const QString &array, int index, Command command,
                           qint16 page)
{
    const QString name = ItemName(array, index);
    action->setObjectName(name);
    items_.insert(name, action);
    if (action->isSeparator() || action->menu())
        return;
    const CommandItem item{array, index, page};
    if (action->isCheckable())
        checkables_.append({action, command, item});
    connect(action, &QAction::triggered, this, [this, command, item] {
        commands_.run(command, item);
        // The mark shows the state the command left, not the toolkit's flip.
        RefreshChecks();
    });
}

QAction *PopupMenu::item(const QString &array, int index) const
{
    return items_.value(ItemName(array, index));
}

QMenu *PopupMenu::submenu(const QString &array, int index) const
{
    return submenus_.value(ItemName(array, index));
}

void PopupMenu::Click(const QString &array, int index)
{
    if (QAction *action = item(array, index); action && !action->menu() && !action->isSeparator())
        action->trigger();
}

void PopupMenu::RefreshChecks()
{
    for (const CheckableItem &checkable : checkables_) {
        if (!checkable.action)
            continue;
        if (const std::optional<bool> checked = commands_.checked(checkable.command, checkable.item))
            checkable.action->setChecked(*checked);
    }
}

void PopupMenu::ShowPopupMenu(QPoint anchor, QRect clock)
{
    emit aboutToPopup();
    RefreshChecks();
    // The toolkit keeps a menu on the screen by moving it over whatever lies
    // there; one that fits on the monitor's area opens where it is asked to.
    // That area is the one the toolkit keeps menus in.
    QPoint at = anchor;
    if (QScreen *screen = QGuiApplication::screenAt(anchor); screen && !clock.isEmpty())
        at = MenuBesideClock(anchor, sys_->sizeHint(), clock, screen->availableGeometry());
    sys_->exec(at);
}
