// Calender.ini's display patterns, read with the settings library alone: the
// face, the calendar and the デジタル表示 page share this one reader.
#include <gtest/gtest.h>

#include "settings/ansi_text.h"
#include "settings/display_patterns.h"
#include "support/temp_folder.h"

namespace {

TEST(DisplayPatternsTest, TheFormatsAreTheNumberedEntriesOfCalenderIni)
{
    TempFolder folder;
    folder.writeBytes("Calender.ini",
                      EncodeAnsi(QStringLiteral("[DateFormat]\r\n1=yyyy/mm/dd,日付\r\n2=m月d日,月日\r\n"
                                                "[TimeFormat]\r\n1=hh:nn,時分\r\n")));
    struct Case { bool time; int number; const char *entry; };
    for (const Case &c : {Case{false, 2, "m月d日,月日"}, Case{true, 1, "hh:nn,時分"}, Case{true, 2, ""},
                          Case{false, 0, ""}}) {
        EXPECT_EQ(ReadFormatPattern(folder.path(), c.time, c.number).toStdString(), c.entry) << c.number;
    }
    const DisplayPatterns found = ReadDisplayPatterns(folder.path(), 2, 1);
    EXPECT_EQ(found.DatePatternFormat, QStringLiteral("m月d日"));
    EXPECT_EQ(found.TimePatternFormat, "hh:nn");
    const DisplayPatterns none = ReadDisplayPatterns(folder.path(), 7, 0);
    EXPECT_EQ(none.DatePatternFormat, "");
    EXPECT_EQ(none.TimePatternFormat, "");
}

} // namespace
