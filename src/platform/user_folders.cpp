#include "platform/user_folders.h"

#include <optional>

#include <QDir>
#include <QFile>

#include "platform/regular_file.h"

namespace {

// user-dirs.dirs names a few folders; a larger file is no such list.
constexpr qint64 kUserDirsLimit = 64 * 1024;

QString KeyOf(UserFolder folder)
{
    switch (folder) {
    case UserFolder::Download: return QStringLiteral("DOWNLOAD");
    case UserFolder::Desktop: return QStringLiteral("DESKTOP");
    case UserFolder::Documents: return QStringLiteral("DOCUMENTS");
    }
    return {};
}

QString UsualName(UserFolder folder)
{
    switch (folder) {
    case UserFolder::Download: return QStringLiteral("/Downloads");
    case UserFolder::Desktop: return QStringLiteral("/Desktop");
    case UserFolder::Documents: return QStringLiteral("/Documents");
    }
    return {};
}

// The quoted value of one line after its '"': up to the closing quote, a
// backslash taking the next byte as it is; nothing without a closing quote.
std::optional<QByteArray> QuotedValue(const QByteArray &rest)
{
    QByteArray value;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        if (rest[i] == '"')
            return value;
        if (rest[i] == '\\' && i + 1 < rest.size())
            ++i;
        value += rest[i];
    }
    return std::nullopt;
}

bool LiesIn(const QString &path, const QString &folder)
{
    return path == folder || path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace

QString UserDirsEntry(const QByteArray &text, const QString &key, const QString &home)
{
    const QByteArray name = "XDG_" + key.toLatin1() + "_DIR";
    QString found;
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (!line.startsWith(name))
            continue;
        QByteArray rest = line.mid(name.size()).trimmed();
        if (!rest.startsWith('='))
            continue;
        rest = rest.mid(1).trimmed();
        if (!rest.startsWith('"'))
            continue;
        const std::optional<QByteArray> value = QuotedValue(rest.mid(1));
        if (!value)
            continue;
        QString path;
        if (value->startsWith("$HOME") && (value->size() == 5 || value->at(5) == '/'))
            path = home + QFile::decodeName(value->mid(5));
        else if (value->startsWith('/'))
            path = QFile::decodeName(*value);
        else
            continue;  // a relative path: the desktop ignores it too
        // The last line that names the folder counts, as for the desktop.
        found = QDir::cleanPath(path);
    }
    return found;
}

QString BaseFolder(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QDir::cleanPath(QDir::homePath() + fallback);
}

QString UserFolderPath(UserFolder folder)
{
    const QString home = QDir::homePath();
    const RegularFileBytes file =
        ReadRegularFile(BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config")) + QStringLiteral("/user-dirs.dirs"),
                        kUserDirsLimit);
    if (file.read()) {
        const QString named = UserDirsEntry(file.bytes, KeyOf(folder), home);
        if (!named.isEmpty())
            return named;
    }
    return QDir::cleanPath(home + UsualName(folder));
}

QStringList DesktopSettingsFolders()
{
    const QString home = QDir::cleanPath(QDir::homePath());
    QStringList folders = {
        BaseFolder("XDG_CONFIG_HOME", QStringLiteral("/.config")),
        BaseFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")),
        BaseFolder("XDG_STATE_HOME", QStringLiteral("/.local/state")),
        BaseFolder("XDG_CACHE_HOME", QStringLiteral("/.cache")),
        // Their usual places, for programs started with another environment.
        home + QStringLiteral("/.config"),
        home + QStringLiteral("/.local"),
        home + QStringLiteral("/.cache"),
    };
    // The session bus and the user's service manager read services and
    // units from the runtime folder too.
    if (const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR"); QDir::isAbsolutePath(runtime))
        folders << QDir::cleanPath(runtime);
    const std::pair<const char *, const char *> lists[] = {{"XDG_CONFIG_DIRS", "/etc/xdg"},
                                                           {"XDG_DATA_DIRS", "/usr/local/share:/usr/share"}};
    for (const auto &[list, usual] : lists) {
        const QString value = qEnvironmentVariable(list);
        for (const QString &folder : (value.isEmpty() ? QString::fromLatin1(usual) : value).split(u':', Qt::SkipEmptyParts)) {
            if (QDir::isAbsolutePath(folder))
                folders << QDir::cleanPath(folder);
        }
    }
    // "/", "/home" or the home folder itself in a list would stand for
    // every folder of the user.
    folders.removeIf([&](const QString &folder) { return LiesIn(home, folder); });
    folders.removeDuplicates();
    return folders;
}
