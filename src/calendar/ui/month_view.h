#pragma once
// The calendar page's drawing surface, filling the top of its frame (AreaCal):
// one month drawn on a persistent image, with the 前月, 翌月 and 今月 buttons (BTN 7, 8, 9) and the
// hover label DSP3 on it. A release on a day asks for that day's diary and
// redraws the month afterwards. Its accessible name is the month's title.
//
// By keys, as in a desktop's calendar: the view takes the focus and keeps a
// selected day (today at first), framed while the view has the keyboard (a
// mouse press takes the frame away until the next key); the arrows
// move it by a day or a week, into the next or previous month too;
// PageUp/PageDown go to the previous/next month, Home back to today, Return
// opens the selected day's diary as a click does. For a screen reader the
// view is a table of weeks by weekdays whose cells are named by DayCellName.
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

    QDate selectedDay() const { return selected_; }
    // The grid cell of the selected day.
    int selectedCell() const;
    // Where a cell lies on the view.
    static QRect CellRect(int cell);

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
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void Select(const QDate &day);
    void OpenDiary(const QDate &day);
    void TellSelection(bool monthChanged);

    const CalendarData &calendar_;
    const QString programFolder_;
    QDate today_;                // TodayDate
    qint16 shownYear_ = 0;       // ShownYear
    qint16 shownMonth_ = 0;      // ShownMonth
    QDate selected_;             // the day the keys act on, always in the shown month
    bool keyboardUsed_ = false;  // the selection's frame shows: the keyboard came or was used
    MonthSheet sheet_;
    QImage surface_;
    QLabel *hover_;              // DSP3
};
