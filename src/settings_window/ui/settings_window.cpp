#include "settings_window/ui/settings_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "context/context.h"
#include "settings_window/spin_repeat.h"
#include "settings_window/ui/accessible_names.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"
#include "settings_window/ui/spin_button.h"

namespace {
// The window measures 303 x 249 pixels with its frame; the window manager
// draws the frame here, so the inside is that size less a classic dialog
// frame (3-pixel borders and a 22-pixel title bar).
constexpr int kInsideWidth = 303 - 2 * 3;
constexpr int kInsideHeight = 249 - 22 - 2 * 3;
constexpr int kRepeatMs = 50;
const QString kDefaultTitle = QStringLiteral("Tockara [設定]");
} // namespace

QSize SettingsWindowInside(const PageRegistry &pages)
{
    QSize inside(kInsideWidth, kInsideHeight);
    for (const PageDefinition *page : pages.pages()) {
        inside = inside.expandedTo(QSize(page->position.x() + PageRegistry::FrameWidth,
                                         page->position.y() + PageRegistry::FrameHeight));
    }
    return inside;
}

SettingsWindow::SettingsWindow(Context &ctx, SettingsWindowState &state, const PageRegistry &pages,
                               QWidget *parent)
    : QDialog(parent), ctx_(ctx), state_(state), repeatTimer_(new QTimer(this))
{
    InstallAccessibleControls();
    setObjectName(QStringLiteral("frmSub"));
    setWindowTitle(kDefaultTitle);
    setFixedSize(SettingsWindowInside(pages));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));

    ctx_.ToolWindowOpen = true;
    if (const PageDefinition *definition = pages.find(ctx_.PageRequest))
        openPage(*definition);

    auto *close = MakeButton("CBTN", QStringLiteral("閉じる"), this, 218, 184);
    // The close button stays above whichever page is shown.
    close->raise();
    connect(close, &QPushButton::clicked, this, &SettingsWindow::CBTN_Click);

    paintSpinButtons();
    state_.UDPressed = -1;
    state_.UDDirection = SpinNone;

    repeatTimer_->setObjectName(QStringLiteral("TMC"));
    repeatTimer_->setInterval(kRepeatMs);
    connect(repeatTimer_, &QTimer::timeout, this, &SettingsWindow::TMC_Timer);
    repeatTimer_->start();
    // Keys reach the page before the focused control (the calculator's keys).
    qApp->installEventFilter(this);
}

SettingsWindow::~SettingsWindow()
{
    qApp->removeEventFilter(this);
}

// The page is filled before its frame becomes visible.
void SettingsWindow::openPage(const PageDefinition &definition)
{
    auto *area = new QFrame(this);
    area->setObjectName(definition.frame);
    area->setGeometry(QRect(definition.position,
                            QSize(PageRegistry::FrameWidth, PageRegistry::FrameHeight)));
    area->hide();
    if (!definition.title.isEmpty())
        setWindowTitle(definition.title);

    page_ = definition.create(PageEnvironment{area, ctx_, state_, this});
    NameControlsFromLabels(area);
    TabToCheckedOptions(area);
    spins_ = page_->Spins();
    connectSpins();
    if (QAbstractButton *apply = page_->ApplyButton())
        connect(apply, &QAbstractButton::clicked, this, &SettingsWindow::applyPage);
    page_->Open();
    area->show();
}

void SettingsWindow::applyPage()
{
    if (page_->Apply())
        accept();
}

void SettingsWindow::connectSpins()
{
    if (spins_.isEmpty())
        return;
    int first = spins_.first().button->index();
    int last = first;
    for (const PageSpin &spin : spins_) {
        first = qMin(first, spin.button->index());
        last = qMax(last, spin.button->index());
        spin.field->setStepRange(spin.range);
        connect(spin.button, &SpinButton::pressed, this, &SettingsWindow::spinPressed);
        connect(spin.button, &SpinButton::released, this, &SettingsWindow::spinReleased);
    }
    // Pages without spin buttons leave the range of the last page that had any.
    state_.UDFirst = qint16(first);
    state_.UDLast = qint16(last);
}

void SettingsWindow::paintSpinButtons()
{
    for (const PageSpin &spin : spins_) {
        const int index = spin.button->index();
        if (index >= state_.UDFirst && index <= state_.UDLast)
            spin.button->SetLooks(0, 0);
    }
}

const PageSpin *SettingsWindow::spinOf(int index) const
{
    for (const PageSpin &spin : spins_) {
        if (spin.button->index() == index)
            return &spin;
    }
    return nullptr;
}

void SettingsWindow::CBTN_Click()
{
    accept();
}

void SettingsWindow::spinPressed(int index, int y)
{
    const PageSpin *spin = spinOf(index);
    if (!spin)
        return;
    state_.UDPressed = qint16(index);
    state_.UDDirection = SpinDirectionAt(y);
    if (state_.UDDirection == SpinDecrease)
        spin->button->SetLooks(0, 1);
    else
        spin->button->SetLooks(1, 0);
}

void SettingsWindow::spinReleased(int index)
{
    const PageSpin *spin = spinOf(index);
    if (spin && index == state_.UDPressed)
        spin->button->SetLooks(0, 0);
    state_.UDPressed = -1;
    state_.UDDirection = SpinNone;
}

void SettingsWindow::TMC_Timer()
{
    if (state_.UDPressed < 0 || state_.UDDirection < 0)
        return;
    const PageSpin *spin = spinOf(state_.UDPressed);
    if (!spin)
        return;
    const QString next = SpinStep(spin->field->text(), state_.UDDirection, spin->range);
    if (next != spin->field->text())
        spin->field->setText(next);
}

bool SettingsWindow::eventFilter(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !page_)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    return press ? page_->KeyPreview(key) : page_->KeyReleasePreview(key);
}

void SettingsWindow::done(int result)
{
    ctx_.ToolWindowOpen = false;
    repeatTimer_->stop();
    QDialog::done(result);
}

void OpenSettingsWindow(Context &ctx, SettingsWindowState &state, const PageRegistry &pages,
                        QWidget *owner)
{
    SettingsWindow window(ctx, state, pages, owner);
    window.exec();
}
