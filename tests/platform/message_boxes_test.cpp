// The program's message boxes on the toolkit.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>

#include "platform/linux/linux_services.h"

namespace {

QMessageBox *OpenBox()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            return box;
    return nullptr;
}

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
    QMessageBox *box = OpenBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(box));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(QApplication::activeModalWidget(), box);

    // Through the window system, as a key press of the user comes.
    QTest::keyClick(box->windowHandle(), Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return answered; }, 2000)) << "Return did not reach the box";
    EXPECT_TRUE(calendar.isVisible());
    EXPECT_EQ(OpenBox(), nullptr);
}

// Under a window manager the box's title must read whole: every box, however
// short its text, leaves the title bar room for the title, the window icon
// and three buttons.
TEST(MessageBoxes, AreWideEnoughForTheirTitle)
{
    Services services = MakeLinuxServices();
    struct Case { const char *text; const char *title; MessageIcon icon; };
    const Case cases[] = {
        {"x", "Tockara", MessageIcon::Information},
        {"", "Tockara", MessageIcon::None},
        {"会議です", "Tockara", MessageIcon::Information},
        {"5:ファイルが見つかりません。", "Tockara ランチャーの確認", MessageIcon::Warning},
    };
    for (const Case &c : cases) {
        services.messages->notify(nullptr, QString::fromUtf8(c.text), QString::fromUtf8(c.title), c.icon);
        QMessageBox *box = OpenBox();
        ASSERT_NE(box, nullptr);
        QFont bold = box->font();
        bold.setBold(true);
        // The window icon and three buttons take about 24 pixels each, the frame the rest.
        const int needed = QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(c.title)) + 4 * 24 + 40;
        EXPECT_GE(box->width(), needed) << c.text << " / " << c.title;
        delete box;
    }
}

TEST(NotifiedBox, EndsWithItsOwner)
{
    Services services = MakeLinuxServices();
    auto owner = std::make_unique<QWidget>();
    services.messages->notify(owner.get(), QStringLiteral("x"), QStringLiteral("Tockara"), MessageIcon::None);
    ASSERT_NE(OpenBox(), nullptr);
    owner.reset();
    EXPECT_TRUE(QTest::qWaitFor([] { return OpenBox() == nullptr; }, 2000));
}

} // namespace
