// The shortcut readers, on small files built byte by byte.
#include <gtest/gtest.h>

#include "launcher/cls_short.h"
#include "launcher/shortcut_readers.h"
#include "settings/ansi_text.h"
#include "shell_link_builder.h"
#include "support/temp_folder.h"

namespace {

TEST(ShellLink, PathWorkingFolderAndArgumentsInEitherEncoding)
{
    struct Case {
        const char *name;
        ShellLinkBuilder link;
        QString path;
    } cases[] = {
        {"local path, ANSI", ShellLinkBuilder().localPath("C:\\ツール\\EDIT.EXE"), "C:\\ツール\\EDIT.EXE"},
        {"local path, UTF-16", ShellLinkBuilder().localPath("C:\\TOOLS\\EDIT.EXE").unicode(),
         "C:\\TOOLS\\EDIT.EXE"},
        {"network share", ShellLinkBuilder().share("\\\\SERVER\\共有", "docs\\a.txt"),
         "\\\\SERVER\\共有\\docs\\a.txt"},
        {"item list with long names", ShellLinkBuilder().itemList("C:\\", {"文書", "メモ.txt"}).unicode(),
         "C:\\文書\\メモ.txt"},
        {"link information wins over the item list",
         ShellLinkBuilder().itemList("D:\\", {"old"}).localPath("/home/user/new"), "/home/user/new"},
    };
    for (Case &c : cases) {
        for (bool unicode : {false, true}) {
            const QByteArray bytes = c.link.unicode(unicode)
                                         .workingDirectory("C:\\作業")
                                         .arguments("-a \"b c\"")
                                         .bytes();
            const ShortcutTarget target = ReadShellLink(bytes);
            ASSERT_TRUE(target.loaded) << c.name;
            EXPECT_EQ(target.path, c.path) << c.name;
            EXPECT_EQ(target.workingDirectory, "C:\\作業") << c.name;
            EXPECT_EQ(target.arguments, QStringList({"-a", "b c"})) << c.name;
        }
    }
}

TEST(ShellLink, DamagedLinksAreRefusedWithoutReadingPastTheirEnd)
{
    const QByteArray whole = ShellLinkBuilder()
                                 .itemList("C:\\", {"a", "b"})
                                 .localPath("C:\\a\\b")
                                 .workingDirectory("C:\\a")
                                 .arguments("x")
                                 .unicode()
                                 .bytes();
    // Every cut inside the parts read leaves a link that is refused.
    for (qsizetype length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(ReadShellLink(QByteArray(whole.left(length))).loaded) << length;

    QByteArray wrongClass = whole;
    wrongClass[5] = 0x15;
    EXPECT_FALSE(ReadShellLink(wrongClass).loaded);

    // Offsets and sizes pointing far outside the file.
    QByteArray wild = whole;
    for (int at : {76, 77, 78, 79})
        wild[at] = char(0xFF);
    EXPECT_FALSE(ReadShellLink(wild).loaded);
}

TEST(ProgramInformation, FieldsOfTheBasicSection)
{
    QByteArray pif(0x171, '\0');
    pif.replace(0x24, 12, EncodeAnsi(QStringLiteral("C:\\ゲーム.EXE")));
    pif.replace(0x65, 6, "C:\\GAM");
    pif.replace(0xA5, 5, "/q /x");
    const ShortcutTarget target = ReadProgramInformation(pif);
    ASSERT_TRUE(target.loaded);
    EXPECT_EQ(target.path, "C:\\ゲーム.EXE");
    EXPECT_EQ(target.workingDirectory, "C:\\GAM");
    EXPECT_EQ(target.arguments, QStringList({"/q", "/x"}));
    EXPECT_FALSE(ReadProgramInformation(pif.left(0x170)).loaded);
}

TEST(DesktopLauncher, ExecProgramPathAndLinks)
{
    const ShortcutTarget app = ReadDesktopLauncher(
        "[Desktop Action new]\nExec=wrong\n[Desktop Entry]\nType=Application\nName=Editor\n"
        "Exec=\"/opt/my editor/bin/edit\" --new %F\nPath=/home/u/work\n");
    ASSERT_TRUE(app.loaded);
    EXPECT_EQ(app.path, "/opt/my editor/bin/edit");
    EXPECT_EQ(app.arguments, QStringList({"--new"}));
    EXPECT_EQ(app.workingDirectory, "/home/u/work");

    const ShortcutTarget link = ReadDesktopLauncher("[Desktop Entry]\nType=Link\nURL=file:///home/u/a%20b.txt\n");
    EXPECT_EQ(link.path, "/home/u/a b.txt");
    EXPECT_EQ(ReadDesktopLauncher("[Desktop Entry]\nType=Link\nURL=https://example.org/x\n").path,
              "https://example.org/x");
    EXPECT_FALSE(ReadDesktopLauncher("Exec=/bin/true\n").loaded);
}

TEST(InternetShortcut, UrlAndWorkingFolder)
{
    const QByteArray site = "[InternetShortcut]\r\nURL=http://example.jp/\r\nWorkingDirectory=C:\\TEMP\r\n";
    EXPECT_EQ(ReadInternetShortcut(site).path, "http://example.jp/");
    EXPECT_EQ(ReadInternetShortcut(site).workingDirectory, "C:\\TEMP");
    // "file:" addresses are local paths, relative ones too; a file on
    // another host is none.
    const struct {
        const char *url, *path;
    } addresses[] = {
        {"file:///tmp/a.txt", "/tmp/a.txt"},
        {"file:/tmp/a%20b.txt", "/tmp/a b.txt"},
        {"FILE://localhost/tmp/x", "/tmp/x"},
        {"file:.payload", ".payload"},
        {"file:sub/doc.txt", "sub/doc.txt"},
        {"file://server/share/x", ""},
        {"mailto:a@example.jp", "mailto:a@example.jp"},
    };
    for (const auto &a : addresses)
        EXPECT_EQ(ReadInternetShortcut("[InternetShortcut]\r\nURL=" + QByteArray(a.url) + "\r\n").path, a.path) << a.url;
}

TEST(ClsShort, LoadsByEndingWithoutCaseAndKeepsPifReadOnly)
{
    TempFolder folder;
    const QByteArray link = ShellLinkBuilder().localPath("C:\\X.EXE").workingDirectory("C:\\").bytes();
    folder.writeBytes("UPPER.LNK", link);
    folder.writeBytes("text.LNK.TXT", link);
    folder.writeBytes("game.pif", QByteArray(0x171, '\0'));
    QDir(folder.path()).mkdir("folder.lnk");

    clsShort shortcut;
    EXPECT_TRUE(shortcut.Load(folder.file("UPPER.LNK"), false));
    EXPECT_EQ(shortcut.Path(), "C:\\X.EXE");
    EXPECT_EQ(shortcut.LinkType(), clsShort::ShellLink);
    EXPECT_FALSE(shortcut.ReadOnly());

    clsShort refused;
    EXPECT_FALSE(refused.Load(folder.file("text.LNK.TXT"), true));
    EXPECT_FALSE(refused.Load(folder.file("folder.lnk"), true));
    EXPECT_FALSE(refused.Load(folder.file("missing.lnk"), true));
    EXPECT_EQ(refused.Path(), "");
    EXPECT_EQ(refused.WorkingDirectory(), "");

    clsShort pif;
    EXPECT_TRUE(pif.Load(folder.file("game.pif"), false));
    EXPECT_TRUE(pif.ReadOnly());
}

} // namespace
