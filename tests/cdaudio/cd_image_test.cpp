// The "cdaudio" command interpreter against real CD images: a BIN/CUE image of
// three audio tracks (10 s, 15 s 30 frames, 5 s) opened as a drive.
#include <gtest/gtest.h>

#include "cdaudio/cls_cd_audio.h"
#include "platform/linux/linux_services.h"
#include "support/temp_folder.h"

namespace {

constexpr int SectorBytes = 2352;   // one frame of CD audio

// Writes disc.bin and disc.cue with one audio track per length (in frames).
QString WriteImage(const TempFolder &folder, const QList<int> &trackFrames)
{
    QByteArray bin;
    QByteArray cue = "FILE \"disc.bin\" BINARY\r\n";
    int start = 0;
    for (int i = 0; i < trackFrames.size(); ++i) {
        cue += QString("  TRACK %1 AUDIO\r\n    INDEX 01 %2:%3:%4\r\n")
                   .arg(i + 1, 2, 10, QChar('0'))
                   .arg(start / 4500, 2, 10, QChar('0'))
                   .arg(start / 75 % 60, 2, 10, QChar('0'))
                   .arg(start % 75, 2, 10, QChar('0'))
                   .toLatin1();
        bin.append(QByteArray(trackFrames[i] * SectorBytes, '\0'));
        start += trackFrames[i];
    }
    folder.writeBytes("disc.bin", bin);
    folder.writeBytes("disc.cue", cue);
    return folder.file("disc.cue");
}

class CdImageTest : public ::testing::Test {
protected:
    QString send(const QString &command, int replyLength = 256)
    {
        reply = "stale";
        code = mci->sendString(command, reply, replyLength);
        return reply;
    }

    TempFolder folder;
    std::unique_ptr<MciService> mci = MakeCdAudioMci(WriteImage(folder, {750, 1155, 375}));
    QString reply;
    quint32 code = 0;
};

TEST_F(CdImageTest, StatusRepliesGiveTracksLengthsAndPositions)
{
    ASSERT_EQ(send("open cdaudio shareable"), "");
    ASSERT_EQ(code, 0u);
    const QPair<QString, QString> cases[] = {
        {"status cdaudio number of tracks", "3"},
        {"status cdaudio length", "00:30:30"},
        {"status cdaudio length track 1", "00:10:00"},
        {"status cdaudio length track 2", "00:15:30"},
        {"status cdaudio length track 3", "00:05:00"},
        // Absolute times count the two seconds before the first sector.
        {"status cdaudio position track  1", "00:02:00"},
        {"status cdaudio position track  2", "00:12:00"},
        {"STATUS CDAUDIO POSITION TRACK 3", "00:27:30"},
        {"status cdaudio current track", "1"},
        {"status cdaudio media present", "true"},
        {"status cdaudio mode", "stopped"},
        {"capability cdaudio can eject", "false"},
    };
    for (const auto &[command, expected] : cases) {
        EXPECT_EQ(send(command), expected) << command.toStdString();
        EXPECT_EQ(code, 0u) << command.toStdString();
    }
    EXPECT_FALSE(send("info cdaudio product").isEmpty());
}

TEST_F(CdImageTest, SeekingMovesTheCurrentTrack)
{
    send("open cdaudio");
    const QPair<QString, QString> cases[] = {
        {"00:27:30", "3"}, {"00:27:29", "2"}, {"00:12:00", "2"}, {"00:02:00", "1"}, {"end", "3"}, {"start", "1"},
    };
    for (const auto &[position, track] : cases) {
        send("seek cdaudio to " + position);
        EXPECT_EQ(code, 0u) << position.toStdString();
        EXPECT_EQ(send("status cdaudio current track"), track) << position.toStdString();
    }
    send("seek cdaudio to 00:12:10");
    EXPECT_EQ(send("status cdaudio position"), "00:12:10");
}

TEST_F(CdImageTest, BadCommandsFailWithTheirErrorAndNoReply)
{
    struct Case {
        QString command;
        quint32 code;
    } cases[] = {
        {"status cdaudio number of tracks", 263},   // not open yet
        {"open cdaudio shareable", 0},
        {"open cdaudio", 265},
        {"status cdaudio length track 4", 282},
        {"status cdaudio position track 0", 282},
        {"status cdaudio length track x", 270},
        {"status cdaudio colour", 259},
        {"seek cdaudio to 00:01:00", 282},
        {"seek cdaudio to 12:99", 293},
        {"seek cdaudio to ", 273},
        {"dance cdaudio", 261},
        {"status waveaudio mode", 263},
        {"", 267},
        {"set cdaudio door open", 274},   // an image has no door
        {"play cdaudio", 274},            // nor a player
        {"close cdaudio", 0},
        {"close cdaudio", 263},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(send(c.command), "") << c.command.toStdString();
        EXPECT_EQ(code, c.code) << c.command.toStdString();
        if (c.code) {
            EXPECT_FALSE(mci->errorText(c.code).isEmpty()) << c.code;
        }
    }
}

TEST_F(CdImageTest, RepliesAreCutToTheBufferGiven)
{
    send("open cdaudio");
    EXPECT_EQ(send("status cdaudio length", 6), "00:30");
    EXPECT_EQ(send("status cdaudio length", 0), "");
    EXPECT_EQ(code, 0u);
}

TEST_F(CdImageTest, TheControllerReadsTheImage)
{
    clsCDAudio cd(*mci);
    EXPECT_EQ(cd.AllTracks(), 3);
    EXPECT_EQ(cd.AllTimes(), "00:30:30");
    EXPECT_TRUE(cd.MediaPresent());
    cd.setCurTrack(2);
    EXPECT_EQ(cd.CurTrack(), 2);
    EXPECT_EQ(cd.CurTime(), "00:15:30");
    EXPECT_EQ(cd.LastError(), "");
}

TEST(CdNoDriveTest, WithoutADriveEveryCommandFailsQuietly)
{
    auto mci = MakeCdAudioMci("/nonexistent/cdrom");
    clsCDAudio cd(*mci);
    EXPECT_EQ(cd.AllTracks(), 0);
    EXPECT_EQ(cd.CurTrack(), 0);
    EXPECT_EQ(cd.AllTimes(), "");
    EXPECT_EQ(cd.Product(), "");
    EXPECT_FALSE(cd.MediaPresent());
    EXPECT_FALSE(cd.LastError().isEmpty());
}

} // namespace
