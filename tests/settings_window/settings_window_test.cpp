// The settings window frame: which page each request shows, how it closes,
// the spin buttons and the text fields' select-all.
#include <QFocusEvent>
#include <QTest>

#include "settings_window/spin_button.h"
#include "settings_window/sprite_sheet.h"
#include "settings_window_fixture.h"

namespace {

const QStringList kAllFrames = {"AreaSize", "AreaAlarm", "AreaThick", "AreaLunch",
                                "AreaArc",  "AreaDigi",  "AreaWall",  "AreaCD",
                                "AreaCalSet", "AreaCaluc", "AreaCal"};

class SettingsFrameTest : public SettingsWindowTest {
protected:
    QStringList shownFrames() const
    {
        QStringList shown;
        for (const QString &name : kAllFrames)
            if (!control<QFrame>(name)->isHidden())
                shown << name;
        return shown;
    }
    // Byte-for-byte comparison of two settings through the file they save as.
    bool sameSettings(const Settings &a, const Settings &b) const
    {
        SaveSettings(a, folder.file("a.ini"));
        SaveSettings(b, folder.file("b.ini"));
        return folder.readBytes("a.ini") == folder.readBytes("b.ini");
    }
};

TEST_F(SettingsFrameTest, WindowIsTheFixedSizeToolWindowWithItsCloseButton)
{
    SettingsWindow &w = open(1);
    EXPECT_EQ(w.objectName(), "frmSub");
    // 303 x 249 with the frame the window manager adds.
    EXPECT_EQ(w.size(), QSize(297, 221));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    auto *close = control<QPushButton>("CBTN");
    EXPECT_EQ(close->text(), "閉じる");
    EXPECT_EQ(close->geometry(), QRect(218, 184, 65, 25));
    // 閉じる stays clickable above the page, beside the page's 確定.
    EXPECT_EQ(w.childAt(250, 195), close);
    EXPECT_EQ(w.childAt(40, 195), control<QPushButton>("BTN0"));
    EXPECT_TRUE(ctx.ToolWindowOpen);
}

TEST_F(SettingsFrameTest, EachBuiltPageShowsItsFrameOnlyUnderItsTitle)
{
    const struct { qint16 page; const char *frame, *apply; } pages[] = {
        {1, "AreaSize", "BTN0"}, {2, "AreaAlarm", "BTN1"},
        {3, "AreaThick", "BTN2"}, {8, "AreaDigi", "BTN10"},
    };
    for (const auto &p : pages) {
        SettingsWindow &w = open(p.page);
        EXPECT_EQ(w.windowTitle(), "Tockara [設定]") << p.page;
        EXPECT_EQ(shownFrames(), QStringList{p.frame}) << p.page;
        auto *frame = control<QFrame>(p.frame);
        EXPECT_EQ(frame->geometry(), QRect(8, 0, 281, 217)) << p.page;
        auto *apply = control<QPushButton>(p.apply);
        EXPECT_EQ(apply->parent(), frame) << p.page;
        EXPECT_EQ(apply->text(), "確定") << p.page;
        EXPECT_EQ(apply->geometry(), QRect(8, 184, 65, 25)) << p.page;
    }
}

TEST_F(SettingsFrameTest, PagesStillToComeShowTheirTitleOverTheBareWindow)
{
    const struct { qint16 page; const char *title; } pages[] = {
        {4, "Tockara バージョン情報"}, {5, "Tockara [設定]"},
        {6, "Tockara [設定]"},        {7, "Tockara カレンダー"},
        {9, "Tockara [カレンダー設定]"}, {11, "Tockara [壁紙設定]"},
        {12, "Tockara [ＣＤ ＡＵＤＩＯ]"}, {13, "Tockara [電卓]"},
    };
    for (const auto &p : pages) {
        SettingsWindow &w = open(p.page);
        EXPECT_EQ(w.windowTitle(), QString::fromUtf8(p.title)) << p.page;
        EXPECT_TRUE(shownFrames().isEmpty()) << p.page;
    }
}

TEST_F(SettingsFrameTest, MemoRequestAndUnknownRequestsShowNoFrame)
{
    for (qint16 page : {qint16(10), qint16(99), qint16(0), qint16(-1), qint16(14)}) {
        SettingsWindow &w = open(page);
        EXPECT_EQ(w.windowTitle(), "Tockara [設定]") << page;
        EXPECT_TRUE(shownFrames().isEmpty()) << page;
        EXPECT_TRUE(ctx.ToolWindowOpen) << page;
        click("CBTN");
        EXPECT_FALSE(ctx.ToolWindowOpen) << page;
    }
}

TEST_F(SettingsFrameTest, CloseKeepsEverySettingOnEveryPage)
{
    const Settings before = ctx.settings;
    for (qint16 page : {qint16(1), qint16(2), qint16(3), qint16(8)}) {
        open(page);
        // Edit everything the page offers.
        for (QLineEdit *edit : window->findChildren<QLineEdit *>())
            edit->setText("12");
        for (QCheckBox *box : window->findChildren<QCheckBox *>())
            box->toggle();
        for (QComboBox *list : window->findChildren<QComboBox *>())
            list->setCurrentIndex(0);
        fakes.choosers->colors = {Qt::red, Qt::red, Qt::red, Qt::red};
        for (int i = 0; i < 4; ++i)
            window->DspCol_Click(i);
        window->OPT_Click(1);

        click("CBTN");
        EXPECT_FALSE(ctx.ToolWindowOpen) << page;
        EXPECT_EQ(window->result(), QDialog::Accepted) << page;
        EXPECT_TRUE(sameSettings(ctx.settings, before)) << page;
        EXPECT_FALSE(savedFileExists()) << page;
        EXPECT_TRUE(clock.calls.isEmpty()) << page;
    }
}

TEST_F(SettingsFrameTest, TheFrameCloseBoxAndEscapeCloseLike閉じる)
{
    open(2);
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(ctx.ToolWindowOpen);

    open(1);
    window->show();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(ctx.ToolWindowOpen);
}

TEST_F(SettingsFrameTest, PagesWithoutSpinButtonsKeepTheLastSpinRange)
{
    open(3);
    EXPECT_EQ(state.UDFirst, 4);
    EXPECT_EQ(state.UDLast, 6);
    open(8);
    EXPECT_EQ(state.UDFirst, 4);
    EXPECT_EQ(state.UDLast, 6);
    open(2);
    EXPECT_EQ(state.UDFirst, 2);
    EXPECT_EQ(state.UDLast, 3);
}

class SpinButtonTest : public SettingsWindowTest {
protected:
    SpinButton *spin(int index) const
    {
        return control<SpinButton>(QStringLiteral("UDBTNArea%1").arg(index));
    }
    void press(int index, int y) const
    {
        QTest::mousePress(spin(index), Qt::LeftButton, {}, QPoint(9, y));
    }
    void release(int index, QPoint at = QPoint(9, 9)) const
    {
        QTest::mouseRelease(spin(index), Qt::LeftButton, {}, at);
    }
    void ticks(int count) const
    {
        for (int i = 0; i < count; ++i)
            window->TMC_Timer();
    }
    // The button as drawn, against the sheet's halves in the given looks.
    bool drawnAs(int index, int upper, int lower) const
    {
        const QImage drawn = spin(index)->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage &sheet = SpriteSheet();
        return drawn.copy(0, 0, 18, 9) == sheet.copy(upper * 18, 0, 18, 9)
               && drawn.copy(0, 9, 18, 9) == sheet.copy(lower * 18, 9, 18, 9);
    }
};

TEST_F(SpinButtonTest, HeldOnHeightForOneSecondStopsAt256)
{
    open(1);
    type(1, "250");
    press(1, 9);   // y = 9 still counts as the upper half
    EXPECT_EQ(field(1)->text(), "250");   // nothing changes before the first tick
    EXPECT_TRUE(drawnAs(1, 1, 0));
    ticks(20);     // 1 s of 50 ms ticks
    EXPECT_EQ(field(1)->text(), "256");
    EXPECT_EQ(field(0)->text(), "80");
}

TEST_F(SpinButtonTest, LowerHalfOnHourAtZeroStaysZero)
{
    open(2);
    type(2, "0");
    press(2, 10);
    EXPECT_TRUE(drawnAs(2, 0, 1));
    ticks(5);
    EXPECT_EQ(field(2)->text(), "0");
}

TEST_F(SpinButtonTest, ReleaseStopsAtOnceAndRaisesBothHalvesWhereverThePointerIs)
{
    open(3);
    type(6, "1");
    press(4, 2);
    ticks(1);
    EXPECT_EQ(field(6)->text(), "2");
    release(4, QPoint(60, -40));
    EXPECT_TRUE(drawnAs(4, 0, 0));
    EXPECT_EQ(state.UDPressed, -1);
    EXPECT_EQ(state.UDDirection, -1);
    ticks(10);
    EXPECT_EQ(field(6)->text(), "2");
}

TEST_F(SpinButtonTest, EachButtonStepsItsOwnFieldWithinItsRange)
{
    const struct { qint16 page; int button, field, minimum, maximum; } table[] = {
        {1, 0, 0, 48, 256}, {1, 1, 1, 48, 256}, {2, 2, 2, 0, 23}, {2, 3, 3, 0, 59},
        {3, 4, 6, 1, 4},    {3, 5, 7, 1, 4},    {3, 6, 8, 1, 4},
    };
    for (const auto &row : table) {
        open(row.page);
        type(row.field, QString::number(row.maximum - 1));
        press(row.button, 2);
        ticks(3);
        release(row.button);
        EXPECT_EQ(field(row.field)->text(), QString::number(row.maximum)) << row.button;
        type(row.field, QString::number(row.minimum + 1));
        press(row.button, 15);
        ticks(3);
        release(row.button);
        EXPECT_EQ(field(row.field)->text(), QString::number(row.minimum)) << row.button;
    }
}

TEST_F(SpinButtonTest, AFieldThatIsNoNumberIsNotStepped)
{
    open(1);
    type(0, "abc");
    press(0, 2);
    ticks(3);
    EXPECT_EQ(field(0)->text(), "abc");
}

TEST_F(SpinButtonTest, AHoldLeftOverFromAClosedWindowDoesNotRepeatNextTime)
{
    open(1);
    press(0, 2);
    click("CBTN");
    open(1);
    EXPECT_EQ(state.UDPressed, -1);
    ticks(3);
    EXPECT_EQ(field(0)->text(), "80");
    EXPECT_TRUE(drawnAs(0, 0, 0));
}

class FieldFocusTest : public SettingsWindowTest {};

TEST_F(FieldFocusTest, EveryFieldSelectsItsWholeTextOnFocus)
{
    open(2);
    // However the focus comes: the window being activated, a program call.
    for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::OtherFocusReason}) {
        for (int index = 2; index <= 5; ++index) {
            type(index, "テキスト" + QString::number(index));
            field(index)->deselect();
            QFocusEvent focusIn(QEvent::FocusIn, reason);
            QApplication::sendEvent(field(index), &focusIn);
            EXPECT_EQ(field(index)->selectionStart(), 0) << index;
            EXPECT_EQ(field(index)->selectedText(), field(index)->text()) << index;
        }
    }
}

TEST_F(FieldFocusTest, TheClickThatFocusesAFieldKeepsTheSelection)
{
    open(2);
    type(4, "時間です");
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(field(4), &focusIn);
    QTest::mouseClick(field(4), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(field(4)->selectedText(), "時間です");
    // Later clicks place the cursor as usual.
    QTest::mouseClick(field(4), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(field(4)->hasSelectedText());
}

} // namespace
