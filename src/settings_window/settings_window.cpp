#include "settings_window/settings_window.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "pickers/cls_dialog.h"
#include "settings/context.h"
#include "settings_window/alarm_page.h"
#include "settings_window/color_swatch.h"
#include "settings_window/digital_page.h"
#include "settings_window/page_controls.h"
#include "settings_window/page_table.h"
#include "settings_window/size_page.h"
#include "settings_window/spin_button.h"
#include "settings_window/spin_repeat.h"
#include "settings_window/thickness_page.h"

namespace {
// The window measures 303 x 249 pixels with its frame; the window manager
// draws the frame here, so the inside is that size less a classic dialog
// frame (3-pixel borders and a 22-pixel title bar): room for a page frame
// at (8, 0) and the button row at 184.
constexpr int kWindowWidth = 303 - 2 * 3;
constexpr int kWindowHeight = 249 - 22 - 2 * 3;
constexpr int kFrameWidth = 281;
constexpr int kFrameHeight = 217;
constexpr int kRepeatMs = 50;

// Button indexes of the pages built so far.
constexpr int kSizeApply = 0;
constexpr int kAlarmApply = 1;
constexpr int kThicknessApply = 2;
constexpr int kDigitalApply = 10;
}

SettingsWindow::SettingsWindow(Context &ctx, SettingsWindowState &state, QWidget *parent)
    : QDialog(parent), ctx_(ctx), state_(state), repeatTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSub"));
    setWindowTitle(DefaultSettingsTitle());
    setFixedSize(kWindowWidth, kWindowHeight);
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    buildFrames();
    buildPages();
    auto *close = MakeButton("CBTN", QStringLiteral("閉じる"), this, 218, 184);
    // The close button stays above whichever page is shown.
    close->raise();
    connectControls();

    ctx_.ToolWindowOpen = true;
    openPage();
    paintSpinButtons();
    state_.UDPressed = -1;
    state_.UDDirection = SpinNone;

    repeatTimer_->setObjectName(QStringLiteral("TMC"));
    repeatTimer_->setInterval(kRepeatMs);
    connect(repeatTimer_, &QTimer::timeout, this, &SettingsWindow::TMC_Timer);
    repeatTimer_->start();
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::buildFrames()
{
    for (const QString &name : PageFrameNames()) {
        auto *frame = new QFrame(this);
        frame->setObjectName(name);
        frame->resize(kFrameWidth, kFrameHeight);
        frame->hide();
        frames_.insert(name, frame);
    }
}

void SettingsWindow::buildPages()
{
    sizePage_ = std::make_unique<SizePage>(frames_.value("AreaSize"), ctx_, this);
    alarmPage_ = std::make_unique<AlarmPage>(frames_.value("AreaAlarm"), ctx_, state_, this);
    thicknessPage_ = std::make_unique<ThicknessPage>(frames_.value("AreaThick"), ctx_, this);
    digitalPage_ = std::make_unique<DigitalPage>(frames_.value("AreaDigi"), ctx_);
    for (int i = 0; i < SpinButtonCount; ++i)
        spinButtons_[i] = findChild<SpinButton *>(QStringLiteral("UDBTNArea%1").arg(i));
}

void SettingsWindow::connectControls()
{
    for (QPushButton *button : findChildren<QPushButton *>()) {
        if (button->objectName().startsWith("BTN")) {
            const int index = button->objectName().mid(3).toInt();
            connect(button, &QPushButton::clicked, this, [this, index] { BTN_Click(index); });
        }
    }
    connect(findChild<QPushButton *>("CBTN"), &QPushButton::clicked, this,
            &SettingsWindow::CBTN_Click);
    for (QRadioButton *option : findChildren<QRadioButton *>()) {
        const int index = option->objectName().mid(3).toInt();
        connect(option, &QRadioButton::clicked, this, [this, index] { OPT_Click(index); });
    }
    for (ColorSwatch *swatch : findChildren<ColorSwatch *>())
        connect(swatch, &ColorSwatch::clicked, this, &SettingsWindow::DspCol_Click);
    for (SpinButton *spin : spinButtons_) {
        connect(spin, &SpinButton::pressed, this, &SettingsWindow::spinPressed);
        connect(spin, &SpinButton::released, this, &SettingsWindow::spinReleased);
    }
}

