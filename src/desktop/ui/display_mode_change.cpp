#include "desktop/ui/display_mode_change.h"

#include <algorithm>
#include <cmath>
#include <QAbstractButton>

#include "context/context.h"
#include "desktop/display_mode_menu.h"
#include "desktop/wallpaper.h"
#include "platform/screen_geometry.h"

namespace {

constexpr int kRefreshMs = 250;

} // namespace

KeepDisplayModeBox::KeepDisplayModeBox(const LocalClock &clock, QWidget *owner)
    : QMessageBox(owner), clock_(clock), askedAt_(clock.now())
{
    setObjectName("KeepDisplayMode");
    setWindowTitle("Tockara");
    setIcon(QMessageBox::Question);
    setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    // The words of the question whatever the toolkit's translations.
    button(QMessageBox::Yes)->setText("はい(&Y)");
    button(QMessageBox::No)->setText("いいえ(&N)");
    // A user who cannot read the new mode and just presses Enter gets the
    // old one back.
    setDefaultButton(QMessageBox::No);
    setEscapeButton(QMessageBox::No);
    setText(KeepDisplayModeText(KeepDisplayModeSeconds));
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        ++ticks_;
        refresh();
    });
    timer_.start();
}

void KeepDisplayModeBox::refresh()
{
    if (!isVisible())
        return;
    const qint64 elapsed = std::max(askedAt_.msecsTo(clock_.now()), qint64(ticks_) * kRefreshMs);
    const int left = SecondsLeftToKeep(elapsed);
    if (left == 0) {
        timer_.stop();
        done(QMessageBox::No);
        return;
    }
    setText(KeepDisplayModeText(left));
}

bool KeepDisplayModeBox::kept() const
{
    return clickedButton() && clickedButton() == button(QMessageBox::Yes);
}

DisplayModeChange::DisplayModeChange(Context &ctx, QWidget *clock) : ctx_(ctx), clock_(clock) {}

void DisplayModeChange::choose(const DisplayMode &mode)
{
    // The question is modal; a second choice cannot come while it is open.
    if (question_)
        return;
    const QPoint clockCentre = clock_ ? clock_->geometry().center() : QPoint();
    const std::optional<DisplayMode> shown = CurrentDisplayMode(*ctx_.services.displayModes, clockCentre);
    const QRect monitor = ctx_.services.screen->monitorRect(clockCentre);
    if (SetDisplayMode(*ctx_.services.displayModes, *ctx_.services.messages, clock_, mode) != DisplayChangeDone)
        return;
    // The mode shown already, set again: nothing changed, nothing to ask.
    if (!shown || (shown->width == mode.width && shown->height == mode.height))
        return;

    const Before before{*shown, clock_ ? clock_->pos() : QPoint(), ctx_.settings().Setting.Left,
                        ctx_.settings().Setting.Top};
    // The toolkit learns the monitor's new size only when the display server
    // tells it, later: the area is worked out from the mode.
    const QRect area = MonitorAfterModeChange(monitor, *shown, mode);
    if (clock_) {
        const QPoint inside = KeptInside(clock_->geometry(), area);
        if (inside != clock_->pos()) {
            clock_->move(inside);
            const ScreenInfo &screen = *ctx_.services.screen;
            const qint32 left = qint32(std::lround(inside.x() * screen.twipsPerPixelX()));
            const qint32 top = qint32(std::lround(inside.y() * screen.twipsPerPixelY()));
            ctx_.store.Update([&](Settings &settings) {
                settings.Setting.Left = left;
                settings.Setting.Top = top;
            });
        }
    }
    layOutWallpaper();
    ask(area, before);
}

void DisplayModeChange::ask(QRect area, const Before &before)
{
    auto *box = new KeepDisplayModeBox(*ctx_.services.clock, clock_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    question_ = box;
    connect(box, &QDialog::finished, this, [this, box, before] { answered(box->kept(), before); });
    box->show();
    // In the middle of the monitor as it is now. The toolkit learns its new
    // size only when the display server tells it, later, and would place the
    // box on the monitor as it was (beside a clock at its edge, off it).
    const QSize size = box->frameGeometry().size();
    box->move(KeptInside(QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size), area));
}

void DisplayModeChange::answered(bool keep, const Before &before)
{
    if (keep)
        return;
    if (SetDisplayMode(*ctx_.services.displayModes, *ctx_.services.messages, clock_, before.mode)
        != DisplayChangeDone)
        return;
    if (clock_ && clock_->pos() != before.clockAt) {
        clock_->move(before.clockAt);
        ctx_.store.Update([&](Settings &settings) {
            settings.Setting.Left = before.left;
            settings.Setting.Top = before.top;
        });
    }
    layOutWallpaper();
}

void DisplayModeChange::layOutWallpaper()
{
    RestoreRootWallpaper(*ctx_.services.desktop, WallpaperProfilePath(ctx_.programFolder));
}
