#pragma once
// The calendar page's drawing surface, filling the top of its frame (AreaCal):
// one month drawn on a persistent image, with the 前月, 翌月 and 今月 buttons (BTN 7, 8, 9) and the
// hover label DSP3 on it. A release on a day asks for that day's diary and
// redraws the month afterwards. Its accessible name is the month's title.
#include <functional>
#include <QDate>
#include <QImage>
#include <QWidget>

#include "calendar/month_sheet.h"

class QLabel;

class MonthView : public QWidget {
    Q_OBJECT
public:
    // calendar: the day styles and holiday rules; programFolder: where the
    // diary files are.
    MonthView(const CalendarData &calendar, QString programFolder, QWidget *parent);

    // Opening the page: today's date is fixed for as long as it stays open,
    // and its month is drawn.
    void Open(const QDate &today);
    // Computes and paints the shown month again (new styles, new diary marks).
    void DrawMonth();
    void PreviousMonth();
    void NextMonth();
    void CurrentMonth();

    // Opens the diary of a day modally and returns when it has closed; set by
    // the page.
    std::function<void(const QDate &)> openDiary;

    qint16 shownYear() const { return shownYear_; }
    qint16 shownMonth() const { return shownMonth_; }
    const MonthSheet &sheet() const { return sheet_; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    const CalendarData &calendar_;
    const QString programFolder_;
    QDate today_;                // TodayDate
    qint16 shownYear_ = 0;       // ShownYear
    qint16 shownMonth_ = 0;      // ShownMonth
    MonthSheet sheet_;
    QImage surface_;
    QLabel *hover_;              // DSP3
};
