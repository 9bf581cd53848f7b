// The one trust rule of shortcuts: every kind, every way of reaching a
// target, and every place a shortcut is chosen from.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

#include "launcher/launch.h"
#include "launcher/shortcut_plan.h"
#include "settings/ansi_text.h"
#include "shell_link_builder.h"
#include "support/environment_value.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

using Step = ShortcutPlan::Step;
using Call = FakeProgramLauncher::Call;

// A program information file: program, working folder and parameters at
// their offsets in the basic section.
QByteArray Pif(const QByteArray &program, const QByteArray &folder = {}, const QByteArray &parameters = {})
{
    QByteArray bytes(0x171, '\0');
    bytes.replace(0x24, program.size(), program);
    bytes.replace(0x65, folder.size(), folder);
    bytes.replace(0xA5, parameters.size(), parameters);
    return bytes;
}

QByteArray Url(const QByteArray &address)
{
    return "[InternetShortcut]\r\nURL=" + address + "\r\n";
}

QByteArray Desktop(const QByteArray &keys)
{
    return "[Desktop Entry]\nName=x\n" + keys + "\n";
}

class ShortcutTrust : public ::testing::Test {
protected:
    ShortcutTrust()
    {
        QDir(root).mkpath("docs/folder");
        QDir(root).mkpath("work");
        for (const char *program : {"bin/tool", "desk/.payload", "docs/notes.txt", "docs/my tool"})
            mode(make(program, "#!/bin/sh\ntouch ran\n"), 0755);
        make("desk/.plain", "#!/bin/sh\ntouch ran\n");
        make("docs/a.pdf", "%PDF-1.4\n");
        QFile::link("/bin/sh", root + "/bin/sh");
        QFile::link("/usr/bin/env", root + "/bin/env");
    }
    QString make(const QString &name, const QByteArray &bytes) { return folder.writeBytes(name, bytes); }
    static void mode(const QString &file, mode_t bits) { ::chmod(QFile::encodeName(file).constData(), bits); }
    ShortcutPlan plan(const QString &file, const QString &fallback = {})
    {
        return PlanShortcut(file, fallback, *fake.programs);
    }

    TempFolder folder;
    const QString root = folder.path();
    const QString desk = root + "/desk";
    const QByteArray rootBytes = QFile::encodeName(root);
    EnvironmentValue path{"PATH", QFile::encodeName(root + "/bin")};
    EnvironmentValue home{"HOME", QFile::encodeName(root + "/work")};
    FakeServices fake;
};

