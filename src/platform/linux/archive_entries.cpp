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
    // Stateless: a name ends where its bytes end, a first byte of a
    // character at its end included.
    for (const char *name : {"windows-31j", "CP932", "Shift_JIS"}) {
        QStringDecoder decoder(name, QStringConverter::Flag::Stateless);
        if (decoder.isValid())
            return decoder;
    }
    return QStringDecoder(QStringDecoder::Latin1);
}

} // namespace

namespace {

bool IsShiftJisLead(quint8 byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// The characters a decoder puts in place of bytes it cannot read, without
// always telling an error: the replacement character, and the "SUB" control
// character of the converters of Japanese code pages.
constexpr char16_t kSubstitute = 0x1A;

bool ReadWhole(const QStringDecoder &decoder, const QString &text, QByteArrayView raw)
{
    return !decoder.hasError() && !text.contains(QChar::ReplacementCharacter)
           && text.count(QChar(kSubstitute)) == raw.count(char(kSubstitute));
}

// The name in Shift-JIS, each byte that is no part of a character kept by
// keep(byte); nothing needed keeping when kept stays false.
template <typename Keep>
QString ShiftJisName(QByteArrayView raw, Keep keep, bool &kept)
{
    QStringDecoder whole = ShiftJisDecoder();
    const QString decoded = whole(raw);
    kept = false;
    if (ReadWhole(whole, decoded, raw))
        return decoded;
    // Character by character: one byte, or a first byte and its second.
    QString name;
    for (qsizetype i = 0; i < raw.size();) {
        const quint8 byte = quint8(raw[i]);
        const qsizetype length = IsShiftJisLead(byte) && i + 1 < raw.size() ? 2 : 1;
        QStringDecoder one = ShiftJisDecoder();
        const QByteArrayView bytes = raw.sliced(i, length);
        const QString character = one(bytes);
        if (byte != '%' && (byte < 0x80 || (character.size() == 1 && ReadWhole(one, character, bytes)))) {
            name += character;
            i += length;
        } else {
            name += keep(byte);
            kept = kept || byte != '%';
            ++i;
        }
    }
    return kept ? name : decoded;
}

QString Utf8Name(QByteArrayView raw, bool &valid)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString name = utf8(raw);
    valid = !utf8.hasError();
    return name;
}

} // namespace

QString DecodeEntryName(QByteArrayView raw)
{
    bool utf8 = false;
    QString name = Utf8Name(raw, utf8);
    if (!utf8) {
        bool kept = false;
        name = ShiftJisName(raw, [](quint8 byte) { return u'%' + QString::number(byte, 16).toUpper().rightJustified(2, u'0'); },
                            kept);
    }
    return name.replace(u'\\', u'/');
}

std::optional<QString> UndecodedEntryName(QByteArrayView raw)
{
    bool utf8 = false;
    Utf8Name(raw, utf8);
    if (utf8)
        return std::nullopt;
    bool kept = false;
    QString name = ShiftJisName(raw, [](quint8 byte) { return byte == '%' ? QStringLiteral("%") : QString(QChar::ReplacementCharacter); },
                                kept);
    if (!kept)
        return std::nullopt;
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
