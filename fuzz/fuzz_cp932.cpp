// The CP932 codec of the data files. Bytes read as text and written again
// read back as the same text; any text that can be written reads back as
// written (apart from the glyphs CP932 holds in forms of its own), and the
// substituting writer agrees with the exact one wherever that one succeeds.
#include "fuzz_support.h"
#include "settings/ansi_text.h"

namespace {

// Bytes of a file read as text, then written back.
void BytesRoundTrip(QByteArrayView bytes)
{
    const QString text = DecodeAnsi(bytes);
    // Bytes that form no character read as the substitute character, which
    // has no CP932 form: such text cannot be written back, by design.
    if (text.contains(QChar::ReplacementCharacter))
        return;
    const std::optional<QByteArray> written = EncodeAnsiExactly(text);
    FUZZ_CHECK(written.has_value());
    FUZZ_CHECK(DecodeAnsi(*written) == text);
}

// Text typed by the user (any UTF-16, lone surrogates included) written.
void TextRoundTrip(QByteArrayView bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(quint8(bytes[2 * i]) | quint8(bytes[2 * i + 1]) << 8));
    const std::optional<QByteArray> written = EncodeAnsiExactly(text);
    const QByteArray substituted = EncodeAnsi(text);
    if (!written) {
        FUZZ_CHECK(substituted.contains('?'));
        return;
    }
    FUZZ_CHECK(substituted == *written);
    FUZZ_CHECK(DecodeAnsi(*written) == WithCp932Forms(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    BytesRoundTrip(input);
    TextRoundTrip(input);
    return 0;
}