// The requested page is filled before its frame becomes visible. Pages still
// to come (launcher, archive, calendar, wallpaper, CD, calculator) keep their
// frame hidden: the window then shows its bare surface under the page's title.
void SettingsWindow::openPage()
{
    const PageEntry *page = FindPage(ctx_.PageRequest);
    if (!page)
        return;
    setWindowTitle(page->title);
    if (page->udFirst >= 0) {
        state_.UDFirst = page->udFirst;
        state_.UDLast = page->udLast;
    }
    bool filled = true;
    switch (page->request) {
    case PageSize: sizePage_->Open(); break;
    case PageAlarm: alarmPage_->Open(); break;
    case PageThickness: thicknessPage_->Open(); break;
    case PageDigital: digitalPage_->FillDigitalPage(); break;
    default: filled = false; break;
    }
    if (!filled)
        return;
    QFrame *frame = frames_.value(page->frame);
    frame->move(page->position);
    frame->show();
}

void SettingsWindow::paintSpinButtons()
{
    const int first = qMax(0, int(state_.UDFirst));
    const int last = qMin(SpinButtonCount - 1, int(state_.UDLast));
    for (int i = first; i <= last; ++i)
        spinButtons_[i]->SetLooks(0, 0);
}

void SettingsWindow::BTN_Click(int index)
{
    switch (index) {
    case kSizeApply:
        if (!sizePage_->Apply())
            return;
        SaveSettings(ctx_.settings, ctx_.settingsPath);
        if (ctx_.clock) {
            ctx_.clock->ApplyClockShape();
            ctx_.clock->ComposeBackground();
            ctx_.clock->ResetAnimation();
        }
        break;
    case kAlarmApply:
        if (!alarmPage_->Apply())
            return;
        SaveSettings(ctx_.settings, ctx_.settingsPath);
        break;
    case kThicknessApply:
        if (!thicknessPage_->Apply())
            return;
        SaveSettings(ctx_.settings, ctx_.settingsPath);
        break;
    case kDigitalApply:
        digitalPage_->Apply();
        SaveSettings(ctx_.settings, ctx_.settingsPath);
        break;
    default:
        return;
    }
    closeWindow();
}

void SettingsWindow::CBTN_Click()
{
    closeWindow();
}

void SettingsWindow::OPT_Click(int index)
{
    if (index >= 0 && index <= 2)
        alarmPage_->SwitchPreset(index);
}

void SettingsWindow::DspCol_Click(int index)
{
    auto *swatch = findChild<ColorSwatch *>(QStringLiteral("DspCol%1").arg(index));
    if (!swatch)
        return;
    clsDialog dialog(*ctx_.services.choosers);
    QWidget *owner = ctx_.clock ? ctx_.clock->clockWindow() : nullptr;
    if (dialog.ColorCode(owner))
        swatch->SetColor(dialog.ChosenColor());
}

void SettingsWindow::spinPressed(int index, int y)
{
    state_.UDPressed = qint16(index);
    state_.UDDirection = SpinDirectionAt(y);
    if (state_.UDDirection == SpinDecrease)
        spinButtons_[index]->SetLooks(0, 1);
    else
        spinButtons_[index]->SetLooks(1, 0);
}

void SettingsWindow::spinReleased(int index)
{
    if (index == state_.UDPressed)
        spinButtons_[index]->SetLooks(0, 0);
    state_.UDPressed = -1;
    state_.UDDirection = SpinNone;
}

void SettingsWindow::TMC_Timer()
{
    if (state_.UDPressed < 0 || state_.UDDirection < 0)
        return;
    const std::optional<SpinRange> range = SpinRangeOf(state_.UDPressed);
    if (!range)
        return;
    auto *field = findChild<QLineEdit *>(QStringLiteral("FLD%1").arg(range->field));
    if (!field)
        return;
    const QString next = SpinStep(field->text(), state_.UDDirection, *range);
    if (next != field->text())
        field->setText(next);
}

void SettingsWindow::closeWindow()
{
    accept();
}

void SettingsWindow::done(int result)
{
    ctx_.ToolWindowOpen = false;
    repeatTimer_->stop();
    QDialog::done(result);
}

void OpenSettingsWindow(Context &ctx, SettingsWindowState &state, QWidget *owner)
{
    SettingsWindow window(ctx, state, owner);
    window.exec();
}
