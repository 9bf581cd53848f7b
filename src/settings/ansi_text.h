#pragma once
// Conversion between the program's strings and the bytes of its data files,
// which are CP932 (Shift-JIS as Windows writes it) so that files written on a
// Japanese Windows system read the same here and the other way round.
#include <optional>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The text of CP932 bytes. Bytes that form no character become a substitute
// character; callers that must keep such bytes keep the bytes themselves.
QString DecodeAnsi(QByteArrayView bytes);

// The CP932 bytes of text, or nothing when a character has no CP932 form.
// Before encoding, the characters that Linux input methods type for glyphs of
// CP932 become the code page's own forms of those glyphs, the ones a CP932
// file reads back as:
//   U+301C 〜 -> U+FF5E ～    U+2212 − -> U+FF0D －    U+2016 ‖ -> U+2225 ∥
//   U+2014 — -> U+2015 ―    U+00A2 ¢ -> U+FFE0 ￠    U+00A3 £ -> U+FFE1 ￡
//   U+00AC ¬ -> U+FFE2 ￢
// These are the glyphs of the JIS rows whose Unicode form differs between
// JIS and CP932 and that CP932 can hold. (U+005C, U+00A5 and U+203E are not
// mapped: their CP932 bytes read back as "\", "\" and "~".)
std::optional<QByteArray> EncodeAnsiExactly(QStringView text);

// The same bytes, with "?" for each character that has no CP932 form, as the
// system's own conversion to the ANSI code page gives. For measuring text in
// bytes; files are never written with it.
QByteArray EncodeAnsi(QStringView text);
