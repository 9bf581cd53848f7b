#pragma once
// The parsed form of one profile (INI) file: the file's text kept once, its
// lines and sections as offsets into it, and an index of the section names.
// Every line keeps its bytes, so a line that is not changed is written back
// exactly as it was read, whatever it holds; the parsed form costs a small
// multiple of the file's size, however many sections it has.
#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringView>

// The blanks (space, tab, line ends) that the profile rules ignore around
// names and values.
bool IsProfileBlank(QChar c);

// The text without blanks at either end.
QStringView TrimBlanks(QStringView text);

// The value a written text reads back as: up to its first line break (CR or
// LF, which end a line of the file), without blanks at either end, then
// without one matching pair of enclosing quotes, then up to its first NUL.
QString ReadBackValue(QStringView written);

// How a file stores its text. Files are CP932; a file that starts with a
// byte-order mark is UTF-16LE (FF FE) or UTF-8 (EF BB BF), as the Windows
// profile routines read it.
enum class ProfileEncoding { Ansi, Utf8, Utf16 };

class ProfileFile {
public:
    // The file's bytes split at its line ends: CR LF, LF, or a CR alone, as
    // the Windows profile routines read them (so a lone CR ends a value
    // before its quotes are taken off). CR and LF never occur inside a CP932
    // or UTF-8 character, so each line is decoded as a whole before it is
    // parsed, and a CP932 second byte equal to "\", "[" or "]" stays part of
    // its character; UTF-16 text is split at its CR and LF units.
    static ProfileFile parse(const QByteArray &bytes);

    // The file's bytes: the byte-order mark if any, every line followed by CR LF.
    QByteArray serialize() const;

    ProfileEncoding encoding() const { return encoding_; }

    // The value of key in section as ReadBackValue gives it, or nothing
    // when the section or key is missing. Names compare without regard to
    // case and are given without surrounding blanks.
    std::optional<QString> find(QStringView section, QStringView key) const;

    // Replaces the value of key where it stands, or adds the key after the
    // last key of its section, or adds the section with the key at the end.
    // Names are given without surrounding blanks, value as one line. A value
    // that reads back as the one the key has leaves the line untouched.
    // A CP932 file that cannot hold a name or value becomes UTF-16, every
    // other line keeping its text. Returns whether the file changed.
    bool set(const QString &section, const QString &key, const QString &value);

    // A UTF-16 file whose every line CP932 can hold again (the characters
    // that needed UTF-16 are gone) becomes CP932, the only form older readers
    // of the program's files read; lines keep their text, in the code page's
    // forms of the input methods' glyphs as every write stores them. Returns
    // whether the file changed. Files of other encodings stay as they are.
    bool returnToAnsi();

    // The memory the parsed form holds, in bytes: the file's text, kept once,
    // and a few words per line and per section.
    qsizetype memoryBytes() const;

private:
    enum class LineKind : quint8 { Other, Header, Key };
    // One line: where its bytes lie in text_ (in the file's encoding, without
    // its line end), what it is, and for a header or key line the hash of its
    // case-folded name (a match is confirmed on the name itself). A run of
    // consecutive lines that are no header or key (blank lines, text, keys
    // before any section) is only ever written back as it is, so it is kept
    // as one piece, line ends within it included.
    struct Line {
        quint32 start = 0;
        quint32 size : 30 = 0;
        LineKind kind : 2 = LineKind::Other;
        quint32 nameHash = 0;
    };
    // A section name's hash and the section's number, sorted by both, so the
    // first section of a name is the first confirmed match.
    struct SectionEntry {
        quint32 nameHash;
        qint32 section;
        auto operator<=>(const SectionEntry &) const = default;
    };

    QByteArrayView rawLine(const Line &line) const;
    QString decode(QByteArrayView raw) const;
    // The bytes of text in the file's encoding; nothing when a CP932 file
    // cannot hold it.
    std::optional<QByteArray> encode(QStringView text) const;
    // Turns a CP932 file into UTF-16: every line keeps its text.
    void becomeUtf16();
    // The number of the first section named section (folded), or -1.
    int findSection(const QString &folded) const;
    // The line of the first key named key (folded) in section, or -1.
    int findKey(int section, const QString &folded) const;
    // The lines of a section: from after its header to the next header.
    int firstLineOf(int section) const { return sections_[size_t(section)] + 1; }
    int endLineOf(int section) const;
    Line appendLine(QByteArrayView raw, LineKind kind, quint32 nameHash);

    ProfileEncoding encoding_ = ProfileEncoding::Ansi;
    QByteArray text_;                     // every line's bytes, and those written since
    std::vector<Line> lines_;             // in file order
    std::vector<qint32> sections_;        // the header line of each section, in file order
    std::vector<SectionEntry> index_;     // every section, by name hash
};
