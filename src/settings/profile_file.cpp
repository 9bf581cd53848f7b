#include "settings/profile_file.h"

#include "settings/ansi_text.h"

namespace {

// Blanks are ASCII bytes below 0x40, which never occur inside a CP932
// character, so the bytes of a name can be trimmed without decoding them.
QByteArray TrimBlankBytes(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && IsProfileBlank(QLatin1Char(bytes[begin])))
        ++begin;
    while (end > begin && IsProfileBlank(QLatin1Char(bytes[end - 1])))
        --end;
    return bytes.sliced(begin, end - begin).toByteArray();
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

// What one line means. "[X] text" opens section X; a "[" line without "]"
// opens none and is read like any other line. A line with "=" is a key whose
// value runs from the first "=" to the end of the line.
struct LineMeaning {
    enum Kind { Other, Header, Key } kind = Other;
    QString name;
    QString value;
};

LineMeaning Interpret(const QByteArray &raw)
{
    const QString text = DecodeAnsi(raw);
    const QStringView trimmed = TrimBlanks(text);
    if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0)
            return {LineMeaning::Header, TrimBlanks(trimmed.sliced(1, close - 1)).toString(), {}};
    }
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0)
        return {};
    const QStringView name = TrimBlanks(QStringView(text).first(equals));
    const QStringView value = Unquote(TrimBlanks(QStringView(text).sliced(equals + 1)));
    return {LineMeaning::Key, name.toString(), value.toString()};
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

ProfileFile ProfileFile::parse(const QByteArray &bytes)
{
    ProfileFile file;
    file.blocks_.append(Block{});
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        if (end > start && bytes[end - 1] == '\r')
            --end;
        const QByteArray raw = bytes.sliced(start, end - start);
        start = next;

        const LineMeaning meaning = Interpret(raw);
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
        block.lines.append(Line{raw, meaning.value});
        if (meaning.kind == LineMeaning::Key && block.hasHeader) {
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
    qsizetype size = 0;
    for (const Block &block : blocks_) {
        size += block.header.size() + 2;
        for (const Line &line : block.lines)
            size += line.raw.size() + 2;
    }
    QByteArray out;
    out.reserve(size);
    for (const Block &block : blocks_) {
        if (block.hasHeader)
            out.append(block.header).append("\r\n");
        for (const Line &line : block.lines)
            out.append(line.raw).append("\r\n");
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

void ProfileFile::set(const QString &section, const QString &key, const QString &value)
{
    const QByteArray rawValue = EncodeAnsi(value);
    const QString foldedSection = Fold(section);
    int block = sections_.value(foldedSection, -1);
    if (block < 0) {
        Block added;
        added.hasHeader = true;
        added.header = EncodeAnsi(QString(u'[' + section + u']'));
        blocks_.append(added);
        block = blocks_.size() - 1;
        sections_.insert(foldedSection, block);
    }

    Block &target = blocks_[block];
    const QString foldedKey = Fold(key);
    const int existing = target.keys.value(foldedKey, -1);
    if (existing >= 0) {
        // The key keeps its spelling, byte for byte.
        Line &line = target.lines[existing];
        const QByteArray name = TrimBlankBytes(QByteArrayView(line.raw).first(line.raw.indexOf('=')));
        line.raw = name + '=' + rawValue;
        line.value = Interpret(line.raw).value;
        return;
    }

    // Lines after the last key (blank lines, text) stay after the new key;
    // no indexed key moves, so the index stays valid.
    const int at = target.lastKey + 1;
    const QByteArray raw = EncodeAnsi(key) + '=' + rawValue;
    target.lines.insert(at, Line{raw, Interpret(raw).value});
    target.keys.insert(foldedKey, at);
    target.lastKey = at;
}
