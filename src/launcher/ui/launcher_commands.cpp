#include "launcher/ui/launcher_commands.h"

#include <limits>
#include <QAction>
#include <QGuiApplication>
#include <QHash>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionMenuItem>

#include "context/commands.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "launcher/folder_menus.h"
#include "launcher/launch.h"
#include "launcher/ui/launcher_page.h"
#include "menu/ui/popup_menu.h"
#include "platform/desktop_folders.h"

namespace {

// How many items menu can show at once on its screen: a longer menu would
// scroll, and items beyond the screen are hard to reach.
int RowsThatFit(const QMenu *menu)
{
    const QScreen *screen = menu->screen() ? menu->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return std::numeric_limits<int>::max();
    const QStyle *style = menu->style();
    QStyleOptionMenuItem option;
    option.initFrom(menu);
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.text = QStringLiteral("X");
    const QFontMetrics metrics(menu->font());
    const int row = style->sizeFromContents(QStyle::CT_MenuItem, &option,
                                            QSize(metrics.horizontalAdvance(option.text), metrics.height()), menu)
                        .height();
    const int frame = 2 * (style->pixelMetric(QStyle::PM_MenuPanelWidth, nullptr, menu)
                           + style->pixelMetric(QStyle::PM_MenuVMargin, nullptr, menu));
    return std::max(1, (screen->availableGeometry().height() - frame) / std::max(1, row));
}

// The run-time items of the menu and what they open; lives as long as the
// menu (a child of it).
class LauncherMenus : public QObject {
public:
    LauncherMenus(PopupMenu &menu, Context &ctx, QWidget *owner)
        : QObject(&menu), menu_(menu), ctx_(ctx), owner_(owner)
    {
    }

    // Replaces the launcher items barLunch 1..oldCount by one per entry, in
    // front of the separator barLunch 80.
    void RebuildLauncherMenu(int oldCount)
    {
        for (int i = 1; i <= oldCount; ++i)
            delete menu_.item("barLunch", i);
        QMenu *launcher = menu_.submenu("barMenu", 31);
        QAction *separator = menu_.item("barLunch", 80);
        const QStringList captions = LauncherMenuCaptions(ctx_.launcher.list());
        for (int i = 1; i <= captions.size(); ++i) {
            auto *action = new QAction(MenuActionText(captions[i - 1]), launcher);
            launcher->insertAction(separator, action);
            menu_.attachItem(action, "barLunch", i, Command::Launch);
        }
    }

    // Refills one folder submenu from its folder now.
    void Refill(const FolderMenuSpec &spec)
    {
        const QString array = QString::fromLatin1(spec.array);
        QMenu *submenu = menu_.submenu("barLunch", spec.opener);
        DesktopFolders &folders = *ctx_.services.folders;
        const QList<FolderMenuItem> items = FitFolderMenu(FolderMenuItems(spec, folders), RowsThatFit(submenu),
                                                          folders.specialFolderPath(spec.folder));
        const FolderMenuState::Refill refill = states_[array].refill(items);
        for (int n = refill.firstNew; n <= refill.lastNew; ++n) {
            auto *action = new QAction(submenu);
            submenu->addAction(action);
            menu_.attachItem(action, array, n, Command::OpenFolderItem);
        }
        for (int n = 1; n <= refill.items.size(); ++n) {
            QAction *action = menu_.item(array, n);
            action->setText(MenuActionText(refill.items[n - 1].caption));
            action->setVisible(true);
        }
        for (int n = refill.firstHidden; n <= refill.lastHidden; ++n)
            menu_.item(array, n)->setVisible(false);
        // "(空)" tells a missing folder from an empty one; a missing folder has nothing to open.
        QAction *empty = menu_.item(array, 0);
        empty->setVisible(refill.emptyVisible);
        empty->setText(EmptyItemCaption(spec, folders));
        empty->setEnabled(spec.emptyItemEnabled && !EmptyItemTarget(spec, folders).isEmpty());
        shown_[array] = refill.items;
    }

    void RefillFolderMenus()
    {
        for (const FolderMenuSpec &spec : FolderMenus())
            Refill(spec);
    }

    void OpenItem(const CommandItem &item)
    {
        QString path;
        if (item.index == 0) {
            for (const FolderMenuSpec &spec : FolderMenus()) {
                if (item.array == QLatin1String(spec.array))
                    path = EmptyItemTarget(spec, *ctx_.services.folders);
            }
        } else if (item.index <= shown_.value(item.array).size()) {
            const FolderMenuItem shown = shown_.value(item.array).at(item.index - 1);
            if (shown.opensFolder) {
                OpenInFileManager(ctx_.settings().Setting.FileManger, shown.path, services());
                return;
            }
            path = shown.path;
        }
        if (!path.isEmpty())
            OpenFolderItem(path, services());
    }

    // The drive submenu, built once: item 0 exists, the others are added.
    void BuildDriveMenu()
    {
        drives_ = ctx_.services.folders->mountedDrives();
        QMenu *submenu = menu_.submenu("barMenu", 41);
        for (int i = 0; i < drives_.size(); ++i) {
            QAction *action = menu_.item("barDrive", i);
            if (!action) {
                action = new QAction(submenu);
                submenu->addAction(action);
                menu_.attachItem(action, "barDrive", i, Command::OpenDrive);
            }
            action->setText(MenuActionText(DriveMenuCaption(drives_[i])));
            action->setVisible(true);
        }
    }

    void OpenDrive(const CommandItem &item)
    {
        if (item.index < 0 || item.index >= drives_.size())
            return;
        const QString mountPoint = drives_[item.index].mountPoint;
        OpenInFileManager(ctx_.settings().Setting.FileManger, mountPoint, services());
    }

    void Launch(const CommandItem &item)
    {
        if (item.index >= 1 && item.index <= ctx_.launcher.LauncherCount())
            LaunchEntry(ctx_.launcher.entry(item.index), ctx_.settings().Setting.FileManger, services());
    }

private:
    LaunchServices services() const { return {*ctx_.services.programs, *ctx_.services.messages, owner_}; }

    PopupMenu &menu_;
    Context &ctx_;
    QWidget *owner_;
    QHash<QString, FolderMenuState> states_;
    QHash<QString, QList<FolderMenuItem>> shown_;
    QList<MountedDrive> drives_;
};

} // namespace

void RegisterLauncher(FeatureHost &host)
{
    host.pages.add(LauncherPageDefinition());
    PopupMenu &menu = host.menu;
    CommandTable &commands = host.commands;
    auto *menus = new LauncherMenus(menu, host.ctx, host.owner);
    host.ctx.launcher.RebuildLauncherMenu = [menus](int oldCount) { menus->RebuildLauncherMenu(oldCount); };
    menus->RebuildLauncherMenu(0);
    menus->BuildDriveMenu();
    QObject::connect(&menu, &PopupMenu::aboutToPopup, menus, [menus] { menus->RefillFolderMenus(); });
    commands.bind(Command::Launch, [menus](const CommandItem &item) { menus->Launch(item); });
    commands.bind(Command::OpenFolderItem, [menus](const CommandItem &item) { menus->OpenItem(item); });
    commands.bind(Command::OpenDrive, [menus](const CommandItem &item) { menus->OpenDrive(item); });
}

std::function<void(const QByteArray &uriList)> LauncherDropHandler(Context &ctx, QWidget *owner,
                                                                    ArchiveStep extractIfArchive)
{
    return [&ctx, owner, extractIfArchive](const QByteArray &uriList) {
        HandleDroppedPaths(ParseUriList(uriList), ctx.launcher, extractIfArchive, *ctx.services.messages, owner);
    };
}
