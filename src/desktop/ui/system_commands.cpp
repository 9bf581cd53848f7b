#include "desktop/ui/system_commands.h"

#include <memory>
#include <QAction>
#include <QMenu>

#include "context/commands.h"
#include "context/context.h"
#include "desktop/display_mode_menu.h"
#include "desktop/help_page.h"
#include "desktop/ui/display_mode_change.h"
#include "desktop/system_actions.h"
#include "menu/ui/popup_menu.h"

namespace {

// The display modes behind the items barMoni 0, 1, ...; empty when the
// submenu shows "(空)".
using ModeList = QList<DisplayMode>;

std::shared_ptr<ModeList> BuildResolutionItems(PopupMenu &menu, Context &ctx, QWidget *owner)
{
    auto modes = std::make_shared<ModeList>();
    const QPoint clockCentre = owner ? owner->geometry().center() : QPoint();
    const QList<DisplayModeItem> items = BuildResolutionMenu(*ctx.services.displayModes, clockCentre);
    QAction *first = menu.item("barMoni", 0);
    QMenu *submenu = menu.submenu("barMenu", 42);
    if (!first || !submenu)
        return modes;
    first->setVisible(true);
    if (items.isEmpty()) {
        first->setText(QString::fromUtf16(NoDisplayModesCaption));
        first->setEnabled(false);
        return modes;
    }
    for (int i = 0; i < items.size(); ++i) {
        QAction *action = first;
        if (i > 0) {
            action = submenu->addAction(items[i].caption);
            menu.attachItem(action, "barMoni", i, Command::SetDisplayMode);
        }
        action->setText(items[i].caption);
        action->setEnabled(true);
        modes->append(items[i].mode);
    }
    return modes;
}

} // namespace

void RegisterSystemCommands(CommandTable &commands, PopupMenu &menu, Context &ctx, QWidget *owner)
{
    commands.bind(Command::Restart, [&ctx, owner](const CommandItem &) {
        ConfirmPowerAction(PowerAction::Restart, *ctx.services.messages, *ctx.services.power, owner);
    });
    commands.bind(Command::Shutdown, [&ctx, owner](const CommandItem &) {
        ConfirmPowerAction(PowerAction::Shutdown, *ctx.services.messages, *ctx.services.power, owner);
    });

    std::shared_ptr<ModeList> modes = BuildResolutionItems(menu, ctx, owner);
    auto change = std::make_shared<DisplayModeChange>(ctx, owner);
    commands.bind(Command::SetDisplayMode, [modes, change](const CommandItem &item) {
        if (item.index >= 0 && item.index < modes->size())
            change->choose(modes->at(item.index));
    });

    commands.bind(Command::OpenHelp, [&ctx, owner](const CommandItem &) {
        OpenHelpPage(ctx.programFolder, *ctx.services.programs, *ctx.services.messages, owner);
    });
}
