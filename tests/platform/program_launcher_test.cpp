// Starting programs and opening files on Linux, with a private search path
// whose xdg-open only records what it was asked to open.
#include <gtest/gtest.h>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include "platform/linux/linux_services.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

class LinuxLauncher : public ::testing::Test {
protected:
    LinuxLauncher()
    {
        for (const char *sub : {"bin", "work", "data/applications", "config", "empty"})
            QDir(root).mkpath(sub);
        // Each recording program appends its folder and arguments to a log.
        script("bin/xdg-open", "echo \"opened|$PWD|$*\" >> " + root + "/log");
        script("bin/viewer", "true");
        script("work/prog", "echo \"prog|$PWD|$*\" >> " + root + "/log");
    }
    void script(const QString &name, const QString &body, bool executable = true)
    {
        QFile f(root + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        f.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                    : QFile::ReadOwner | QFile::WriteOwner);
    }
    // The lines the started programs logged, waiting until there are count.
    QStringList log(int count)
    {
        QDeadlineTimer deadline(10000);
        QStringList lines;
        while (!deadline.hasExpired()) {
            QFile f(root + "/log");
            if (f.open(QIODevice::ReadOnly))
                lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
            if (lines.size() >= count)
                break;
            QThread::msleep(20);
        }
        return lines;
    }

    TempFolder folder;
    const QString root = folder.path();
    const QString work = root + "/work";
    EnvironmentValue path{"PATH", QFile::encodeName(root + "/bin")};
    std::unique_ptr<ProgramLauncher> launcher = MakeLinuxProgramLauncher();
};

TEST_F(LinuxLauncher, ProgramsStartDirectlyInTheirWorkFolder)
{
    // A trailing dot is dropped; an argument with blanks and shell characters
    // arrives as one argument, unread by any shell.
    EXPECT_EQ(launcher->startProgram("prog.", {"a b;$(false)"}, work), StartResult::Started);
    EXPECT_EQ(launcher->startProgram("xdg-open", {"from-path"}, work), StartResult::Started);
    QStringList lines = log(2);
    lines.sort();
    EXPECT_EQ(lines, QStringList({"opened|" + work + "|from-path", "prog|" + work + "|a b;$(false)"}));
    EXPECT_EQ(QDir::currentPath(), QDir::currentPath());
}

TEST_F(LinuxLauncher, StartFailuresHaveTheirCodes)
{
    script("work/plain", "true", false);
    struct Case {
        QString program, workFolder;
        int code;
    } cases[] = {
        {"missing", work, StartResult::FileNotFound},
        {root + "/gone/x", work, StartResult::PathNotFound},
        {"prog", root + "/gone", StartResult::PathNotFound},
        {"plain", work, StartResult::Failed},
        {work, work, StartResult::Failed},
    };
    for (const Case &c : cases)
        EXPECT_EQ(launcher->startProgram(c.program, {}, c.workFolder), c.code) << c.program.toStdString();
}

TEST_F(LinuxLauncher, DocumentsAndAddressesGoToTheDesktopProgramsRun)
{
    QFile notes(work + "/notes.txt");   // executable bit, but no program
    notes.open(QIODevice::WriteOnly);
    notes.write("echo must not run\n");
    notes.setPermissions(notes.permissions() | QFile::ExeOwner);
    QFile(work + "/a.txt").open(QIODevice::WriteOnly);
    EXPECT_GE(launcher->shellOpen("a.txt", {"ignored"}, work), 32);
    EXPECT_GE(launcher->shellOpen("https://example.org/?q=1", {}, work), 32);
    EXPECT_GE(launcher->shellOpen(work + "/notes.txt", {}, work), 32);
    EXPECT_GE(launcher->shellOpen("prog", {"x"}, work), 32);
    QStringList lines = log(4);
    lines.sort();
    EXPECT_EQ(lines, QStringList({"opened|" + work + "|" + work + "/a.txt",
                                  "opened|" + work + "|" + work + "/notes.txt",
                                  "opened|" + work + "|https://example.org/?q=1", "prog|" + work + "|x"}));

    EXPECT_EQ(launcher->shellOpen("missing.txt", {}, work), ShellResult::FileNotFound);
    EXPECT_EQ(launcher->shellOpen(root + "/gone/a.txt", {}, work), ShellResult::PathNotFound);
    EnvironmentValue noOpener("PATH", QFile::encodeName(root + "/empty"));
    EXPECT_EQ(launcher->shellOpen("a.txt", {}, work), ShellResult::NoOpener);
}

