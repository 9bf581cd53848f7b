#include "face/fonts.h"

void InstallFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
}

QFont FaceTextFont(int pointSize)
{
    // The fixed-pitch Gothic: its half-width digits keep "yyyy/mm/dd" within
    // the round face of the default 80-pixel clock, where the proportional
    // one would run under the rim.
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSize(pointSize);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}
