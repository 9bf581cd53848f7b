#include "shell/autostart_command.h"

#include <QCoreApplication>
#include <QDir>

#include "context/commands.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "platform/autostart.h"
#include "platform/message_box.h"
#include "settings/settings_store.h"

void RegisterAutostart(FeatureHost &host)
{
    Autostart &autostart = *host.ctx.services.autostart;
    MessageBoxService &messages = *host.ctx.services.messages;
    QWidget *owner = host.owner;
    CommandTable &commands = host.commands;
    commands.bindCheck(Command::ToggleAutostart, [&autostart](const CommandItem &) { return autostart.enabled(); });
    commands.bind(Command::ToggleAutostart, [&autostart, &messages, owner](const CommandItem &) {
        if (autostart.setEnabled(!autostart.enabled(), QCoreApplication::applicationFilePath()))
            return;
        ShowWriteFailure(messages, owner, QStringLiteral("ログイン時の起動を設定できませんでした。"),
                         autostart.location());
    });
}
