// The Exec line of the desktop's launcher files.
#include <gtest/gtest.h>

#include "platform/desktop_entry.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

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

TEST(DesktopLauncher, WhetherDesktopsListTheEntry)
{
    TempFolder bin;
    EnvironmentValue path("PATH", QFile::encodeName(bin.path()));
    const QString present = bin.writeBytes("present", "#!/bin/sh\n");
    QFile(present).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    bin.writeBytes("plain", "text");
    struct Case {
        QByteArray keys;
        bool listed;
    } cases[] = {
        {"", true},
        {"Hidden=true\n", false},
        {"NoDisplay=true\n", false},
        {"NoDisplay=false\nHidden=false\n", true},
        {"NoDisplay=True\n", true},   // only "true" is true
        {"TryExec=present\n", true},
        {"TryExec=" + QFile::encodeName(present) + "\n", true},
        {"TryExec=no-such-program\n", false},
        {"TryExec=plain\n", false},   // not executable
        {"TryExec=./present\n", false},
        // The first of a key counts; a localized key is another key.
        {"NoDisplay=false\nNoDisplay=true\nHidden[ja]=true\n", true},
    };
    for (const Case &c : cases) {
        const DesktopEntry entry = ParseDesktopEntry("[Desktop Entry]\nExec=x\n" + c.keys);
        EXPECT_EQ(DesktopEntryListed(entry), c.listed) << c.keys.toStdString();
    }
    EXPECT_TRUE(ParseDesktopEntry("[Desktop Entry]\nTerminal=true\n").terminal);
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nTerminal=false\n").terminal);
}

} // namespace
