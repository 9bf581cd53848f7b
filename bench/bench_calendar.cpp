// The month view's cost: computing one month (holidays of the shipped rules,
// each day's diary entry) and painting it, with every day of the month and of
// the rest of its year holding a ten-line diary entry.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "calendar/month_drawing.h"
#include "calendar/month_sheet.h"
#include "calendar/notes.h"
#include "settings/profile.h"

namespace {

constexpr qint16 kYear = 2026;
constexpr qint16 kMonth = 5;

// A year of diary entries, every day with ten lines of Japanese text.
void WriteDiaryYear(const QString &folder)
{
    ProfileBatch batch(DiaryFilePathFor(folder, kYear));
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= DaysInMonth(kYear, static_cast<qint16>(month)); ++day) {
            for (int line = 0; line < NoteLineLimit; ++line)
                batch.write(DiarySectionFor(month, day), QString::number(line),
                            QStringLiteral("今日は表計算ソフトで%1行目を書いた。").arg(line));
        }
    }
    batch.commit();
}

struct MonthFixture {
    MonthFixture()
    {
        QFile::copy(QStringLiteral(TOCKARA_DATA_DIR "/Calender.ini"), CalendarIniPath(folder.path()));
        LoadHolidays(calendar, folder.path());
        WriteDiaryYear(folder.path());
    }
    void DrawOnce()
    {
        const MonthSheet sheet = ComputeMonth(calendar, kYear, kMonth, QDate(kYear, kMonth, 14), folder.path());
        QPainter painter(&surface);
        DrawMonth(painter, sheet, calendar, Qt::lightGray);
    }
    QTemporaryDir folder;
    CalendarData calendar;
    QImage surface{MonthSurfaceSize, QImage::Format_RGB32};
};

// Navigating between months: the diary file is parsed already.
void BM_ComputeAndDrawMonth(benchmark::State &state)
{
    MonthFixture fixture;
    fixture.DrawOnce();
    for (auto _ : state)
        fixture.DrawOnce();
}
BENCHMARK(BM_ComputeAndDrawMonth)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Only the computation (holidays and diary reads), without painting.
void BM_ComputeMonth(benchmark::State &state)
{
    MonthFixture fixture;
    fixture.DrawOnce();
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeMonth(fixture.calendar, kYear, kMonth, QDate(), fixture.folder.path()));
}
BENCHMARK(BM_ComputeMonth)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The redraw after the diary window stored a day: the year's file is read again.
void BM_DrawMonthAfterDiaryStored(benchmark::State &state)
{
    MonthFixture fixture;
    NoteData notes;
    for (auto _ : state) {
        state.PauseTiming();
        notes.DiaryLines[0] = QString::number(state.iterations());
        SaveDiaryDay(notes, fixture.folder.path(), kYear, kMonth, 6);
        state.ResumeTiming();
        fixture.DrawOnce();
    }
}
BENCHMARK(BM_DrawMonthAfterDiaryStored)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
