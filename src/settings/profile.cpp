#include "settings/profile.h"

#include <limits>

#include <QDir>
#include <QFileInfo>

#include "settings/ansi_text.h"
#include "settings/profile_cache.h"
#include "settings/profile_file.h"

namespace {

QString TrimTrailingBlanks(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && IsProfileBlank(text[end - 1]))
        --end;
    return text.first(end);
}

// The text up to its first NUL or line break. A written name or value is one
// line of the file: a line break in it would end the value early and turn the
// rest into lines of their own (a stray key or even a section header).
QString OneLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QChar(0) || c == u'\r' || c == u'\n')
            return text.first(i);
    }
    return text;
}

template <typename Int>
Int ParseInteger(const QString &text, Int def)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
        return def;
    return static_cast<Int>(value);
}

} // namespace

QString ReadIniValue(const QString &section, const QString &key, const QString &def,
                     const QString &file)
{
    if (const auto parsed = CachedProfile(file)) {
        // An asked name, too, ends at its first NUL.
        const QString sectionName = TrimAtNul(section);
        const QString keyName = TrimAtNul(key);
        if (const std::optional<QString> value = parsed->find(TrimBlanks(sectionName), TrimBlanks(keyName)))
            return TrimAtNul(*value);
    }
    return TrimTrailingBlanks(TrimAtNul(def));
}

bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &file)
{
    ProfileBatch batch(file);
    batch.write(section, key, value);
    return batch.commit();
}

ProfileBatch::ProfileBatch(QString file) : file_(std::move(file)) {}

void ProfileBatch::write(const QString &section, const QString &key, const QString &value)
{
    entries_.append({TrimBlanks(OneLine(section)).toString(), TrimBlanks(OneLine(key)).toString(),
                     OneLine(value)});
}

bool ProfileBatch::commit()
{
    if (entries_.isEmpty())
        return true;
    return EditProfile(file_, [this](ProfileFile &profile) {
        bool changed = false;
        for (const Entry &entry : entries_)
            changed = profile.set(entry.section, entry.key, entry.value) || changed;
        return profile.returnToAnsi() || changed;
    });
}

QString QuoteIniValue(const QString &text)
{
    const QString line = OneLine(text);
    return ReadBackValue(line) == line ? line : u'"' + line + u'"';
}

bool ProfileFileTooLarge(const QString &file)
{
    const QFileInfo info(file);
    return info.isFile() && info.size() > kMaxProfileFileBytes;
}

QString AddTrailingSeparator(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

QString ExpandHomePath(const QString &path)
{
    if (path == u'~' || path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

QString ResolveUserPath(const QString &path, const QString &programFolder)
{
    if (path == u'~' || path.startsWith(QLatin1String("~/")))
        return ExpandHomePath(path);
    if (QDir::isAbsolutePath(path))
        return path;
    return AddTrailingSeparator(programFolder) + path;
}

QString TrimAtNul(const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

int AnsiByteLength(const QString &text)
{
    return static_cast<int>(EncodeAnsi(text).size());
}

QString GetField(const QString &text, int n, const QString &delimiter)
{
    if (delimiter.isEmpty())
        return n < 2 ? text : QString();
    qsizetype start = 0;
    for (int field = 2; field <= n; ++field) {
        const qsizetype found = text.indexOf(delimiter, start);
        if (found < 0)
            return {};
        start = found + delimiter.size();
    }
    const qsizetype end = text.indexOf(delimiter, start);
    return end < 0 ? text.sliced(start) : text.sliced(start, end - start);
}

int FindLastOf(const QString &text, const QString &part)
{
    if (text.isEmpty() || part.isEmpty())
        return 0;
    return static_cast<int>(text.lastIndexOf(part)) + 1;
}

QString ContainingFolder(const QString &path)
{
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).isDir())
        return path;
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return {};
    // "/name" lies in the root folder, which has no name of its own.
    const QString folder = slash == 0 ? QStringLiteral("/") : path.first(slash);
    return QFileInfo(folder).isDir() ? folder : QString();
}

qint16 ReadIniInt16(const QString &section, const QString &key, qint16 def, const QString &file)
{
    return ParseInt16(ReadIniValue(section, key, QString::number(def), file), def);
}

qint32 ReadIniInt32(const QString &section, const QString &key, qint32 def, const QString &file)
{
    return ParseInt32(ReadIniValue(section, key, QString::number(def), file), def);
}

qint16 ParseInt16(const QString &text, qint16 def)
{
    return ParseInteger<qint16>(text, def);
}

qint32 ParseInt32(const QString &text, qint32 def)
{
    return ParseInteger<qint32>(text, def);
}
