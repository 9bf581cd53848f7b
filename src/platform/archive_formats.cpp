#include "platform/archive_formats.h"

namespace {

// ZIP and LZH are read by the clock's own module, which needs libarchive.
const QString kLibarchiveHint = QStringLiteral(
    "tockara パッケージを入れ直してください（libarchive13 パッケージも必要です: sudo apt install --reinstall tockara libarchive13）。");

const ArchiveFormat kFormats[] = {
    {"LZH", ArchiveBackend::LibarchiveLha, "unlha32", "x", "UNLHA32.DLL", "UNLHA32",
     QStringLiteral("指定された書庫ファイルは、LHA形式ではありません"), kLibarchiveHint},
    {"ZIP", ArchiveBackend::LibarchiveZip, "unzip32", "-xs", "UNZIP32.DLL", "UNZIP32j",
     QStringLiteral("指定された書庫ファイルは、ZIP形式ではありません"), kLibarchiveHint},
    {"ARJ", ArchiveBackend::SevenZipArj, "unarj32j", "x", "UNARJ32.DLL", "UNARJ32",
     QStringLiteral("指定された書庫ファイルは、ARJ形式ではありません"),
     QStringLiteral("ARJ形式の解凍には 7zip パッケージが必要です（sudo apt install 7zip）。")},
};

} // namespace

std::span<const ArchiveFormat> ArchiveFormats()
{
    return kFormats;
}

const ArchiveFormat *ArchiveFormatForExtension(const QString &extension)
{
    for (const ArchiveFormat &format : kFormats) {
        if (extension.compare(format.extension, Qt::CaseInsensitive) == 0)
            return &format;
    }
    return nullptr;
}

const ArchiveFormat *ArchiveFormatForLibrary(const QString &library)
{
    for (const ArchiveFormat &format : kFormats) {
        if (library.compare(format.library, Qt::CaseInsensitive) == 0)
            return &format;
    }
    return nullptr;
}
