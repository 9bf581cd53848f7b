#pragma once
// Helpers for tests around the settings store: settings put in place as if
// read from the file, and a record of what the store announced together with
// whether the file already held the change at that moment.
#include <functional>
#include <QList>
#include <QObject>

#include "settings/settings_store.h"

// Changes the settings in memory as if the file had held them: nothing is
// written and nothing announced.
inline void Preset(SettingsStore &store, const std::function<void(Settings &)> &edit)
{
    Settings settings = store.settings();
    edit(settings);
    store.Reset(settings);
}

// The settings as the file on disk holds them now.
inline Settings SavedSettings(const SettingsStore &store, const QString &programFolder)
{
    Settings saved;
    LoadSettings(saved, store.path(), programFolder);
    return saved;
}

class SettingsWatch : public QObject {
public:
    SettingsWatch(SettingsStore &store, const QString &programFolder)
    {
        connect(&store, &SettingsStore::changed, this, [&store, programFolder, this](SettingsAspects aspects) {
            announced.append(aspects);
            const Settings saved = SavedSettings(store, programFolder);
            savedFirst.append(!ChangedAspects(saved, store.settings()));
        });
    }

    // Everything announced so far, together.
    SettingsAspects all() const
    {
        SettingsAspects together;
        for (SettingsAspects aspects : announced)
            together |= aspects;
        return together;
    }
    // Whether every announcement came after the file held the change.
    bool everySavedFirst() const { return !savedFirst.contains(false); }

    QList<SettingsAspects> announced;
    QList<bool> savedFirst;
};
