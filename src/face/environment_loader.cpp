#include "face/environment_loader.h"

#include <limits>
#include <optional>

#include "face/analog_face.h"
#include "face/animation.h"

namespace {

// An override's number; nothing when the text is empty or not a whole number
// within [low, high].
std::optional<qint32> OverrideNumber(const QString &text, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return static_cast<qint32>(value);
}

template <typename Field>
void Override(const QString &text, Field &field, qint64 low, qint64 high)
{
    if (const auto value = OverrideNumber(text, low, high))
        field = static_cast<Field>(*value);
}

void Override16(const QString &text, qint16 &field)
{
    Override(text, field, -32768, 32767);
}

void OverrideColor(const QString &text, ColorValue &field)
{
    Override(text, field, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
}

// A clock side from the environment; true when it changed the setting.
bool OverrideSide(const QString &text, qint16 &side)
{
    const auto value = OverrideNumber(text, 1, kMaxClockSide);
    if (!value || *value == side)
        return false;
    side = static_cast<qint16>(*value);
    return true;
}

} // namespace

bool ApplyEnvironmentOverrides(const EnvironmentDefinition &env, Settings &settings)
{
    bool sizeChanged = OverrideSide(env.ClockWidth, settings.Setting.Width);
    sizeChanged = OverrideSide(env.ClockHeight, settings.Setting.Height) || sizeChanged;

    OverrideColor(env.ColorHLine, settings.Color.HLine);
    OverrideColor(env.ColorMLine, settings.Color.MLine);
    OverrideColor(env.ColorSLine, settings.Color.SLine);
    Override16(env.ThickHLine, settings.Thick.HLine);
    Override16(env.ThickMLine, settings.Thick.MLine);
    Override16(env.ThickSLine, settings.Thick.SLine);

    if (!env.BackGround.isEmpty() && env.BackGround != settings.Image.File) {
        settings.Image.File = env.BackGround;
        settings.Image.Enabled = -1;
    }
    Override16(env.TilePattern, settings.Image.TilePattern);
    Override16(env.JustSize, settings.Image.JustSize);
    return sizeChanged;
}

void LoadEnvironment(SettingsStore &store, FaceAnimation &animation, AnalogFace &face)
{
    const Settings &settings = store.settings();
    animation.Reset(QSize(settings.Setting.Width, settings.Setting.Height));
    if (settings.Anime.Enabled == 0) {
        animation.DisableEnvironment();
        return;
    }

    const EnvironmentDefinition env = ReadEnvironment(settings.Anime.File);
    animation.SetEnvironment(env);
    animation.ApplyScroll(face);
    if (!animation.LoadSheet(env.File))
        animation.SetPatternCount(0);

    // The overrides become the user's settings; the store's announcement
    // has the clock window reshape itself to a new size.
    bool sizeChanged = false;
    store.Update([&](Settings &changed) { sizeChanged = ApplyEnvironmentOverrides(env, changed); });
    if (sizeChanged) {
        // The figure starts at the centre of the clock it will walk on.
        animation.Reset(QSize(settings.Setting.Width, settings.Setting.Height));
    }
    face.ApplyBackColor();
}
