// The profile (INI) engine. Input: edit lines "section<TAB>key<TAB>value"
// (UTF-8), the line "%%", then the bytes of the file they are applied to.
// Properties:
// - a parsed file writes bytes that parse back to the same bytes;
// - a write that reports no change leaves the bytes alone;
// - every value written reads back as written, from the edited file, from
//   its bytes parsed again, and through the file interface (WriteIniValue
//   with QuoteIniValue, then ReadIniValue) — the CP932 forms of 〜 and its
//   kin aside, which a CP932 file holds by design.
#include <QHash>
#include <QStringList>

#include "fuzz_support.h"
#include "settings/profile.h"
#include "settings/profile_file.h"

namespace {

constexpr int kMostEdits = 8;

struct Edit {
    QString section, key, value;
};

// A name as the program's own callers give them: not empty, without blanks
// at its ends and without the characters of the file's syntax. Nor with the
// characters input methods type for CP932 glyphs (〜 and its kin): a CP932
// file stores them in the code page's forms, names as values, and the
// program's names are never typed.
bool IsProgramName(const QString &name)
{
    if (name.isEmpty() || TrimBlanks(name).size() != name.size() || WithCp932Forms(name) != name)
        return false;
    for (QChar c : name) {
        if (c == u'[' || c == u']' || c == u'=' || c == u'\r' || c == u'\n' || c == QChar(0))
            return false;
    }
    return true;
}

// The value as one line: a write stores the text up to its first line break or NUL.
QString FirstLine(const QString &text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n' && text[end] != QChar(0))
        ++end;
    return text.first(end);
}

QList<Edit> ParseEdits(const QByteArray &script)
{
    QList<Edit> edits;
    for (const QByteArray &line : script.split('\n')) {
        const QStringList fields = QString::fromUtf8(line).split(u'\t');
        if (fields.size() != 3 || !IsProgramName(fields[0]) || !IsProgramName(fields[1]))
            continue;
        edits.append({fields[0], fields[1], FirstLine(fields[2])});
        if (edits.size() == kMostEdits)
            break;
    }
    return edits;
}

QString Folded(const Edit &edit)
{
    return edit.section.toCaseFolded() + u'\n' + edit.key.toCaseFolded();
}

// Whether a value read back is the one written.
bool ReadsBackAs(const QString &read, const QString &written)
{
    return WithCp932Forms(read) == WithCp932Forms(written);
}

void CheckParsed(const QByteArray &bytes, const QList<Edit> &edits)
{
    const QByteArray serialized = ProfileFile::parse(bytes).serialize();
    FUZZ_CHECK(ProfileFile::parse(serialized).serialize() == serialized);

    ProfileFile file = ProfileFile::parse(bytes);
    QHash<QString, QString> expected;   // the last value written to each key
    for (const Edit &edit : edits) {
        const QByteArray before = file.serialize();
        if (!file.set(edit.section, edit.key, edit.value))
            FUZZ_CHECK(file.serialize() == before);
        expected.insert(Folded(edit), ReadBackValue(edit.value));
    }
    const ProfileFile reparsed = ProfileFile::parse(file.serialize());
    for (const Edit &edit : edits) {
        const QString &value = expected[Folded(edit)];
        const std::optional<QString> found = file.find(edit.section, edit.key);
        FUZZ_CHECK(found && ReadsBackAs(TrimAtNul(*found), value));
        const std::optional<QString> again = reparsed.find(edit.section, edit.key);
        FUZZ_CHECK(again && ReadsBackAs(TrimAtNul(*again), value));
    }
}

void CheckThroughFile(const QByteArray &bytes, const QList<Edit> &edits)
{
    const QString path = WriteScratchFile(QStringLiteral("profile.ini"), bytes);
    QHash<QString, QString> expected;
    for (const Edit &edit : edits) {
        FUZZ_CHECK(WriteIniValue(edit.section, edit.key, QuoteIniValue(edit.value), path));
        expected.insert(Folded(edit), edit.value);
    }
    for (const Edit &edit : edits) {
        const QString read = ReadIniValue(edit.section, edit.key, QStringLiteral("(missing)"), path);
        FUZZ_CHECK(ReadsBackAs(read, expected[Folded(edit)]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = InputParts(InputBytes(data, size), 2);
    const QList<Edit> edits = ParseEdits(parts[0]);
    CheckParsed(parts[1], edits);
    CheckThroughFile(parts[1], edits);
    return 0;
}
