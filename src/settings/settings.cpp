#include "settings/settings.h"

#include <QDir>

#include "platform/user_folders.h"
#include "settings/profile.h"

namespace {

// Every key of Tockara.ini in the file's order, each with its field. Loading
// and saving both walk this one list, so their orders cannot drift apart.
// The visitor offers int16, int32 and text, each given section, key, field.
template <typename SettingsRef, typename Visitor>
void ForEachKey(SettingsRef &s, Visitor &&v)
{
    // Window positions are 32-bit: a 16-bit value loses any position right of
    // about 2,180 pixels, which today's wide screens reach.
    v.int32("Setting", "Left", s.Setting.Left);
    v.int32("Setting", "Top", s.Setting.Top);
    v.int16("Setting", "Width", s.Setting.Width);
    v.int16("Setting", "Height", s.Setting.Height);
    v.text("Setting", "TimeFormat", s.Setting.TimeFormat);
    v.text("Setting", "FileManger", s.Setting.FileManger);

    v.int32("Color", "Bord", s.Color.Bord);
    v.int32("Color", "HLine", s.Color.HLine);
    v.int32("Color", "MLine", s.Color.MLine);
    v.int32("Color", "SLine", s.Color.SLine);

    v.int16("Thick", "HLine", s.Thick.HLine);
    v.int16("Thick", "MLine", s.Thick.MLine);
    v.int16("Thick", "SLine", s.Thick.SLine);

    v.int16("Image", "Enabled", s.Image.Enabled);
    v.text("Image", "File", s.Image.File);
    v.int16("Image", "JustSize", s.Image.JustSize);
    v.int16("Image", "TilePattern", s.Image.TilePattern);

    v.int16("Digital", "DatePattern", s.Digital.DatePattern);
    v.int16("Digital", "DatePosition", s.Digital.DatePosition);
    v.int32("Digital", "DateColor", s.Digital.DateColor);
    v.int16("Digital", "DateFuchiEnabled", s.Digital.DateFuchiEnabled);
    v.int32("Digital", "DateFuchiColor", s.Digital.DateFuchiColor);
    v.int16("Digital", "TimePattern", s.Digital.TimePattern);
    v.int16("Digital", "TimePosition", s.Digital.TimePosition);
    v.int32("Digital", "TimeColor", s.Digital.TimeColor);
    v.int16("Digital", "TimeFuchiEnabled", s.Digital.TimeFuchiEnabled);
    v.int32("Digital", "TimeFuchiColor", s.Digital.TimeFuchiColor);

    for (int slot = 0; slot < int(s.Alarm.size()); ++slot) {
        auto &alarm = s.Alarm[slot];
        v.int16("Alarm", AlarmKey("Enabled", slot), alarm.Enabled);
        v.text("Alarm", AlarmKey("Time", slot), alarm.Time);
        v.text("Alarm", AlarmKey("Comment", slot), alarm.Comment);
        v.text("Alarm", AlarmKey("File", slot), alarm.File);
    }

    v.int16("Anime", "Enabled", s.Anime.Enabled);
    v.text("Anime", "File", s.Anime.File);

    v.text("ARC", "DecompFolder", s.ARC.DecompFolder);
    v.int16("ARC", "FileFold", s.ARC.FileFold);

    v.int16("Window", "Opacity", s.Window.Opacity);
    v.int16("Window", "ClickThrough", s.Window.ClickThrough);

    v.int16("Chime", "Enabled", s.Chime.Enabled);
    v.text("Chime", "File", s.Chime.File);
    v.int16("Chime", "Quiet", s.Chime.Quiet);
    v.text("Chime", "QuietFrom", s.Chime.QuietFrom);
    v.text("Chime", "QuietTo", s.Chime.QuietTo);
}

// Reads each key with the field's current value as its default.
struct Loader {
    const QString &path;
    void int16(const QString &section, const QString &key, qint16 &field) const
    {
        field = ReadIniInt16(section, key, field, path);
    }
    void int32(const QString &section, const QString &key, qint32 &field) const
    {
        field = ReadIniInt32(section, key, field, path);
    }
    void text(const QString &section, const QString &key, QString &field) const
    {
        field = ReadIniValue(section, key, field, path);
    }
};

// Lists each key with its value as text; the user's texts are marked so
// that saving keeps their blanks and quotes.
struct Lister {
    QList<SettingsKeyValue> &values;
    void int16(const QString &section, const QString &key, qint16 field) const
    {
        values.append({section, key, QString::number(field), false});
    }
    void int32(const QString &section, const QString &key, qint32 field) const
    {
        values.append({section, key, QString::number(field), false});
    }
    void text(const QString &section, const QString &key, const QString &field) const
    {
        values.append({section, key, field, true});
    }
};

// A clock side outside 1..kMaxClockSide is no size for a window: beyond the
// face it shows garbage, and a huge one cannot even be allocated.
void BoundClockSide(qint16 &side, qint16 def)
{
    if (side < 1 || side > kMaxClockSide)
        side = def;
}

} // namespace

QList<SettingsKeyValue> SettingsKeyValues(const Settings &settings)
{
    QList<SettingsKeyValue> values;
    ForEachKey(settings, Lister{values});
    return values;
}

QString SettingsPathFor(const QString &programFolder)
{
    return AddTrailingSeparator(programFolder) + QStringLiteral("Tockara.ini");
}

QString AlarmKey(const QString &base, int slot)
{
    return slot == 0 ? base : base + QString::number(slot);
}

QString DefaultDecompFolder()
{
    return AddTrailingSeparator(UserFolderPath(UserFolder::Download));
}

Settings DefaultSettings(const QString &)
{
    Settings settings;
    settings.ARC.DecompFolder = DefaultDecompFolder();
    return settings;
}

void LoadSettings(Settings &settings, const QString &settingsPath, const QString &programFolder)
{
    settings = DefaultSettings(programFolder);
    ForEachKey(settings, Loader{settingsPath});
    const Settings defaults;
    BoundClockSide(settings.Setting.Width, defaults.Setting.Width);
    BoundClockSide(settings.Setting.Height, defaults.Setting.Height);
    // A clock fainter than that is lost on the desktop: with clicks passing
    // through it, the user could no longer find it to make it visible again.
    if (settings.Window.Opacity < kFaintestOpacity || settings.Window.Opacity > kOpaque)
        settings.Window.Opacity = defaults.Window.Opacity;
    // An empty folder would otherwise become "/", the root of the file
    // system; the download folder is the extraction folder's default.
    if (settings.ARC.DecompFolder.isEmpty())
        settings.ARC.DecompFolder = DefaultDecompFolder();
    settings.ARC.DecompFolder = AddTrailingSeparator(settings.ARC.DecompFolder);
}

bool SaveSettings(const Settings &settings, const QString &settingsPath)
{
    ProfileBatch batch(settingsPath);
    for (const SettingsKeyValue &entry : SettingsKeyValues(settings))
        batch.write(entry.section, entry.key, entry.isText ? QuoteIniValue(entry.value) : entry.value);
    return batch.commit();
}
