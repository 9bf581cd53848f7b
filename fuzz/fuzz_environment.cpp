// The environment definitions ("*.dat") as read, applied to the settings and
// played by the figure: its patterns drawn from a sheet at hostile positions
// and sizes, on plain and on device-pixel frames, while the background
// scrolls. Properties: the pattern count is within the table, the overrides
// keep the clock's sides within bounds, and no tick reads or writes outside
// a picture (the sanitizers watch).
#include <algorithm>

#include <QImage>

#include "face/animation.h"
#include "face/environment_loader.h"
#include "fuzz_support.h"
#include "settings/environment.h"
#include "settings/settings.h"

namespace {

constexpr int kTicks = 24;
// Frames are drawn at most this large, however large a side the definition asks for.
constexpr int kMostFrameSide = 160;

QImage Sheet()
{
    QImage sheet(48, 40, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x * 5, y * 6, (x ^ y) * 4));
    return sheet;
}

void PlayFigure(const EnvironmentDefinition &environment, const Settings &settings)
{
    static const QImage sheet = Sheet();
    FaceAnimation animation;
    animation.SetEnvironment(environment);
    animation.SetSheet(sheet);
    const QSize face(settings.Setting.Width, settings.Setting.Height);
    const QSize picture(face.width() * 2, face.height() + 7);
    animation.Reset(face);

    QImage frame(std::min(face.width(), kMostFrameSide), std::min(face.height(), kMostFrameSide),
                 QImage::Format_RGB32);
    frame.fill(Qt::white);
    QImage deviceFrame(frame.width() * 2, frame.height() * 2, QImage::Format_ARGB32_Premultiplied);
    deviceFrame.setDevicePixelRatio(2);
    deviceFrame.fill(Qt::white);
    for (int tick = 0; tick < kTicks; ++tick) {
        animation.FreeScrollStep(face, picture);
        animation.AdvanceAnimation(face, picture);
        animation.DrawFigure(tick % 2 ? frame : deviceFrame);
        animation.TicksUntilChange();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = WriteScratchFile(QStringLiteral("environment/figure.dat"), InputBytes(data, size));
    const EnvironmentDefinition environment = ReadEnvironment(path);
    FUZZ_CHECK(environment.Pattern >= 0 && environment.Pattern <= kMaxSpritePatterns);
    FUZZ_CHECK(environment.Patterns.size() == environment.Pattern);

    Settings settings = DefaultSettings(ScratchFolder());
    ApplyEnvironmentOverrides(environment, settings);
    FUZZ_CHECK(settings.Setting.Width >= 1 && settings.Setting.Width <= kMaxClockSide);
    FUZZ_CHECK(settings.Setting.Height >= 1 && settings.Setting.Height <= kMaxClockSide);
    PlayFigure(environment, settings);
    return 0;
}
