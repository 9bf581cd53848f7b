#include <gtest/gtest.h>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "calendar/calendar_data.h"
#include "calendar/ui/note_window.h"
#include "calendar/notes.h"
#include "context/context.h"
#include "context/pages.h"
#include "face/fonts.h"
#include "platform/linux/linux_services.h"
#include "settings/profile.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

class NoteWindowTest : public ::testing::Test {
protected:
    NoteWindowTest() : ctx(fakes.services, folder.path())
    {
    }

    template <typename T> static T *Find(NoteWindow &window, const char *name)
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString Text(NoteWindow &w) { return Find<QPlainTextEdit>(w, "FLD0")->toPlainText(); }
    static void Type(NoteWindow &w, const QString &text)
    {
        Find<QPlainTextEdit>(w, "FLD0")->setPlainText(text);
    }
    static void Click(NoteWindow &w, const char *button) { Find<QPushButton>(w, button)->click(); }

    void OpenDiaryDay(qint16 y, qint16 m, qint16 d)
    {
        ctx.PageRequest = PageCalendar;
        ctx.notes.DiaryDate = {y, m, d};
    }

    TempFolder folder;
    FakeServices fakes;
    Context ctx;
};

TEST_F(NoteWindowTest, ControlsStandWhereTheFormPutsThem)
{
    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    EXPECT_EQ(window.objectName(), "frmToDo");
    EXPECT_EQ(Find<QFrame>(window, "BORD1")->geometry(), QRect(8, 8, 241, 177));
    EXPECT_EQ(Find<QLabel>(window, "LBL2")->geometry(), QRect(8, 8, 129, 17));
    EXPECT_EQ(Find<QLabel>(window, "LBL3")->text(), QStringLiteral("10行までしか記録されません。"));
    EXPECT_EQ(Find<QPlainTextEdit>(window, "FLD0")->geometry(), QRect(8, 40, 225, 129));
    EXPECT_EQ(Find<QPushButton>(window, "BTN0")->text(), QStringLiteral("登録"));
    EXPECT_EQ(Find<QPushButton>(window, "BTN0")->geometry(), QRect(8, 192, 65, 25));
    EXPECT_EQ(Find<QPushButton>(window, "BTN1")->text(), QStringLiteral("閉じる"));
    EXPECT_EQ(Find<QPushButton>(window, "BTN1")->geometry(), QRect(184, 192, 65, 25));
}

