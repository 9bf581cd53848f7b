// The multimedia command interface with its one device, "cdaudio", over
// libcdio, in the on-demand module "cdaudio": the command strings of the classic CD audio device in, its reply
// texts out ("true"/"false", decimal numbers, minutes:seconds:frames times,
// the drive's product name), and numbered errors with texts.
#include <cdio/cdio.h>
#include <cdio/audio.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>

#include <optional>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include "platform/linux/cd_audio_module.h"
#include "platform/mci.h"

namespace {

// Error codes of the classic multimedia command interface.
enum MciError : quint32 {
    NoError = 0,
    UnrecognizedKeyword = 259,
    UnrecognizedCommand = 261,
    HardwareError = 262,
    InvalidDeviceName = 263,
    DeviceAlreadyOpen = 265,
    MissingCommandString = 267,
    BadInteger = 270,
    MissingParameter = 273,
    UnsupportedFunction = 274,
    DeviceNotReady = 276,
    OutOfRange = 282,
    BadTimeFormat = 293,
};

const QHash<quint32, QString> &ErrorTexts()
{
    static const QHash<quint32, QString> texts = {
        {UnrecognizedKeyword, "コマンドに指定されたパラメータが認識できません。"},
        {UnrecognizedCommand, "コマンドが認識できません。"},
        {HardwareError, "デバイスでハードウェアエラーが発生しました。"},
        {InvalidDeviceName, "指定されたデバイスは開かれていないか、認識されていません。"},
        {DeviceAlreadyOpen, "デバイスは既に開かれています。"},
        {MissingCommandString, "コマンドが指定されていません。"},
        {BadInteger, "コマンドの数値パラメータが正しくありません。"},
        {MissingParameter, "コマンドに必要なパラメータがありません。"},
        {UnsupportedFunction, "このデバイスはこのコマンドに対応していません。"},
        {DeviceNotReady, "デバイスの準備ができていません。ディスクを確認してください。"},
        {OutOfRange, "指定された値が範囲外です。"},
        {BadTimeFormat, "時間の指定が正しくありません。"},
    };
    return texts;
}

// CD audio counts in frames of 1/75 second; absolute times start 2 seconds
// (150 frames) before the first sector, as on the disc itself.
constexpr int FramesPerSecond = 75;

QString MsfText(int frames)
{
    if (frames < 0)
        frames = 0;
    return QString("%1:%2:%3")
        .arg(frames / (60 * FramesPerSecond), 2, 10, QChar('0'))
        .arg(frames / FramesPerSecond % 60, 2, 10, QChar('0'))
        .arg(frames % FramesPerSecond, 2, 10, QChar('0'));
}

// "mm:ss:ff", "mm:ss" or "mm" as frames; nothing for other text.
std::optional<int> ParseMsf(const QString &text)
{
    const QStringList parts = text.split(':');
    if (parts.size() > 3)
        return std::nullopt;
    const int limits[] = {100, 60, FramesPerSecond};
    const int scale[] = {60 * FramesPerSecond, FramesPerSecond, 1};
    int frames = 0;
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts[i].toInt(&ok);
        if (!ok || value < 0 || value >= limits[i] || parts[i].startsWith('+'))
            return std::nullopt;
        frames += value * scale[i];
    }
    return frames;
}

// Keeps libcdio's warnings (an image it cannot read, a drive without disc)
// out of the terminal: failures come back as error codes.
void QuietLog(cdio_log_level_t, const char *) {}

class CdAudioMci : public MciService {
public:
    explicit CdAudioMci(QString source) : source_(std::move(source))
    {
        cdio_log_set_handler(QuietLog);
    }
    ~CdAudioMci() override { release(); }

    quint32 sendString(const QString &command, QString &reply, int replyLength) override
    {
        QString text;
        const quint32 code = run(command, text);
        reply = code == NoError && replyLength > 0 ? text.left(replyLength - 1) : QString();
        return code;
    }

