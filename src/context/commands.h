#pragma once
// What the user can ask for from the popup menu. Every item of the menu
// carries one of these commands; each feature binds the handlers of its own
// commands at start-up, and the menu only dispatches. A command nobody bound
// does nothing.
#include <functional>
#include <optional>
#include <QHash>
#include <QString>

enum class Command {
    None,                 // opens a submenu, or is a separator or placeholder
    OpenPage,             // the settings window on the item's page
    OpenMemo,             // the note window on the quick memo
    PickFaceColor,        // 1 face, 2 hour, 3 minute, 4 second hand: the item's index
    PickAnimationFile,
    ToggleBackground,     // 1 picture shown, 3 stretched, 4 tiled: the item's index
    PickBackgroundImage,
    Launch,               // the launcher entry of the item's index
    OpenFolderItem,       // an item of the desktop, recent or documents submenu
    OpenDrive,
    SetDisplayMode,
    Restart,
    Shutdown,
    OpenHelp,
    Exit,
    ToggleAutostart,      // the clock starts with the desktop session, or no longer
    SetOpacity,           // the clock's opacity: the item's index, in percent
    ToggleClickThrough,   // pointer and clicks pass through the clock, or no longer
    ToggleChime,          // the hourly chime on or off
    End,                  // not a command: every command stands above it
};

// The item a command came from: its array name and index ("barColor", 2) and,
// for OpenPage, the page it asks for.
struct CommandItem {
    QString array;
    int index = 0;
    qint16 page = 0;
};

class CommandTable {
public:
    using Handler = std::function<void(const CommandItem &item)>;
    using CheckState = std::function<bool(const CommandItem &item)>;

    // The handler of command; a later binding replaces an earlier one.
    void bind(Command command, Handler handler);
    // Where a checkable item's mark comes from.
    void bindCheck(Command command, CheckState state);

    // Runs the handler of command for item; nothing when none is bound.
    void run(Command command, const CommandItem &item) const;
    // The mark item should show, or nothing when no state is bound.
    std::optional<bool> checked(Command command, const CommandItem &item) const;
    bool isBound(Command command) const;

private:
    QHash<int, Handler> handlers_;
    QHash<int, CheckState> checks_;
};