TEST_F(NoteWindowTest, DiaryModeShowsTheDaysLinesWithTheirGaps)
{
    ctx.notes.DiaryLines[0] = "one";
    ctx.notes.DiaryLines[2] = "three";
    SaveDiaryDay(ctx.notes, folder.path(), 1999, 12, 6);
    OpenDiaryDay(1999, 12, 6);

    NoteWindow window(ctx);
    EXPECT_EQ(window.mode(), NoteWindow::Mode::Diary);
    EXPECT_TRUE(ctx.ToolWindowOpen);
    EXPECT_EQ(window.windowTitle(), "1999/12/6");
    EXPECT_EQ(Find<QLabel>(window, "LBL2")->text(), QStringLiteral("日記帳"));
    EXPECT_EQ(Find<QFrame>(window, "BORD1")->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
    EXPECT_EQ(Text(window), "one\n\nthree");
}

TEST_F(NoteWindowTest, DiaryStoreKeepsTenLinesAndClosesWithToolWindowStillOpen)
{
    OpenDiaryDay(2000, 2, 29);
    NoteWindow window(ctx);
    window.show();
    QStringList typed;
    for (int i = 1; i <= 12; ++i)
        typed << QStringLiteral("行%1").arg(i);
    Type(window, typed.join("\n"));
    Click(window, "BTN0");

    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(ctx.ToolWindowOpen);   // the calendar page that opened it is still open
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
    NoteData reader;
    EXPECT_EQ(LoadDiaryDay(reader, folder.path(), 2000, 2, 29), 10);
    EXPECT_EQ(reader.DiaryLines[9], QStringLiteral("行10"));
    EXPECT_EQ(reader.DiaryFilePath, folder.file("NIKI2000.txt"));
}

TEST_F(NoteWindowTest, DiaryOpenedAndStoredUnchangedLosesNothing)
{
    ctx.notes.DiaryLines = {QStringLiteral("  先頭の空白"), "", "\"q\"", QString(300, u'x')};
    SaveDiaryDay(ctx.notes, folder.path(), 2001, 5, 5);
    const NoteLines before = ctx.notes.DiaryLines;
    OpenDiaryDay(2001, 5, 5);
    {
        NoteWindow window(ctx);
        Click(window, "BTN0");
    }
    NoteData reader;
    EXPECT_EQ(LoadDiaryDay(reader, folder.path(), 2001, 5, 5), 4);
    EXPECT_EQ(reader.DiaryLines, before);
}

TEST_F(NoteWindowTest, DiaryCloseStoresNothing)
{
    OpenDiaryDay(2000, 1, 1);
    NoteWindow window(ctx);
    window.show();
    Type(window, "never stored");
    Click(window, "BTN1");
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(QFile::exists(folder.file("NIKI2000.txt")));
}

TEST_F(NoteWindowTest, CloseBoxKeepsToolWindowOpenForTheDiaryOnlyAndStoresNothing)
{
    OpenDiaryDay(2000, 1, 1);
    {
        NoteWindow window(ctx);
        window.show();
        Type(window, "never stored");
        window.close();
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(ctx.ToolWindowOpen);
    EXPECT_FALSE(QFile::exists(folder.file("NIKI2000.txt")));

    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    window.show();
    Type(window, "never stored");
    window.close();
    EXPECT_FALSE(ctx.ToolWindowOpen);
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
    EXPECT_EQ(ReadIniValue("Fusen", "0", "missing", ctx.settingsPath()), "missing");
}

TEST_F(NoteWindowTest, EscapeAsksBeforeThrowingAwayChangedText)
{
    ctx.notes.MemoLines[0] = "old";
    ctx.notes.MemoLineCount = 1;
    const struct {
        qint16 page;
        const char *typed;   // nullptr: left as opened
        MessageAnswer answer;
        bool asked;
        bool closed;
    } cases[] = {
        {PageCalendar, nullptr, MessageAnswer::No, false, true},
        {PageMemo, nullptr, MessageAnswer::No, false, true},
        {PageMemo, "old", MessageAnswer::No, false, true},   // typed back as it was
        {PageCalendar, "typed", MessageAnswer::No, true, false},
        {PageMemo, "typed", MessageAnswer::No, true, false},
        {PageMemo, "", MessageAnswer::No, true, false},
        {PageCalendar, "typed", MessageAnswer::Yes, true, true},
    };
    for (const auto &c : cases) {
        const std::string what = std::to_string(c.page) + " " + (c.typed ? c.typed : "(unchanged)");
        OpenDiaryDay(2000, 1, 1);
        ctx.PageRequest = c.page;
        fakes.messages->shown.clear();
        fakes.messages->answers = {c.answer};
        NoteWindow window(ctx);
        window.show();
        if (c.typed)
            Type(window, QString::fromUtf8(c.typed));
        QTest::keyClick(Find<QPlainTextEdit>(window, "FLD0"), Qt::Key_Escape);

        EXPECT_EQ(window.isVisible(), !c.closed) << what;
        ASSERT_EQ(fakes.messages->shown.size(), c.asked ? 1 : 0) << what;
        if (c.asked) {
            EXPECT_EQ(fakes.messages->shown[0].text, QStringLiteral("書いた内容を登録せずに閉じますか？"));
            EXPECT_EQ(fakes.messages->shown[0].title, QStringLiteral("確認"));
            EXPECT_EQ(fakes.messages->shown[0].buttons, MessageButtons::YesNoDefaultNo);
        }
        if (c.typed && !c.closed) {
            EXPECT_EQ(Text(window), QString::fromUtf8(c.typed)) << what;
        }
    }
    EXPECT_FALSE(QFile::exists(folder.file("NIKI2000.txt")));
    EXPECT_EQ(ReadIniValue("Fusen", "0", "missing", ctx.settingsPath()), "missing");
}

// The question after an Escape, on the real box: Return (its default
// button) keeps the window and the text, as a slip of the finger should.
TEST_F(NoteWindowTest, ReturnOnTheDiscardQuestionKeepsTheText)
{
    std::unique_ptr<MessageBoxService> fake = std::exchange(fakes.services.messages, MakeLinuxServices().messages);
    for (const qint16 page : {PageCalendar, PageMemo}) {
        OpenDiaryDay(2000, 1, 1);
        ctx.PageRequest = page;
        NoteWindow window(ctx);
        window.show();
        Type(window, "typed");
        bool asked = false;
        QTimer::singleShot(0, [&asked] {
            QWidget *box = QApplication::activeModalWidget();
            asked = box && box->inherits("QMessageBox");
            if (box)
                QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(Find<QPlainTextEdit>(window, "FLD0"), Qt::Key_Escape);
        EXPECT_TRUE(asked) << page;
        EXPECT_TRUE(window.isVisible()) << page;
        EXPECT_EQ(Text(window), "typed") << page;
    }
    fakes.services.messages = std::move(fake);
}

TEST_F(NoteWindowTest, TabMovesTheFocusOnInsteadOfTypingATab)
{
    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto *text = Find<QPlainTextEdit>(window, "FLD0");
    text->setFocus();
    QTest::keyClicks(text, "a");
    QTest::keyClick(text, Qt::Key_Tab);
    EXPECT_EQ(Text(window), "a");
    EXPECT_NE(window.focusWidget(), text);
}

TEST_F(NoteWindowTest, TheWarningStandsClearOfTheTextBox)
{
    InstallFontSubstitutions();
    ctx.PageRequest = PageCalendar;
    NoteWindow window(ctx);
    window.show();
    auto *warning = Find<QLabel>(window, "LBL3");
    const int hidden = Find<QPlainTextEdit>(window, "FLD0")->y() - warning->y();
    ASSERT_GT(hidden, 0);
    ASSERT_LT(hidden, warning->height());
    // Drawn alone, the label must have no ink in the strip the text box covers.
    const QImage drawn = warning->grab().toImage();
    int ink = 0, inkAbove = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            if (qGray(drawn.pixel(x, y)) < 128)
                ++(y < hidden ? inkAbove : ink);
        }
    }
    EXPECT_GT(inkAbove, 100);
    EXPECT_EQ(ink, 0);
}

TEST_F(NoteWindowTest, MemoModeShowsTheCountedMemoLines)
{
    ctx.notes.MemoLines[0] = "a";
    ctx.notes.MemoLines[1] = "b";
    ctx.notes.MemoLineCount = 2;
    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ちょいメモ設定"));
    EXPECT_EQ(Find<QLabel>(window, "LBL2")->text(), QStringLiteral("ちょいメモ"));
    EXPECT_EQ(Find<QFrame>(window, "BORD1")->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(Text(window), "a\nb");
}

TEST_F(NoteWindowTest, MemoStoreAsksFirstAndNoKeepsTheWindowOpen)
{
    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    window.show();
    Type(window, "typed");
    fakes.messages->answers.push_back(MessageAnswer::No);
    Click(window, "BTN0");

    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].text, QStringLiteral("登録します"));
    EXPECT_EQ(fakes.messages->shown[0].title, QStringLiteral("確認"));
    EXPECT_EQ(fakes.messages->shown[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(ctx.ToolWindowOpen);
    EXPECT_EQ(Text(window), "typed");
    EXPECT_EQ(ReadIniValue("Fusen", "0", "missing", ctx.settingsPath()), "missing");
}

TEST_F(NoteWindowTest, MemoStoreOnYesSavesJoinsAndClosesTheToolWindow)
{
    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    window.show();
    Type(window, "\n\n\n\n牛乳\n");
    fakes.messages->answers.push_back(MessageAnswer::Yes);
    Click(window, "BTN0");

    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(ctx.ToolWindowOpen);
    EXPECT_EQ(ctx.notes.MemoLineCount, 5);
    EXPECT_EQ(ctx.notes.MemoText, QStringLiteral("\r\n\r\n\r\n\r\n牛乳"));
    NoteData reader;
    EXPECT_EQ(LoadMemo(reader, ctx.settingsPath()), 5);
    EXPECT_EQ(reader.MemoLines[4], QStringLiteral("牛乳"));
}

TEST_F(NoteWindowTest, EmptyingTheMemoClearsItsText)
{
    ctx.notes.MemoLines[0] = "old";
    ctx.notes.MemoLineCount = 1;
    JoinMemo(ctx.notes);
    ctx.PageRequest = PageMemo;
    NoteWindow window(ctx);
    Type(window, "");
    Click(window, "BTN0");
    EXPECT_EQ(ctx.notes.MemoLineCount, 0);
    EXPECT_EQ(ctx.notes.MemoText, "");
}

TEST(NoteWindowStoreFailureTest, ANoteThatCannotBeStoredKeepsTheWindowOpenWithItsText)
{
    TempFolder folder;
    // A "folder" below a plain file can never be created or written.
    folder.writeBytes("plain", "x");
    for (const qint16 page : {qint16(PageCalendar), qint16(PageMemo)}) {
        FakeServices fakes;
        Context ctx(fakes.services, folder.file("plain/program"));
        ctx.notes.MemoLines[0] = "old";
        ctx.notes.MemoLineCount = 1;
        JoinMemo(ctx.notes);
        ctx.notes.DiaryDate = {2026, 12, 7};
        ctx.PageRequest = page;
        NoteWindow window(ctx);
        window.show();
        window.findChild<QPlainTextEdit *>("FLD0")->setPlainText(QStringLiteral("牛乳を買う"));
        window.findChild<QPushButton *>("BTN0")->click();

        EXPECT_TRUE(window.isVisible()) << page;
        EXPECT_EQ(window.findChild<QPlainTextEdit *>("FLD0")->toPlainText(), QStringLiteral("牛乳を買う")) << page;
        ASSERT_FALSE(fakes.messages->shown.isEmpty()) << page;
        const auto &told = fakes.messages->shown.last();
        EXPECT_EQ(told.title, "Tockara") << page;
        EXPECT_TRUE(told.text.contains(folder.file("plain/program"))) << told.text.toStdString();
        // The hover window goes on showing the memo that is stored.
        EXPECT_EQ(ctx.notes.MemoText, "old") << page;
        EXPECT_TRUE(ctx.ToolWindowOpen) << page;
        window.reject();
    }
}

TEST_F(NoteWindowTest, OtherPagesSetUpNothing)
{
    ctx.PageRequest = 3;
    NoteWindow window(ctx);
    EXPECT_EQ(window.mode(), NoteWindow::Mode::None);
    EXPECT_EQ(Find<QLabel>(window, "LBL2")->text(), "");
    Click(window, "BTN0");
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
}

TEST_F(NoteWindowTest, OpenNoteWindowWaitsUntilClosedAndStaysOnTop)
{
    ctx.PageRequest = PageMemo;
    bool sawWindow = false;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *note = qobject_cast<NoteWindow *>(w);
            if (note && note->isVisible()) {
                sawWindow = note->isModal() && (note->windowFlags() & Qt::WindowStaysOnTopHint);
                EXPECT_TRUE(ctx.ToolWindowOpen);
                note->findChild<QPushButton *>("BTN1")->click();
            }
        }
    });
    // Should the window not be found, close it anyway rather than wait forever.
    QObject guard;
    QTimer::singleShot(5000, &guard, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    OpenNoteWindow(ctx, nullptr);
    EXPECT_TRUE(sawWindow);
    EXPECT_FALSE(ctx.ToolWindowOpen);
}

} // namespace