// A file runs only when it is a program by its type (name first, then
// content) and carries the executable bit; anything else is a document.
TEST_F(LinuxLauncher, OnlyProgramsRunEverythingElseIsOpened)
{
    const QByteArray script = "#!/bin/sh\necho \"ran|$PWD|$0\" >> " + QFile::encodeName(root) + "/log\n";
    struct Case {
        const char *name;
        bool executable, runs;
    } cases[] = {
        {"notes.txt", true, false},
        {"photo.jpg", true, false},
        {"page.html", true, false},
        {"unmarked.sh", false, false},
        {"tool", true, true},
        {"tool.sh", true, true},
        {"tool.py", true, true},
    };
    int logged = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(work + "/" + c.name);
        file.open(QIODevice::WriteOnly);
        file.write(script);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner
                            | (c.executable ? QFile::ExeOwner : QFile::Permissions()));
        file.close();
        EXPECT_GE(launcher->shellOpen(c.name, {}, work), 32);
        const QStringList lines = log(++logged);
        ASSERT_EQ(lines.size(), logged);
        EXPECT_EQ(lines.last(), (c.runs ? "ran|" : "opened|") + work + "|" + work + "/" + c.name);
        // Asked to run a document, the launcher refuses.
        if (!c.runs) {
            EXPECT_EQ(launcher->startProgram(c.name, {}, work), StartResult::Failed);
        }
    }
    // A compiled program is a program too.
    QFile::copy("/bin/true", work + "/binary");
    EXPECT_EQ(launcher->startProgram("binary", {}, work), StartResult::Started);
}

TEST_F(LinuxLauncher, TheAssociatedCommandComesFromTheDesktopsLists)
{
    EnvironmentValue dataHome("XDG_DATA_HOME", QFile::encodeName(root + "/data"));
    EnvironmentValue dataDirs("XDG_DATA_DIRS", QFile::encodeName(root + "/empty"));
    EnvironmentValue configHome("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
    EnvironmentValue configDirs("XDG_CONFIG_DIRS", QFile::encodeName(root + "/empty"));
    // The system's type database without the system's applications.
    QFile::link("/usr/share/mime", root + "/empty/mime");
    auto write = [&](const QString &name, const QByteArray &text) {
        QFile f(root + "/" + name);
        f.open(QIODevice::WriteOnly);
        f.write(text);
    };
    write("data/applications/viewer.desktop", "[Desktop Entry]\nType=Application\nExec=viewer --view=%f -n\n");
    // The whole command runs, with the file where the line puts it.
    write("data/applications/shell.desktop",
          "[Desktop Entry]\nType=Application\nExec=sh -c \"viewer \\\\\"\\\\$1\\\\\"\" sh %f\n");
    write("data/applications/broken.desktop", "[Desktop Entry]\nType=Application\nExec=viewer %f %u\n");
    write("data/applications/gone.desktop", "[Desktop Entry]\nType=Application\nExec=gone %f\n");
    // Applications that cannot open a document here: one that needs a
    // terminal (a text-mode editor would wait unseen), a deleted one, one
    // whose TryExec program is missing.
    script("bin/vim", "true");
    write("data/applications/vim.desktop", "[Desktop Entry]\nType=Application\nExec=vim %F\nTerminal=true\n");
    write("data/applications/deleted.desktop", "[Desktop Entry]\nExec=viewer %f\nHidden=true\n");
    write("data/applications/try.desktop", "[Desktop Entry]\nExec=viewer %f\nTryExec=no-such-program\n");
    write("config/mimeapps.list", "[Default Applications]\n"
                                  "text/plain=vim.desktop;deleted.desktop;try.desktop;missing.desktop;viewer.desktop;\n"
                                  "image/png=gone.desktop\n"
                                  "text/x-csrc=broken.desktop;shell.desktop\n");
    for (const char *name : {"/a.txt", "/b.c", "/c.png", "/d.html"})
        write("work" + QString(name), "text\n");

    const QStringList viewer = {root + "/bin/viewer", "--view=" + work + "/a.txt", "-n"};
    EXPECT_EQ(launcher->associatedCommand("a.txt", work), viewer);
    // A page without a viewer of its own is a kind of plain text; a C
    // source has its own application, whose invalid line (two file codes)
    // is passed over for the next one.
    EXPECT_EQ(launcher->associatedCommand("d.html", work).value(1), "--view=" + work + "/d.html");
    const QString sh = root + "/bin/sh";
    QFile::link("/bin/sh", sh);
    EXPECT_EQ(launcher->associatedCommand(work + "/b.c", work),
              QStringList({sh, "-c", "viewer \"$1\"", "sh", work + "/b.c"}));
    // Never the file itself, even a program: a script is text to its viewer.
    EXPECT_EQ(launcher->associatedCommand("prog", work), QStringList({root + "/bin/viewer", "--view=" + work + "/prog", "-n"}));
    // An application that is not on the search path, or no application.
    EXPECT_EQ(launcher->associatedCommand("c.png", work), QStringList());
    EXPECT_EQ(launcher->associatedCommand("missing.txt", work), QStringList());
}

} // namespace
