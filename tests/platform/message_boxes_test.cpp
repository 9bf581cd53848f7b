// The program's message boxes on the toolkit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractScrollArea>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/linux/linux_services.h"
#include "support/box_faults.h"

namespace {

// A box that the program shows while it goes on (an alarm) is answered while
// a modal window of the program (the calendar, a settings page, the memo)
// stays open: it is above every window, has the focus, and Return reaches it.
TEST(NotifiedBox, IsOnTopFocusedAndAnsweredWhileAModalWindowStaysOpen)
{
    Services services = MakeLinuxServices();
    QWidget clock;
    clock.show();
    QDialog calendar(&clock);
    calendar.setWindowModality(Qt::ApplicationModal);   // as exec() shows it
    calendar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calendar));

    bool answered = false;
    services.messages->notify(&clock, QStringLiteral("会議です"), QStringLiteral("Tockara"),
                              MessageIcon::Information, [&answered] { answered = true; });
    QMessageBox *box = OpenMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(QApplication::activeModalWidget(), box);

    // Through the window system, as a key press of the user comes.
    QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 2000)) << "Return did not reach the box";
    EXPECT_TRUE(calendar.isVisible());
    EXPECT_EQ(OpenMessageBox(), nullptr);
}

// Every box shows its whole text, as written: a short text under a title
// the title bar must show whole; a line longer than the box may be wide
// (Japanese, a path without blanks) wraps near two thirds of the screen,
// not sooner; a list longer than the screen scrolls; markup is text.
TEST(MessageBoxes, ShowTheirWholeTextWrappedAndScrolled)
{
    Services services = MakeLinuxServices();
    const QString list = QStringList(200, QStringLiteral("フォルダ/ファイル名.txt")).join(u'\n');
    const struct {
        const char *what;
        QString text, title;
        bool wraps, scrolls;
    } cases[] = {
        {"short", "x", "Tockara", false, false},
        {"empty", "", "Tockara ランチャーの確認", false, false},
        {"comment", QString(5, u'x') + QStringLiteral("会議室Ａで週次の進捗会議があります。資料を印刷して持っていくこと。"), "Tockara", false, false},
        {"long comment", QStringLiteral("会議室Ａで週次の進捗会議があります。").repeated(8), "Tockara", true, false},
        {"path", "/home/" + QString(300, u'a') + "/Tockara.ini\n\n書き込めるか確かめてください。", "Tockara", true, false},
        {"markup", "a<img src=x width=900 height=300><!--.desktop", "Tockara", false, false},
        {"list", "解凍できなかったファイル:\n" + list, "Tockara", false, true},
    };
    // Waited for (show), notified, asked with three buttons.
    const struct {
        bool waited;
        QStringList choices;
    } ways[] = {{true, {}}, {false, {}}, {false, {"置き換える", "両方残す", "スキップ"}}};
    for (const auto &way : ways) {
        for (const auto &c : cases) {
            const FakeMessageBoxes::Shown shown{c.text, c.title, MessageButtons::YesNo, MessageIcon::Question,
                                                way.waited, way.choices};
            const std::string what = c.what + (way.waited ? std::string(" shown") : " " + std::to_string(way.choices.size()));
            WithShownBox(*services.messages, shown, [&](QMessageBox &box) {
                EXPECT_EQ(BoxFaults(box, c.text, c.title), "") << what;
                const auto *label = box.findChild<QLabel *>("MessageText");
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->text().count(u'\n') > c.text.count(u'\n'), c.wraps) << what;
                const int screen = box.screen()->availableGeometry().width();
                if (c.wraps) {
                    EXPECT_GT(box.width(), screen / 2) << what << ": wrapped too soon";
                }
                auto *area = box.findChild<QAbstractScrollArea *>("MessageTextArea");
                ASSERT_NE(area, nullptr);
                EXPECT_EQ(area->verticalScrollBar()->isVisible(), c.scrolls) << what;
            });
        }
    }
}

// Return presses the default button: Yes where Yes is safe, No where Yes
// would throw work away; Escape and the title bar's close are the safe
// answer.
TEST(MessageBoxes, ReturnAndEscapeGiveTheSafeAnswer)
{
    Services services = MakeLinuxServices();
    const struct {
        MessageButtons buttons;
        Qt::Key key;
        MessageAnswer answer;
    } cases[] = {
        {MessageButtons::YesNo, Qt::Key_Return, MessageAnswer::Yes},
        {MessageButtons::YesNo, Qt::Key_Escape, MessageAnswer::No},
        {MessageButtons::YesNoDefaultNo, Qt::Key_Return, MessageAnswer::No},
        {MessageButtons::YesNoDefaultNo, Qt::Key_Escape, MessageAnswer::No},
        {MessageButtons::OkCancel, Qt::Key_Escape, MessageAnswer::Cancel},
        {MessageButtons::Ok, Qt::Key_Escape, MessageAnswer::Ok},
    };
    for (const auto &c : cases) {
        QTimer::singleShot(0, [&c] {
            QMessageBox *box = OpenMessageBox();
            ASSERT_NE(box, nullptr);
            QTest::keyClick(box, c.key);
        });
        EXPECT_EQ(services.messages->show(nullptr, "?", "確認", c.buttons, MessageIcon::None), c.answer)
            << int(c.buttons) << " " << c.key;
    }
}

TEST(NotifiedBox, EndsWithItsOwner)
{
    Services services = MakeLinuxServices();
    auto owner = std::make_unique<QWidget>();
    services.messages->notify(owner.get(), QStringLiteral("x"), QStringLiteral("Tockara"), MessageIcon::None);
    ASSERT_NE(OpenMessageBox(), nullptr);
    owner.reset();
    EXPECT_TRUE(QTest::qWaitFor([] { return OpenMessageBox() == nullptr; }, 2000));
}

} // namespace
