// The desktop's default applications: the mimeapps.list files (the common
// one and the current desktop's own), mimeinfo.cache and a desktop entry they
// may name, in XDG folders of the scratch folder. Input: the common list,
// "%%", the desktop's list, "%%", the cache, "%%", the entry
// "fuzzed.desktop", "%%", a MIME type. Property: the program found is
// nothing or an absolute path that can be executed.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "fuzz_support.h"
#include "platform/linux/mime_associations.h"

namespace {

QString Folder(const QString &name)
{
    const QString path = ScratchFolder() + u'/' + name;
    QDir().mkpath(path);
    return path;
}

// The XDG folders point into the scratch folder, with two installed
// applications: a plain one and one in a vendor folder ("kde-editor.desktop"
// names kde/editor.desktop).
void PrepareFolders()
{
    qputenv("XDG_CONFIG_HOME", Folder(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", Folder(QStringLiteral("etc")).toUtf8());
    qputenv("XDG_DATA_HOME", Folder(QStringLiteral("data")).toUtf8());
    qputenv("XDG_DATA_DIRS", Folder(QStringLiteral("share")).toUtf8());
    qputenv("XDG_CURRENT_DESKTOP", "Fuzz:Other");
    // The system's type database, for the types' ancestors.
    QFile::link(QStringLiteral("/usr/share/mime"), Folder(QStringLiteral("share")) + QStringLiteral("/mime"));
    WriteScratchFile(QStringLiteral("data/applications/viewer.desktop"),
                     "[Desktop Entry]\nType=Application\nName=Viewer\nExec=/bin/true %f\n");
    WriteScratchFile(QStringLiteral("share/applications/kde/editor.desktop"),
                     "[Desktop Entry]\nType=Application\nName=Editor\nExec=sh -c true %U\n");
}

void CheckProgram(const QString &program)
{
    if (program.isEmpty())
        return;
    const QFileInfo file(program);
    FUZZ_CHECK(file.isAbsolute() && file.isExecutable());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool prepared = (PrepareFolders(), true);
    (void)prepared;
    const QList<QByteArray> parts = InputParts(InputBytes(data, size), 5);
    WriteScratchFile(QStringLiteral("config/mimeapps.list"), parts[0]);
    WriteScratchFile(QStringLiteral("config/fuzz-mimeapps.list"), parts[1]);
    WriteScratchFile(QStringLiteral("data/applications/mimeinfo.cache"), parts[2]);
    WriteScratchFile(QStringLiteral("data/applications/fuzzed.desktop"), parts[3]);
    const QString type = QString::fromUtf8(parts[4]).trimmed();
    CheckProgram(DefaultProgramFor(type.isEmpty() ? QStringLiteral("text/plain") : type));
    CheckProgram(DefaultProgramFor(QStringLiteral("text/html")));
    return 0;
}
