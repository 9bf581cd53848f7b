// The shipped help page and how it is opened.
#include <gtest/gtest.h>

#include <QFile>

#include "launcher/help_page.h"
#include "launcher/ui/menu_table.h"

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

TEST(HelpPageTest, ThePageIsOpenedInTheProgramFolder)
{
    QString opened, in;
    OpenHelpPage("/opt/tockara", [&](const QString &file, const QString &directory) {
        opened = file;
        in = directory;
    });
    EXPECT_EQ(opened, "/opt/tockara/help/help.htm");
    EXPECT_EQ(in, "/opt/tockara/");
}

} // namespace
