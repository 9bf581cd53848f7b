// The shipped help page and how it is opened.
#include <gtest/gtest.h>

#include <QFile>

#include "desktop/help_page.h"
#include "menu/ui/menu_table.h"
#include "platform/program_launcher.h"
#include "support/fake_services.h"

namespace {

TEST(HelpPageTest, TheShippedPageExplainsEveryMenuItem)
{
    QFile file(HelpPagePath(TOCKARA_DATA_DIR));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll()).replace("&amp;", "&");
    ASSERT_TRUE(page.contains("<html lang=\"ja\">"));
    EXPECT_FALSE(page.contains("http://") || page.contains("https://") || page.contains("src="))
        << "the page stands alone, without anything from outside";
    for (const MenuTableEntry &item : PopupMenuTable()) {
        const QString caption = QString::fromUtf8(item.caption);
        if (!caption.isEmpty() && caption != "(空)") {
            EXPECT_TRUE(page.contains(caption)) << item.caption;
        }
    }
}

TEST(HelpPageTest, ThePageOpensInTheProgramFolderOrWithTheProgramAssociatedWithIt)
{
    FakeServices fakes;
    OpenHelpPage("/opt/tockara", *fakes.programs);
    ASSERT_EQ(fakes.programs->requests.size(), 1);
    EXPECT_EQ(fakes.programs->requests[0].target, "/opt/tockara/help/help.htm");
    EXPECT_EQ(fakes.programs->requests[0].workFolder, "/opt/tockara/");

    // No browser the desktop knows: the program associated with the page.
    fakes.programs->requests.clear();
    fakes.programs->openResults = {ShellResult::NoAssociation};
    fakes.programs->executables = {"/usr/bin/lynx"};
    OpenHelpPage("/opt/tockara", *fakes.programs);
    ASSERT_EQ(fakes.programs->requests.size(), 3);
    EXPECT_EQ(fakes.programs->requests[2].call, FakeProgramLauncher::Call::Start);
    EXPECT_EQ(fakes.programs->requests[2].target, "/usr/bin/lynx");
}

} // namespace
