#include "calendar/ui/month_view.h"

#include <algorithm>
#include <array>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLabel>
#include <QtMath>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "calendar/month_drawing.h"

namespace {

// One day of the grid for a screen reader. Its name and state are read from
// the view each time they are asked for, so the 42 cells live as long as the
// view and follow every month shown.
class DayCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    DayCellAccessible(MonthView *view, int cell) : view_(view), cell_(cell) {}

    bool isValid() const override { return view_ != nullptr; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(view_); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && view_ ? DayCellName(view_->sheet(), cell_) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!view_)
            return {};
        const QRect at = MonthView::CellRect(cell_);
        return QRect(view_->mapToGlobal(at.topLeft()), at.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface *>(this)
                                                       : nullptr;
    }

    // Its place in the grid: a row is a week, a column a weekday.
    bool isSelected() const override { return view_ && view_->selectedCell() == cell_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return cell_ % MonthColumns; }
    int rowIndex() const override { return cell_ / MonthColumns; }
    QAccessibleInterface *table() const override { return parent(); }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!view_ || view_->sheet().Cells[cell_].Day == 0) {
            state.invisible = true;
            return state;
        }
        const bool selected = view_->selectedCell() == cell_;
        state.focusable = true;
        state.selectable = true;
        state.selected = selected;
        state.focused = selected && view_->hasFocus();
        return state;
    }

private:
    QPointer<MonthView> view_;
    const int cell_;
};

// The view as a table of 6 weeks by 7 weekdays, its 42 day cells before its
// own buttons and label. The selection is the selected day; rows and
// columns are not selected as a whole.
class MonthViewAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit MonthViewAccessible(MonthView *view) : QAccessibleWidget(view, QAccessible::Table)
    {
        for (int cell = 0; cell < MonthCellCount; ++cell) {
            cells_[cell] = new DayCellAccessible(view, cell);
            QAccessible::registerAccessibleInterface(cells_[cell]);
        }
    }
    ~MonthViewAccessible() override
    {
        for (QAccessibleInterface *cell : cells_)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cell));
    }

    int childCount() const override { return MonthCellCount + QAccessibleWidget::childCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index >= 0 && index < MonthCellCount)
            return cells_[index];
        return QAccessibleWidget::child(index - MonthCellCount);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (int cell = 0; cell < MonthCellCount; ++cell)
            if (cells_[cell] == child)
                return cell;
        const int index = QAccessibleWidget::indexOfChild(child);
        return index < 0 ? -1 : MonthCellCount + index;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (QAccessibleInterface *widget = QAccessibleWidget::childAt(x, y))
            return widget;
        const QPoint at = view()->mapFromGlobal(QPoint(x, y));
        const int cell = CellAt(at.x(), at.y());
        return cell >= 0 ? cells_[cell] : nullptr;
    }
    QAccessibleInterface *focusChild() const override
    {
        const int cell = view()->selectedCell();
        return view()->hasFocus() && cell >= 0 ? cells_[cell] : QAccessibleWidget::focusChild();
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override
    {
        if (row < 0 || row >= MonthRows || column < 0 || column >= MonthColumns)
            return nullptr;
        return cells_[row * MonthColumns + column];
    }
    int selectedCellCount() const override { return view()->selectedCell() >= 0 ? 1 : 0; }
    QList<QAccessibleInterface *> selectedCells() const override
    {
        const int cell = view()->selectedCell();
        return cell >= 0 ? QList<QAccessibleInterface *>{cells_[cell]} : QList<QAccessibleInterface *>{};
    }
    QString columnDescription(int column) const override { return WeekdayName(column); }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return MonthColumns; }
    int rowCount() const override { return MonthRows; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    MonthView *view() const { return static_cast<MonthView *>(widget()); }
    std::array<QAccessibleInterface *, MonthCellCount> cells_{};
};

QAccessibleInterface *MonthViewAccessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("MonthView"))
        if (auto *view = qobject_cast<MonthView *>(object))
            return new MonthViewAccessible(view);
    return nullptr;
}

} // namespace

MonthView::MonthView(const CalendarData &calendar, QString programFolder, QWidget *parent)
    : QWidget(parent), calendar_(calendar), programFolder_(std::move(programFolder)),
      surface_(MonthSurfaceSize, QImage::Format_RGB32), hover_(new QLabel(this))
{
    static const bool factoryInstalled = (QAccessible::installFactory(MonthViewAccessibleFactory), true);
    Q_UNUSED(factoryInstalled);
    setFixedSize(MonthSurfaceSize);
    setAccessibleDescription(QStringLiteral("カレンダー"));
    setFocusPolicy(Qt::StrongFocus);
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
    // A day's diary line, as written in the diary file.
    hover_->setTextFormat(Qt::PlainText);
    hover_->setGeometry(8, 160, 265, 17);
    surface_.fill(palette().color(QPalette::Window));
}