    QString errorText(quint32 code) override { return ErrorTexts().value(code); }

private:
    enum class Mode { Stopped, Playing, Paused, DoorOpen };

    quint32 run(const QString &command, QString &reply)
    {
        QStringList words = command.simplified().toLower().split(' ', Qt::SkipEmptyParts);
        // The wait and notify flags change only when a command returns.
        words.removeAll("wait");
        words.removeAll("notify");
        if (words.isEmpty())
            return MissingCommandString;
        const QString verb = words.takeFirst();
        static const QStringList verbs = {"open", "close", "stop", "pause", "play", "resume",
                                          "seek", "status", "info", "capability", "set"};
        if (!verbs.contains(verb))
            return UnrecognizedCommand;
        if (words.isEmpty() || words.takeFirst() != "cdaudio")
            return InvalidDeviceName;
        if (verb == "open")
            return open(words);
        if (!open_)
            return InvalidDeviceName;
        if (verb == "close")
            return words.isEmpty() ? (release(), NoError) : UnrecognizedKeyword;
        if (verb == "status")
            return status(words, reply);
        if (verb == "info")
            return info(words, reply);
        if (verb == "capability")
            return capability(words, reply);
        if (verb == "set")
            return set(words);
        if (verb == "seek")
            return seek(words);
        if (!words.isEmpty())
            return UnrecognizedKeyword;
        if (verb == "stop" || verb == "pause")
            return halt(verb == "pause" ? Mode::Paused : Mode::Stopped);
        return play();
    }

    quint32 open(const QStringList &words)
    {
        if (words.size() > 1 || (words.size() == 1 && words[0] != "shareable"))
            return UnrecognizedKeyword;
        if (open_)
            return DeviceAlreadyOpen;
        device_ = source_;
        if (device_.isEmpty()) {
            char *found = cdio_get_default_device(nullptr);
            device_ = found ? QString::fromLocal8Bit(found) : QString();
            cdio_free(found);
        }
        if (device_.isEmpty() || !QFileInfo::exists(device_))
            return InvalidDeviceName;
        open_ = true;
        mode_ = Mode::Stopped;
        position_.reset();
        return NoError;
    }

    // Lets go of the disc; closing = true also closes the device.
    void release(bool closing = true)
    {
        if (cdio_)
            cdio_destroy(cdio_);
        cdio_ = nullptr;
        if (closing)
            open_ = false;
    }

    // The disc in the drive, its table of contents read afresh after a change
    // of disc; null when there is none (or the door is open).
    CdIo_t *disc()
    {
        if (mode_ == Mode::DoorOpen)
            return nullptr;
        if (cdio_ && cdio_get_media_changed(cdio_) == 1) {
            cdio_destroy(cdio_);
            cdio_ = nullptr;
            position_.reset();
        }
        if (!cdio_)
            cdio_ = cdio_open(device_.toLocal8Bit().constData(), DRIVER_UNKNOWN);
        if (!cdio_ || trackCount(cdio_) == 0)
            return nullptr;
        return cdio_;
    }

    static int trackCount(CdIo_t *cd)
    {
        const track_t n = cdio_get_num_tracks(cd);
        return n == CDIO_INVALID_TRACK ? 0 : n;
    }
    int firstTrack() const { return cdio_get_first_track_num(cdio_); }
    // Absolute start frame of a track; the lead-out for one past the last.
    int trackStart(int track) const
    {
        if (track == firstTrack() + trackCount(cdio_))
            track = CDIO_CDROM_LEADOUT_TRACK;
        return cdio_get_track_lsn(cdio_, track) + CDIO_PREGAP_SECTORS;
    }
    int leadOut() const { return trackStart(CDIO_CDROM_LEADOUT_TRACK); }

