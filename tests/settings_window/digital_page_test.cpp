// The digital display page: pattern lists from Calender.ini, colour swatches
// through the colour chooser, outlines, and the overlay formats on 確定.
#include <QAccessible>

#include "settings/ansi_text.h"
#include "settings_window/ui/color_swatch.h"
#include "settings_window_fixture.h"

namespace {

class DigitalPageTest : public SettingsWindowTest {
protected:
    void writeCalendarIni(const QString &text) const
    {
        QString crlf = text;
        crlf.replace("\n", "\r\n");
        folder.writeBytes("Calender.ini", EncodeAnsi(crlf));
    }
    QComboBox *dates() const { return control<QComboBox>("CMB1"); }
    QComboBox *times() const { return control<QComboBox>("CMB2"); }
    ColorSwatch *swatch(int i) const { return control<ColorSwatch>(QStringLiteral("DspCol%1").arg(i)); }
    static QStringList items(const QComboBox *list)
    {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
        return texts;
    }
};

const char *kThreeDatePatterns =
    "[DateFormat]\n1=yyyy/mm/dd,年月日\n2=mm/dd,月日\n3=dd,日\n"
    "[TimeFormat]\n1=hh:nn,時分\n";

TEST_F(DigitalPageTest, ListsTheLabelsAfterTheNotShownEntry)
{
    writeCalendarIni(kThreeDatePatterns);
    preset([](Settings &s) {
        s.Digital.DatePattern = 2;
        s.Digital.TimePattern = 0;
    });
    open(8);
    EXPECT_EQ(items(dates()), (QStringList{"日付を表示しない", "年月日", "月日", "日"}));
    EXPECT_EQ(items(times()), (QStringList{"時刻を表示しない", "時分"}));
    EXPECT_EQ(dates()->currentIndex(), 2);
    EXPECT_EQ(times()->currentIndex(), 0);
}

TEST_F(DigitalPageTest, AGapInTheKeysEndsTheList)
{
    writeCalendarIni("[DateFormat]\n1=yyyy/mm/dd,年月日\n3=dd,日\n");
    open(8);
    EXPECT_EQ(items(dates()), (QStringList{"日付を表示しない", "年月日"}));
}

TEST_F(DigitalPageTest, WithoutCalenderIniOnlyTheNotShownEntriesRemain)
{
    open(8);
    EXPECT_EQ(items(dates()), QStringList{"日付を表示しない"});
    EXPECT_EQ(items(times()), QStringList{"時刻を表示しない"});
}

TEST_F(DigitalPageTest, ChoosingNotShownStoresZeroAndTheFaceIsToldAfterTheSave)
{
    writeCalendarIni(kThreeDatePatterns);
    open(8);
    dates()->setCurrentIndex(0);
    times()->setCurrentIndex(1);
    click("BTN10");
    EXPECT_EQ(ctx.settings().Digital.DatePattern, 0);
    EXPECT_EQ(saved().Digital.DatePattern, 0);
    EXPECT_EQ(ctx.settings().Digital.TimePattern, 1);
    EXPECT_EQ(watch.announced, QList<SettingsAspects>{SettingsAspect::Overlay});
    EXPECT_TRUE(watch.everySavedFirst());
    EXPECT_FALSE(ctx.ToolWindowOpen);
}

TEST_F(DigitalPageTest, AStoredPatternBeyondTheListIsKeptUnlessChanged)
{
    writeCalendarIni("[DateFormat]\n1=yyyy/mm/dd,年月日\n3=dd,日\n");
    preset([](Settings &s) { s.Digital.DatePattern = 3; });
    open(8);
    EXPECT_EQ(dates()->currentIndex(), -1);
    click("BTN10");
    EXPECT_EQ(ctx.settings().Digital.DatePattern, 3);
    EXPECT_EQ(saved().Digital.DatePattern, 3);

    open(8);
    dates()->setCurrentIndex(1);
    click("BTN10");
    EXPECT_EQ(ctx.settings().Digital.DatePattern, 1);
}

TEST_F(DigitalPageTest, SwatchesAndOutlinesShowTheSettings)
{
    preset([](Settings &s) {
        auto &digital = s.Digital;
        digital.DateColor = 0x0000FF;
        digital.TimeColor = 0x00FF00;
        digital.DateFuchiColor = 0xFF0000;
        digital.TimeFuchiColor = 0x123456;
        digital.DateFuchiEnabled = -1;
        digital.TimeFuchiEnabled = 0;
    });
    open(8);
    EXPECT_EQ(swatch(0)->color(), 0x0000FF);
    EXPECT_EQ(swatch(0)->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_EQ(swatch(1)->color(), 0x00FF00);
    EXPECT_EQ(swatch(2)->color(), 0xFF0000);
    EXPECT_EQ(swatch(3)->color(), 0x123456);
    EXPECT_TRUE(control<QCheckBox>("CHK3")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("CHK4")->isChecked());
    EXPECT_EQ(control<QCheckBox>("CHK2")->text(), "Tip表示");

    click("BTN10");
    EXPECT_EQ(ctx.settings().Digital.DateFuchiEnabled, 1);
    EXPECT_EQ(ctx.settings().Digital.TimeFuchiEnabled, 0);
    EXPECT_EQ(ctx.settings().Digital.TimeFuchiColor, 0x123456);
}

TEST_F(DigitalPageTest, AChosenColourIsShownAndStoredOn確定)
{
    open(8);
    fakes.choosers->colors = {QColor(0x10, 0x20, 0x30)};
    QTest::mouseClick(swatch(3), Qt::LeftButton);
    EXPECT_EQ(fakes.choosers->colorRequests, 1);
    EXPECT_EQ(swatch(3)->color(), 0x302010);
    click("BTN10");
    EXPECT_EQ(ctx.settings().Digital.TimeFuchiColor, 0x302010);
    EXPECT_EQ(saved().Digital.TimeFuchiColor, 0x302010);
}

TEST_F(DigitalPageTest, ACancelledChooserKeepsTheSwatchAndTheStoredColour)
{
    preset([](Settings &s) { s.Digital.DateColor = 0x00AA00; });
    open(8);
    chooseColor(0);   // no colour queued: the user cancels
    EXPECT_EQ(fakes.choosers->colorRequests, 1);
    EXPECT_EQ(swatch(0)->color(), 0x00AA00);
    click("BTN10");
    EXPECT_EQ(ctx.settings().Digital.DateColor, 0x00AA00);
}

// The keyboard's place on a swatch shows as plainly as on a button: a ring
// of the highlight colour two pixels wide, and inside it a line that stands
// out from the swatch's own colour, whatever that is. A screen reader
// presses it as the button it is.
TEST_F(DigitalPageTest, AFocusedSwatchIsRingedAndAReaderPressesIt)
{
    open(8);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QColor highlight = swatch(0)->palette().color(QPalette::Highlight);
    const ColorValue highlightValue = highlight.red() + 256 * highlight.green() + 65536 * highlight.blue();
    for (ColorValue colour : {ColorValue(0), ColorValue(0xFFFFFF), highlightValue}) {
        swatch(0)->SetColor(colour);
        swatch(1)->setFocus();
        const QImage unfocused = swatch(0)->grab().toImage();
        swatch(0)->setFocus();
        const QImage focused = swatch(0)->grab().toImage();
        const int w = focused.width(), h = focused.height();
        int ring = 0, ringLit = 0, ringLitUnfocused = 0, line = 0, lineStandsOut = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) {
                    ++ring;
                    ringLit += focused.pixelColor(x, y) == highlight;
                    ringLitUnfocused += unfocused.pixelColor(x, y) == highlight;
                } else if (x == 2 || y == 2 || x == w - 3 || y == h - 3) {
                    ++line;
                    lineStandsOut += std::abs(qGray(focused.pixel(x, y)) - qGray(swatch(0)->palette().color(QPalette::Window).rgb())) >= 128;
                }
            }
        }
        EXPECT_EQ(ringLit, ring) << colour;
        EXPECT_LT(ringLitUnfocused, ring / 2) << colour;
        EXPECT_EQ(lineStandsOut, line) << colour;
    }

    fakes.choosers->colors = {QColor(0x10, 0x20, 0x30)};
    QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(swatch(3));
    ASSERT_NE(reader->actionInterface(), nullptr);
    reader->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(swatch(3)->color(), 0x302010);
}

TEST_F(DigitalPageTest, CloseAfterChangingSwatchesKeepsTheStoredColours)
{
    open(8);
    fakes.choosers->colors = {Qt::red, Qt::blue};
    chooseColor(0);
    chooseColor(1);
    click("CBTN");
    EXPECT_EQ(ctx.settings().Digital.DateColor, 16777215);
    EXPECT_EQ(ctx.settings().Digital.TimeColor, 0);
    EXPECT_FALSE(savedFileExists());
}

} // namespace