TEST_F(ShortcutTrust, ProgramsStartOnlyFromTrustedShortcutsDocumentsAndFoldersOpenFromAny)
{
    const QString tool = root + "/bin/tool", payload = desk + "/.payload";
    const ShortcutPlan refused{Step::Refuse, {}, {}, {}, {}};   // with the warning, below
    struct Case {
        const char *name;
        QByteArray bytes;
        ShortcutPlan untrusted, trusted;   // the plan at 0644 and at 0755
    } cases[] = {
        // An interpreter given a script is a program, with or without arguments.
        {"x.lnk", ShellLinkBuilder().localPath("/bin/sh").arguments("-c \"touch ran\"").bytes(), refused,
         {Step::Run, "/bin/sh", {"-c", "touch ran"}, "/bin", {}}},
        {"x.lnk", ShellLinkBuilder().localPath("/bin/sh").bytes(), refused, {Step::Run, "/bin/sh", {}, "/bin", {}}},
        {"x.lnk", ShellLinkBuilder().localPath(tool).workingDirectory(root + "/work").bytes(), refused,
         {Step::Run, tool, {}, root + "/work", {}}},
        {"x.lnk", ShellLinkBuilder().itemList("C:\\", {"WINDOWS", "notepad.exe"}).bytes(),
         {Step::Open, desk + "/x.lnk", {}, desk, {}}, {Step::Open, desk + "/x.lnk", {}, desk, {}}},
        // Documents open and are never run, executable or not; so do folders.
        {"x.lnk", ShellLinkBuilder().localPath(root + "/docs/a.pdf").arguments("-x").bytes(),
         {Step::Open, root + "/docs/a.pdf", {}, root + "/docs", {}},
         {Step::Open, root + "/docs/a.pdf", {}, root + "/docs", {}}},
        {"x.lnk", ShellLinkBuilder().localPath(root + "/docs/notes.txt").bytes(),
         {Step::Open, root + "/docs/notes.txt", {}, root + "/docs", {}},
         {Step::Open, root + "/docs/notes.txt", {}, root + "/docs", {}}},
        {"x.lnk", ShellLinkBuilder().localPath(root + "/docs/folder").bytes(),
         {Step::Open, root + "/docs/folder", {}, root + "/docs", {}},
         {Step::Open, root + "/docs/folder", {}, root + "/docs", {}}},
        // A bare program name is found in the working folder or on the search path.
        {"x.pif", Pif("/bin/sh", {}, "-c \"touch ran\""), refused, {Step::Run, "/bin/sh", {"-c", "touch ran"}, "/bin", {}}},
        {"x.pif", Pif("sh"), refused, {Step::Run, root + "/bin/sh", {}, root + "/bin", {}}},
        {"x.pif", Pif("env", rootBytes + "/work", "python3 x"), refused,
         {Step::Run, root + "/bin/env", {"python3", "x"}, root + "/work", {}}},
        // "file:" addresses are targets like any path; other addresses open.
        {"x.url", Url("file:.payload"), refused, {Step::Run, payload, {}, desk, {}}},
        {"x.url", Url("file:.plain"), {Step::Open, desk + "/.plain", {}, desk, {}},
         {Step::Open, desk + "/.plain", {}, desk, {}}},
        {"x.url", Url("file://" + rootBytes + "/bin/tool"), refused, {Step::Run, tool, {}, root + "/bin", {}}},
        {"x.url", Url("file://localhost" + rootBytes + "/docs/my%20tool"), refused,
         {Step::Run, root + "/docs/my tool", {}, root + "/docs", {}}},
        {"x.url", Url("file:///bin/sh"), refused, {Step::Run, "/bin/sh", {}, "/bin", {}}},
        {"x.url", Url("https://example.org/a"), {Step::Open, "https://example.org/a", {}, desk, {}},
         {Step::Open, "https://example.org/a", {}, desk, {}}},
        // A launcher's command always names a program.
        {"x.desktop", Desktop("Type=Application\nExec=sh -c \"touch ran\""), refused,
         {Step::Run, root + "/bin/sh", {"-c", "touch ran"}, root + "/work", {}}},
        {"x.desktop", Desktop("Exec=/usr/bin/env python3 x\nPath=" + rootBytes + "/docs"), refused,
         {Step::Run, "/usr/bin/env", {"python3", "x"}, root + "/docs", {}}},
        {"x.desktop", Desktop("Type=Link\nURL=file:.payload"), refused, {Step::Run, payload, {}, desk, {}}},
        {"x.desktop", Desktop("Type=Link\nURL=file://" + rootBytes + "/docs/a.pdf"),
         {Step::Open, root + "/docs/a.pdf", {}, root + "/docs", {}},
         {Step::Open, root + "/docs/a.pdf", {}, root + "/docs", {}}},
        {"x.desktop", Desktop("Type=Application\nExec=\"unclosed"), refused,
         {Step::Nothing, {}, {}, {}, "53:ファイルが見つかりません。"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + ": " + c.bytes.toStdString());
        const QString file = make(QString("desk/") + c.name, c.bytes);
        auto expected = [&](ShortcutPlan p) {
            if (p.step == Step::Refuse)
                p.message = UntrustedLauncherText(file);
            return p;
        };
        mode(file, 0644);
        EXPECT_EQ(plan(file), expected(c.untrusted));
        mode(file, 0755);
        EXPECT_EQ(plan(file), expected(c.trusted));
        QFile::remove(file);
    }
}

TEST_F(ShortcutTrust, TrustIsTheFileItselfAndEveryShortcutOfAChain)
{
    const QString sh = "/bin/sh";
    const QString target = make("desk/target.lnk", ShellLinkBuilder().localPath(sh).arguments("-c x").bytes());
    const QString launcher = make("desk/target.desktop", Desktop("Exec=sh -c x"));
    const QString first = desk + "/first.lnk";
    struct Case {
        const char *what;
        QString points;      // the target of first.lnk
        mode_t firstMode, targetMode;
        bool runs;
    } cases[] = {
        {"trusted link to trusted link", target, 0755, 0755, true},
        {"trusted link to untrusted link", target, 0755, 0644, false},
        {"untrusted link to trusted link", target, 0644, 0755, false},
        {"untrusted link to trusted launcher", launcher, 0644, 0755, false},
        {"trusted link to untrusted launcher", launcher, 0755, 0644, false},
        {"user-executable only", target, 0744, 0700, true},
        {"executable for others only", target, 0645, 0645, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        make("desk/first.lnk", ShellLinkBuilder().localPath(c.points).bytes());
        mode(first, c.firstMode);
        mode(c.points, c.targetMode);
        EXPECT_EQ(plan(first).step, c.runs ? Step::Run : Step::Refuse);
    }

    // A link on the desktop counts by the file it names.
    mode(target, 0644);
    QFile::link(target, desk + "/linked.lnk");
    EXPECT_EQ(plan(desk + "/linked.lnk").step, Step::Refuse);
    mode(target, 0755);
    EXPECT_EQ(plan(desk + "/linked.lnk").step, Step::Run);

    // Owned by someone else: not trusted, whatever its mode (only the
    // superuser can give a file away).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(target).constData(), 65534, 65534), 0);
        mode(target, 0755);
        EXPECT_EQ(plan(target).step, Step::Refuse);
    }

    // A loop, a pipe named like a shortcut: nothing, and no wait.
    make("desk/a.lnk", ShellLinkBuilder().localPath(desk + "/b.lnk").bytes());
    make("desk/b.lnk", ShellLinkBuilder().localPath(desk + "/a.lnk").bytes());
    mode(desk + "/a.lnk", 0755);
    mode(desk + "/b.lnk", 0755);
    EXPECT_EQ(plan(desk + "/a.lnk").step, Step::Nothing);
    ASSERT_EQ(::mkfifo(QFile::encodeName(desk + "/pipe.desktop").constData(), 0755), 0);
    EXPECT_EQ(plan(desk + "/pipe.desktop").step, Step::Nothing);
}

// Wherever an untrusted shortcut to a program is chosen, nothing starts and
// the warning is shown; a trusted one starts from each place alike.
TEST_F(ShortcutTrust, EveryPlaceAShortcutIsChosenFromKeepsTheRule)
{
    const QString link = make("desk/a-invoice.pdf.lnk",
                              ShellLinkBuilder().localPath("/bin/sh").arguments("-c \"touch ran\"").bytes());
    const QString bare = make("desk/shell.lnk", ShellLinkBuilder().localPath("/bin/sh").bytes());
    const LaunchServices services{*fake.programs, *fake.messages, nullptr};
    const struct {
        const char *where;
        std::function<void()> choose;
    } places[] = {
        {"folder menu", [&] { OpenFolderItem(link, services); }},
        {"folder menu, no arguments", [&] { OpenFolderItem(bare, services); }},
        {"dropped, then chosen", [&] { LaunchEntry(ClassifyPath(link), "xdg-open", services); }},
        {"dropped without arguments", [&] { LaunchEntry(ClassifyPath(bare), "xdg-open", services); }},
        {"typed with another kind",
         [&] { LaunchEntry({desk + "/", "a-invoice.pdf", "lnk", "t", EntryKind::Program, root}, "", services); }},
        {"typed as a document",
         [&] { LaunchEntry({desk + "/", "a-invoice.pdf", "lnk", "t", EntryKind::Document, root}, "", services); }},
    };
    for (const bool trusted : {false, true}) {
        mode(link, trusted ? 0755 : 0644);
        mode(bare, trusted ? 0755 : 0644);
        for (const auto &place : places) {
            SCOPED_TRACE(std::string(place.where) + (trusted ? ", trusted" : ", untrusted"));
            fake.programs->requests.clear();
            fake.messages->shown.clear();
            place.choose();
            if (trusted) {
                ASSERT_EQ(fake.programs->requests.size(), 1);
                EXPECT_EQ(fake.programs->requests[0].call, Call::Start);
                EXPECT_EQ(fake.programs->requests[0].target, "/bin/sh");
                EXPECT_TRUE(fake.messages->shown.isEmpty());
            } else {
                EXPECT_TRUE(fake.programs->requests.isEmpty());
                ASSERT_EQ(fake.messages->shown.size(), 1);
                EXPECT_EQ(fake.messages->shown[0].icon, MessageIcon::Warning);
                EXPECT_TRUE(fake.messages->shown[0].text.startsWith("ランチャー「"));
            }
        }
    }
}

// A launcher entry without an extension that is no program (README,
// LICENSE) is the document it is; a program still starts. Messages name
// the real cause.
TEST_F(ShortcutTrust, ExtensionlessDocumentsOpenByTheirContent)
{
    QDir(root).mkpath("MY.DIR");
    for (const char *name : {"README", "TODO", "LICENSE", "MY.DIR/README"})
        make(name, "Read me.\n");
    const LaunchServices services{*fake.programs, *fake.messages, nullptr};
    struct Case {
        QString folder, name;
        int opened;            // what the desktop's opener answers
        Call call;
        QString message;       // empty: none
    } cases[] = {
        {root + "/", "README", ShellResult::Opened, Call::OpenDocument, ""},
        {root + "/", "TODO", ShellResult::Opened, Call::OpenDocument, ""},
        {root + "/", "LICENSE", ShellResult::Opened, Call::OpenDocument, ""},
        {root + "/MY.DIR/", "README", ShellResult::Opened, Call::OpenDocument, ""},
        {root + "/", "README", ShellResult::NoOpener, Call::OpenDocument,
         "「README」を開けません。文書を開くプログラム xdg-open が見つかりません（パッケージ xdg-utils をインストールしてください）。"},
        {root + "/", "README", ShellResult::NoAssociation, Call::OpenDocument, "「README」を開くアプリケーションが見つかりません。"},
        {root + "/bin/", "tool", ShellResult::Opened, Call::Start, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE((c.folder + c.name).toStdString());
        fake.programs->requests.clear();
        fake.messages->shown.clear();
        fake.programs->openResults = {c.opened};
        LaunchEntry({c.folder, c.name, "", c.name, EntryKind::Program, root + "/work"}, "", services);
        ASSERT_FALSE(fake.programs->requests.isEmpty());
        EXPECT_EQ(fake.programs->requests[0].call, c.call);
        EXPECT_EQ(fake.programs->requests[0].target, c.folder + c.name);
        QStringList shown;
        for (const auto &box : fake.messages->shown)
            shown << box.text;
        EXPECT_EQ(shown, c.message.isEmpty() ? QStringList() : QStringList{c.message});
    }
    // A program that does not start is not said to be missing.
    fake.messages->shown.clear();
    fake.programs->startResults = {StartResult::Failed};
    LaunchEntry({root + "/bin/", "tool", "", "tool", EntryKind::Program, root + "/work"}, "", services);
    ASSERT_EQ(fake.messages->shown.size(), 1);
    EXPECT_EQ(fake.messages->shown[0].text, "5:プログラムを起動できません。");
}

} // namespace