    // The current absolute position: the drive's while it plays or pauses,
    // else the last seek (the start of the first track at first).
    int position()
    {
        cdio_subchannel_t sub;
        if (cdio_audio_read_subchannel(cdio_, &sub) == DRIVER_OP_SUCCESS) {
            if (sub.audio_status == CDIO_MMC_READ_SUB_ST_PLAY
                || sub.audio_status == CDIO_MMC_READ_SUB_ST_PAUSED) {
                mode_ = sub.audio_status == CDIO_MMC_READ_SUB_ST_PLAY ? Mode::Playing : Mode::Paused;
                position_ = cdio_msf_to_lba(&sub.abs_addr);
            } else if (mode_ == Mode::Playing) {
                mode_ = Mode::Stopped;
            }
        }
        if (!position_)
            position_ = trackStart(firstTrack());
        return *position_;
    }

    int trackAt(int frame) const
    {
        const int first = firstTrack();
        int track = first;
        for (int t = first; t < first + trackCount(cdio_); ++t) {
            if (trackStart(t) <= frame)
                track = t;
        }
        return track;
    }

    // Reads "track n" at the end of a status item; 0 with an error code set
    // when n is missing, no number or no track of the disc.
    quint32 trackArgument(const QStringList &words, int from, int &track) const
    {
        if (words.size() != from + 2 || words[from] != "track")
            return words.size() > from ? UnrecognizedKeyword : MissingParameter;
        bool ok = false;
        track = words[from + 1].toInt(&ok);
        if (!ok)
            return BadInteger;
        const int first = firstTrack();
        if (track < first || track >= first + trackCount(cdio_))
            return OutOfRange;
        return NoError;
    }

    quint32 status(const QStringList &words, QString &reply)
    {
        const QString item = words.join(' ');
        if (item.isEmpty())
            return MissingParameter;
        if (item == "media present" || item == "ready") {
            reply = disc() ? "true" : "false";
            return NoError;
        }
        if (item == "mode") {
            if (mode_ != Mode::DoorOpen && disc())
                position();
            reply = mode_ == Mode::DoorOpen ? "open"
                  : !disc()                 ? "not ready"
                  : mode_ == Mode::Playing  ? "playing"
                  : mode_ == Mode::Paused   ? "paused"
                                            : "stopped";
            return NoError;
        }
        if (item == "time format") {
            reply = "msf";
            return NoError;
        }
        if (!disc())
            return DeviceNotReady;
        if (item == "number of tracks") {
            reply = QString::number(trackCount(cdio_));
            return NoError;
        }
        if (item == "current track") {
            reply = QString::number(trackAt(position()));
            return NoError;
        }
        if (item == "position") {
            reply = MsfText(position());
            return NoError;
        }
        if (item == "length") {
            reply = MsfText(leadOut() - trackStart(firstTrack()));
            return NoError;
        }
        if (words[0] == "position" || words[0] == "length") {
            int track = 0;
            if (const quint32 code = trackArgument(words, 1, track))
                return code;
            reply = MsfText(words[0] == "position" ? trackStart(track)
                                                   : trackStart(track + 1) - trackStart(track));
            return NoError;
        }
        return UnrecognizedKeyword;
    }

    quint32 info(const QStringList &words, QString &reply)
    {
        if (words != QStringList{"product"})
            return words.isEmpty() ? MissingParameter : UnrecognizedKeyword;
        CdIo_t *cd = cdio_ ? cdio_ : cdio_open(device_.toLocal8Bit().constData(), DRIVER_UNKNOWN);
        cdio_hwinfo_t hw{};
        if (cd && cdio_get_hwinfo(cd, &hw))
            reply = (QString::fromLatin1(hw.psz_vendor).trimmed() + " "
                     + QString::fromLatin1(hw.psz_model).trimmed()).trimmed();
        if (cd && cd != cdio_)
            cdio_destroy(cd);
        return NoError;
    }

    quint32 capability(const QStringList &words, QString &reply)
    {
        const QString item = words.join(' ');
        if (item == "can eject") {
            reply = canEject() ? "true" : "false";
            return NoError;
        }
        if (item == "can play" || item == "has audio" || item == "can save" || item == "can record") {
            reply = item == "can play" || item == "has audio" ? "true" : "false";
            return NoError;
        }
        return item.isEmpty() ? MissingParameter : UnrecognizedKeyword;
    }

