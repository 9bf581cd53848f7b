#include "menu/ui/popup_menu.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>
#include <QScreen>

#include "menu/popup_anchor.h"
#include "menu/ui/menu_table.h"

namespace {

QString ItemName(const QString &array, int index)
{
    return array + QString::number(index);
}

// Separators as tall as the desktop's own menus draw them, with their line
// in the middle: the toolkit's two-pixel separator at the top of a menu (the
// launcher's, while it has no entries) would lie on the menu's frame and not
// be seen.
class MenuStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override
    {
        QSize result = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (type == CT_MenuItem && item && item->menuItemType == QStyleOptionMenuItem::Separator)
            result.setHeight(std::max(result.height(), kSeparatorHeight));
        return result;
    }

private:
    static constexpr int kSeparatorHeight = 9;
};

} // namespace

PopupMenu::PopupMenu(const CommandTable &commands, QWidget *parent)
    : QWidget(parent), commands_(commands)
{
    setObjectName(QStringLiteral("frmMenu"));
    BuildTree();
}

void PopupMenu::BuildTree()
{
    auto *style = new MenuStyle;
    style->setParent(this);
    sys_ = new QMenu(QStringLiteral("System"), this);
    sys_->setObjectName(QStringLiteral("Sys"));
    sys_->setStyle(style);
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
            menu->setStyle(style);
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
