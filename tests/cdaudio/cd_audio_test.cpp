// The CD controller's command strings and reply parsing, and the CD page's
// press and release rules, against a scripted command interface.
#include <gtest/gtest.h>

#include <functional>

#include "cdaudio/cd_panel.h"
#include "cdaudio/cls_cd_audio.h"
#include "support/fake_services.h"

namespace {

TEST(CDAudioTest, OpensShareableAndStopsAndClosesAtTheEnd)
{
    FakeMci mci;
    {
        clsCDAudio cd(mci);
        EXPECT_TRUE(cd.ShareMode());
    }
    EXPECT_EQ(mci.commands(), QStringList({"open cdaudio shareable", "stop cdaudio", "close cdaudio"}));
}

TEST(CDAudioTest, CommandsAndReplyLengthsAreExact)
{
    struct Case {
        std::function<void(clsCDAudio &)> operation;
        QStringList commands;
        QList<int> lengths;
    } cases[] = {
        {[](clsCDAudio &cd) { cd.setCurTrack(3); },
         {"status cdaudio position track  3", "seek cdaudio to 00:27:30"}, {256, 256}},
        {[](clsCDAudio &cd) { cd.setCurTrack(-2); },
         {"status cdaudio position track -2", "seek cdaudio to "}, {256, 256}},
        {[](clsCDAudio &cd) { cd.CurTime(); },
         {"status cdaudio current track", "status cdaudio length track 3"}, {256, 256}},
        {[](clsCDAudio &cd) { cd.StopCD(); }, {"stop cdaudio"}, {0}},
        {[](clsCDAudio &cd) { cd.Pause(); }, {"pause cdaudio"}, {0}},
        {[](clsCDAudio &cd) { cd.Play(); }, {"play cdaudio"}, {256}},
        {[](clsCDAudio &cd) { cd.ResumeCD(); }, {"play cdaudio"}, {256}},
        {[](clsCDAudio &cd) { cd.Mode(); }, {"status cdaudio mode"}, {15}},
        {[](clsCDAudio &cd) { cd.MediaPresent(); }, {"status cdaudio media present"}, {15}},
        {[](clsCDAudio &cd) { cd.Product(); }, {"info cdaudio product"}, {128}},
        {[](clsCDAudio &cd) { cd.AllTimes(); }, {"status cdaudio length"}, {256}},
        {[](clsCDAudio &cd) { cd.AllTracks(); }, {"status cdaudio number of tracks"}, {256}},
        {[](clsCDAudio &cd) { cd.CanEject(); }, {"capability cdaudio can eject"}, {256}},
        {[](clsCDAudio &cd) { cd.setEject(true); }, {"set cdaudio door open"}, {256}},
        {[](clsCDAudio &cd) { cd.setEject(false); }, {"set cdaudio door closed"}, {256}},
        {[](clsCDAudio &cd) { cd.setShareMode(false); },
         {"stop cdaudio", "close cdaudio", "open cdaudio"}, {256, 256, 256}},
    };
    for (const Case &c : cases) {
        FakeMci mci;
        mci.replies = {{"open cdaudio shareable", ""},
                       {"status cdaudio position track  3", "00:27:30"},
                       {"status cdaudio current track", "3"}};
        clsCDAudio cd(mci);
        mci.sent.clear();
        c.operation(cd);
        QList<int> lengths;
        for (const FakeMci::Sent &s : mci.sent)
            lengths << s.replyLength;
        EXPECT_EQ(mci.commands(), c.commands) << c.commands.join('|').toStdString();
        EXPECT_EQ(lengths, c.lengths) << c.commands.join('|').toStdString();
    }
}

TEST(CDAudioTest, RepliesAreParsedStrictlyOrLoosely)
{
    FakeMci mci;
    clsCDAudio cd(mci);
    const QString present = "status cdaudio media present";
    const QString eject = "capability cdaudio can eject";
    const QString tracks = "status cdaudio number of tracks";

    const QPair<QString, bool> media[] = {{"true", true}, {"TRUE", false}, {"false", false}, {"true ", false}};
    for (const auto &[reply, expected] : media) {
        mci.replies[present] = reply;
        EXPECT_EQ(cd.MediaPresent(), expected) << reply.toStdString();
    }
    const QPair<QString, bool> ejects[] = {{"true", true}, {"untrue", true}, {"TRUE", false}, {"", false}};
    for (const auto &[reply, expected] : ejects) {
        mci.replies[eject] = reply;
        EXPECT_EQ(cd.CanEject(), expected) << reply.toStdString();
    }
    const QPair<QString, int> numbers[] = {{"12", 12}, {" 7", 7}, {"3 tracks", 3}, {"none", 0}, {"", 0}};
    for (const auto &[reply, expected] : numbers) {
        mci.replies[tracks] = reply;
        EXPECT_EQ(cd.AllTracks(), expected) << reply.toStdString();
    }
}

TEST(CDAudioTest, AFailedCommandLeavesItsErrorAndNoStaleReply)
{
    FakeMci mci;
    mci.replies["status cdaudio current track"] = "3";
    clsCDAudio cd(mci);
    EXPECT_EQ(cd.LastError(), "error 263") << "opening failed";
    EXPECT_EQ(cd.CurTrack(), 3);
    // The length query fails: its text must not be the track number just read.
    EXPECT_EQ(cd.CurTime(), "");
    EXPECT_EQ(cd.AllTracks(), 0);
    EXPECT_EQ(cd.Product(), "");
}

// A disc of three tracks in a drive whose door opens and closes.
class CdPanelTest : public ::testing::Test {
protected:
    FakeMci mci = [] {
        FakeMci m;
        m.replies = {
            {"open cdaudio shareable", ""},
            {"status cdaudio position track  1", "00:02:00"},
            {"status cdaudio position track  2", "00:12:00"},
            {"seek cdaudio to 00:02:00", ""},
            {"seek cdaudio to 00:12:00", ""},
            {"status cdaudio current track", "1"},
            {"status cdaudio length track 1", "00:10:00"},
            {"status cdaudio length", "00:30:30"},
            {"status cdaudio number of tracks", "3"},
            {"status cdaudio mode", "stopped"},
            {"info cdaudio product", "TEAC CD-532E"},
            {"set cdaudio door open", ""},
            {"set cdaudio door closed", ""},
        };
        return m;
    }();
    clsCDAudio cd{mci};
    QList<int> waits;
    CdPanel panel{cd, [this](int ms) { waits << ms; }};
};

TEST_F(CdPanelTest, OpeningGoesToTrackOneReadsTheTextsAndShowsStopSunken)
{
    EXPECT_EQ(panel.Open(), CdStop);
    EXPECT_TRUE(mci.commands().contains("seek cdaudio to 00:02:00"));
    EXPECT_EQ(panel.Labels().product, "TEAC CD-532E");
    EXPECT_EQ(panel.Labels().allTracks, "3");
    EXPECT_EQ(panel.Labels().allTimes, "00:30:30");
    EXPECT_EQ(panel.Labels().curTrack, "1");
    EXPECT_EQ(panel.Labels().curTime, "00:10:00");
}

TEST_F(CdPanelTest, ButtonsAreEighteenPixelsWideFromTheLeft)
{
    const QPair<double, int> cases[] = {{0, 1}, {17, 1}, {17.4, 1}, {17.5, 2}, {18, 2},
                                        {89.9, 6}, {143, 8}, {200, 8}, {-3, 1}};
    for (const auto &[x, button] : cases)
        EXPECT_EQ(CdButtonAt(x), button) << x;
}

TEST_F(CdPanelTest, EjectShowsTheComingDoorStateAndTheDoorStateAfterwards)
{
    panel.Open();
    // Closed door: eject is sunken while held and stays sunken with the door open.
    EXPECT_EQ(panel.Press(5), CdEject);
    EXPECT_EQ(panel.Release(), CdEject);
    EXPECT_EQ(panel.CDState(), CdDoorOpen);
    EXPECT_EQ(mci.commands().last(), "set cdaudio door open");
    EXPECT_TRUE(waits.isEmpty());

    // Open door: stop is sunken while held; closing waits, then reads again.
    mci.sent.clear();
    mci.replies["info cdaudio product"] = "OTHER";
    EXPECT_EQ(panel.Press(5), CdStop);
    EXPECT_EQ(panel.Release(), CdStop);
    EXPECT_EQ(panel.CDState(), CdDoorClosed);
    EXPECT_EQ(mci.commands().first(), "set cdaudio door closed");
    EXPECT_EQ(waits, QList<int>{500});
    EXPECT_EQ(panel.Labels().product, "OTHER");
}

TEST_F(CdPanelTest, OtherButtonsAreSunkenWhileHeldThenTheDoorStateShows)
{
    const QPair<int, QString> cases[] = {
        {CdPlay, "play cdaudio"},
        {CdPause, "pause cdaudio"},
        {CdStop, "stop cdaudio"},
        {CdNext, "seek cdaudio to 00:12:00"},
        {CdFastForward, "seek cdaudio to 00:12:00"},   // ten seconds on from 00:02:00
        {CdPrevious, "seek cdaudio to 00:02:00"},      // the first track starts over
    };
    for (const auto &[button, command] : cases) {
        mci.replies["status cdaudio position"] = "00:02:00";
        panel.Open();
        mci.sent.clear();
        EXPECT_EQ(panel.Press((button - 1) * 18 + 9), button);
        EXPECT_EQ(panel.Release(), CdStop);
        EXPECT_TRUE(mci.commands().contains(command)) << command.toStdString();
    }
}

TEST(CdPanelNoDriveTest, EverythingIsEmptyOrZeroAndNothingFails)
{
    FakeMci none;
    clsCDAudio noDrive(none);
    CdPanel empty(noDrive, nullptr);
    EXPECT_EQ(empty.Open(), CdStop);
    EXPECT_EQ(empty.Labels().allTracks, "0");
    EXPECT_EQ(empty.Labels().curTrack, "0");
    EXPECT_EQ(empty.Labels().product, "");
    EXPECT_EQ(empty.Labels().allTimes, "");
    for (int button = 1; button <= CdButtonCount; ++button) {
        empty.Press((button - 1) * 18);
        empty.Release();
    }
    empty.Press(0);
    EXPECT_EQ(empty.Release(), CdStop) << "closing the door needs no wait function";
}

} // namespace
