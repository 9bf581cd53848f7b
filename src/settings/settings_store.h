#pragma once
// The settings of the running clock. One store owns them and the file they
// live in (Tockara.ini). A change is made through Update: the file is written
// once, then the change is announced with the aspects of the clock it
// touches, so whatever shows a setting (the clock window, the menu's check
// marks) updates itself only after the file holds the new value. A write that
// fails is reported to the user once per run, never dropped in silence.
#include <functional>
#include <QFlags>
#include <QObject>
#include <QString>

#include "settings/settings.h"

class MessageBoxService;
class QWidget;

// Tells the user in a "Tockara" warning box, owned by owner, that what (a
// sentence such as "設定を保存できませんでした。") could not be written to
// file, and what to check (or that the file is too large); tail, when given,
// says what became of the change.
void ShowWriteFailure(MessageBoxService &messages, QWidget *owner, const QString &what,
                      const QString &file, const QString &tail = {});

// What a change of the settings touches.
enum class SettingsAspect : unsigned {
    Position = 1u << 0,      // "Setting" Left, Top
    Size = 1u << 1,          // "Setting" Width, Height
    FaceColor = 1u << 2,     // "Color" Bord
    Hands = 1u << 3,         // the hand colours and widths
    Background = 1u << 4,    // "Image"
    Overlay = 1u << 5,       // "Digital"
    HoverText = 1u << 6,     // "Setting" TimeFormat
    FileManager = 1u << 7,   // "Setting" FileManger
    Alarms = 1u << 8,        // "Alarm"
    Environment = 1u << 9,   // "Anime"
    Archive = 1u << 10,      // "ARC"
    Opacity = 1u << 11,      // "Window" Opacity
    ClickThrough = 1u << 12, // "Window" ClickThrough
    Chime = 1u << 13,        // "Chime"
};
Q_DECLARE_FLAGS(SettingsAspects, SettingsAspect)
Q_DECLARE_OPERATORS_FOR_FLAGS(SettingsAspects)

// The aspects in which two sets of settings differ.
SettingsAspects ChangedAspects(const Settings &before, const Settings &after);

class SettingsStore : public QObject {
    Q_OBJECT
public:
    // The store of settingsPath; failures are told through messages.
    SettingsStore(QString settingsPath, QString programFolder, MessageBoxService &messages);

    const Settings &settings() const { return settings_; }
    const QString &path() const { return path_; }

    // Reads the file; whatever is missing or unusable takes its default.
    // Announces nothing: nothing shows the settings before they are read. A
    // file too large to read is told, and then counts as told for writes.
    void Load();
    // Takes settings as if read from the file, without writing or announcing.
    void Reset(const Settings &settings);
    // Writes every key as it stands (start-up writes the file straight back).
    // false when the file could not be written (the user has been told).
    bool Save();

    // Changes the settings through edit, writes the file once, then announces
    // the aspects that differ together with `also` (for a change that must be
    // shown again although its values stayed, such as a picture file chosen
    // anew). false when the file could not be written; the change is kept in
    // memory and announced all the same.
    bool Update(const std::function<void(Settings &)> &edit, SettingsAspects also = {});

signals:
    // After a change was written (or its write failed and was reported).
    void changed(SettingsAspects aspects);

private:
    bool Write();

    const QString path_;
    const QString programFolder_;
    MessageBoxService &messages_;
    Settings settings_;
    bool failureReported_ = false;
};
