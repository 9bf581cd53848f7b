#include "settings/profile_file.h"

#include <algorithm>
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

// Offset of the next CR or LF unit at or after start, or the size of bytes.
qsizetype LineEnd(QByteArrayView bytes, qsizetype start, int width)
{
    if (width == 1) {
        for (qsizetype at = start; at < bytes.size(); ++at) {
            if (bytes[at] == '\n' || bytes[at] == '\r')
                return at;
        }
        return bytes.size();
    }
    for (qsizetype at = start; at + 1 < bytes.size(); at += 2) {
        const char16_t unit = UnitAt(bytes, at, 2);
        if (unit == u'\n' || unit == u'\r')
            return at;
    }
    return bytes.size();
}

// Offset of the line after the one that ends at end: past CR LF, a lone CR
// or a LF.
qsizetype NextLine(QByteArrayView bytes, qsizetype end, int width)
{
    if (end >= bytes.size())
        return bytes.size();
    const bool pair = UnitAt(bytes, end, width) == u'\r' && end + 2 * width <= bytes.size()
                      && UnitAt(bytes, end + width, width) == u'\n';
    return end + (pair ? 2 : 1) * width;
}

// Appends raw (lines of a run, with the line ends between them) to out,
// every line end within it written as lineEnd.
void AppendWithLineEnds(QByteArray &out, QByteArrayView raw, int width, const QByteArray &lineEnd)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = LineEnd(raw, start, width);
        out.append(raw.sliced(start, end - start));
        if (end >= raw.size())
            return;
        out.append(lineEnd);
        start = NextLine(raw, end, width);
    }
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
QByteArray KeyNameBytes(QByteArrayView raw, int width)
{
    qsizetype end = 0;
    while (end < raw.size() && UnitAt(raw, end, width) != u'=')
        end += width;
    qsizetype begin = 0;
    while (begin < end && IsProfileBlank(QChar(UnitAt(raw, begin, width))))
        begin += width;
    while (end > begin && IsProfileBlank(QChar(UnitAt(raw, end - width, width))))
        end -= width;
    return raw.sliced(begin, end - begin).toByteArray();
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

// The text up to its first unit that is one of stops.
QStringView UpTo(QStringView text, std::initializer_list<char16_t> stops)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (std::find(stops.begin(), stops.end(), text[i].unicode()) != stops.end())
            return text.first(i);
    }
    return text;
}

quint32 NameHash(const QString &folded)
{
    return quint32(qHash(folded));
}

