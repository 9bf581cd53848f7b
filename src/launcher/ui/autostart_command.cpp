#include "launcher/ui/autostart_command.h"

#include <QCoreApplication>
#include <QDir>

#include "context/commands.h"
#include "launcher/autostart.h"
#include "platform/message_box.h"
#include "settings/settings_store.h"

void RegisterAutostart(CommandTable &commands, MessageBoxService &messages, QWidget *owner)
{
    // The path is read at each use: the user's folders may change while the clock runs.
    commands.bindCheck(Command::ToggleAutostart, [](const CommandItem &) {
        return AutostartEnabled(AutostartEntryPath());
    });
    commands.bind(Command::ToggleAutostart, [&messages, owner](const CommandItem &) {
        const QString path = AutostartEntryPath();
        if (SetAutostart(path, !AutostartEnabled(path), QCoreApplication::applicationFilePath()))
            return;
        ShowWriteFailure(messages, owner, QStringLiteral("ログイン時の起動を設定できませんでした。"), path);
    });
}
