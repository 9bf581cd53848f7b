#include "platform/linux/archive_entries.h"

#include <errno.h>
#include <locale.h>
#include <unistd.h>

#include <QStringDecoder>
#include <QStringList>

#include "platform/archivers.h"

namespace {

QStringDecoder ShiftJisDecoder()
{
    for (const char *name : {"windows-31j", "CP932", "Shift_JIS"}) {
        QStringDecoder decoder(name);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(QStringDecoder::Latin1);
}

} // namespace

QString DecodeEntryName(QByteArrayView raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString name = utf8(raw);
    if (utf8.hasError()) {
        QStringDecoder shiftJis = ShiftJisDecoder();
        name = shiftJis(raw);
    }
    return name.replace(u'\\', u'/');
}

std::optional<QString> RelativeEntryPath(const QString &name)
{
    // The system reads a name only up to its first NUL: "..\0x" would climb.
    if (name.startsWith(u'/') || name.contains(QChar(0)))
        return std::nullopt;
    QStringList parts;
    for (const QString &part : name.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u"..")
            return std::nullopt;
        if (part != u".")
            parts << part;
    }
    return parts.join(u'/');
}

bool NamesFolder(const QString &name)
{
    return name.endsWith(u'/');
}

bool EntryNames::admit(const QString &relative, bool folder)
{
    const auto at = folders_.constFind(relative);
    if (at == folders_.cend()) {
        folders_.insert(relative, folder);
        return true;
    }
    return folder && at.value();
}

namespace {

// Deflate reaches about 1,030 to 1: a thousand to one over more than a few
// megabytes is a file of nothing but zeros or an archive built to fill disks.
constexpr qint64 kMostRatio = 1000;
constexpr qint64 kRatioFreeOutput = qint64(8) << 20;

} // namespace

int CheckStatedSize(qint64 stated, qint64 archiveSize, qint64 freeBytes)
{
    // A bomb is told as such, whatever the disk could hold.
    if (archiveSize >= 0 && BeyondRealRatio(stated, archiveSize))
        return kArchiverTooLarge;
    if (freeBytes >= 0 && stated > freeBytes)
        return kArchiverDiskFull;
    return kArchiverOk;
}

bool BeyondRealRatio(qint64 unpacked, qint64 packed)
{
    return unpacked > kRatioFreeOutput && unpacked / kMostRatio > std::max<qint64>(packed, 1);
}

std::optional<QByteArray> ReadBytesAt(int fd, qint64 offset, qint64 size)
{
    if (size <= 0 || offset < 0)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    qint64 got = 0;
    while (got < size) {
        const ssize_t n = pread(fd, bytes.data() + got, size_t(size - got), offset + got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return std::nullopt;
        got += n;
    }
    return bytes;
}

quint32 LittleEndian(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | quint8(bytes[at + i]);
    return value;
}

Utf8ThreadLocale::Utf8ThreadLocale()
{
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
    if (utf8) {
        utf8_ = utf8;
        previous_ = uselocale(utf8);
    }
}

Utf8ThreadLocale::~Utf8ThreadLocale()
{
    if (utf8_) {
        uselocale(static_cast<locale_t>(previous_));
        freelocale(static_cast<locale_t>(utf8_));
    }
}
