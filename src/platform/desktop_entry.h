#pragma once
// The desktop's launcher files (".desktop", UTF-8 text): the few keys of the
// "[Desktop Entry]" group the program uses, and the rules of the Exec line.
#include <optional>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class ProgramSearch;

struct DesktopEntry {
    bool valid = false;   // a "[Desktop Entry]" group was found
    QString type;         // "Application", "Link", "Directory", …
    QString name;         // Name (untranslated)
    QString exec;         // Exec, with the value escapes (\s \n \t \r \\) undone
    QString path;         // Path: the folder the program runs in
    QString url;          // URL of a Type=Link entry
    QString tryExec;      // TryExec: a program that must be installed
    QString icon;         // Icon
    bool terminal = false;   // Terminal=true: the program runs in a terminal
    bool hidden = false;     // Hidden=true: the entry counts as deleted
    bool noDisplay = false;  // NoDisplay=true: not shown in menus
};

// The keys of the first "[Desktop Entry]" group of text. Lines that are not
// keys are skipped; localized keys (Name[ja]=…) do not replace the plain ones.
DesktopEntry ParseDesktopEntry(QByteArrayView text);

// The keys of the desktop entry file path; an invalid entry when the file
// cannot be read or is larger than limit bytes (launchers are a few KB).
DesktopEntry ReadDesktopEntryFile(const QString &path, qint64 limit = 1024 * 1024);

// Whether desktops list the entry: it is neither Hidden nor NoDisplay, and
// its TryExec program, if it names one, is installed (found by search).
bool DesktopEntryListed(const DesktopEntry &entry, const ProgramSearch &search);

// The program an Exec or TryExec word names, as desktops find it: an
// absolute path is taken as it is, a bare name is looked for with search
// (trusted $PATH folders only), never in the folder of the launcher or the
// current one. Empty when there is no such executable file.
QString DesktopEntryProgram(const QString &word, const ProgramSearch &search);

// What the field codes of an Exec line stand for.
struct ExecFields {
    QStringList files;   // %f and %u: the first; %F and %U: each as a word
    QString icon;        // %i: "--icon" and the icon, when there is one
    QString name;        // %c
    QString entryFile;   // %k: the desktop entry's own file
};

// The words of an Exec line, the program first, as the desktop entry rules
// read it: blanks separate words, double quotes group them (a backslash
// escapes the next character inside them), and outside quotes the field codes are expanded: %f %u
// (also inside a word: "--file=%f"), %F %U %i (only as words of their own),
// %c %k; the deprecated %d %D %n %N %v %m are dropped, "%%" is "%". A word
// that was only a field code with nothing to stand for is left out. Inside
// quotes nothing is expanded ("%%" is still "%"). The expanded text is never
// read again. nullopt for a line that must not be run: no program, a
// program name with "=", a quote left open, an unknown field code or a "%"
// at the end, %F %U or %i inside a word, or more than one of %f %u %F %U.
std::optional<QStringList> ExpandExecLine(const QString &exec, const ExecFields &fields = {});

// The words of an Exec line without files (ExpandExecLine), or none when
// the line is not valid.
QStringList SplitExecLine(const QString &exec);

// word as one word of an Exec line (before the value escapes): in double
// quotes, with " ` $ \ escaped and "%" doubled, so SplitExecLine reads it
// back whole whatever it holds.
QString ExecLineWord(const QString &word);

// text as a value of a desktop entry's key: backslashes, line breaks, tabs
// and returns escaped, so ParseDesktopEntry reads it back unchanged.
QString DesktopEntryValue(const QString &text);
