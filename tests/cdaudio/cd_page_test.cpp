// The CD page in the settings window: its texts, the strip's drawing while a
// button is held and after it, and the controller kept across openings.
#include "cdaudio/cd_panel.h"
#include "cdaudio/ui/cd_page.h"
#include "context/pages.h"
#include "platform/linux/linux_services.h"
#include "settings_window/settings_window_fixture.h"
#include "settings_window/sprite_sheet.h"

namespace {

class CdPageTest : public SettingsWindowTest {
protected:
    CdPageTest()
    {
        pages.add(CdPageDefinition());
        fakes.mci->replies = {
            {"open cdaudio shareable", ""},
            {"status cdaudio position track  1", "00:02:00"},
            {"seek cdaudio to 00:02:00", ""},
            {"status cdaudio current track", "1"},
            {"status cdaudio length track 1", "00:10:00"},
            {"status cdaudio length", "00:30:30"},
            {"status cdaudio number of tracks", "3"},
            {"info cdaudio product", "TEAC CD-532E"},
            {"set cdaudio door open", ""},
            {"set cdaudio door closed", ""},
        };
    }
    QString text(const char *label) const { return control<QLabel>(label)->text(); }
    CdButtonStrip *strip() const { return control<CdButtonStrip>("CDPanel"); }
    // The buttons drawn sunken, each compared with the sprite sheet's cells.
    QList<int> sunkenButtons() const
    {
        const SpriteRow rows[] = {SpriteRow::Eject, SpriteRow::Stop,  SpriteRow::PreviousTrack,
                                  SpriteRow::Rewind, SpriteRow::Pause, SpriteRow::Play,
                                  SpriteRow::FastForward, SpriteRow::NextTrack};
        QList<int> sunken;
        for (int b = 1; b <= CdButtonCount; ++b) {
            const QImage shown = strip()->image().copy((b - 1) * 18, 0, 18, 18).convertToFormat(QImage::Format_RGB32);
            const auto cell = [&](int look) {
                return SpriteSheet().copy(SpriteLookX(look), int(rows[b - 1]) * 18, 18, 18)
                    .convertToFormat(QImage::Format_RGB32);
            };
            if (shown == cell(1))
                sunken << b;
            else
                EXPECT_EQ(shown, cell(0)) << "button " << b << " is neither raised nor sunken";
        }
        return sunken;
    }
    void press(int x) { QTest::mousePress(strip(), Qt::LeftButton, {}, QPoint(x, 9)); }
    void release(int x) { QTest::mouseRelease(strip(), Qt::LeftButton, {}, QPoint(x, 9)); }
};

TEST_F(CdPageTest, OpeningShowsTheDiscWithStopSunken)
{
    open(PageCD);
    EXPECT_EQ(window->windowTitle(), "Tockara [ＣＤ ＡＵＤＩＯ]");
    EXPECT_EQ(text("lblProduct"), "TEAC CD-532E");
    EXPECT_EQ(text("lblAllTracks"), "3");
    EXPECT_EQ(text("lblAllTimes"), "00:30:30");
    EXPECT_EQ(text("lblCurTrack"), "1");
    EXPECT_EQ(text("lblCurTime"), "00:10:00");
    EXPECT_EQ(control<QLabel>("lblAllTracks")->pos(), QPoint(120, 40));
    EXPECT_EQ(strip()->geometry(), QRect(8, 144, 144, 18));
    EXPECT_EQ(sunkenButtons(), QList<int>{CdStop});
}

TEST_F(CdPageTest, HeldButtonsAreSunkenAndTheDoorStateShowsAfterwards)
{
    open(PageCD);
    press(17);
    EXPECT_EQ(sunkenButtons(), QList<int>{CdEject});
    release(17);
    EXPECT_EQ(sunkenButtons(), QList<int>{CdEject}) << "the door stays open";
    EXPECT_EQ(fakes.mci->commands().last(), "set cdaudio door open");

    press(100);   // play, door open
    EXPECT_EQ(sunkenButtons(), QList<int>{CdPlay});
    release(100);
    EXPECT_EQ(sunkenButtons(), QList<int>{CdEject});

    press(3);     // eject with the door open: it is about to close
    EXPECT_EQ(sunkenButtons(), QList<int>{CdStop});
    fakes.mci->replies["status cdaudio number of tracks"] = "12";
    release(3);
    EXPECT_EQ(sunkenButtons(), QList<int>{CdStop});
    EXPECT_EQ(text("lblAllTracks"), "12") << "the texts are read again after the door closed";
}

TEST_F(CdPageTest, TheControllerOutlivesTheWindow)
{
    open(PageCD);
    click("CBTN");
    open(PageCD);
    window.reset();
    EXPECT_EQ(fakes.mci->commands().count("open cdaudio shareable"), 1);
    EXPECT_EQ(fakes.mci->commands().count("close cdaudio"), 0);
}

TEST_F(CdPageTest, WithoutADriveThePageShowsNoTracks)
{
    auto noDrive = MakeCdAudioMci("/nonexistent/cdrom");
    fakes.services.mci = std::move(noDrive);
    open(PageCD);
    EXPECT_EQ(text("lblAllTracks"), "0");
    EXPECT_EQ(text("lblCurTrack"), "0");
    EXPECT_EQ(text("lblProduct"), "");
    EXPECT_EQ(text("lblAllTimes"), "");
    EXPECT_EQ(text("lblCurTime"), "");
}

} // namespace
