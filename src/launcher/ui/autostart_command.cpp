#include "launcher/ui/autostart_command.h"

#include <QCoreApplication>
#include <QDir>

#include "context/commands.h"
#include "launcher/autostart.h"
#include "platform/message_box.h"

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
        messages.show(owner,
                      QStringLiteral("ログイン時の起動を設定できませんでした。\n%1\n\n"
                                     "ファイルとフォルダーに書き込めるか確かめてください。")
                          .arg(QDir::toNativeSeparators(path)),
                      QStringLiteral("Tockara"), MessageButtons::Ok, MessageIcon::Warning);
    });
}
