// The CD audio command interpreter over a CD image, and the CD controller's
// reading of its replies. Input: a CUE sheet (its tracks in a small BIN file
// beside it), the line "%%", command strings one a line, "%%", then reply
// texts one a line. Properties: every reply fits the length asked for, every
// error code has its text, and the controller reads any reply (its numbers,
// times and flags) without fault.
#include <memory>

#include "cdaudio/cls_cd_audio.h"
#include "fuzz_support.h"
#include "platform/linux/cd_audio_module.h"
#include "platform/mci.h"

namespace {

constexpr int kMostCommands = 32;
constexpr int kSectorBytes = 2352;

// The image's data: a few sectors of audio, enough for tracks that start in it.
void WriteBin()
{
    static bool written = false;
    if (!written)
        WriteScratchFile(QStringLiteral("mci/disc.bin"), QByteArray(8 * kSectorBytes, '\x11'));
    written = true;
}

// A device that answers each command with the next reply text, cut as the
// interpreter cuts it.
class ScriptedMci : public MciService {
public:
    explicit ScriptedMci(QList<QByteArray> replies) : replies_(std::move(replies)) {}
    quint32 sendString(const QString &, QString &reply, int replyLength) override
    {
        const QString next = replies_.isEmpty() ? QString() : QString::fromUtf8(replies_.takeFirst());
        reply = replyLength > 0 ? next.left(replyLength - 1) : QString();
        return 0;
    }
    QString errorText(quint32) override { return {}; }

private:
    QList<QByteArray> replies_;
};

// Every operation of the controller once, as the CD panel uses them.
void DriveController(MciService &mci)
{
    clsCDAudio cd(mci);
    cd.MediaPresent();
    cd.Mode();
    cd.Product();
    cd.CanEject();
    const qint32 tracks = cd.AllTracks();
    cd.AllTimes();
    const qint32 track = cd.CurTrack();
    cd.CurTime();
    cd.TrackStart(tracks);
    cd.setCurTrack(track + 1);
    cd.SeekTo(cd.Position());
    cd.Play();
    cd.Pause();
    cd.ResumeCD();
    cd.StopCD();
    cd.setShareMode(false);
}

void RunCommands(MciService &mci, const QByteArray &script)
{
    int count = 0;
    for (const QByteArray &line : script.split('\n')) {
        if (++count > kMostCommands)
            break;
        // The length asked for comes from the line's first byte, so short
        // buffers are tried too.
        const int replyLength = line.isEmpty() ? 256 : quint8(line[0]) % 40;
        QString reply = QStringLiteral("stale");
        const quint32 code = mci.sendString(QString::fromUtf8(line), reply, replyLength);
        FUZZ_CHECK(reply.size() <= qMax(0, replyLength - 1));
        if (code != 0) {
            FUZZ_CHECK(reply.isEmpty());
            FUZZ_CHECK(!mci.errorText(code).isEmpty());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = InputParts(InputBytes(data, size), 3);
    WriteBin();
    const QString image = WriteScratchFile(QStringLiteral("mci/disc.cue"), parts[0]);

    const std::unique_ptr<MciService> mci(tockara_make_cd_audio_mci(&image));
    RunCommands(*mci, parts[1]);
    DriveController(*mci);
    RunCommands(*mci, "open cdaudio shareable\n" + parts[1]);

    ScriptedMci scripted(parts[2].split('\n'));
    DriveController(scripted);
    return 0;
}
