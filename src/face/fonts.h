#pragma once
// The fonts the clock's texts were designed for are not on Linux; their names
// are mapped to the IPA fonts of the same style.
#include <QFont>

// Maps "ＭＳ ゴシック" to IPAGothic and "ＭＳ Ｐゴシック" to IPAPGothic for
// every QFont of the process. Start-up calls it once, before any window.
void InstallFontSubstitutions();

// The font of the texts drawn on the face (the date and time overlay) and of
// the hover window, "ＭＳ ゴシック", at the given point size, without antialiasing so that outlines stay crisp.
QFont FaceTextFont(int pointSize);
