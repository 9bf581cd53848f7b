#pragma once
// The ARJ component, on the 7-Zip program run as a child process.
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
    // the first one there taken.
    SevenZipArchiver(QStringList programs, std::shared_ptr<const ProgramSearch> search);
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
    void extractInto(const TargetFolder &root, const QString &archivePath, int archive, std::stop_token stop,
                     ArchiverReport &report) const;
    QStringList programs_;
    std::shared_ptr<const ProgramSearch> search_;
};

// The paths of a technical listing of 7-Zip ("l -slt -ba"), each with whether
// it is a folder, as the extraction reads them; and the check of a listed
// path that keeps it inside the folder 7-Zip extracts into. For the fuzz
// target of the listing.
QList<std::pair<QByteArray, bool>> ListedPaths(const QByteArray &listing);
bool ListedPathStaysInside(const QByteArray &path);
