#include <gtest/gtest.h>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include "calendar/calendar_data.h"
#include "face/color_value.h"
#include "face/digital_overlay.h"
#include "face/fonts.h"
#include "settings/ansi_text.h"
#include "support/face_colours.h"
#include "settings/display_patterns.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

const QRgb kFace = qRgb(0, 128, 0);
const QRgb kDarkBlue = qRgb(0, 0, 128);   // 8388608, the default outline
const QString kTime = QStringLiteral("1999/12/06 09:05:07");   // a Monday

QImage Face(int w = 80, int h = 80)
{
    QImage frame(w, h, QImage::Format_RGB32);
    frame.fill(kFace);
    return frame;
}

QRect Bounds(const QImage &image, QRgb color)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The outlined text drawn literally: the text in the outline colour at each
// of the (2k + 1)^2 offsets, then in its colour, every drawing clipped to the
// rectangle from its corner to the frame's corner.
void ReferenceOutlinedText(QImage &frame, int pointSize, QColor colour, int x, int y,
                           QString text, int k, QColor outline)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QPainter painter(&frame);
    painter.setFont(FaceTextFont(pointSize));
    auto draw = [&](int cx, int cy) {
        const QRect rect(QPoint(cx, cy), QPoint(frame.width() - 1, frame.height() - 1));
        if (rect.isEmpty())
            return;
        painter.setClipRect(rect);
        painter.drawText(rect, Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, text);
    };
    painter.setPen(outline);
    for (int dx = -k; dx <= k; ++dx)
        for (int dy = -k; dy <= k; ++dy)
            draw(x + dx, y + dy);
    painter.setPen(colour);
    draw(x, y);
}

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override { InstallFontSubstitutions(); }
    QImage Overlay(const QString &dateFormat, const QString &timeFormat)
    {
        QImage frame = Face(settings.Setting.Width, settings.Setting.Height);
        DrawDigitalOverlay(frame, settings, dateFormat, timeFormat, kTime);
        return frame;
    }
    Settings settings;
};

TEST(FormatTimeTextTest, TokensOfTheDateNotation)
{
    struct Case { const char16_t *pattern; const char16_t *expected; };
    for (Case c : {Case{u"yyyy/mm/dd", u"1999/12/06"},
                   Case{u"yy/m/d", u"99/12/6"},
                   Case{u"hh:nn:ss", u"09:05:07"},
                   Case{u"h:n:s", u"9:5:7"},
                   Case{u"yyyy/mm/dd hh:mm:ss", u"1999/12/06 09:05:07"},
                   Case{u"hh時mm分", u"09時05分"},
                   Case{u"mm/dd h:m", u"12/06 9:5"},
                   Case{u"yyyy年m月d日", u"1999年12月6日"},
                   Case{u"m月d日(aaa)", u"12月6日(月)"},
                   Case{u"aaaa", u"月曜日"},
                   Case{u"ddd dddd", u"Mon Monday"},
                   Case{u"YYYY-MM-DD HH:NN", u"1999-12-06 09:05"},
                   Case{u"\\d\"dd hh\"d", u"ddd hh6"},
                   Case{u"y a", u"y a"},
                   Case{u"", u""}}) {
        EXPECT_EQ(FormatTimeText(kTime, QString::fromUtf16(c.pattern)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.pattern).toStdString();
    }
    EXPECT_EQ(FormatTimeText("2000/01/02 23:59:00", "yy m d hh"), "00 1 2 23");
}

// Every pattern of the shipped Calender.ini ends its description with what it
// shows for 2024/01/05 09:05:07, a Friday: "年/月/日 (2024/01/05)".
TEST(FormatTimeTextTest, ShippedPatternsShowWhatTheirDescriptionsPromise)
{
    TempFolder folder;
    const QString source = QStringLiteral(TOCKARA_DATA_DIR "/Calender.ini");
    ASSERT_TRUE(QFile::copy(source, folder.file("Calender.ini")));
    for (bool timePatterns : {false, true}) {
        int n = 1;
        for (QString entry; !(entry = ReadFormatPattern(folder.path(), timePatterns, n)).isEmpty(); ++n) {
            const QString description = GetField(entry, 2, ",");
            const qsizetype open = description.lastIndexOf(QStringLiteral(" ("));
            ASSERT_GT(open, 0) << entry.toStdString();
            ASSERT_TRUE(description.endsWith(u')')) << entry.toStdString();
            const QString example = description.sliced(open + 2).chopped(1);
            EXPECT_EQ(FormatTimeText("2024/01/05 09:05:07", GetField(entry, 1, ",")), example)
                << entry.toStdString();
        }
        EXPECT_GT(n, 5);
    }
}

TEST(FormatTimeTextTest, TimeTextIsZeroPadded24Hour)
{
    EXPECT_EQ(TimeTextFor(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6))), "2001/02/03 04:05:06");
    EXPECT_EQ(TimeTextFor(QDateTime(QDate(2001, 12, 31), QTime(23, 59, 59))), "2001/12/31 23:59:59");
}

