#include "platform/desktop_entry.h"
#include "platform/regular_file.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include "platform/program_search.h"

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

// A word of an Exec line with its quoting undone: runs of text and, where
// they stood outside quotes, field codes still to be expanded.
struct ExecPiece {
    QString text;
    char16_t code = 0;   // the letter of a field code; 0 for text
};
struct ExecWord {
    QList<ExecPiece> pieces;
    bool quoted = false;   // "" is a word even though it is empty
    bool hasCode() const
    {
        return std::any_of(pieces.begin(), pieces.end(), [](const ExecPiece &p) { return p.code != 0; });
    }
};

// The words of an Exec line; nullopt for a quote left open or a "%" at the end.
std::optional<QList<ExecWord>> TokenizeExecLine(const QString &exec)
{
    QList<ExecWord> words;
    ExecWord word;
    bool inWord = false, quoted = false;
    auto text = [&](QChar c) {
        if (word.pieces.isEmpty() || word.pieces.last().code)
            word.pieces.append(ExecPiece{});
        word.pieces.last().text += c;
    };
    auto finish = [&] {
        if (inWord)
            words << word;
        word = {};
        inWord = false;
    };
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < exec.size())
                text(exec[++i]);
            else if (c == u'%' && i + 1 < exec.size() && exec[i + 1] == u'%')
                text(exec[++i]);   // a literal "%" is doubled inside quotes too
            else
                text(c);
        } else if (c == u'"') {
            quoted = inWord = word.quoted = true;
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            finish();
        } else if (c == u'%') {
            if (i + 1 == exec.size())
                return std::nullopt;
            inWord = true;
            const QChar code = exec[++i];
            if (code == u'%')
                text(code);
            else
                word.pieces.append(ExecPiece{{}, code.unicode()});
        } else {
            text(c);
            inWord = true;
        }
    }
    if (quoted)
        return std::nullopt;
    finish();
    return words;
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
        static const QStringView keys[] = {u"Type", u"Name", u"Exec", u"Path", u"URL", u"TryExec", u"Icon"};
        QString *fields[] = {&entry.type, &entry.name,    &entry.exec, &entry.path,
                             &entry.url,  &entry.tryExec, &entry.icon};
        static const QStringView flagKeys[] = {u"Terminal", u"Hidden", u"NoDisplay"};
        bool *flags[] = {&entry.terminal, &entry.hidden, &entry.noDisplay};
        constexpr int kTexts = 7;
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
    // A launcher on the desktop may be anything, a FIFO among them: only a
    // regular file is read, and never by an open that waits.
    const RegularFileBytes file = ReadRegularFile(path, limit);
    return file.read() ? ParseDesktopEntry(file.bytes) : DesktopEntry{};
}

bool DesktopEntryListed(const DesktopEntry &entry, const ProgramSearch &search)
{
    if (entry.hidden || entry.noDisplay)
        return false;
    return entry.tryExec.isEmpty() || !DesktopEntryProgram(entry.tryExec, search).isEmpty();
}

QString DesktopEntryProgram(const QString &word, const ProgramSearch &search)
{
    return search.find(word);
}

std::optional<QStringList> ExpandExecLine(const QString &exec, const ExecFields &fields)
{
    const std::optional<QList<ExecWord>> words = TokenizeExecLine(exec);
    // The program is named as it is: a field code there would run the file.
    if (!words || words->isEmpty() || words->first().hasCode())
        return std::nullopt;
    QStringList out;
    int fileCodes = 0;
    for (const ExecWord &word : *words) {
        if (word.pieces.size() == 1 && word.pieces[0].code) {
            // The codes that stand for several words, or none.
            const char16_t code = word.pieces[0].code;
            if (code == u'F' || code == u'U') {
                ++fileCodes;
                out += fields.files;
                continue;
            }
            if (code == u'i') {
                if (!fields.icon.isEmpty())
                    out << QStringLiteral("--icon") << fields.icon;
                continue;
            }
        }
        QString text;
        for (const ExecPiece &piece : word.pieces) {
            switch (piece.code) {
            case 0: text += piece.text; break;
            case u'f':
            case u'u':
                ++fileCodes;
                text += fields.files.value(0);
                break;
            case u'c': text += fields.name; break;
            case u'k': text += fields.entryFile; break;
            case u'd': case u'D': case u'n': case u'N': case u'v': case u'm': break;
            default: return std::nullopt;   // unknown, or %F %U %i inside a word
            }
        }
        if (!text.isEmpty() || (word.quoted && !word.hasCode()))
            out << text;
    }
    if (fileCodes > 1 || out.isEmpty() || out.first().isEmpty() || out.first().contains(u'='))
        return std::nullopt;
    return out;
}

QStringList SplitExecLine(const QString &exec)
{
    return ExpandExecLine(exec).value_or(QStringList());
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
