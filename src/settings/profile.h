#pragma once
// The profile-file engine: reads and writes INI-syntax files with the rules of
// the classic private-profile routines, and the small string helpers every
// file of the program is read and written through.
//
// Rules kept (callers and files written elsewhere rely on them):
// - section and key names compare without regard to case; blanks around
//   section names, key names and values are ignored;
// - a value in a matching pair of double or single quotes loses them;
// - a key present with an empty value reads as ""; a missing file, section or
//   key gives the caller's default with its trailing blanks removed;
// - only the first section of a name, and in it the first key of a name, count;
// - a line without "=" is no key; the value runs from the first "=" to the end;
//   "[X] text" opens section X; a "[" line without "]" opens no section;
// - writing replaces a value where it stands, appends a new key after the last
//   key of its section, a new section at the end; every other line is kept.
//
// On disk the text is CP932 (Shift-JIS) with CR LF line ends. Characters that
// input methods type for CP932's own glyphs (〜 U+301C, − U+2212, …) are
// written as the code page's forms of them (see EncodeAnsiExactly). A file
// whose text CP932 cannot hold is written as UTF-16LE with a byte-order mark,
// the form the Windows routines read as Unicode; a UTF-16LE file (with its
// byte-order mark) is written as CP932 again by the first write after which
// CP932 can hold its text, since the original's readers read only that.
// Files with a UTF-8 byte-order mark are read and written in their encoding.
// No character is ever written as "?". A value written unchanged (one that
// reads back as the value the key has) leaves its line's bytes as they are,
// and a write that changes nothing leaves the file alone.
//
// A parsed file is kept and reused while the file is unchanged on disk;
// writes are atomic (a new file renamed over the old), so a crash never leaves
// a half-written file. A file is written only when its mode bits let the user
// running the program write it, the superuser included, and keeps its mode.
#include <QList>
#include <QPair>
#include <QString>

// Largest profile file the engine reads or writes: 4 MiB, room for a year's
// diary of long entries many times over. A larger file is treated like one
// that cannot be read: nothing of it is read, reads give the defaults and
// writes fail, leaving it as it is. A write whose result would be larger
// fails as well, so the engine never writes a file it would not read.
inline constexpr qint64 kMaxProfileFileBytes = 4 * 1024 * 1024;

// Whether file is a file above kMaxProfileFileBytes, which the engine neither
// reads nor writes.
bool ProfileFileTooLarge(const QString &file);

// The value of key in section of file, or def (without its trailing blanks)
// when the file, section or key is missing. The whole value is returned (no
// length cut) and it ends at its first NUL or carriage return character, so
// that any value read can be written back (see QuoteIniValue).
QString ReadIniValue(const QString &section, const QString &key, const QString &def,
                     const QString &file);

// Writes key = value into section of file, creating the file or section when
// missing. Returns false, leaving the file untouched, when it cannot be written.
bool WriteIniValue(const QString &section, const QString &key, const QString &value,
                   const QString &file);

// The value to write so that ReadIniValue gives text back exactly. Reading
// drops blanks around a value and one pair of enclosing quotes, so text that
// starts or ends with a blank, or is itself enclosed in a matching pair of
// quotes, is put inside double quotes; any other text is returned as it is
// (files stay as other programs write them). A value is one line: text from
// its first line break or NUL on cannot be stored and is dropped. Use it for
// every text the user types or chooses (comments, file and folder names,
// formats, notes), not for numbers.
QString QuoteIniValue(const QString &text);

// Many keys of one file written with a single file write (used by SaveSettings).
// The keys are applied in the order given, with the rules of WriteIniValue.
class ProfileBatch {
public:
    explicit ProfileBatch(QString file);
    void write(const QString &section, const QString &key, const QString &value);
    // Writes the file once, or not at all when no value changes; false (file
    // untouched) when it cannot be written.
    bool commit();

private:
    QString file_;
    struct Entry { QString section, key, value; };
    QList<Entry> entries_;
};

// Removes what saves of the profile file path left when they were cut short
// (the program killed between writing the new file and renaming it over the
// old one): files named as a save names its new file, and nothing else.
// Returns how many were removed. Call it before the file is first written.
int RemoveUnfinishedSaves(const QString &path);

// path with a "/" appended unless it already ends with one; "" becomes "/".
QString AddTrailingSeparator(const QString &path);

// A path the user typed into a setting, made whole: "~" and "~/..." are below
// the home folder, an absolute path stays, anything else is below the
// program folder.
QString ResolveUserPath(const QString &path, const QString &programFolder);

// "~" and "~/..." below the home folder; any other path as it stands.
QString ExpandHomePath(const QString &path);

// The text up to its first NUL character.
QString TrimAtNul(const QString &text);

// Bytes the text takes in CP932 (a double-byte character counts 2).
int AnsiByteLength(const QString &text);

// The n-th field (from 1) of text split at delimiter (which may be longer than
// one character). n below 2 gives the first field; a missing field gives "".
QString GetField(const QString &text, int n, const QString &delimiter);

// 1-based position of the last occurrence of part in text; 0 when either is
// empty or part does not occur.
int FindLastOf(const QString &text, const QString &part);

// path itself when it is an existing folder, else the part before its last "/"
// when that is an existing folder, else "".
QString ContainingFolder(const QString &path);

// Integer readers for settings values: text that is empty, not a decimal
// integer or outside the type's range gives def.
qint16 ReadIniInt16(const QString &section, const QString &key, qint16 def, const QString &file);
qint32 ReadIniInt32(const QString &section, const QString &key, qint32 def, const QString &file);
// The same rule applied to a value already read.
qint16 ParseInt16(const QString &text, qint16 def);
qint32 ParseInt32(const QString &text, qint32 def);