TEST(PlaceOverlayTextsTest, BothTextsStandAboveTheCentre)
{
    const OverlayPlacement both = PlaceOverlayTexts(80, true, true, 13, 12);
    EXPECT_EQ(both.dateTop, 40 - 39);
    EXPECT_EQ(both.timeTop, 40 - 24);
}

TEST(PlaceOverlayTextsTest, ALoneTextRoundsHalvesToEven)
{
    EXPECT_EQ(PlaceOverlayTexts(80, true, false, 13, 0).dateTop, 8);    // 7.5
    EXPECT_EQ(PlaceOverlayTexts(80, true, false, 15, 0).dateTop, 2);    // 2.5
    EXPECT_EQ(PlaceOverlayTexts(81, false, true, 0, 13).timeTop, 8);    // 40 - 32.5
    EXPECT_EQ(PlaceOverlayTexts(81, false, true, 0, 11).timeTop, 12);   // 40 - 27.5
    EXPECT_EQ(PlaceOverlayTexts(80, false, true, 0, 12).timeTop, 10);
}

TEST_F(OverlayTest, FaceFontIsTheSubstitutedGothic)
{
    EXPECT_EQ(QFontInfo(FaceTextFont(9)).family(), "IPAGothic");
}

TEST_F(OverlayTest, TheDefaultDateFitsInsideTheRoundDefaultFace)
{
    // Where the date line stands, the 80-pixel circle is about 62 pixels wide.
    EXPECT_LE(MeasureFaceText("2026/12/07", 9).width(), 62);
}

TEST_F(OverlayTest, MeasuringCountsLinesAndGivesEmptyTextOneLine)
{
    const QSize one = MeasureFaceText("1999/12/06", 9);
    const QSize two = MeasureFaceText("1999/12/06\r\n09:05", 9);
    const QSize empty = MeasureFaceText("", 9);
    EXPECT_GT(one.width(), 40);
    EXPECT_EQ(two.width(), one.width());
    EXPECT_GT(two.height(), one.height());
    EXPECT_EQ(empty, QSize(0, one.height()));
}

TEST_F(OverlayTest, DefaultFaceShowsOnlyTheDateCentredAboveTheCentreWithItsOutline)
{
    const QImage frame = Overlay("yyyy/mm/dd", "hh:nn");
    const QRect text = Bounds(frame, kWhite);
    const QRect outline = Bounds(frame, kDarkBlue);
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(outline, text.adjusted(-1, -1, 1, 1));
    EXPECT_NEAR(text.left(), 80 - 1 - text.right(), 2);
    EXPECT_LT(outline.bottom(), 40);
    // The time pattern is 0, so its format is never drawn (where the date
    // stands: TheTextsStayInsideTheRimWhereverTheyFit).
    EXPECT_EQ(Bounds(frame, qRgb(0, 0, 0)), QRect());
}

// The window shows only the face's ellipse: the texts stand where their
// placement puts them when they fit inside it, and move down just enough
// where they would not (the default 80-pixel face on a first start), so no
// glyph or outline is cut by the rim.
TEST_F(OverlayTest, TheTextsStayInsideTheRimWhereverTheyFit)
{
    const struct { int width, height; bool time; int outline; bool moved; } cases[] = {
        {80, 80, false, 1, true},  {80, 80, true, 1, true},    {80, 80, false, 2, true},
        {120, 80, false, 1, false}, {200, 200, true, 1, false}, {200, 200, false, 1, false},
        {100, 100, false, 1, false},
    };
    for (const auto &c : cases) {
        settings.Setting.Width = c.width;
        settings.Setting.Height = c.height;
        settings.Digital.TimePattern = c.time ? 1 : 0;
        settings.Digital.DateFuchiEnabled = qint16(c.outline);
        const QImage frame = Overlay("yyyy/mm/dd", "hh:nn");
        const QRegion shown(0, 0, c.width, c.height, QRegion::Ellipse);
        int drawn = 0, cut = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                if (frame.pixel(x, y) == kFace)
                    continue;
                ++drawn;
                cut += !shown.contains(QPoint(x, y));
            }
        }
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height);
        EXPECT_GT(drawn, 100) << name;
        EXPECT_EQ(cut, 0) << name;

        // Where they fit, the texts stand exactly at their placement.
        const QSize date = MeasureFaceText("1999/12/06", 9);
        const QSize time = MeasureFaceText("09:05", 9);
        const OverlayPlacement at = PlaceOverlayTexts(c.height, true, c.time, date.height(), time.height());
        QImage placed = Face(c.width, c.height);
        DrawOutlinedText(placed, 9, Qt::white, (c.width - date.width()) / 2, at.dateTop, "1999/12/06", c.outline,
                         ToQColor(8388608));
        if (c.time)
            DrawOutlinedText(placed, 9, Qt::black, (c.width - time.width()) / 2, at.timeTop, "09:05", 1, Qt::black);
        EXPECT_EQ(frame != placed, c.moved) << name;
        if (c.moved) {
            EXPECT_GT(Bounds(frame, kWhite).top(), Bounds(placed, kWhite).top()) << name;
        }
    }
}