    // Whether the drive has a door it can open (an image has none).
    bool canEject() const
    {
        cdio_drive_read_cap_t read = 0;
        cdio_drive_write_cap_t write = 0;
        cdio_drive_misc_cap_t misc = 0;
        cdio_get_drive_cap_dev(device_.toLocal8Bit().constData(), &read, &write, &misc);
        return (misc & CDIO_DRIVE_CAP_MISC_EJECT) && !(misc & (CDIO_DRIVE_CAP_ERROR | CDIO_DRIVE_CAP_MISC_FILE));
    }

    quint32 set(const QStringList &words)
    {
        const QString item = words.join(' ');
        if (item == "time format msf")
            return NoError;
        if (item.startsWith("time format"))
            return BadTimeFormat;
        if (item == "door open") {
            if (!canEject())
                return UnsupportedFunction;
            release(false);
            if (cdio_eject_media_drive(device_.toLocal8Bit().constData()) != DRIVER_OP_SUCCESS)
                return HardwareError;
            mode_ = Mode::DoorOpen;
            position_.reset();
            return NoError;
        }
        if (item == "door closed") {
            release(false);
            driver_id_t driver = DRIVER_UNKNOWN;
            const driver_return_code_t result =
                cdio_close_tray(device_.toLocal8Bit().constData(), &driver);
            if (mode_ == Mode::DoorOpen)
                mode_ = Mode::Stopped;
            position_.reset();
            return result == DRIVER_OP_SUCCESS ? NoError : UnsupportedFunction;
        }
        return item.isEmpty() ? MissingParameter : UnrecognizedKeyword;
    }

    quint32 seek(const QStringList &words)
    {
        if (words.size() != 2 || words[0] != "to")
            return words.size() < 2 ? MissingParameter : UnrecognizedKeyword;
        if (!disc())
            return DeviceNotReady;
        const int start = trackStart(firstTrack());
        std::optional<int> target = words[1] == "start" ? std::optional(start)
                                  : words[1] == "end"   ? std::optional(leadOut())
                                                        : ParseMsf(words[1]);
        if (!target)
            return BadTimeFormat;
        if (*target < start || *target > leadOut())
            return OutOfRange;
        if (mode_ == Mode::Playing || mode_ == Mode::Paused)
            cdio_audio_stop(cdio_);
        mode_ = Mode::Stopped;
        position_ = *target;
        return NoError;
    }

    quint32 halt(Mode mode)
    {
        if (!disc())
            return DeviceNotReady;
        const int at = position();
        if (mode_ == Mode::Playing) {
            const driver_return_code_t result =
                mode == Mode::Paused ? cdio_audio_pause(cdio_) : cdio_audio_stop(cdio_);
            if (result != DRIVER_OP_SUCCESS && result != DRIVER_OP_UNSUPPORTED)
                return HardwareError;
        }
        position_ = at;
        mode_ = mode;
        return NoError;
    }

    quint32 play()
    {
        if (!disc())
            return DeviceNotReady;
        msf_t from;
        msf_t to;
        cdio_lba_to_msf(position(), &from);
        cdio_lba_to_msf(leadOut() - 1, &to);
        const driver_return_code_t result = cdio_audio_play_msf(cdio_, &from, &to);
        if (result == DRIVER_OP_UNSUPPORTED)
            return UnsupportedFunction;
        if (result != DRIVER_OP_SUCCESS)
            return HardwareError;
        mode_ = Mode::Playing;
        return NoError;
    }

    const QString source_;
    QString device_;
    bool open_ = false;
    CdIo_t *cdio_ = nullptr;
    Mode mode_ = Mode::Stopped;
    std::optional<int> position_;
};

} // namespace

extern "C" Q_DECL_EXPORT MciService *tockara_make_cd_audio_mci(const QString *source)
{
    return new CdAudioMci(*source);
}
