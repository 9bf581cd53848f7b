#pragma once
// Settings: the in-memory mirror of Tockara.ini, loaded and saved as a whole.
// Field names follow the file's sections and keys.
#include <array>
#include <QList>
#include <QString>

// Largest clock width or height, in pixels: the bound for sizes read from
// Tockara.ini and asked for by environment files.
inline constexpr int kMaxClockSide = 4096;

// The steps of the clock's opacity, in percent: from opaque down to the
// faintest clock that still reads.
inline constexpr int kOpaque = 100;
inline constexpr int kFaintestOpacity = 30;

// Colours are 0x00BBGGRR: red + 256 * green + 65536 * blue.
using ColorValue = qint32;

struct AlarmEntry {
    qint16 Enabled = 0;               // flag: non-zero = armed
    QString Time = "00:00";           // "hh:nn", 24-hour
    QString Comment = QStringLiteral("時間です");
    QString File;
};

struct Settings {
    struct {
        qint32 Left = 0;              // twips; read as 32-bit (see LoadSettings)
        qint32 Top = 0;               // twips
        qint16 Width = 80;            // pixels
        qint16 Height = 80;           // pixels
        QString TimeFormat = "yyyy/mm/dd hh:mm:ss";
        QString FileManger = "xdg-open";
    } Setting;
    struct {
        ColorValue Bord = 32768;      // face colour, mid green
        ColorValue HLine = 8388608;   // dark blue
        ColorValue MLine = 8388608;
        ColorValue SLine = 0;
    } Color;
    struct {
        qint16 HLine = 2;
        qint16 MLine = 2;
        qint16 SLine = 1;
    } Thick;
    struct {
        qint16 Enabled = 0;
        QString File;
        qint16 JustSize = 0;
        qint16 TilePattern = 1;
    } Image;
    struct {
        qint16 DatePattern = 1;
        qint16 DatePosition = 0;
        ColorValue DateColor = 16777215;
        qint16 DateFuchiEnabled = 1;
        ColorValue DateFuchiColor = 8388608;
        qint16 TimePattern = 0;
        qint16 TimePosition = 0;
        ColorValue TimeColor = 0;
        qint16 TimeFuchiEnabled = 1;
        ColorValue TimeFuchiColor = 0;
    } Digital;
    std::array<AlarmEntry, 3> Alarm;
    struct {
        qint16 Enabled = 1;
        QString File;
    } Anime;
    struct {
        QString DecompFolder;         // always ends with "/" after loading
        qint16 FileFold = 0;
    } ARC;
    // The clock's window over the desktop. This section and "Chime" are the
    // clock's own additions to the file: a reader that does not know them
    // passes them over, and a file without them reads as these defaults.
    struct {
        qint16 Opacity = kOpaque;     // percent, kFaintestOpacity..kOpaque
        qint16 ClickThrough = 0;      // flag: pointer and clicks pass through
    } Window;
    // The hourly chime.
    struct {
        qint16 Enabled = 0;
        QString File = QStringLiteral("sounds/chime.wav");   // as an alarm's "File"
        qint16 Quiet = 1;             // flag: no chime from QuietFrom until QuietTo
        QString QuietFrom = "22:00";  // "hh:nn", 24-hour
        QString QuietTo = "07:00";
    } Chime;
};

// One key of the file with its value as text.
struct SettingsKeyValue {
    QString section;
    QString key;
    QString value;
    bool isText;   // a text of the user's (else a number)
};

// Every key of the file with its value, in the file's order.
QList<SettingsKeyValue> SettingsKeyValues(const Settings &settings);

// "Tockara.ini" in the program folder.
QString SettingsPathFor(const QString &programFolder);

// The alarm key of a slot: the base word, then the slot number, where slot 0
// carries no digit ("Time", "Time1", "Time2").
QString AlarmKey(const QString &base, int slot);

// The extraction folder's default, ending with "/": the user's download
// folder (the home folder when the desktop names none).
QString DefaultDecompFolder();

// Every setting at its default; the extraction folder is DefaultDecompFolder.
Settings DefaultSettings(const QString &programFolder);

// Fills settings from the file; every missing or unusable value takes its
// default (a clock width or height outside 1..kMaxClockSide is unusable, so
// is an opacity outside kFaintestOpacity..kOpaque).
// The extraction folder defaults to DefaultDecompFolder.
void LoadSettings(Settings &settings, const QString &settingsPath, const QString &programFolder);

// Writes every key, in the file's order, with one file write (none when no
// value changed). Texts are written so that they load back exactly (see
// QuoteIniValue). false when the file cannot be written (nothing is reported
// to the user).
bool SaveSettings(const Settings &settings, const QString &settingsPath);
