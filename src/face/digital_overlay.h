#pragma once
// The date and time texts drawn on the face over the hands, each in its own
// colour with an outline ("Fuchi") of its own colour, and the formatter that
// turns the current time into those texts (also used by the hover window).
#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include "settings/settings.h"

// The face's text size, in points.
constexpr int FaceTextPointSize = 9;

// The current time text the tick works with: "yyyy/mm/dd hh:nn:ss", 24-hour,
// every field zero-padded.
QString TimeTextFor(const QDateTime &moment);

// timeText ("yyyy/mm/dd hh:nn:ss") written in the date-format notation of
// pattern. Tokens (letters in either case): yyyy, yy year; mm, m month;
// dd, d day; hh, h hour (24-hour); nn, n minute; ss, s second; mm and m mean
// minutes right after an hour token (literal characters between them do not
// count); aaaa, aaa the Japanese weekday (日曜日, 日); dddd, ddd the English
// weekday (Sunday, Sun). "\x" gives x and "..." gives the quoted text as they
// are; every other character is copied unchanged. An empty pattern gives "".
QString FormatTimeText(const QString &timeText, const QString &pattern);

// Width and height a text takes in the face font at pointSize, lines broken
// at CR LF; an empty text is one line high and 0 wide.
QSize MeasureFaceText(const QString &text, int pointSize);

// Where the texts go vertically on a face faceHeight pixels high: both texts
// stand right above the centre, date over time; a text shown alone stands
// 2.5 of its heights above the centre (rounded, halves to even).
struct OverlayPlacement {
    int dateTop = 0;
    int timeTop = 0;
};
OverlayPlacement PlaceOverlayTexts(int faceHeight, bool showDate, bool showTime, int dateHeight,
                                   int timeHeight);

// Draws text with its top-left corner at (x, y) in colour over an outline k
// pixels wide: first the text in the outline colour at every offset from
// (-k, -k) to (k, k), then the text itself. Each drawing is clipped to the
// rectangle from its corner to the frame's bottom-right corner and does not
// wrap; CR LF breaks lines. k below 0 draws no outline.
void DrawOutlinedText(QImage &frame, int pointSize, QColor colour, int x, int y,
                      const QString &text, int k, QColor outline);

// The face pixels DrawOutlinedText would draw on a face of faceSize at scale
// 1 with the same arguments, as their bounding box (empty when it draws
// nothing), also beyond the face. A scaled face lays its texts out the same.
QRect OutlinedTextBounds(QSize faceSize, int pointSize, QColor colour, int x, int y, const QString &text, int k,
                         QColor outline);

// How far texts drawn in boxes (face pixels) move down so that each lies
// wholly inside the face's ellipse (faceSize), which is all the window
// shows: the least such shift, or 0 when they fit already or fit nowhere.
int ShiftIntoFace(QSize faceSize, const QList<QRect> &boxes);

// Draws the date and time texts of the "Digital" settings on the face for the
// time text of this tick, where PlaceOverlayTexts puts them, or moved down
// together by ShiftIntoFace so that no outline or glyph is cut by the rim (the
// date of the round 80-pixel face would lose its first and last digits' tops).
// Called by the tick after DrawHands.
void DrawDigitalOverlay(QImage &frame, const Settings &settings, const QString &datePatternFormat,
                        const QString &timePatternFormat, const QString &timeText);