void MonthView::Open(const QDate &today)
{
    today_ = today;
    keyboardUsed_ = false;
    CurrentMonth();
    setFocus(Qt::OtherFocusReason);
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
    // The selection stays in the month shown, on the same day where it can.
    const QDate first(shownYear_, shownMonth_, 1);
    if (first.isValid() && (selected_.year() != shownYear_ || selected_.month() != shownMonth_))
        selected_ = QDate(shownYear_, shownMonth_, std::min(std::max(selected_.day(), 1), first.daysInMonth()));
    update();
    TellSelection(true);
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
    selected_ = today_;
    DrawMonth();
}

int MonthView::selectedCell() const
{
    if (!selected_.isValid() || sheet_.EndDayCell == 0)
        return -1;
    return sheet_.FirstDayCell + selected_.day() - 1;
}

QRect MonthView::CellRect(int cell)
{
    return QRect(GridLeft + CellWidth * (cell % MonthColumns), GridTop + CellHeight * (cell / MonthColumns),
                 CellWidth, CellHeight);
}

// A day of another month shows that month.
void MonthView::Select(const QDate &day)
{
    if (!day.isValid() || day.year() < 1 || day.year() > 9999)
        return;
    selected_ = day;
    if (day.year() != shownYear_ || day.month() != shownMonth_) {
        shownYear_ = static_cast<qint16>(day.year());
        shownMonth_ = static_cast<qint16>(day.month());
        DrawMonth();
        return;
    }
    update();
    TellSelection(false);
}

// A screen reader hears the day the selection moved to, and the new names of
// the cells when the month changed.
void MonthView::TellSelection(bool monthChanged)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(this);
    if (!view)
        return;
    if (monthChanged) {
        for (int cell = 0; cell < MonthCellCount; ++cell) {
            QAccessibleEvent renamed(view->child(cell), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
    if (const int cell = selectedCell(); cell >= 0 && hasFocus()) {
        QAccessibleEvent focus(view->child(cell), QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

// The keyboard comes back to the month when the diary has closed, also
// where no window manager gives it back.
void MonthView::OpenDiary(const QDate &day)
{
    if (openDiary)
        openDiary(day);
    DrawMonth();
    if (isVisible()) {
        window()->activateWindow();
        setFocus(Qt::OtherFocusReason);
    }
}

void MonthView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
    // The frame of the selected day, while the keyboard works the view; the
    // day's corner mark (its diary entry, or its style's) stays in sight.
    if (const int cell = selectedCell(); cell >= 0 && keyboardUsed_ && hasFocus()) {
        const MonthCell &day = sheet_.Cells[cell];
        if (day.HasDiary || calendar_.DayStyleTable[day.Type].Kind == MarkKind::CornerTriangle)
            painter.setClipRegion(QRegion(rect()).subtracted(CornerTriangleRegion(cell)));
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(CellRect(cell).adjusted(2, 2, -2, -2));
    }
}

void MonthView::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: Select(selected_.addDays(-1)); break;
    case Qt::Key_Right: Select(selected_.addDays(1)); break;
    case Qt::Key_Up: Select(selected_.addDays(-MonthColumns)); break;
    case Qt::Key_Down: Select(selected_.addDays(MonthColumns)); break;
    case Qt::Key_PageUp: PreviousMonth(); break;
    case Qt::Key_PageDown: NextMonth(); break;
    case Qt::Key_Home: CurrentMonth(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: OpenDiary(selected_); break;
    default: QWidget::keyPressEvent(event); return;
    }
    keyboardUsed_ = true;
    update();
}

void MonthView::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
        keyboardUsed_ = true;
    update();
    QWidget::focusInEvent(event);
}

void MonthView::focusOutEvent(QFocusEvent *event)
{
    update();
    QWidget::focusOutEvent(event);
}

void MonthView::mousePressEvent(QMouseEvent *event)
{
    keyboardUsed_ = false;
    QWidget::mousePressEvent(event);
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
    selected_ = QDate(shownYear_, shownMonth_, sheet_.Cells[cell].Day);
    OpenDiary(selected_);
}
