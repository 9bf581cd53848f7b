#include "calendar/ui/month_view.h"

#include <QLabel>
#include <QtMath>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "calendar/month_drawing.h"

MonthView::MonthView(const CalendarData &calendar, QString programFolder, QWidget *parent)
    : QWidget(parent), calendar_(calendar), programFolder_(std::move(programFolder)),
      surface_(MonthSurfaceSize, QImage::Format_RGB32), hover_(new QLabel(this))
{
    setFixedSize(MonthSurfaceSize);
    setAccessibleDescription(QStringLiteral("カレンダー"));
    setMouseTracking(true);

    struct Step { int index; const char16_t *caption; int left; void (MonthView::*action)(); };
    for (const Step &step : {Step{7, u"前月", 8, &MonthView::PreviousMonth},
                             Step{8, u"翌月", 72, &MonthView::NextMonth},
                             Step{9, u"今月", 136, &MonthView::CurrentMonth}}) {
        auto *button = new QPushButton(QString::fromUtf16(step.caption), this);
        button->setObjectName(QStringLiteral("BTN%1").arg(step.index));
        button->setGeometry(step.left, 176, 65, 25);
        connect(button, &QPushButton::clicked, this, step.action);
    }
    hover_->setObjectName(QStringLiteral("DSP3"));
    hover_->setGeometry(8, 160, 265, 17);
    surface_.fill(palette().color(QPalette::Window));
}

void MonthView::Open(const QDate &today)
{
    today_ = today;
    CurrentMonth();
}

void MonthView::DrawMonth()
{
    sheet_ = ComputeMonth(calendar_, shownYear_, shownMonth_, today_, programFolder_);
    // On a scaled screen the month is drawn at the screen's resolution, so
    // its numbers and marks stay sharp.
    const qreal ratio = devicePixelRatio();
    if (surface_.devicePixelRatio() != ratio) {
        surface_ = QImage(qCeil(MonthSurfaceSize.width() * ratio),
                          qCeil(MonthSurfaceSize.height() * ratio), QImage::Format_RGB32);
        surface_.setDevicePixelRatio(ratio);
    }
    QPainter painter(&surface_);
    ::DrawMonth(painter, sheet_, calendar_, palette().color(QPalette::Window));
    painter.end();
    setAccessibleName(MonthTitle(shownYear_, shownMonth_));
    update();
}

void MonthView::PreviousMonth()
{
    StepToPreviousMonth(shownYear_, shownMonth_);
    DrawMonth();
}

void MonthView::NextMonth()
{
    StepToNextMonth(shownYear_, shownMonth_);
    DrawMonth();
}

void MonthView::CurrentMonth()
{
    shownYear_ = static_cast<qint16>(today_.year());
    shownMonth_ = static_cast<qint16>(today_.month());
    DrawMonth();
}

void MonthView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
}

void MonthView::mouseMoveEvent(QMouseEvent *event)
{
    const int cell = CellAt(event->position().x(), event->position().y());
    hover_->setText(cell < 0 ? QString() : sheet_.Cells[cell].Note);
}

void MonthView::mouseReleaseEvent(QMouseEvent *event)
{
    const int cell = CellAt(event->position().x(), event->position().y());
    if (cell < sheet_.FirstDayCell || cell >= sheet_.EndDayCell || cell < 0)
        return;
    if (openDiary)
        openDiary(QDate(shownYear_, shownMonth_, sheet_.Cells[cell].Day));
    DrawMonth();
}