// A section or key name as it is compared: without blanks at either end, then
// up to its first NUL, as the Windows profile routines compare names ("Left",
// a NUL and "=ab" is the key Left; "[S", a NUL and "]" opens section S).
QString NameOf(QStringView spelled)
{
    return UpTo(TrimBlanks(spelled), {u'\0'}).toString();
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
            return {LineMeaning::Header, NameOf(trimmed.sliced(1, close - 1)), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {};
    return {LineMeaning::Key, NameOf(text.first(equals)), ReadBackValue(text.sliced(equals + 1))};
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
    // A line break ends the line, and with it the value, before its blanks
    // and quotes are looked at (the line "C="q<CR>w" holds the value "q).
    return UpTo(Unquote(TrimBlanks(UpTo(written, {u'\r', u'\n'}))), {u'\0'}).toString();
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
    file.text_ = body;

    qsizetype start = 0;
    while (start < body.size()) {
        const qsizetype end = LineEnd(body, start, width);
        Line line{quint32(start), quint32(end - start), LineKind::Other, 0};
        start = NextLine(body, end, width);

        const LineMeaning meaning = Interpret(file.decode(file.rawLine(line)));
        if (meaning.kind == LineMeaning::Header) {
            line.kind = LineKind::Header;
            line.nameHash = NameHash(Fold(meaning.name));
            file.index_.push_back({line.nameHash, qint32(file.sections_.size())});
            file.sections_.push_back(qint32(file.lines_.size()));
        } else if (meaning.kind == LineMeaning::Key && !file.sections_.empty()) {
            // Keys before any section belong to none and are never found.
            line.kind = LineKind::Key;
            line.nameHash = NameHash(Fold(meaning.name));
        } else if (!file.lines_.empty() && file.lines_.back().kind == LineKind::Other) {
            Line &run = file.lines_.back();
            run.size = quint32(end - run.start);
            continue;
        }
        file.lines_.push_back(line);
    }
    std::sort(file.index_.begin(), file.index_.end());
    file.lines_.shrink_to_fit();
    file.sections_.shrink_to_fit();
    file.index_.shrink_to_fit();
    return file;
}

QByteArray ProfileFile::serialize() const
{
    const QByteArray lineEnd = *encode(u"\r\n");
    const QByteArray mark = encoding_ == ProfileEncoding::Utf16 ? QByteArray(kUtf16Mark)
                            : encoding_ == ProfileEncoding::Utf8 ? QByteArray(kUtf8Mark)
                                                                 : QByteArray();
    qsizetype size = mark.size();
    for (const Line &line : lines_)
        size += line.size + lineEnd.size();
    QByteArray out;
    out.reserve(size);
    out.append(mark);
    const int width = UnitWidth(encoding_);
    for (const Line &line : lines_) {
        if (line.kind == LineKind::Other)
            AppendWithLineEnds(out, rawLine(line), width, lineEnd);
        else
            out.append(rawLine(line));
        out.append(lineEnd);
    }
    return out;
}

QByteArrayView ProfileFile::rawLine(const Line &line) const
{
    return QByteArrayView(text_).sliced(line.start, line.size);
}

int ProfileFile::endLineOf(int section) const
{
    return size_t(section) + 1 < sections_.size() ? sections_[size_t(section) + 1] : int(lines_.size());
}

int ProfileFile::findSection(const QString &folded) const
{
    const quint32 hash = NameHash(folded);
    auto it = std::lower_bound(index_.begin(), index_.end(), SectionEntry{hash, -1});
    for (; it != index_.end() && it->nameHash == hash; ++it) {
        const Line &header = lines_[size_t(sections_[size_t(it->section)])];
        if (Fold(Interpret(decode(rawLine(header))).name) == folded)
            return it->section;
    }
    return -1;
}

int ProfileFile::findKey(int section, const QString &folded) const
{
    const quint32 hash = NameHash(folded);
    for (int at = firstLineOf(section), end = endLineOf(section); at < end; ++at) {
        const Line &line = lines_[size_t(at)];
        if (line.kind == LineKind::Key && line.nameHash == hash
            && Fold(Interpret(decode(rawLine(line))).name) == folded)
            return at;
    }
    return -1;
}

std::optional<QString> ProfileFile::find(QStringView section, QStringView key) const
{
    const int found = findSection(Fold(section));
    if (found < 0)
        return std::nullopt;
    const int line = findKey(found, Fold(key));
    if (line < 0)
        return std::nullopt;
    return Interpret(decode(rawLine(lines_[size_t(line)]))).value;
}

qsizetype ProfileFile::memoryBytes() const
{
    return qsizetype(sizeof(*this)) + text_.capacity() + qsizetype(lines_.capacity() * sizeof(Line))
           + qsizetype(sections_.capacity() * sizeof(qint32))
           + qsizetype(index_.capacity() * sizeof(SectionEntry));
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

ProfileFile::Line ProfileFile::appendLine(QByteArrayView raw, LineKind kind, quint32 nameHash)
{
    const Line line{quint32(text_.size()), quint32(raw.size()), kind, nameHash};
    text_.append(raw);
    return line;
}

void ProfileFile::becomeUtf16()
{
    if (encoding_ != ProfileEncoding::Ansi)
        return;
    const QByteArray ansi = std::exchange(text_, QByteArray());
    for (Line &line : lines_) {
        const QByteArray wide = Utf16Bytes(DecodeAnsi(QByteArrayView(ansi).sliced(line.start, line.size)));
        line.start = quint32(text_.size());
        line.size = quint32(wide.size());
        text_.append(wide);
    }
    encoding_ = ProfileEncoding::Utf16;
}

bool ProfileFile::returnToAnsi()
{
    if (encoding_ != ProfileEncoding::Utf16)
        return false;
    QByteArray ansi;
    ansi.reserve(text_.size() / 2);
    const QByteArray lineEnd("\r\n");
    for (const Line &line : lines_) {
        const std::optional<QByteArray> bytes = EncodeAnsiExactly(decode(rawLine(line)));
        if (!bytes)
            return false;
        ansi.append(*bytes).append(lineEnd);
    }
    // Parsed anew: a name's code page form may differ from its UTF-16 one.
    *this = parse(ansi);
    return true;
}

bool ProfileFile::set(const QString &section, const QString &key, const QString &value)
{
    const QString foldedSection = Fold(section);
    const QString foldedKey = Fold(key);
    int block = findSection(foldedSection);
    const int existing = block < 0 ? -1 : findKey(block, foldedKey);
    if (existing >= 0
        && Interpret(decode(rawLine(lines_[size_t(existing)]))).value == ReadBackValue(value))
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

    const quint32 keyHash = NameHash(foldedKey);
    if (existing >= 0) {
        // The key keeps its spelling, byte for byte.
        Line &line = lines_[size_t(existing)];
        const QByteArray raw = KeyNameBytes(rawLine(line), UnitWidth(encoding_)) + added->name + added->value;
        line = appendLine(raw, LineKind::Key, keyHash);
        return true;
    }

    if (block < 0) {
        block = int(sections_.size());
        const quint32 sectionHash = NameHash(foldedSection);
        sections_.push_back(qint32(lines_.size()));
        lines_.push_back(appendLine(added->header, LineKind::Header, sectionHash));
        index_.insert(std::upper_bound(index_.begin(), index_.end(), SectionEntry{sectionHash, block}),
                      SectionEntry{sectionHash, block});
    }

    // After the last key of the section: lines after it (blank lines, text)
    // stay after the new key.
    int at = firstLineOf(block);
    for (int line = at, end = endLineOf(block); line < end; ++line) {
        if (lines_[size_t(line)].kind == LineKind::Key)
            at = line + 1;
    }
    lines_.insert(lines_.begin() + at, appendLine(added->name + added->value, LineKind::Key, keyHash));
    for (size_t later = size_t(block) + 1; later < sections_.size(); ++later)
        ++sections_[later];
    return true;
}
