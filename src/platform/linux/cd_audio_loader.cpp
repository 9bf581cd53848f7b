#include <memory>

#include "platform/linux/cd_audio_module.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/on_demand_module.h"
#include "platform/mci.h"

namespace {

// Stands in for the interpreter until the first command loads it.
class OnDemandCdAudio : public MciService {
public:
    explicit OnDemandCdAudio(QString source) : source_(std::move(source)) {}

    quint32 sendString(const QString &command, QString &reply, int replyLength) override
    {
        reply.clear();
        MciService *device = loaded();
        return device ? device->sendString(command, reply, replyLength) : kCannotBeLoaded;
    }

    QString errorText(quint32 code) override
    {
        if (MciService *device = loaded())
            return device->errorText(code);
        return code == kCannotBeLoaded ? QStringLiteral("CD オーディオの部品を読み込めません。") : QString();
    }

private:
    // The "device not ready" of the classic interface.
    static constexpr quint32 kCannotBeLoaded = 276;

    MciService *loaded()
    {
        if (!tried_) {
            tried_ = true;
            using Make = MciService *(*)(const QString *);
            if (auto make = reinterpret_cast<Make>(ResolveOnDemandModule("cdaudio", "tockara_make_cd_audio_mci")))
                device_.reset(make(&source_));
        }
        return device_.get();
    }

    const QString source_;
    bool tried_ = false;
    std::unique_ptr<MciService> device_;
};

} // namespace

std::unique_ptr<MciService> MakeCdAudioMci(const QString &source)
{
    return std::make_unique<OnDemandCdAudio>(source);
}