TEST_F(OverlayTest, OutlineWidthFollowsFuchiEnabled)
{
    settings.Digital.DateFuchiEnabled = 0;
    QImage frame = Overlay("yyyy/mm/dd", "");
    EXPECT_FALSE(Bounds(frame, kWhite).isEmpty());
    EXPECT_TRUE(Bounds(frame, kDarkBlue).isEmpty());

    settings.Digital.DateFuchiEnabled = 2;
    frame = Overlay("yyyy/mm/dd", "");
    EXPECT_EQ(Bounds(frame, kDarkBlue), Bounds(frame, kWhite).adjusted(-2, -2, 2, 2));

    settings.Digital.DateFuchiEnabled = -1;
    frame = Overlay("yyyy/mm/dd", "");
    EXPECT_TRUE(Bounds(frame, kDarkBlue).isEmpty());
}

TEST_F(OverlayTest, BothTextsStackDateOverTime)
{
    settings.Digital.TimePattern = 1;
    settings.Digital.TimeColor = 0x0000FF;        // red
    settings.Digital.TimeFuchiColor = 0xFFFF00;   // cyan
    const QImage frame = Overlay("yyyy/mm/dd", "hh:nn");
    const QRect date = Bounds(frame, kWhite);
    const QRect time = Bounds(frame, qRgb(255, 0, 0));
    ASSERT_FALSE(time.isEmpty());
    EXPECT_LT(date.bottom(), time.top());
    EXPECT_LT(time.bottom(), 40);
    // Centred by the measured width of "09:05".
    const int left = (80 - MeasureFaceText("09:05", 9).width()) / 2;
    EXPECT_GE(time.left(), left);
    EXPECT_LE(time.left(), left + 2);
}

TEST_F(OverlayTest, NothingIsDrawnWithoutPatternsOrWithAPosition)
{
    settings.Digital.DatePattern = 0;
    EXPECT_EQ(Overlay("yyyy/mm/dd", "hh:nn"), Face());
    settings.Digital.DatePattern = -3;
    EXPECT_EQ(Overlay("yyyy/mm/dd", "hh:nn"), Face());
    settings.Digital.DatePattern = 1;
    settings.Digital.DatePosition = 1;
    EXPECT_EQ(Overlay("yyyy/mm/dd", "hh:nn"), Face());
    settings.Digital.DatePosition = 0;
    EXPECT_EQ(Overlay("", ""), Face());
}

TEST_F(OverlayTest, OutlinedTextMatchesTheLiteralDrawings)
{
    struct Case { int x, y, k; const char *text; };
    for (Case c : {Case{10, 20, 0, "1999/12/06"}, Case{10, 20, 1, "1999/12/06"},
                   Case{5, 8, 2, "12/06\r\n09:05"}, Case{-6, -4, 1, "1999/12/06"},
                   Case{60, 72, 2, "1999/12/06"}, Case{30, 30, 3, "A&&B"}, Case{20, 30, -2, "Wq"}}) {
        QImage expected = Face();
        ReferenceOutlinedText(expected, 9, Qt::white, c.x, c.y, c.text, c.k, Qt::blue);
        QImage drawn = Face();
        DrawOutlinedText(drawn, 9, Qt::white, c.x, c.y, c.text, c.k, Qt::blue);
        EXPECT_EQ(drawn, expected) << c.x << "," << c.y << " k=" << c.k;
    }
}

TEST_F(OverlayTest, HugeOutlineCoversTheFaceWithoutStalling)
{
    QImage frame = Face();
    DrawOutlinedText(frame, 9, Qt::white, 10, 20, "1999/12/06", 30000, Qt::blue);
    EXPECT_EQ(Bounds(frame, kFace), QRect());
    EXPECT_FALSE(Bounds(frame, kWhite).isEmpty());
}

} // namespace
