#include "settings/environment.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>

#include "settings/profile.h"

namespace {

const QString kEnvironment = QStringLiteral("Environment");
const QString kScrollPattern = QStringLiteral("ScrollPattern");
const QString kSetting = QStringLiteral("Setting");
const QString kPattern = QStringLiteral("Pattern");

// A picture path written in a definition file names a file beside it unless
// it is absolute, so a definition and its pictures can move together.
QString ResolveBesideDefinition(const QString &value, const QString &definitionPath)
{
    if (value.isEmpty() || definitionPath.isEmpty() || !QDir::isRelativePath(value))
        return value;
    return QDir::cleanPath(QFileInfo(definitionPath).absoluteDir().filePath(value));
}

// A whole number of the file as a 16-bit value; anything else reads as 0.
qint16 ReadNumber16(const QString &section, const QString &key, const QString &path)
{
    return ParseInt16(ReadIniValue(section, key, QStringLiteral("0"), path).trimmed(), 0);
}

// The pattern count, cut to the table's size however large it is written; a
// count that is no number is 0.
qint16 ReadPatternCount(const QString &path)
{
    bool ok = false;
    const qint64 count =
        ReadIniValue(kSetting, kPattern, QStringLiteral("0"), path).trimmed().toLongLong(&ok);
    return ok ? static_cast<qint16>(std::clamp<qint64>(count, 0, kMaxSpritePatterns)) : 0;
}

} // namespace

SpritePattern ParseSpritePattern(const QString &text)
{
    qint16 fields[9];
    for (int n = 0; n < 9; ++n) {
        const QString field = GetField(text, n + 1, QStringLiteral(",")).trimmed();
        bool ok = false;
        const int value = field.toInt(&ok);
        if (!ok || value < -32768 || value > 32767)
            return SpritePattern{};
        fields[n] = static_cast<qint16>(value);
    }
    return SpritePattern{fields[0], fields[1], fields[2], fields[3], fields[4],
                         fields[5], fields[6], fields[7], fields[8]};
}

EnvironmentDefinition ReadEnvironment(const QString &path)
{
    EnvironmentDefinition env;
    auto text = [&path](const QString &section, const QString &key, const QString &def) {
        return ReadIniValue(section, key, def, path);
    };

    env.ClockWidth = text(kEnvironment, "ClockWidth", "");
    env.ClockHeight = text(kEnvironment, "ClockHeight", "");
    env.ColorHLine = text(kEnvironment, "ColorHLine", "");
    env.ColorMLine = text(kEnvironment, "ColorMLine", "");
    env.ColorSLine = text(kEnvironment, "ColorSLine", "");
    env.ThickHLine = text(kEnvironment, "ThickHLine", "");
    env.ThickMLine = text(kEnvironment, "ThickMLine", "");
    env.ThickSLine = text(kEnvironment, "ThickSLine", "");
    env.BackGround = ResolveBesideDefinition(text(kEnvironment, "BackGround", ""), path);
    env.TilePattern = text(kEnvironment, "TilePattern", "");
    env.JustSize = text(kEnvironment, "JustSize", "");
    env.AdjustX = text(kEnvironment, "AdjustX", "0");
    env.AdjustY = text(kEnvironment, "AdjustY", "0");
    env.Scroll = text(kEnvironment, "Scroll", "OFF");

    env.ScrollLink = text(kScrollPattern, "ScrollLink", "ON");
    env.StartPosX = ReadNumber16(kScrollPattern, "StartPosX", path);
    env.StartPosY = ReadNumber16(kScrollPattern, "StartPosY", path);
    env.VectX = ReadNumber16(kScrollPattern, "VectX", path);
    env.VectY = ReadNumber16(kScrollPattern, "VectY", path);
    env.EndAction = text(kScrollPattern, "EndAction", "Repeat");

    env.Title = text(kSetting, "Title", "0");
    env.File = ResolveBesideDefinition(text(kSetting, "File", "0"), path);
    env.Pattern = ReadPatternCount(path);

    env.Patterns.reserve(env.Pattern);
    for (int n = 1; n <= env.Pattern; ++n)
        env.Patterns.append(ParseSpritePattern(text(kPattern, "Pat" + QString::number(n), "")));
    return env;
}
