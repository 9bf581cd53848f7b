#pragma once
// What the archiver components share: how a stored entry name becomes a path
// inside the target folder, and the checks that keep every write inside it.
#include <optional>
#include <QByteArrayView>
#include <QString>

// The text of a stored entry name: the name itself when its bytes are valid
// UTF-8 (newer archives, and every name the library already converted),
// otherwise Shift-JIS (CP932), the names of archives made on Japanese
// Windows. Backslashes, the separator of archives made on DOS and Windows,
// become "/" (after decoding, since a Shift-JIS trail byte can be 0x5C).
QString DecodeEntryName(QByteArrayView raw);

// name as a path relative to the target folder, without empty and "." parts
// ("" for the folder itself); nothing when the name is absolute, climbs
// with ".." or holds a NUL.
std::optional<QString> RelativeEntryPath(const QString &name);

// The target folder, created when missing, with every link in its path
// resolved, so that the checks below it start from a real folder; no trailing
// "/". Empty when it cannot be created.
QString PrepareTargetFolder(const QString &target);

// Sets UTF-8 as the character set of the calling thread for its lifetime, so
// that the archive library converts names to UTF-8 whatever the program's
// locale. Other threads are not affected.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale();
    ~Utf8ThreadLocale();
    Utf8ThreadLocale(const Utf8ThreadLocale &) = delete;
    Utf8ThreadLocale &operator=(const Utf8ThreadLocale &) = delete;

private:
    void *utf8_ = nullptr;
    void *previous_ = nullptr;
};
