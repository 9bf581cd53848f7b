#pragma once
// The archive formats the clock extracts: one table read by the launcher (which
// extensions are archives), the extraction (which component, its command line
// and messages) and the Linux archiver service (which backend unpacks it).
// Adding a format is a row here and its backend.
#include <span>
#include <QString>

// What unpacks a format on Linux.
enum class ArchiveBackend {
    LibarchiveZip,  // libarchive in the process (on-demand module)
    LibarchiveLha,
    SevenZipArj,    // the 7-Zip program
};

struct ArchiveFormat {
    QString extension;      // upper case: "LZH", "ZIP", "ARJ"
    ArchiveBackend backend;
    QString library;        // the component it stands in for: "unlha32", "unzip32", "unarj32j"
    QString verb;           // "x" (extract with folders), "-xs" for ZIP
    QString missingName;    // named when the component cannot be loaded
    QString formatTitle;    // title of the box for a file that is not of the format
    QString formatMessage;  // text of that box
    QString installHint;    // the line added to the missing-component message: what to install
};

std::span<const ArchiveFormat> ArchiveFormats();
// The format of a file extension compared in upper case; null for any other.
const ArchiveFormat *ArchiveFormatForExtension(const QString &extension);
// The format of a component's library name compared without regard to case,
// as libraries loaded by name are; null for any other.
const ArchiveFormat *ArchiveFormatForLibrary(const QString &library);
