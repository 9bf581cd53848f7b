#include "launcher/shortcut_readers.h"

#include <optional>
#include <QFileInfo>
#include <QUrl>

#include "platform/desktop_entry.h"
#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "settings/profile_file.h"

namespace {

// Bounds-checked little-endian reads from a window of bytes. Every read that
// would run past the end gives nothing.
class Bytes {
public:
    explicit Bytes(QByteArrayView data) : data_(data) {}

    qsizetype size() const { return data_.size(); }
    bool has(qsizetype offset, qsizetype count) const
    {
        return offset >= 0 && count >= 0 && offset <= data_.size() && count <= data_.size() - offset;
    }
    std::optional<quint32> u8(qsizetype offset) const
    {
        if (!has(offset, 1))
            return std::nullopt;
        return quint8(data_[offset]);
    }
    std::optional<quint32> u16(qsizetype offset) const
    {
        if (!has(offset, 2))
            return std::nullopt;
        return quint32(quint8(data_[offset])) | quint32(quint8(data_[offset + 1])) << 8;
    }
    std::optional<quint32> u32(qsizetype offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        quint32 value = 0;
        for (int i = 3; i >= 0; --i)
            value = value << 8 | quint8(data_[offset + i]);
        return value;
    }
    std::optional<Bytes> part(qsizetype offset, qsizetype count) const
    {
        if (!has(offset, count))
            return std::nullopt;
        return Bytes(data_.sliced(offset, count));
    }
    // Bytes of the NUL-terminated string at offset, without the NUL; the
    // string is cut at the end of the bytes.
    qsizetype lengthZ(qsizetype offset) const
    {
        if (!has(offset, 0))
            return 0;
        const qsizetype nul = data_.sliced(offset).indexOf('\0');
        return nul < 0 ? data_.size() - offset : nul;
    }
    // A NUL-terminated CP932 string at offset.
    QString ansiZ(qsizetype offset) const
    {
        return has(offset, 0) ? DecodeAnsi(data_.sliced(offset, lengthZ(offset))) : QString();
    }
    // count UTF-16LE units at offset, or up to the first NUL when count < 0.
    QString utf16(qsizetype offset, qsizetype count = -1) const
    {
        QString text;
        for (qsizetype i = 0; count < 0 || i < count; ++i) {
            const std::optional<quint32> unit = u16(offset + 2 * i);
            if (!unit || (count < 0 && *unit == 0))
                break;
            text += QChar(char16_t(*unit));
        }
        return text;
    }
    QByteArrayView view() const { return data_; }

private:
    QByteArrayView data_;
};

// ---- Shell links -------------------------------------------------------------

constexpr quint32 kHeaderSize = 0x4C;
constexpr char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                 char(0xC0), 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : quint32 {
    HasLinkTargetIDList = 0x01,
    HasLinkInfo = 0x02,
    HasName = 0x04,
    HasRelativePath = 0x08,
    HasWorkingDir = 0x10,
    HasArguments = 0x20,
    HasIconLocation = 0x40,
    IsUnicode = 0x80,
    ForceNoLinkInfo = 0x100,
};

QString JoinWindowsPath(const QString &head, const QString &tail)
{
    if (head.isEmpty() || tail.isEmpty())
        return head + tail;
    return head.endsWith(u'\\') ? head + tail : head + u'\\' + tail;
}

// The long name of a file entry item from its 0xBEEF0004 extension block at
// offset; empty when there is none.
QString LongNameOf(const Bytes &item, qsizetype offset)
{
    const std::optional<quint32> size = item.u16(offset), version = item.u16(offset + 2),
                                 signature = item.u32(offset + 4);
    if (!size || !version || !signature || *signature != 0xBEEF0004u || *version < 3)
        return {};
    const std::optional<Bytes> block = item.part(offset, *size);
    if (!block)
        return {};
    const qsizetype nameOffset = *version >= 9 ? 46 : *version == 8 ? 42 : *version == 7 ? 38 : 20;
    return block->utf16(nameOffset);
}

// The file-system path of a target item list: a volume ("C:\") or network
// item followed by file entries. Empty when the list names something that is
// not a file-system object.
QString PathFromItemList(const Bytes &list)
{
    QString path;
    qsizetype offset = 0;
    for (;;) {
        const std::optional<quint32> size = list.u16(offset);
        if (!size || *size == 0)
            break;
        const std::optional<Bytes> item = list.part(offset + 2, qsizetype(*size) - 2);
        if (*size < 3 || !item)
            return {};
        offset += *size;
        const quint32 type = *item->u8(0);
        if (type == 0x1F)
            continue;   // the root: the computer or the desktop
        switch (type & 0x70) {
        case 0x20:
            path = item->ansiZ(1);
            break;
        case 0x40:
            path = item->ansiZ(3);
            break;
        case 0x30: {
            const bool unicode = type & 0x04;
            QString name = unicode ? item->utf16(12) : item->ansiZ(12);
            qsizetype end = 12 + (unicode ? 2 * (name.size() + 1) : item->lengthZ(12) + 1);
            end += end % 2;
            if (QString longName = LongNameOf(*item, end); !longName.isEmpty())
                name = longName;
            path = JoinWindowsPath(path, name);
            break;
        }
        default:
            return {};
        }
    }
    return path;
}

// The path of the link information structure.
QString PathFromLinkInfo(const Bytes &info)
{
    const std::optional<quint32> headerSize = info.u32(4), flags = info.u32(8),
                                 localBase = info.u32(16), network = info.u32(20),
                                 suffix = info.u32(24);
    if (!headerSize || !flags || !localBase || !network || !suffix)
        return {};
    const bool wide = *headerSize >= 0x24;
    const quint32 localBaseWide = wide ? info.u32(28).value_or(0) : 0;
    const quint32 suffixWide = wide ? info.u32(32).value_or(0) : 0;
    const QString tail = suffixWide ? info.utf16(suffixWide) : info.ansiZ(*suffix);
    if (*flags & 0x01) {
        const QString base = localBaseWide ? info.utf16(localBaseWide) : info.ansiZ(*localBase);
        if (!base.isEmpty())
            return base + tail;
    }
    if (*flags & 0x02) {
        const std::optional<quint32> networkSize = info.u32(*network);
        const std::optional<Bytes> share = networkSize ? info.part(*network, *networkSize) : std::nullopt;
        const std::optional<quint32> nameOffset = share ? share->u32(8) : std::nullopt;
        if (nameOffset) {
            const quint32 nameWide = *nameOffset > 0x14 ? share->u32(0x14).value_or(0) : 0;
            return JoinWindowsPath(nameWide ? share->utf16(nameWide) : share->ansiZ(*nameOffset), tail);
        }
    }
    return {};
}

} // namespace

