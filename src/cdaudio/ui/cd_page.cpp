#include "cdaudio/ui/cd_page.h"

#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "cdaudio/cd_panel.h"
#include "cdaudio/cls_cd_audio.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "context/pages.h"
#include "settings_window/sprite_sheet.h"
#include "settings_window/ui/page_controls.h"

struct CdPageState {
    std::unique_ptr<clsCDAudio> cd;
    std::unique_ptr<CdPanel> panel;
};

namespace {

// The sprite row of each button of the strip, from the left.
constexpr SpriteRow kButtonRows[CdButtonCount] = {
    SpriteRow::Eject, SpriteRow::Stop,  SpriteRow::PreviousTrack, SpriteRow::Rewind,
    SpriteRow::Pause, SpriteRow::Play,  SpriteRow::FastForward,   SpriteRow::NextTrack,
};

// Waits ms milliseconds while the clock goes on ticking.
void WaitWithEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

QLabel *ValueLabel(const QString &name, QWidget *parent, int y)
{
    QLabel *label = MakeLabel(name, QString(), parent, 120, y);
    label->resize(152, 17);
    return label;
}

} // namespace

CdButtonStrip::CdButtonStrip(QWidget *parent)
    : QWidget(parent), image_(CdButtonCount * CdButtonWidth, SpriteCell, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("CDPanel"));
    setFixedSize(image_.size());
    image_.fill(Qt::lightGray);
}

void CdButtonStrip::DrawCDPanel(int sunken)
{
    QPainter p(&image_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int b = 1; b <= CdButtonCount; ++b) {
        const QRect cell(SpriteLookX(b == sunken ? 1 : 0), int(kButtonRows[b - 1]) * SpriteCell,
                         SpriteCell, SpriteCell);
        p.drawImage(QPoint(CdButtonWidth * (b - 1), 0), SpriteSheet(), cell);
    }
    p.end();
    update();
}

void CdButtonStrip::paintEvent(QPaintEvent *)
{
    // Scaled without smoothing on a scaled screen, as the spin buttons are.
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void CdButtonStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || held_)
        return;
    held_ = true;
    emit pressed(event->position().x());
}

void CdButtonStrip::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !held_)
        return;
    held_ = false;
    emit released();
}

CdPage::CdPage(const PageEnvironment &environment, std::shared_ptr<CdPageState> state)
    : state_(std::move(state))
{
    QFrame *area = environment.area;
    if (!state_->cd) {
        // Creating the controller opens the device; it stays open from now on.
        state_->cd = std::make_unique<clsCDAudio>(*environment.ctx.services.mci);
        state_->panel = std::make_unique<CdPanel>(*state_->cd, WaitWithEvents);
    }
    const struct {
        const char *name;
        QString caption;
    } captions[] = {
        {"LBL26", QStringLiteral("ﾃﾞﾊﾞｲｽ名 :")},
        {"LBL29", QStringLiteral("全ﾄﾗｯｸ数 :")},
        {"LBL30", QStringLiteral("全再生時間 :")},
        {"LBL31", QStringLiteral("ｶﾚﾝﾄﾄﾗｯｸ :")},
        {"LBL32", QStringLiteral("ｶﾚﾝﾄﾄﾗｯｸの再生時間")},
    };
    for (int i = 0; i < 5; ++i)
        MakeLabel(captions[i].name, captions[i].caption, area, 8, 16 + 24 * i + 2);
    product_ = ValueLabel("lblProduct", area, 16);
    allTracks_ = ValueLabel("lblAllTracks", area, 40);
    allTimes_ = ValueLabel("lblAllTimes", area, 64);
    curTrack_ = ValueLabel("lblCurTrack", area, 88);
    curTime_ = ValueLabel("lblCurTime", area, 112);

    strip_ = new CdButtonStrip(area);
    strip_->move(8, 144);
    QObject::connect(strip_, &CdButtonStrip::pressed, area,
                     [this](double x) { strip_->DrawCDPanel(state_->panel->Press(x)); });
    QObject::connect(strip_, &CdButtonStrip::released, area, [this] {
        strip_->setEnabled(false);   // no second press while the door closes
        const int sunken = state_->panel->Release();
        strip_->setEnabled(true);
        ShowLabels();
        strip_->DrawCDPanel(sunken);
    });
}

void CdPage::Open()
{
    const int sunken = state_->panel->Open();
    ShowLabels();
    strip_->DrawCDPanel(sunken);
}

void CdPage::ShowLabels()
{
    const CdLabels &labels = state_->panel->Labels();
    curTime_->setText(labels.curTime);
    allTimes_->setText(labels.allTimes);
    allTracks_->setText(labels.allTracks);
    product_->setText(labels.product);
    curTrack_->setText(labels.curTrack);
}

PageDefinition CdPageDefinition()
{
    return DefinePage<CdPage>(PageCD, QStringLiteral("AreaCD"), {8, 0}, QStringLiteral("Tockara [ＣＤ ＡＵＤＩＯ]"),
                              std::make_shared<CdPageState>());
}

void RegisterCdAudio(FeatureHost &host)
{
    host.pages.add(CdPageDefinition());
}
