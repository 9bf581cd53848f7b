// The real sound player: the on-demand module and the toolkit's multimedia
// library with its media framework, on generated waves of silence.
#include <gtest/gtest.h>
#include <QTest>
#include <QtEndian>

#include "platform/linux/linux_services.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

// A mono 16-bit 8 kHz wave file of silence lasting ms milliseconds.
QByteArray SilentWave(int ms)
{
    constexpr quint32 rate = 8000;
    const quint32 dataBytes = rate * 2 * quint32(ms) / 1000;
    QByteArray wave;
    auto add32 = [&](quint32 v) { v = qToLittleEndian(v); wave.append(reinterpret_cast<const char *>(&v), 4); };
    auto add16 = [&](quint16 v) { v = qToLittleEndian(v); wave.append(reinterpret_cast<const char *>(&v), 2); };
    wave += "RIFF";
    add32(36 + dataBytes);
    wave += "WAVEfmt ";
    add32(16);
    add16(1);          // PCM
    add16(1);          // mono
    add32(rate);
    add32(rate * 2);   // bytes a second
    add16(2);          // bytes a frame
    add16(16);         // bits a sample
    wave += "data";
    add32(dataBytes);
    wave.append(QByteArray(int(dataBytes), '\0'));
    return wave;
}

// Whatever the machine has, nothing is heard and nothing is written outside
// the test's folder: the sound server named does not exist, every audio
// sink of the media framework is ranked out, so its automatic sink falls
// back to one that plays in real time into nothing, and the framework's
// registry, the sound server's client files and the toolkit's runtime files
// go to the test's folder.
struct RealSoundPlayer : ::testing::Test {
    TempFolder folder;
    QByteArray home = folder.path().toUtf8();
    EnvironmentValue environment[8] = {
        {"HOME", home},
        {"XDG_CONFIG_HOME", home + "/config"},
        {"XDG_CACHE_HOME", home + "/cache"},
        {"XDG_RUNTIME_DIR", home},
        {"GST_REGISTRY_1_0", home + "/registry.bin"},
        {"GST_PLUGIN_FEATURE_RANK",
         "pulsesink:NONE,alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,oss4sink:NONE,osssink:NONE,"
         "openalsink:NONE,sdlaudiosink:NONE"},
        {"PULSE_SERVER", "unix:" + home + "/no-sound-server"},
        {"PULSE_CLIENTCONFIG", home + "/no-client.conf"},
    };
};

TEST_F(RealSoundPlayer, PlaysEachWaveOnceBesideTheOthersAndEndsWhatItCannotPlay)
{
    std::unique_ptr<SoundPlayer> sounds = MakeSoundPlayer();
    folder.writeBytes("long.wav", SilentWave(10000));
    folder.writeBytes("short.wav", SilentWave(200));
    folder.writeBytes("text.wav", "not a sound at all\n");

    const int longOne = sounds->start(folder.file("long.wav"));
    const int shortOne = sounds->start(folder.file("short.wav"));
    const int text = sounds->start(folder.file("text.wav"));
    const int missing = sounds->start(folder.file("missing.wav"));
    EXPECT_EQ(QSet<int>({longOne, shortOne, text, missing, 0}).size(), 5) << "numbers not distinct, or 0";
    EXPECT_FALSE(sounds->playing(missing));
    EXPECT_TRUE(sounds->playing(longOne));

    // The short wave ends by itself (once, not again and again), the text is
    // refused, and meanwhile the long wave goes on: it was taken as a sound.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sounds->playing(shortOne) && !sounds->playing(text); }, 8000));
    EXPECT_TRUE(sounds->playing(longOne));

    sounds->stop(longOne);
    EXPECT_FALSE(sounds->playing(longOne));
    // Stopping an ended or unknown sound changes nothing.
    sounds->stop(shortOne);
    sounds->stop(12345);
    EXPECT_FALSE(sounds->playing(longOne));
}

} // namespace
