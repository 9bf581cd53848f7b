// The Exec line of the desktop's launcher files.
#include <gtest/gtest.h>

#include "platform/desktop_entry.h"

namespace {

TEST(DesktopLauncher, ExecLineWords)
{
    struct Case {
        const char *exec;
        QStringList words;
    } cases[] = {
        {"firefox %u", {"firefox"}},
        {"app --size=100%% %f tail", {"app", "--size=100%", "tail"}},
        {R"("/a b/c" "q\"uote" "back\\slash")", {"/a b/c", "q\"uote", "back\\slash"}},
        {"  spaced\t\targs  ", {"spaced", "args"}},
        {"%i %c %k", {}},
        {"\"unterminated", {"unterminated"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SplitExecLine(QString::fromUtf8(c.exec)), c.words) << c.exec;
    // The value escapes come first: "\s" is a blank inside the Exec value.
    EXPECT_EQ(ParseDesktopEntry("[Desktop Entry]\nExec=a\\sb\n").exec, "a b");
}

TEST(DesktopLauncher, AWrittenExecWordReadsBackWhole)
{
    const char *programs[] = {
        "/usr/local/bin/tockara",
        "/home/a b/build/tockara",
        R"(/tmp/100%/"q" `c` $HOME\x/tockara)",
        "/時計/tab\there/tockara",
    };
    for (const char *program : programs) {
        const QString word = QString::fromUtf8(program);
        const QString line = "[Desktop Entry]\nExec=" + DesktopEntryValue(ExecLineWord(word)) + " %U\n";
        EXPECT_EQ(SplitExecLine(ParseDesktopEntry(line.toUtf8()).exec), QStringList{word}) << program;
    }
}

} // namespace
