// The settings window frame: which page each request shows, how it closes,
// the spin buttons and the text fields' select-all.
#include <QFocusEvent>
#include <QTest>

#include "context/pages.h"
#include "settings_window/ui/spin_button.h"
#include "settings_window/sprite_sheet.h"
#include "settings_window_fixture.h"

namespace {

class SettingsFrameTest : public SettingsWindowTest {
protected:
    QStringList frames() const
    {
        QStringList names;
        for (QFrame *frame : window->findChildren<QFrame *>(Qt::FindDirectChildrenOnly))
            if (frame->objectName().startsWith("Area"))
                names << frame->objectName();
        return names;
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

TEST_F(SettingsFrameTest, TheWindowHoldsEveryRegisteredPageFrameWhole)
{
    // A page standing lower than the others (the calendar's, at (8, 8)).
    pages.add({PageCalendar, "AreaCal", {8, 8}, "Tockara カレンダー",
               [](const PageEnvironment &) -> std::unique_ptr<SettingsPage> {
                   struct Empty : SettingsPage {
                       void Open() override {}
                   };
                   return std::make_unique<Empty>();
               }});
    for (qint16 page : {qint16(PageCalendar), qint16(PageSize)}) {
        SettingsWindow &w = open(page);
        EXPECT_EQ(w.size(), QSize(297, 225)) << page;
    }
    EXPECT_TRUE(window->rect().contains(control<QFrame>("AreaSize")->geometry()));
}

TEST_F(SettingsFrameTest, EachPageShowsOnlyItsOwnFrameUnderItsTitle)
{
    const struct { qint16 page; const char *frame, *apply; } cases[] = {
        {1, "AreaSize", "BTN0"}, {2, "AreaAlarm", "BTN1"},
        {3, "AreaThick", "BTN2"}, {8, "AreaDigi", "BTN10"},
    };
    for (const auto &p : cases) {
        SettingsWindow &w = open(p.page);
        EXPECT_EQ(w.windowTitle(), "Tockara [設定]") << p.page;
        EXPECT_EQ(frames(), QStringList{p.frame}) << p.page;
        auto *frame = control<QFrame>(p.frame);
        EXPECT_EQ(frame->geometry(), QRect(8, 0, 281, 217)) << p.page;
        EXPECT_TRUE(frame->isVisible() || !w.isVisible());
        auto *apply = control<QPushButton>(p.apply);
        EXPECT_EQ(apply->parent(), frame) << p.page;
        EXPECT_EQ(apply->text(), "確定") << p.page;
        EXPECT_EQ(apply->geometry(), QRect(8, 184, 65, 25)) << p.page;
    }
}

TEST_F(SettingsFrameTest, ARequestWithoutAPageShowsTheBareWindow)
{
    for (qint16 page : {qint16(PageMemo), qint16(99), qint16(0), qint16(-1), qint16(PageCD)}) {
        SettingsWindow &w = open(page);
        EXPECT_EQ(w.windowTitle(), "Tockara [設定]") << page;
        EXPECT_TRUE(frames().isEmpty()) << page;
        EXPECT_EQ(w.page(), nullptr) << page;
        EXPECT_TRUE(ctx.ToolWindowOpen) << page;
        click("CBTN");
        EXPECT_FALSE(ctx.ToolWindowOpen) << page;
    }
}

TEST_F(SettingsFrameTest, CloseKeepsEverySettingOnEveryPage)
{
    const Settings before = ctx.settings();
    for (qint16 page : {qint16(1), qint16(2), qint16(3), qint16(8), qint16(PageChime)}) {
        open(page);
        // Edit everything the page offers.
        for (QLineEdit *edit : window->findChildren<QLineEdit *>())
            edit->setText("12");
        for (QCheckBox *box : window->findChildren<QCheckBox *>())
            box->toggle();
        for (QComboBox *list : window->findChildren<QComboBox *>())
            list->setCurrentIndex(0);
        fakes.choosers->colors = {Qt::red, Qt::red, Qt::red, Qt::red};
        for (ColorSwatch *swatch : window->findChildren<ColorSwatch *>())
            swatch->ChooseColor();
        for (QRadioButton *option : window->findChildren<QRadioButton *>())
            option->click();

        click("CBTN");
        EXPECT_FALSE(ctx.ToolWindowOpen) << page;
        EXPECT_EQ(window->result(), QDialog::Accepted) << page;
        EXPECT_TRUE(sameSettings(ctx.settings(), before)) << page;
        EXPECT_FALSE(savedFileExists()) << page;
        EXPECT_TRUE(watch.announced.isEmpty()) << page;
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

TEST_F(SettingsFrameTest, EnterPressesTheFocusedButtonButNeverAppliesFromAField)
{
    open(1);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(0, "100");
    field(0)->setFocus();
    QTest::keyClick(field(0), Qt::Key_Return);
    EXPECT_TRUE(window->isVisible()) << "Enter in a field applied the page";
    EXPECT_FALSE(savedFileExists());

    control<QPushButton>("BTN0")->setFocus();
    QTest::keyClick(control<QPushButton>("BTN0"), Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(saved().Setting.Width, 100);

    open(2);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    control<QPushButton>("CBTN")->setFocus();
    QTest::keyClick(control<QPushButton>("CBTN"), Qt::Key_Enter);
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

TEST_F(SpinButtonTest, OnAScaledScreenTheSheetIsScaledWithoutSmoothing)
{
    open(1);
    press(0, 2);
    QImage drawn(36, 36, QImage::Format_RGB32);
    drawn.setDevicePixelRatio(2);
    spin(0)->render(&drawn);
    drawn.setDevicePixelRatio(1);
    auto doubled = [](const QImage &half) {
        return half.scaled(36, 18, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };
    EXPECT_EQ(drawn.copy(0, 0, 36, 18), doubled(SpriteSheet().copy(18, 0, 18, 9)));   // sunken
    EXPECT_EQ(drawn.copy(0, 18, 36, 18), doubled(SpriteSheet().copy(0, 9, 18, 9)));   // raised
}

class FieldFocusTest : public SettingsWindowTest {
protected:
    void focusIn(int index, Qt::FocusReason reason)
    {
        field(index)->deselect();
        QFocusEvent event(QEvent::FocusIn, reason);
        QApplication::sendEvent(field(index), &event);
    }
};

TEST_F(FieldFocusTest, ArrivingSelectsTheWholeTextReturningKeepsTheUsersSelection)
{
    open(2);
    const struct { Qt::FocusReason reason; bool selects; } cases[] = {
        {Qt::TabFocusReason, true},   {Qt::BacktabFocusReason, true},
        {Qt::MouseFocusReason, true}, {Qt::OtherFocusReason, true},
        {Qt::ShortcutFocusReason, true},
        // After the field's context menu (Paste, Delete) or coming back from
        // another program, the user's own selection stays.
        {Qt::PopupFocusReason, false}, {Qt::ActiveWindowFocusReason, false},
    };
    // Each field's first focus comes with the page opening.
    for (int index = 2; index <= 5; ++index) {
        type(index, "テキスト");
        focusIn(index, Qt::ActiveWindowFocusReason);
        EXPECT_EQ(field(index)->selectedText(), "テキスト") << index;
    }
    for (const auto &c : cases) {
        for (int index = 2; index <= 5; ++index) {
            type(index, "テキスト" + QString::number(index));
            focusIn(index, c.reason);
            EXPECT_EQ(field(index)->selectedText() == field(index)->text(), c.selects)
                << index << " reason " << c.reason;
        }
    }
}

TEST_F(FieldFocusTest, TheClickThatFocusesAFieldKeepsTheSelection)
{
    open(2);
    type(4, "時間です");
    focusIn(4, Qt::MouseFocusReason);
    QTest::mouseClick(field(4), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(field(4)->selectedText(), "時間です");
    // Later clicks place the cursor as usual.
    QTest::mouseClick(field(4), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(field(4)->hasSelectedText());
}

TEST_F(FieldFocusTest, UpAndDownStepANumberFieldWithinItsSpinRange)
{
    open(2);
    type(2, "22");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field(2), Qt::Key_Up);
    EXPECT_EQ(field(2)->text(), "23");
    type(3, "1");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(field(3), Qt::Key_Down);
    EXPECT_EQ(field(3)->text(), "0");
    // The comment is no number field: its keys stay its own.
    type(4, "abc");
    QTest::keyClick(field(4), Qt::Key_Up);
    EXPECT_EQ(field(4)->text(), "abc");
}

TEST_F(FieldFocusTest, ASwatchTakesTheFocusAndOpensItsChooserWithSpaceOrEnter)
{
    open(8);
    auto *swatch = control<ColorSwatch>("DspCol1");
    EXPECT_EQ(swatch->focusPolicy(), Qt::StrongFocus);
    fakes.choosers->colors = {QColor(0x10, 0x20, 0x30), QColor(0x40, 0x50, 0x60)};
    QTest::keyClick(swatch, Qt::Key_Space);
    EXPECT_EQ(swatch->color(), 0x302010);
    QTest::keyClick(swatch, Qt::Key_Return);
    EXPECT_EQ(swatch->color(), 0x605040);
    EXPECT_EQ(fakes.choosers->colorRequests, 2);
}

} // namespace
