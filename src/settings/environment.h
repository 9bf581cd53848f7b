#pragma once
// Environment definitions ("*.dat"): INI files that dress the clock with a
// size, hand colours and widths, a background picture, an animated figure cut
// from a pattern sheet and an optional scrolling background.
//
// Reading is kept apart from applying: ReadEnvironment only reads the file,
// LoadEnvironment (face/environment_loader.h) applies what was read.
#include <QList>
#include <QString>

// One figure pattern: where its picture and mask lie in the sheet, their size,
// how far the figure moves when the pattern begins and how long it stays.
struct SpritePattern {
    qint16 PictureX = 0;
    qint16 PictureY = 0;
    qint16 MaskX = 0;
    qint16 MaskY = 0;
    qint16 Width = 0;     // of picture and mask
    qint16 Height = 0;
    qint16 MoveX = 0;     // figure move when the pattern begins
    qint16 MoveY = 0;
    qint16 Ticks = 0;     // ticks the pattern stays; below 2 counts as 2

    bool operator==(const SpritePattern &) const = default;
};

// Most patterns a definition may hold; a larger "Pattern" count is cut to it.
inline constexpr int kMaxSpritePatterns = 96;

// Everything a definition file says, as read. The "Environment" overrides stay
// texts: an empty one means "keep the user's value", and a text that is not a
// number is skipped when the overrides are applied.
struct EnvironmentDefinition {
    // [Environment] overrides of the user's settings.
    QString ClockWidth;
    QString ClockHeight;
    QString ColorHLine;
    QString ColorMLine;
    QString ColorSLine;
    QString ThickHLine;
    QString ThickMLine;
    QString ThickSLine;
    QString BackGround;   // resolved against the definition file's folder
    QString TilePattern;
    QString JustSize;
    // [Environment] figure offsets and the scroll switch.
    QString AdjustX = QStringLiteral("0");
    QString AdjustY = QStringLiteral("0");
    QString Scroll = QStringLiteral("OFF");   // only exactly "ON" scrolls
    // [ScrollPattern]
    QString ScrollLink = QStringLiteral("ON");
    qint16 StartPosX = 0;
    qint16 StartPosY = 0;
    qint16 VectX = 0;
    qint16 VectY = 0;
    QString EndAction = QStringLiteral("Repeat");   // kept; nothing depends on it
    // [Setting]
    QString Title = QStringLiteral("0");
    QString File = QStringLiteral("0");   // the pattern sheet; resolved like BackGround
    qint16 Pattern = 0;                    // 0..kMaxSpritePatterns
    // [Pattern] "Pat1".."PatN": Patterns[0] is Pat1; exactly Pattern entries.
    QList<SpritePattern> Patterns;
};

// Reads a definition file. A missing or unreadable file gives every key its
// default. Numbers that are not numbers read as 0, the pattern count is kept
// within 0..kMaxSpritePatterns, and a "Pat" line that is not nine numbers
// is a pattern of zeros (it draws nothing). Relative "File" and "BackGround"
// paths are taken relative to the definition file's folder.
EnvironmentDefinition ReadEnvironment(const QString &path);

// One "Pat" line: nine comma-separated 16-bit numbers; anything else gives a
// pattern of zeros.
SpritePattern ParseSpritePattern(const QString &text);

// True when an environment switch text means on: exactly "ON", upper case.
inline bool IsOn(const QString &text) { return text == QLatin1String("ON"); }
