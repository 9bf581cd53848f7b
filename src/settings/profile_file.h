#pragma once
// The parsed form of one profile (INI) file: its lines as read, grouped by
// section, with an index of the sections and keys that count (the first of
// each name). Every line keeps its bytes, so a line that is not changed is
// written back exactly as it was read, whatever it holds.
#include <optional>

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>

// The blanks (space, tab, line ends) that the profile rules ignore around
// names and values.
bool IsProfileBlank(QChar c);

// The text without blanks at either end.
QStringView TrimBlanks(QStringView text);

// The value a written text reads back as: without blanks at either end, then
// without one matching pair of enclosing quotes, then up to its first NUL or
// carriage return.
QString ReadBackValue(QStringView written);

// How a file stores its text. Files are CP932; a file that starts with a
// byte-order mark is UTF-16LE (FF FE) or UTF-8 (EF BB BF), as the Windows
// profile routines read it.
enum class ProfileEncoding { Ansi, Utf8, Utf16 };

class ProfileFile {
public:
    // The file's bytes split at its line ends (LF, or CR LF). CR and LF never
    // occur inside a CP932 or UTF-8 character, so each line is decoded as a
    // whole before it is parsed, and a CP932 second byte equal to "\", "[" or
    // "]" stays part of its character; UTF-16 text is split at its LF units.
    static ProfileFile parse(const QByteArray &bytes);

    // The file's bytes: the byte-order mark if any, every line followed by CR LF.
    QByteArray serialize() const;

    ProfileEncoding encoding() const { return encoding_; }

    // The value of key in section as ReadBackValue gives it, or
    // nullptr when the section or key is missing. Names compare without
    // regard to case and are given without surrounding blanks.
    const QString *find(QStringView section, QStringView key) const;

    // Replaces the value of key where it stands, or adds the key after the
    // last key of its section, or adds the section with the key at the end.
    // Names are given without surrounding blanks, value as one line. A value
    // that reads back as the one the key has leaves the line untouched.
    // A CP932 file that cannot hold a name or value becomes UTF-16, every
    // other line keeping its text. Returns whether the file changed.
    bool set(const QString &section, const QString &key, const QString &value);

private:
    // A key line, or a run of consecutive lines that are no keys to look up
    // (blank lines, text, keys before any section): such lines are only ever
    // written back as they are, so a run is kept as one piece.
    struct Line {
        QByteArray raw;     // in the file's encoding, without its last line end
        QString value;      // key lines only
        bool isKey = false;
    };
    // A section header and the lines up to the next header. The first block
    // holds the lines before any header and has no header of its own.
    struct Block {
        bool hasHeader = false;
        QByteArray header;
        QList<Line> lines;
        QHash<QString, int> keys;   // case-folded key name -> first line of it
        int lastKey = -1;           // index in lines of the last key line
    };

    QString decode(QByteArrayView raw) const;
    // The bytes of text in the file's encoding; nothing when a CP932 file
    // cannot hold it.
    std::optional<QByteArray> encode(QStringView text) const;
    // Turns a CP932 file into UTF-16: every line keeps its text.
    void becomeUtf16();

    ProfileEncoding encoding_ = ProfileEncoding::Ansi;
    QList<Block> blocks_;
    QHash<QString, int> sections_;  // case-folded section name -> first block of it
};
