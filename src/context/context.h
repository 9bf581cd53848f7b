#pragma once
// The shared state of one running clock: the platform services, the data
// stores every window works on, and which page the next tool window shows.
// Start-up creates one Context and hands it by reference to every window; a
// test builds one over a temporary program folder and fake services.
#include <QString>

#include "archive/archive_extractor.h"
#include "calendar/calendar_data.h"
#include "settings/display_patterns.h"
#include "calendar/notes.h"
#include "launcher/launcher_list.h"
#include "platform/services.h"
#include "settings/settings_store.h"

struct Context {
    Context(Services &services, const QString &programFolder)
        : services(services), programFolder(programFolder),
          store(SettingsPathFor(programFolder), programFolder, *services.messages),
          archives(*services.archivers, *services.messages, *services.programs)
    {
    }

    Services &services;
    const QString programFolder;   // no trailing separator

    // Tockara.ini: the settings, changed only through the store.
    SettingsStore store;
    const Settings &settings() const { return store.settings(); }
    const QString &settingsPath() const { return store.path(); }

    // The day styles, holiday rules, the diary and the quick memo.
    CalendarData calendar;
    NoteData notes;
    // The face's date and time format texts, from the "Digital" patterns.
    DisplayPatterns patterns;

    // Extracts archives dropped on the clock, one after another.
    ArchiveExtractor archives;

    // The page the next opening of the settings window or note window shows.
    qint16 PageRequest = 0;
    // Set while the settings window or the note window is open.
    bool ToolWindowOpen = false;

    // The launcher's entries, kept in the "Lunch" section of Tockara.ini.
    LauncherStore launcher{store.path(), *services.messages};
};
