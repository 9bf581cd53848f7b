#include "platform/linux/archive_entries.h"

#include <locale.h>

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

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

QString PrepareTargetFolder(const QString &target)
{
    if (target.isEmpty() || !QDir().mkpath(target))
        return {};
    return QFileInfo(target).canonicalFilePath();
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
