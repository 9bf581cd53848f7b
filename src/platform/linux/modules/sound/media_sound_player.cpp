// Sound files through the toolkit's multimedia library, in the on-demand
// module "sound": one media player per sound, gone when the sound ends.
#include <map>
#include <memory>
#include <QAudioOutput>
#include <QFile>
#include <QMediaPlayer>
#include <QUrl>

#include "platform/linux/sound_module.h"
#include "platform/regular_file.h"
#include "platform/sound_player.h"

namespace {

class MediaSoundPlayer : public SoundPlayer {
public:
    ~MediaSoundPlayer() override
    {
        for (auto &[id, player] : players_)
            delete player;
    }

    int start(const QString &file) override
    {
        const int id = ++lastId_;
        // The file is opened here, by the regular-file rule, and handed to
        // the media library open: a missing file never reaches it, and a
        // FIFO or device put in its place is never opened by it.
        std::unique_ptr<QFile> opened = OpenRegularFile(file);
        if (!opened)
            return id;
        auto *player = new QMediaPlayer;
        player->setAudioOutput(new QAudioOutput(player));
        player->setLoops(QMediaPlayer::Once);
        // Kept before it starts: a file found unplayable at once ends it.
        players_.emplace(id, player);
        QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                         [this, id](QMediaPlayer::MediaStatus status) {
                             if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
                                 finish(id);
                         });
        QObject::connect(player, &QMediaPlayer::errorOccurred, player, [this, id] { finish(id); });
        QFile *sound = opened.release();
        sound->setParent(player);
        player->setSourceDevice(sound, QUrl::fromLocalFile(file));
        player->play();
        return id;
    }

    void stop(int id) override { finish(id); }

    bool playing(int id) const override { return players_.contains(id); }

private:
    void finish(int id)
    {
        const auto found = players_.find(id);
        if (found == players_.end())
            return;
        QMediaPlayer *player = found->second;
        players_.erase(found);
        player->disconnect();
        player->stop();
        // The player may be the one whose signal runs now.
        player->deleteLater();
    }

    int lastId_ = 0;
    std::map<int, QMediaPlayer *> players_;
};

} // namespace

extern "C" Q_DECL_EXPORT SoundPlayer *tockara_make_sound_player()
{
    return new MediaSoundPlayer;
}
