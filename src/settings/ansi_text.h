#pragma once
// Conversion between the program's strings and the bytes of its data files,
// which are CP932 (Shift-JIS as Windows writes it) so that files written on a
// Japanese Windows system read the same here and the other way round.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The text of CP932 bytes. Bytes that form no character become a substitute
// character; callers that must keep such bytes keep the bytes themselves.
QString DecodeAnsi(QByteArrayView bytes);

// The CP932 bytes of text. A character the code page lacks becomes "?", as
// the system's own conversion to the ANSI code page does.
QByteArray EncodeAnsi(QStringView text);
