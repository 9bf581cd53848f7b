#pragma once
// The ARJ component, on the 7-Zip program run as a child process.
#include <chrono>
#include <memory>
#include <optional>
#include <stop_token>
#include <utility>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/archivers.h"
#include "platform/program_search.h"

class TargetFolder;

class SevenZipArchiver {
public:
    // programs: the 7-Zip program, each a name found by search or a path,
    // the first one there taken. 7-Zip reads the archive through the
    // descriptor the clock checked, ends with the clock, and is stopped when
    // it runs longer than leastTime and a second for each megabyte it reads
    // or writes (kArchiverTimedOut).
    SevenZipArchiver(QStringList programs, std::shared_ptr<const ProgramSearch> search,
                     std::chrono::milliseconds leastTime = std::chrono::minutes(1));
    // false when the program cannot be found: the component cannot be loaded.
    bool available() const;
    const QStringList &programs() const { return programs_; }
    // Extracts every entry of the ARJ archive into target on the terms of
    // rules (see ArchiverService::run for what is refused and when it stops).
    ArchiverReport extract(const QString &archive, const QString &target, const ExtractionRules &rules,
                           std::stop_token stop) const;
    // The paths of the archive's plain file entries below the target; empty
    // when it cannot be listed, nothing when 7-Zip is missing.
    std::optional<QStringList> files(const QString &archive) const;

private:
    QString resolved() const;
    std::chrono::milliseconds timeLimit(qint64 bytes) const;
    void extractInto(const TargetFolder &root, int archive, std::stop_token stop, ArchiverReport &report) const;
    QStringList programs_;
    std::shared_ptr<const ProgramSearch> search_;
    std::chrono::milliseconds leastTime_;
};

// The paths of a technical listing of 7-Zip ("l -slt -ba"), each with whether
// it is a folder, as the extraction reads them; and the check of a listed
// path that keeps it inside the folder 7-Zip extracts into. For the fuzz
// target of the listing.
QList<std::pair<QByteArray, bool>> ListedPaths(const QByteArray &listing);
bool ListedPathStaysInside(const QByteArray &path);

// What an entry of an ARJ archive is, by its header: its file type, and for
// an archive made on a Unix system (host 2 or 8) the kind its access mode
// gives as well. ARJ for Unix keeps there the permission bits and a kind of
// its own (0x1000 a file, 0x2000 a folder, 0x4000 a link, pipe or device
// described in an extended header, of file type 6); another writer may keep
// a Unix mode. Other hosts keep DOS attributes, which name no such kind.
enum class ArjEntryKind { File, Folder, Other };
ArjEntryKind ArjKindOf(quint8 host, quint8 fileType, quint16 accessMode);
