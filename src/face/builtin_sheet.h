#pragma once
// The clock's own figure sheet, kept inside the program so the clock never
// lacks its figure: 64 x 64, two 32 x 32 poses in the left column (on black)
// and their masks in the right column (black figure on white).
#include <QByteArray>
#include <QImage>

// The sheet as a GIF file's bytes (also shipped as anime/builtin.gif).
QByteArray BuiltInSheetGif();

// The sheet decoded.
inline QImage BuiltInSheet()
{
    return QImage::fromData(BuiltInSheetGif(), "GIF");
}
