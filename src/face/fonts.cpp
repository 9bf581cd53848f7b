#include "face/fonts.h"

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont FaceTextFont(int pointSize)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSize(pointSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}
