#pragma once
// The parsed form of one profile (INI) file: its lines as read, grouped by
// section, with an index of the sections and keys that count (the first of
// each name). Every line keeps its bytes, so a line that is not changed is
// written back exactly as it was read, whatever it holds.
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

class ProfileFile {
public:
    // The file's bytes split at its line ends (LF, or CR LF). CR and LF never
    // occur inside a CP932 character, so each line is decoded as a whole
    // before it is parsed, and a second byte equal to "\", "[" or "]" stays
    // part of its character.
    static ProfileFile parse(const QByteArray &bytes);

    // The file's bytes: every line followed by CR LF.
    QByteArray serialize() const;

    // The value of key in section (blanks and matching quotes removed), or
    // nullptr when the section or key is missing. Names compare without
    // regard to case and are given without surrounding blanks.
    const QString *find(QStringView section, QStringView key) const;

    // Replaces the value of key where it stands, or adds the key after the
    // last key of its section, or adds the section with the key at the end.
    // Names are given without surrounding blanks, value as one line.
    void set(const QString &section, const QString &key, const QString &value);

private:
    struct Line {
        QByteArray raw;     // without its line end
        QString value;      // key lines only
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

    QList<Block> blocks_;
    QHash<QString, int> sections_;  // case-folded section name -> first block of it
};
