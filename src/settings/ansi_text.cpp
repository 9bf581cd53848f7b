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

// Text without the swapped control codes, converted character by character
// only when some character has no CP932 form.
void EncodeRun(QStringView run, QByteArray &out)
{
    if (run.isEmpty())
        return;
    QStringEncoder &encoder = Encoder();
    const QByteArray bytes = encoder.encode(run);
    if (!encoder.hasError()) {
        out += bytes;
        return;
    }
    ResetEncoder();
    for (qsizetype i = 0; i < run.size();) {
        const qsizetype length =
            (run[i].isHighSurrogate() && i + 1 < run.size() && run[i + 1].isLowSurrogate()) ? 2 : 1;
        const QByteArray one = Encoder().encode(run.mid(i, length));
        if (Encoder().hasError()) {
            out += '?';
            ResetEncoder();
        } else {
            out += one;
        }
        i += length;
    }
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

QByteArray EncodeAnsi(QStringView text)
{
    if (IsAscii(text))
        return text.toLatin1();
    QByteArray out;
    out.reserve(text.size() * 2);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsSwappedControl(text[i].unicode()))
            continue;
        EncodeRun(text.sliced(start, i - start), out);
        out += static_cast<char>(text[i].unicode());
        start = i + 1;
    }
    EncodeRun(text.sliced(start), out);
    return out;
}
