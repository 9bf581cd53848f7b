// The shipped help page and how it is opened.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "desktop/help_page.h"
#include "menu/ui/menu_table.h"
#include "platform/program_launcher.h"
#include "support/fake_services.h"

namespace {

TEST(HelpPageTest, TheShippedPageExplainsEveryMenuItemAsTheMenuShowsIt)
{
    QFile file(HelpPagePath(TOCKARA_DATA_DIR));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll()).replace("&amp;", "&");
    ASSERT_TRUE(page.contains("<html lang=\"ja\">"));
    EXPECT_FALSE(page.contains("http://") || page.contains("https://") || page.contains("src="))
        << "the page stands alone, without anything from outside";
    // The menu shows "(&C)" as an underlined C: the page names the item without it.
    const QRegularExpression accelerator(QStringLiteral("\\(&.\\)"));
    EXPECT_FALSE(page.contains(accelerator));
    for (const MenuTableEntry &item : PopupMenuTable()) {
        const QString caption = QString::fromUtf8(item.caption).remove(accelerator);
        if (!caption.isEmpty() && caption != "(空)") {
            EXPECT_TRUE(page.contains(caption)) << item.caption;
        }
    }
    EXPECT_FALSE(page.contains("今のところ使われません")) << "an alarm's file plays its sound";
}

TEST(HelpPageTest, ThePageOpensAsADocumentOrWithTheApplicationAssociatedWithIt)
{
    using Call = FakeProgramLauncher::Call;
    const QString page = "/opt/tockara/help/help.htm";
    const struct {
        const char *what;
        int opened;                      // what the desktop's opener answers
        QStringList associated;          // the associated application's command
        QList<Call> calls;
        bool told;                       // a message names xdg-utils
    } cases[] = {
        {"opened", ShellResult::Opened, {}, {Call::OpenDocument}, false},
        {"no association, a browser", ShellResult::NoAssociation, {"/usr/bin/lynx", "-x", page},
         {Call::OpenDocument, Call::AssociatedCommand, Call::Start}, false},
        {"no opener, a browser", ShellResult::NoOpener, {"/usr/bin/lynx", page},
         {Call::OpenDocument, Call::AssociatedCommand, Call::Start}, false},
        {"no opener, nothing else", ShellResult::NoOpener, {}, {Call::OpenDocument, Call::AssociatedCommand}, true},
        {"no association at all", ShellResult::NoAssociation, {}, {Call::OpenDocument, Call::AssociatedCommand},
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        FakeServices fakes;
        fakes.programs->openResults = {c.opened};
        if (!c.associated.isEmpty())
            fakes.programs->commands = {c.associated};
        OpenHelpPage("/opt/tockara", *fakes.programs, *fakes.messages);
        QList<Call> calls;
        for (const auto &request : fakes.programs->requests)
            calls << request.call;
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(fakes.programs->requests[0].target, page);
        EXPECT_EQ(fakes.programs->requests[0].workFolder, "/opt/tockara/");
        if (calls.size() == 3) {
            // The whole command, run in the program's own folder.
            EXPECT_EQ(QStringList{fakes.programs->requests[2].target} + fakes.programs->requests[2].arguments,
                      c.associated);
            EXPECT_EQ(fakes.programs->requests[2].workFolder, "/usr/bin");
        }
        ASSERT_EQ(fakes.messages->shown.size(), c.told ? 1 : 0);
        if (c.told) {
            EXPECT_TRUE(fakes.messages->shown[0].text.contains("xdg-utils"));
        }
    }
}

} // namespace
