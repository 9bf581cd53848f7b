// The Exec line of the desktop's launcher files.
#include <gtest/gtest.h>

#include "platform/desktop_entry.h"
#include "platform/program_search.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

TEST(DesktopLauncher, ExecLineWordsAndFieldCodes)
{
    const ExecFields none;
    const ExecFields one{{"/home/u/a b.txt"}, "edit-icon", "Editor", "/usr/share/applications/e.desktop"};
    const ExecFields two{{"/a", "/b c"}, {}, {}, {}};
    const std::optional<QStringList> invalid;
    struct Case {
        const char *exec;
        const ExecFields &fields;
        std::optional<QStringList> words;
    } cases[] = {
        {"firefox %u", none, QStringList{"firefox"}},
        {"firefox %u", one, QStringList{"firefox", "/home/u/a b.txt"}},
        {"app --size=100%% %f tail", one, QStringList{"app", "--size=100%", "/home/u/a b.txt", "tail"}},
        {"app --file=%f", one, QStringList{"app", "--file=/home/u/a b.txt"}},
        {"app %F", two, QStringList{"app", "/a", "/b c"}},
        {"app %U end", two, QStringList{"app", "/a", "/b c", "end"}},
        {"app %f", two, QStringList{"app", "/a"}},
        {"app %i %c %k", one, QStringList{"app", "--icon", "edit-icon", "Editor", "/usr/share/applications/e.desktop"}},
        {"app %i %c %k", none, QStringList{"app"}},
        {"app %d %D %n %N %v %m x", one, QStringList{"app", "x"}},
        // Quoting is undone first; nothing inside quotes is expanded.
        {R"("/a b/c" "q\"uote" "back\\slash" "$\`")", none, QStringList{"/a b/c", "q\"uote", "back\\slash", "$`"}},
        {R"(sh -c "echo %f 100%%" sh %f)", one, QStringList{"sh", "-c", "echo %f 100%", "sh", "/home/u/a b.txt"}},
        {R"(app "" end)", none, QStringList{"app", "", "end"}},
        {"  spaced\t\targs  ", none, QStringList{"spaced", "args"}},
        // The file is never read for codes again.
        {"app %f", ExecFields{{"/x/%F%%"}, {}, {}, {}}, QStringList{"app", "/x/%F%%"}},
        // Lines that must not run.
        {"", none, invalid},
        {"\"unterminated", none, invalid},
        {"app %x", one, invalid},
        {"app 50%", one, invalid},
        {"app --files=%F", two, invalid},
        {"app x%U", two, invalid},
        {"app -%i", one, invalid},
        {"app %f %u", one, invalid},
        {"app %F %f", one, invalid},
        {"%f", one, invalid},
        {"%c", one, invalid},
        {"FOO=1 app", none, invalid},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ExpandExecLine(QString::fromUtf8(c.exec), c.fields), c.words) << c.exec;
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
        EXPECT_EQ(DesktopEntryListed(entry, ProgramSearch()), c.listed) << c.keys.toStdString();
    }
    EXPECT_TRUE(ParseDesktopEntry("[Desktop Entry]\nTerminal=true\n").terminal);
    EXPECT_FALSE(ParseDesktopEntry("[Desktop Entry]\nTerminal=false\n").terminal);
}

} // namespace
