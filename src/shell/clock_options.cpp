#include "shell/clock_options.h"

#include <QAction>
#include <QMenu>

#include "context/commands.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "menu/ui/popup_menu.h"
#include "platform/screen_info.h"
#include "settings/settings_store.h"

namespace {

const QString kOpacity = QStringLiteral("透明度");
const QString kNoCompositor = QStringLiteral("合成マネージャーが動いていないため使えません");

qint16 Toggled(qint16 flag)
{
    return flag != 0 ? 0 : 1;
}

} // namespace

void ShowOpacityAvailability(PopupMenu &menu, const ScreenInfo &screen)
{
    QMenu *opacity = menu.submenu(QStringLiteral("barOPT"), 71);
    if (!opacity)
        return;
    const bool drawn = screen.drawsTranslucency();
    QAction *item = opacity->menuAction();
    item->setEnabled(drawn);
    item->setText(drawn ? kOpacity : kOpacity + QStringLiteral(" (") + kNoCompositor + u')');
    item->setToolTip(drawn ? QString() : kNoCompositor);
}

void RegisterClockOptions(FeatureHost &host)
{
    SettingsStore &store = host.ctx.store;
    CommandTable &commands = host.commands;

    commands.bindCheck(Command::SetOpacity, [&store](const CommandItem &item) {
        return store.settings().Window.Opacity == item.index;
    });
    commands.bind(Command::SetOpacity, [&store](const CommandItem &item) {
        if (item.index < kFaintestOpacity || item.index > kOpaque)
            return;
        store.Update([&](Settings &s) { s.Window.Opacity = qint16(item.index); });
    });

    commands.bindCheck(Command::ToggleClickThrough,
                       [&store](const CommandItem &) { return store.settings().Window.ClickThrough != 0; });
    commands.bind(Command::ToggleClickThrough, [&store](const CommandItem &) {
        store.Update([](Settings &s) { s.Window.ClickThrough = Toggled(s.Window.ClickThrough); });
    });

    commands.bindCheck(Command::ToggleChime,
                       [&store](const CommandItem &) { return store.settings().Chime.Enabled != 0; });
    commands.bind(Command::ToggleChime, [&store](const CommandItem &) {
        store.Update([](Settings &s) { s.Chime.Enabled = Toggled(s.Chime.Enabled); });
    });

    // A compositor may start or stop while the clock runs: asked at each popup.
    PopupMenu &menu = host.menu;
    const ScreenInfo &screen = *host.ctx.services.screen;
    ShowOpacityAvailability(menu, screen);
    QObject::connect(&menu, &PopupMenu::aboutToPopup, &menu,
                     [&menu, &screen] { ShowOpacityAvailability(menu, screen); });
}
