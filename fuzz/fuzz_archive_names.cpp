// Stored entry names of archives (ZIP, LZH, ARJ) as the extractors turn them
// into paths below the target folder. Input: the name's bytes. Properties:
// a decoded name holds no backslash; UTF-8 names keep their text; a path
// given for a name is relative and has no empty, ".", ".." or NUL part, so
// the system, which reads a name up to its first NUL, sees the same path;
// and a name that is not absolute, without a ".." part and without a NUL
// always gets one.
#include <QStringList>
#include <QStringDecoder>

#include "fuzz_support.h"
#include "platform/linux/archive_entries.h"

namespace {

void CheckRelativePath(const QString &name)
{
    const std::optional<QString> relative = RelativeEntryPath(name);
    if (!relative) {
        FUZZ_CHECK(name.startsWith(u'/') || name.contains(QChar(0))
                   || name.split(u'/').contains(QStringLiteral("..")));
        return;
    }
    FUZZ_CHECK(!relative->startsWith(u'/'));
    FUZZ_CHECK(!relative->contains(QChar(0)));
    if (relative->isEmpty())
        return;
    for (const QString &part : relative->split(u'/'))
        FUZZ_CHECK(!part.isEmpty() && part != u"." && part != u"..");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = DecodeEntryName(raw);
    FUZZ_CHECK(!name.contains(u'\\'));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString asUtf8 = utf8(raw);
    if (!utf8.hasError())
        FUZZ_CHECK(name == QString(asUtf8).replace(u'\\', u'/'));
    CheckRelativePath(name);
    return 0;
}
