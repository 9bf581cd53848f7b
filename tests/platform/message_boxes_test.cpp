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
