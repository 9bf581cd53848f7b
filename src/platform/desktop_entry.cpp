#include "platform/desktop_entry.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// A string value with its escapes undone; an unknown escape keeps its
// backslash.
QString Unescape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        switch (next.unicode()) {
        case 's': out += u' '; break;
        case 'n': out += u'\n'; break;
        case 't': out += u'\t'; break;
        case 'r': out += u'\r'; break;
        case '\\': out += u'\\'; break;
        default: out += c; out += next; break;
        }
    }
    return out;
}

// A word of an Exec line with its field codes dropped; nothing is left of a
// word that was only a field code.
QString DropFieldCodes(const QString &word, bool *onlyCode)
{
    QString out;
    bool hadCode = false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] != u'%' || i + 1 == word.size()) {
            out += word[i];
            continue;
        }
        const QChar code = word[++i];
        if (code == u'%')
            out += u'%';
        else
            hadCode = true;
    }
    *onlyCode = hadCode && out.isEmpty();
    return out;
}

} // namespace

DesktopEntry ParseDesktopEntry(QByteArrayView text)
{
    DesktopEntry entry;
    bool inGroup = false;
    int seen = 0;   // one bit per key already read
    const QString all = QString::fromUtf8(text);
    for (QStringView line : QStringView(all).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (inGroup)
                break;   // only the first "[Desktop Entry]" group counts
            inGroup = line == u"[Desktop Entry]";
            entry.valid = entry.valid || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QStringView key = line.left(equals).trimmed();
        const QString value = Unescape(line.mid(equals + 1).trimmed().toString());
        static const QStringView keys[] = {u"Type", u"Name", u"Exec", u"Path", u"URL", u"TryExec"};
        QString *fields[] = {&entry.type, &entry.name, &entry.exec, &entry.path, &entry.url, &entry.tryExec};
        static const QStringView flagKeys[] = {u"Terminal", u"Hidden", u"NoDisplay"};
        bool *flags[] = {&entry.terminal, &entry.hidden, &entry.noDisplay};
        constexpr int kTexts = 6;
        for (int k = 0; k < kTexts + 3; ++k) {
            const bool text = k < kTexts;
            // The first of a key counts, as in the profile files.
            if (key != (text ? keys[k] : flagKeys[k - kTexts]) || (seen & (1 << k)))
                continue;
            seen |= 1 << k;
            if (text)
                *fields[k] = value;
            else
                *flags[k - kTexts] = value == u"true";
        }
    }
    return entry;
}

DesktopEntry ReadDesktopEntryFile(const QString &path, qint64 limit)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > limit || !file.open(QIODevice::ReadOnly))
        return {};
    return ParseDesktopEntry(file.read(limit));
}

bool DesktopEntryListed(const DesktopEntry &entry)
{
    if (entry.hidden || entry.noDisplay)
        return false;
    return entry.tryExec.isEmpty() || !DesktopEntryProgram(entry.tryExec).isEmpty();
}

QString DesktopEntryProgram(const QString &word)
{
    if (word.isEmpty())
        return {};
    if (!word.contains(u'/'))
        return QStandardPaths::findExecutable(word);
    const QFileInfo file(word);
    return file.isAbsolute() && file.isFile() && file.isExecutable() ? word : QString();
}

QStringList SplitExecLine(const QString &exec)
{
    QStringList words;
    QString word;
    bool inWord = false, quoted = false, wasQuoted = false;
    auto finish = [&] {
        if (!inWord)
            return;
        bool onlyCode = false;
        QString kept = wasQuoted ? word : DropFieldCodes(word, &onlyCode);
        if (!onlyCode)
            words << kept;
        word.clear();
        inWord = wasQuoted = false;
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size())
                word += exec[++i];
            else if (c == u'%' && i + 1 < exec.size() && exec[i + 1] == u'%')
                word += exec[++i];   // a literal "%" is doubled inside quotes too
            else
                word += c;
        } else if (c == u'"') {
            quoted = inWord = wasQuoted = true;
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            finish();
        } else {
            word += c;
            inWord = true;
        }
    }
    finish();
    return words;
}

QString ExecLineWord(const QString &word)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : word) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        else if (c == u'%')
            out += u'%';
        out += c;
    }
    return out + u'"';
}

QString DesktopEntryValue(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        default: out += c; break;
        }
    }
    return out;
}