QString LocalPathOfAddress(const QString &address)
{
    if (!address.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return address;
    const QUrl url(address);
    if (!url.host().isEmpty() && url.host().compare(u"localhost", Qt::CaseInsensitive) != 0)
        return {};
    return url.path(QUrl::FullyDecoded);
}

ShortcutTarget ReadShellLink(QByteArrayView bytes)
{
    const Bytes link(bytes);
    const std::optional<quint32> headerSize = link.u32(0), flags = link.u32(20);
    if (!headerSize || *headerSize != kHeaderSize || !link.has(0, kHeaderSize)
        || bytes.sliced(4, 16) != QByteArrayView(kLinkClsid, 16))
        return {};

    ShortcutTarget target;
    qsizetype offset = kHeaderSize;
    QString itemListPath, linkInfoPath;
    if (*flags & HasLinkTargetIDList) {
        const std::optional<quint32> size = link.u16(offset);
        const std::optional<Bytes> list = size ? link.part(offset + 2, *size) : std::nullopt;
        if (!list)
            return {};
        itemListPath = PathFromItemList(*list);
        offset += 2 + *size;
    }
    if (*flags & HasLinkInfo) {
        const std::optional<quint32> size = link.u32(offset);
        const std::optional<Bytes> info = size ? link.part(offset, *size) : std::nullopt;
        if (!info)
            return {};
        if (!(*flags & ForceNoLinkInfo))
            linkInfoPath = PathFromLinkInfo(*info);
        offset += *size;
    }
    // The string data, each a count of characters and the characters.
    const bool unicode = *flags & IsUnicode;
    QString strings[5];
    const quint32 present[5] = {HasName, HasRelativePath, HasWorkingDir, HasArguments, HasIconLocation};
    for (int i = 0; i < 5; ++i) {
        if (!(*flags & present[i]))
            continue;
        const std::optional<quint32> count = link.u16(offset);
        const qsizetype length = count ? qsizetype(*count) * (unicode ? 2 : 1) : -1;
        if (!count || !link.has(offset + 2, length))
            return {};
        strings[i] = unicode ? link.utf16(offset + 2, *count)
                             : DecodeAnsi(bytes.sliced(offset + 2, length));
        offset += 2 + length;
    }
    target.loaded = true;
    target.path = !linkInfoPath.isEmpty() ? linkInfoPath : itemListPath;
    target.workingDirectory = strings[2];
    target.arguments = SplitCommandText(strings[3]);
    return target;
}

ShortcutTarget ReadProgramInformation(QByteArrayView bytes)
{
    // The basic section every program information file starts with.
    constexpr qsizetype kBasicSection = 0x171;
    if (bytes.size() < kBasicSection)
        return {};
    auto field = [&](qsizetype offset, qsizetype length) {
        QByteArrayView raw = bytes.sliced(offset, length);
        if (const qsizetype nul = raw.indexOf('\0'); nul >= 0)
            raw = raw.first(nul);
        return DecodeAnsi(raw).trimmed();
    };
    ShortcutTarget target;
    target.loaded = true;
    target.path = field(0x24, 63);
    target.workingDirectory = field(0x65, 64);
    target.arguments = SplitCommandText(field(0xA5, 64));
    return target;
}

ShortcutTarget ReadInternetShortcut(QByteArrayView bytes)
{
    if (bytes.size() > ShortcutFileLimit)
        return {};
    const ProfileFile profile = ProfileFile::parse(bytes.toByteArray());
    auto value = [&](const char *key) {
        return profile.find(u"InternetShortcut", QString::fromLatin1(key)).value_or(QString());
    };
    ShortcutTarget target;
    target.loaded = true;
    target.path = LocalPathOfAddress(value("URL"));
    target.workingDirectory = value("WorkingDirectory");
    return target;
}

ShortcutTarget ReadDesktopLauncher(QByteArrayView bytes)
{
    const DesktopEntry entry = ParseDesktopEntry(bytes);
    if (!entry.valid)
        return {};
    ShortcutTarget target;
    target.loaded = true;
    target.workingDirectory = entry.path;
    if (entry.type == u"Link") {
        target.path = LocalPathOfAddress(entry.url);
    } else {
        QStringList words = ExpandExecLine(entry.exec, {{}, entry.icon, entry.name, {}}).value_or(QStringList());
        if (!words.isEmpty()) {
            target.path = words.takeFirst();
            target.arguments = words;
        }
    }
    return target;
}

QStringList SplitCommandText(const QString &text)
{
    QStringList words;
    QString word;
    bool inWord = false, quoted = false;
    for (const QChar c : text) {
        if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}
