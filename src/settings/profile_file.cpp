#include "settings/profile_file.h"

#include <cstring>
#include <optional>

#include <QtEndian>

#include "settings/ansi_text.h"

namespace {

constexpr char kUtf16Mark[] = "\xFF\xFE";
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";

// Bytes per text unit: CP932 and UTF-8 are read byte by byte (every byte of
// an ASCII character is that character in both, and no byte of a longer
// character is below 0x40), UTF-16 by 16-bit unit.
int UnitWidth(ProfileEncoding encoding)
{
    return encoding == ProfileEncoding::Utf16 ? 2 : 1;
}

char16_t UnitAt(QByteArrayView bytes, qsizetype offset, int width)
{
    const auto low = static_cast<unsigned char>(bytes[offset]);
    return width == 1 ? low : char16_t(low | static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

// Offset of the next LF unit at or after start, or the size of bytes.
qsizetype LineEnd(QByteArrayView bytes, qsizetype start, int width)
{
    if (width == 1) {
        const void *found = std::memchr(bytes.data() + start, '\n', size_t(bytes.size() - start));
        return found ? static_cast<const char *>(found) - bytes.data() : bytes.size();
    }
    for (qsizetype at = start; at < bytes.size(); at += 2) {
        if (UnitAt(bytes, at, 2) == u'\n')
            return at;
    }
    return bytes.size();
}

QByteArray Utf16Bytes(QStringView text)
{
    // An empty text may have no characters at all (a null pointer), and
    // nothing may be copied from there.
    if (text.isEmpty())
        return {};
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

// The key's name as it is spelled in the line (blanks around it dropped).
QByteArray KeyNameBytes(const QByteArray &raw, int width)
{
    qsizetype end = 0;
    while (end < raw.size() && UnitAt(raw, end, width) != u'=')
        end += width;
    qsizetype begin = 0;
    while (begin < end && IsProfileBlank(QChar(UnitAt(raw, begin, width))))
        begin += width;
    while (end > begin && IsProfileBlank(QChar(UnitAt(raw, end - width, width))))
        end -= width;
    return raw.sliced(begin, end - begin);
}

QString Fold(QStringView name)
{
    return name.toString().toCaseFolded();
}

QStringView Unquote(QStringView value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        return value.sliced(1, value.size() - 2);
    return value;
}

// The text up to its first NUL or carriage return. A value read is one line
// of text, as every value written is (a CR alone does not end a line of the
// file), so whatever is read can be written back and read again unchanged.
QStringView UpToLineEnd(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(0) || text[i] == u'\r')
            return text.first(i);
    }
    return text;
}

// What one line means. "[X] text" opens section X; a "[" line without "]"
// opens none and is read like any other line. A line with "=" is a key whose
// value runs from the first "=" to the end of the line.
struct LineMeaning {
    enum Kind { Other, Header, Key } kind = Other;
    QString name;
    QString value;
};

LineMeaning Interpret(QStringView text)
{
    const QStringView trimmed = TrimBlanks(text);
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0)
            return {LineMeaning::Header, TrimBlanks(trimmed.sliced(1, close - 1)).toString(), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {};
    const QStringView name = TrimBlanks(text.first(equals));
    return {LineMeaning::Key, name.toString(), ReadBackValue(text.sliced(equals + 1))};
}

} // namespace

bool IsProfileBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

QStringView TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsProfileBlank(text[begin]))
        ++begin;
    while (end > begin && IsProfileBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

QString ReadBackValue(QStringView written)
{
    return UpToLineEnd(Unquote(TrimBlanks(written))).toString();
}

ProfileFile ProfileFile::parse(const QByteArray &bytes)
{
    ProfileFile file;
    QByteArray body = bytes;
    if (bytes.startsWith(kUtf16Mark)) {
        file.encoding_ = ProfileEncoding::Utf16;
        body = bytes.sliced(2);
        // A stray last byte is kept as a unit of its own, so that the lines
        // written after it stay aligned.
        if (body.size() % 2 != 0)
            body.append('\0');
    } else if (bytes.startsWith(kUtf8Mark)) {
        file.encoding_ = ProfileEncoding::Utf8;
        body = bytes.sliced(3);
    }
    const int width = UnitWidth(file.encoding_);
    const QByteArray lineEnd = *file.encode(u"\r\n");

    file.blocks_.append(Block{});
    qsizetype start = 0;
    while (start < body.size()) {
        qsizetype end = LineEnd(body, start, width);
        const qsizetype next = end < body.size() ? end + width : body.size();
        if (end - start >= width && UnitAt(body, end - width, width) == u'\r')
            end -= width;
        const QByteArray raw = body.sliced(start, end - start);
        start = next;

        const LineMeaning meaning = Interpret(file.decode(raw));
        if (meaning.kind == LineMeaning::Header) {
            Block block;
            block.hasHeader = true;
            block.header = raw;
            file.blocks_.append(block);
            const QString folded = Fold(meaning.name);
            if (!file.sections_.contains(folded))
                file.sections_.insert(folded, file.blocks_.size() - 1);
            continue;
        }
        Block &block = file.blocks_.last();
        const bool isKey = meaning.kind == LineMeaning::Key && block.hasHeader;
        if (!isKey && !block.lines.isEmpty() && !block.lines.last().isKey) {
            block.lines.last().raw.append(lineEnd).append(raw);
            continue;
        }
        block.lines.append(Line{raw, meaning.value, isKey});
        if (isKey) {
            block.lastKey = block.lines.size() - 1;
            const QString folded = Fold(meaning.name);
            if (!block.keys.contains(folded))
                block.keys.insert(folded, block.lastKey);
        }
    }
    return file;
}

QByteArray ProfileFile::serialize() const
{
    const QByteArray lineEnd = *encode(u"\r\n");
    const QByteArray mark = encoding_ == ProfileEncoding::Utf16 ? QByteArray(kUtf16Mark)
                            : encoding_ == ProfileEncoding::Utf8 ? QByteArray(kUtf8Mark)
                                                                 : QByteArray();
    qsizetype size = mark.size();
    for (const Block &block : blocks_) {
        size += block.header.size() + lineEnd.size();
        for (const Line &line : block.lines)
            size += line.raw.size() + lineEnd.size();
    }
    QByteArray out;
    out.reserve(size);
    out.append(mark);
    for (const Block &block : blocks_) {
        if (block.hasHeader)
            out.append(block.header).append(lineEnd);
        for (const Line &line : block.lines)
            out.append(line.raw).append(lineEnd);
    }
    return out;
}

const QString *ProfileFile::find(QStringView section, QStringView key) const
{
    const int block = sections_.value(Fold(section), -1);
    if (block < 0)
        return nullptr;
    const Block &found = blocks_[block];
    const int line = found.keys.value(Fold(key), -1);
    return line < 0 ? nullptr : &found.lines[line].value;
}

QString ProfileFile::decode(QByteArrayView raw) const
{
    switch (encoding_) {
    case ProfileEncoding::Ansi:
        return DecodeAnsi(raw);
    case ProfileEncoding::Utf8:
        return QString::fromUtf8(raw);
    case ProfileEncoding::Utf16:
        break;
    }
    QString text(raw.size() / 2, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(raw.data(), text.size(), text.data());
    return text;
}

std::optional<QByteArray> ProfileFile::encode(QStringView text) const
{
    switch (encoding_) {
    case ProfileEncoding::Ansi:
        return EncodeAnsiExactly(text);
    case ProfileEncoding::Utf8:
        return text.toUtf8();
    case ProfileEncoding::Utf16:
        break;
    }
    return Utf16Bytes(text);
}

void ProfileFile::becomeUtf16()
{
    if (encoding_ != ProfileEncoding::Ansi)
        return;
    for (Block &block : blocks_) {
        if (block.hasHeader)
            block.header = Utf16Bytes(DecodeAnsi(block.header));
        for (Line &line : block.lines)
            line.raw = Utf16Bytes(DecodeAnsi(line.raw));
    }
    encoding_ = ProfileEncoding::Utf16;
}

bool ProfileFile::set(const QString &section, const QString &key, const QString &value)
{
    const QString foldedSection = Fold(section);
    const QString foldedKey = Fold(key);
    int block = sections_.value(foldedSection, -1);
    const int existing = block < 0 ? -1 : blocks_[block].keys.value(foldedKey, -1);
    if (existing >= 0 && blocks_[block].lines[existing].value == ReadBackValue(value))
        return false;

    // The bytes of the texts the change adds; a CP932 file that cannot hold
    // them becomes UTF-16 first, so no character is ever replaced.
    struct Added {
        QByteArray header, name, value;
    };
    const auto encodeAdded = [&]() -> std::optional<Added> {
        const auto header = block < 0 ? encode(QString(u'[' + section + u']'))
                                      : std::optional<QByteArray>(QByteArray());
        const auto name = existing < 0 ? encode(QString(key + u'=')) : encode(u"=");
        const auto bytes = encode(value);
        if (!header || !name || !bytes)
            return std::nullopt;
        return Added{*header, *name, *bytes};
    };
    std::optional<Added> added = encodeAdded();
    if (!added) {
        becomeUtf16();
        added = encodeAdded();
    }

    if (block < 0) {
        Block created;
        created.hasHeader = true;
        created.header = added->header;
        blocks_.append(created);
        block = blocks_.size() - 1;
        sections_.insert(foldedSection, block);
    }

    Block &target = blocks_[block];
    if (existing >= 0) {
        // The key keeps its spelling, byte for byte.
        Line &line = target.lines[existing];
        line.raw = KeyNameBytes(line.raw, UnitWidth(encoding_)) + added->name + added->value;
        line.value = Interpret(decode(line.raw)).value;
        return true;
    }

    // Lines after the last key (blank lines, text) stay after the new key;
    // no indexed key moves, so the index stays valid.
    const int at = target.lastKey + 1;
    const QByteArray raw = added->name + added->value;
    target.lines.insert(at, Line{raw, Interpret(decode(raw)).value, true});
    target.keys.insert(foldedKey, at);
    target.lastKey = at;
    return true;
}
