#pragma once
// clsCDAudio: the CD audio controller. Every operation is one or two command
// strings to the "cdaudio" device of the multimedia command interface; the
// replies are parsed here. No operation fails towards its caller: a failed
// command leaves its error text in LastError() and its reply empty, so
// numbers read 0, texts empty and flags false.
#include <QString>

class MciService;

class clsCDAudio {
public:
    // Opens the device shareable.
    explicit clsCDAudio(MciService &mci);
    // Stops playback and closes the device.
    ~clsCDAudio();
    clsCDAudio(const clsCDAudio &) = delete;
    clsCDAudio &operator=(const clsCDAudio &) = delete;

    void StopCD();
    // Plays on from where playback stopped or paused.
    void ResumeCD();
    void Pause();
    // Plays from the current position to the end of the disc.
    void Play();

    // The number of the track at the current position.
    qint32 CurTrack();
    // Moves to the start of track n.
    void setCurTrack(qint32 n);
    qint32 AllTracks();
    // The disc's playing time, "mm:ss:ff" (minutes, seconds, 1/75-second frames).
    QString AllTimes();
    // "playing", "paused", "stopped", "open", "not ready", ...
    QString Mode();
    // The drive's vendor and model.
    QString Product();
    bool MediaPresent();
    // The length of the current track, "mm:ss:ff".
    QString CurTime();
    bool CanEject();
    // Opens (true) or closes (false) the drive's door.
    void setEject(bool open);
    bool ShareMode() const { return shareMode_; }
    // Reopens the device shareable or not, which also stops playback.
    void setShareMode(bool shareable);

    // The current position on the disc, "mm:ss:ff".
    QString Position();
    // Where track n starts on the disc, "mm:ss:ff".
    QString TrackStart(qint32 n);
    // Moves to a position of the disc ("mm:ss:ff"); playback stops.
    void SeekTo(const QString &position);

    // The error text of the last command that failed; empty when none has.
    QString LastError() const { return lastError_; }

private:
    // Sends command; the reply lands in replyBuffer_. With check, a failure's
    // text becomes the last error.
    void send(const QString &command, int replyLength, bool check = true);
    qint32 ReplyNumber() const;

    MciService &mci_;
    QString replyBuffer_;
    QString lastError_;
    bool shareMode_ = true;
};
