#include "settings/ansi_text.h"

#include <optional>

#include <QStringDecoder>
#include <QStringEncoder>

// Qt's converter for CP932 comes from ICU, whose table for it swaps three
// control codes (0x1A, 0x1C, 0x7F) the IBM way. In CP932 every byte below 0x80
// is the ASCII character of that value and can never be the second byte of a
// double-byte character, so those three are converted here directly and only
// the text between them goes through the converter.
namespace {

const char *AnsiCodecName()
{
    static const char *const name = [] {
        for (const char *candidate : {"windows-31j", "CP932", "Shift_JIS"}) {
            if (QStringDecoder(candidate).isValid())
                return candidate;
        }
        return "Shift_JIS";
    }();
    return name;
}

constexpr auto kFlags = QStringConverter::Flag::Stateless;

bool IsSwappedControl(char16_t c)
{
    return c == 0x1A || c == 0x1C || c == 0x7F;
}

bool IsAscii(QByteArrayView bytes)
{
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

bool IsAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

QStringDecoder &Decoder()
{
    thread_local QStringDecoder decoder(AnsiCodecName(), kFlags);
    return decoder;
}

// The converter keeps its error flag once set, so it is made anew after an
// error to tell the next conversion's errors apart. (It is built in place:
// a converter moved into another loses its error reports.)
std::optional<QStringEncoder> &EncoderSlot()
{
    thread_local std::optional<QStringEncoder> encoder;
    return encoder;
}

QStringEncoder &Encoder()
{
    std::optional<QStringEncoder> &slot = EncoderSlot();
    if (!slot)
        slot.emplace(AnsiCodecName(), kFlags);
    return *slot;
}

void ResetEncoder()
{
    EncoderSlot().emplace(AnsiCodecName(), kFlags);
}

// The bytes of text without the swapped control codes, or nothing when a
// character has no CP932 form. The converter's table also maps a character
// one way only (U+F86F to the bytes of "№"): bytes that do not read back as
// the text are no form of it.
std::optional<QByteArray> EncodePlain(QStringView text)
{
    QStringEncoder &encoder = Encoder();
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        ResetEncoder();
        return std::nullopt;
    }
    if (QString(Decoder().decode(bytes)) != text)
        return std::nullopt;
    return bytes;
}

// Text without the swapped control codes, converted character by character
// only when some character has no CP932 form: such a character becomes "?"
// when substitute is set, else the conversion fails.
bool EncodeRun(QStringView run, bool substitute, QByteArray &out)
{
    if (run.isEmpty())
        return true;
    if (const std::optional<QByteArray> bytes = EncodePlain(run)) {
        out += *bytes;
        return true;
    }
    if (!substitute)
        return false;
    for (qsizetype i = 0; i < run.size();) {
        const qsizetype length =
            (run[i].isHighSurrogate() && i + 1 < run.size() && run[i + 1].isLowSurrogate()) ? 2 : 1;
        const std::optional<QByteArray> one = EncodePlain(run.mid(i, length));
        if (!one) {
            out += '?';
        } else {
            out += *one;
        }
        i += length;
    }
    return true;
}

// The CP932 form of a glyph that input methods type as another character.
char16_t AnsiFormOf(char16_t c)
{
    switch (c) {
    case 0x301C: return 0xFF5E;  // wave dash
    case 0x2212: return 0xFF0D;  // minus sign
    case 0x2016: return 0x2225;  // double vertical line
    case 0x2014: return 0x2015;  // dash
    case 0x00A2: return 0xFFE0;  // cent sign
    case 0x00A3: return 0xFFE1;  // pound sign
    case 0x00AC: return 0xFFE2;  // not sign
    default: return c;
    }
}

// text with every such character in its CP932 form; copied only when needed.
QString WithAnsiForms(QStringView text)
{
    QString mapped;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t form = AnsiFormOf(text[i].unicode());
        if (form == text[i].unicode())
            continue;
        if (mapped.isNull())
            mapped = text.toString();
        mapped[i] = QChar(form);
    }
    return mapped.isNull() ? text.toString() : mapped;
}

std::optional<QByteArray> Encode(QStringView text, bool substitute)
{
    if (IsAscii(text))
        return text.toLatin1();
    const QString mapped = WithAnsiForms(text);
    const QStringView view(mapped);
    QByteArray out;
    out.reserve(view.size() * 2);
    qsizetype start = 0;
    for (qsizetype i = 0; i < view.size(); ++i) {
        if (!IsSwappedControl(view[i].unicode()))
            continue;
        if (!EncodeRun(view.sliced(start, i - start), substitute, out))
            return std::nullopt;
        out += static_cast<char>(view[i].unicode());
        start = i + 1;
    }
    if (!EncodeRun(view.sliced(start), substitute, out))
        return std::nullopt;
    return out;
}

} // namespace

QString DecodeAnsi(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    QString text;
    text.reserve(bytes.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (!IsSwappedControl(static_cast<unsigned char>(bytes[i])))
            continue;
        text += Decoder().decode(bytes.sliced(start, i - start));
        text += QChar(static_cast<unsigned char>(bytes[i]));
        start = i + 1;
    }
    text += Decoder().decode(bytes.sliced(start));
    return text;
}

std::optional<QByteArray> EncodeAnsiExactly(QStringView text)
{
    return Encode(text, false);
}

QByteArray EncodeAnsi(QStringView text)
{
    return *Encode(text, true);
}
