#include <memory>

#include "platform/linux/linux_services.h"
#include "platform/linux/on_demand_module.h"
#include "platform/linux/sound_module.h"
#include "platform/log.h"
#include "platform/sound_player.h"

namespace {

// Stands in for the player until the first sound loads it. Without the
// module every sound ends at once, silently.
class OnDemandSoundPlayer : public SoundPlayer {
public:
    int start(const QString &file) override
    {
        qCDebug(lcPlatform).noquote() << "sound started:" << file;
        if (SoundPlayer *player = loaded())
            return player->start(file);
        return ++unplayed_;
    }

    void stop(int id) override
    {
        if (player_)
            player_->stop(id);
    }

    bool playing(int id) const override { return player_ && player_->playing(id); }

private:
    SoundPlayer *loaded()
    {
        if (!tried_) {
            tried_ = true;
            using Make = SoundPlayer *(*)();
            if (auto make = reinterpret_cast<Make>(ResolveOnDemandModule("sound", "tockara_make_sound_player")))
                player_.reset(make());
        }
        return player_.get();
    }

    bool tried_ = false;
    int unplayed_ = 0;
    std::unique_ptr<SoundPlayer> player_;
};

} // namespace

std::unique_ptr<SoundPlayer> MakeSoundPlayer()
{
    return std::make_unique<OnDemandSoundPlayer>();
}
