#pragma once
// The process-wide state of one running clock. Start-up creates one Context
// and hands it by reference to every window and routine; a test builds one
// with a temporary program folder and fake services.
#include <functional>
#include <memory>
#include <utility>
#include <QString>

#include "platform/services.h"
#include "settings/settings.h"

class QWidget;
struct CalendarData;
struct NoteData;

// What the clock window offers to the rest of the program (menu commands and
// settings pages change the face through it). The clock window implements it;
// tests use a fake.
class ClockActions {
public:
    virtual ~ClockActions() = default;
    // Sizes the clock window from Setting Width/Height and gives it its elliptic mask.
    virtual void ApplyClockShape() = 0;
    // Applies the face colour to every surface, then recomposes the background.
    virtual void ApplyBackColor() = 0;
    // Rebuilds the background from the picture settings and shows it.
    virtual void ComposeBackground() = 0;
    // Reads the environment file named by "Anime" "File" and applies it.
    virtual void LoadEnvironment() = 0;
    // Restarts the figure: no pattern yet, counter 0, at the face's centre.
    virtual void ResetAnimation() = 0;
    // Closes every window of the program; the process ends with the last one.
    virtual void ExitProgram() = 0;
    // The clock window, owner of the choosers and message boxes.
    virtual QWidget *clockWindow() = 0;
};

struct Context {
    Context(Services &services, QString programFolder)
        : services(services), programFolder(std::move(programFolder)),
          settingsPath(SettingsPathFor(this->programFolder))
    {
    }

    Services &services;
    const QString programFolder;   // no trailing separator
    const QString settingsPath;    // programFolder/Tockara.ini
    Settings settings;

    // The calendar tables and the diary and memo lines; start-up creates them.
    std::shared_ptr<CalendarData> calendar;
    std::shared_ptr<NoteData> notes;

    // The date and time format texts of the face's digital overlay.
    QString DatePatternFormat;
    QString TimePatternFormat;

    // The page the next opening of the settings window or note window shows.
    qint16 PageRequest = 0;
    // Set while the settings window or the note window is open.
    bool ToolWindowOpen = false;

    // Set by the clock window when it is created; null before.
    ClockActions *clock = nullptr;
    // Opens the settings window modally on PageRequest; set by start-up (the
    // settings window sits above the menu that opens it).
    std::function<void()> ShowSettingsWindow;
};
