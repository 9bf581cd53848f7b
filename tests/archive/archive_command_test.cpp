// Which archiver an archive goes to, where it is extracted, and the command
// lines and texts that go with it.
#include <gtest/gtest.h>

#include <QDir>

#include <QStandardPaths>

#include "archive/archive_command.h"
#include "settings/settings.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

TEST(ArchiveCommand, TheExtensionChoosesTheArchiverInAnyCase)
{
    const struct {
        const char *extension, *library, *verb;
    } cases[] = {
        {"lzh", "unlha32", "x"}, {"Zip", "unzip32", "-xs"}, {"ARJ", "unarj32j", "x"},
        {"tar", nullptr, nullptr}, {"", nullptr, nullptr}, {"zipx", nullptr, nullptr},
    };
    for (const auto &c : cases) {
        const ArchiverInfo *archiver = ArchiverFor(c.extension);
        if (!c.library) {
            EXPECT_EQ(archiver, nullptr) << c.extension;
            continue;
        }
        ASSERT_NE(archiver, nullptr) << c.extension;
        EXPECT_EQ(archiver->library, c.library);
        EXPECT_EQ(archiver->verb, c.verb);
    }
}

TEST(ArchiveCommand, TheTargetFolder)
{
    const QString download = DefaultExtractionFolder();
    const struct {
        QString decompFolder;
        bool fileFold;
        QString expected;
    } cases[] = {
        {"/home/u/dl/", false, "/home/u/dl/"},
        {"/home/u/dl", false, "/home/u/dl/"},
        {"/home/u/dl/", true, "/home/u/dl/DATA.old/"},
        {"~/dl", false, QDir::homePath() + "/dl/"},
        {"/opt/tockara-old/", false, "/opt/tockara-old/"},  // only named like the program folder
        // Where the clock keeps its state or code: the download folder.
        {"", false, download},
        {"  ", true, download + "DATA.old/"},
        {"/opt/tockara/", false, download},  // the program folder
        {"/opt/tockara", true, download + "DATA.old/"},
        {"/opt/tockara/anime/x/", false, download},  // inside it
        {"/opt/tockara/x/../", false, download},
        {"out", false, download},  // relative: inside the program folder
        {"/usr/lib/tockara/modules/", false, download},
        {"/home/u/.config/autostart", false, download},
    };
    const ProtectedPlaces places{{"/usr/lib/tockara/modules", "/home/u/.config/autostart/"}, {}};
    for (const auto &c : cases)
        EXPECT_EQ(ExtractionTarget(c.decompFolder, c.fileFold, "DATA.old", "/opt/tockara", places), c.expected)
            << c.decompFolder.toStdString() << " " << c.fileFold;
}

TEST(ArchiveCommand, TheClocksPlacesNameItsFoldersAndTheFilesItsSettingsName)
{
    TempFolder folder;
    // A link to the program folder is the program folder.
    QDir().mkpath(folder.file("program"));
    QFile::link(folder.file("program"), folder.file("link"));
    EXPECT_EQ(ExtractionFolder(folder.file("link/sub"), folder.file("program"), {}), DefaultExtractionFolder());

    Settings settings;
    settings.Image.File = "face.png";  // relative: in the program folder
    settings.Anime.File = "/home/u/env/a.ini";
    settings.Alarm[2].File = "~/sounds/bell.wav";
    settings.Setting.FileManger = "/home/u/bin/fm --open";
    const ProtectedPlaces places =
        ClockPlaces(settings, folder.file("program"), {"/usr/lib/tockara/modules"}, {"/home/u/bin/tool"});
    for (const QString &file : {folder.file("program") + "/face.png", QStringLiteral("/home/u/env/a.ini"),
                                QDir::homePath() + "/sounds/bell.wav", QStringLiteral("/home/u/bin/fm"),
                                QStringLiteral("/home/u/bin/tool")})
        EXPECT_TRUE(places.files.contains(file)) << file.toStdString();
    for (const QString &place : {folder.file("program"), QStringLiteral("/usr/lib/tockara/modules"),
                                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/autostart",
                                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)})
        EXPECT_TRUE(places.folders.contains(place)) << place.toStdString();
    EXPECT_EQ(places.hiddenIn, QDir::homePath());
    EXPECT_FALSE(places.files.contains(QString())) << "unset files name nothing";
}

// A home folder of the desktop's with its settings folders, a link to one,
// and a user-dirs.dirs that names the download folder (or none).
struct DesktopHome {
    TempFolder folder;
    QString home = folder.file("home");
    EnvironmentValue environment[6] = {
        {"HOME", QFile::encodeName(home)},      {"XDG_CONFIG_HOME", ""},
        {"XDG_DATA_HOME", ""},                  {"XDG_CACHE_HOME", ""},
        {"XDG_RUNTIME_DIR", QFile::encodeName(folder.file("run"))}, {"XDG_STATE_HOME", ""},
    };
    DesktopHome()
    {
        for (const char *made : {"home/.config/environment.d", "home/.local/share/applications", "home/.ssh",
                                 "home/Documents", "run"})
            QDir().mkpath(folder.file(made));
        QFile::link(home + "/.config", home + "/cfg");
    }
    void nameDownloads(const QByteArray &value)
    {
        QFile::remove(home + "/.config/user-dirs.dirs");
        if (!value.isNull())
            folder.writeBytes("home/.config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"" + value + "\"\n");
    }
};

TEST(ArchiveCommand, TheDesktopsSettingsFoldersAreNeverTheExtractionFolder)
{
    DesktopHome desktop;
    const QString home = desktop.home;
    const QString downloads = home + "/Downloads/";
    const struct {
        QString decompFolder;
        QByteArray namedDownloads;  // XDG_DOWNLOAD_DIR; null: no user-dirs.dirs
        QString used;
    } cases[] = {
        {"~/.config/", {}, downloads},
        {"~/.local/share", {}, downloads},
        {"~/.local/share/applications/", {}, downloads},
        {"~/.config/environment.d/", {}, downloads},
        {"~/.local/share/../../.config/dbus-1/services", {}, downloads},
        {"~/cfg/openbox", {}, downloads},  // a link to the settings folder
        {"~/Documents/../.config/", {}, downloads},
        {"~//.config//", {}, downloads},
        {"~/.cache", {}, downloads},
        {"~/.ssh/", {}, downloads},
        {"~/Documents/.git/hooks", {}, downloads},
        {desktop.folder.file("run/systemd/user.control"), {}, downloads},
        // The download folder named among the settings folders gives way.
        {"", "$HOME/.config", downloads},
        {"~/.local/share/", "$HOME/.local/share", downloads},
        {"", "$HOME/cfg/autostart", downloads},
        {"", "$HOME/dl", home + "/dl/"},
        {"~/.config", "$HOME/dl", home + "/dl/"},
        // Folders no desktop reads from stay as set.
        {"~/Documents/", "$HOME/.config", home + "/Documents/"},
        {"~", {}, home + "/"},
        {"~/Downloads/a.b", {}, home + "/Downloads/a.b/"},
    };
    for (const auto &c : cases) {
        desktop.nameDownloads(c.namedDownloads);
        EXPECT_EQ(ExtractionFolder(c.decompFolder, desktop.folder.file("program"), {}), c.used)
            << c.decompFolder.toStdString() << " with " << c.namedDownloads.data();
    }
    // ~/Downloads a link to the settings folder too: no folder at all.
    QFile::link(home + "/.config", home + "/Downloads");
    desktop.nameDownloads("$HOME/.config");
    EXPECT_EQ(ExtractionFolder("~/.config", desktop.folder.file("program"), {}), QString());
    EXPECT_EQ(ExtractionTarget("", true, "a", desktop.folder.file("program"), {}), QString());
}

TEST(ArchiveCommand, TheFolderNamedAfterAnArchiveIsOneFolderInsideTheExtractionFolder)
{
    const struct {
        QString baseName, folder;
    } cases[] = {
        {"..", "_.."},  // "...zip"
        {".", "_."},    // "..zip"
        {"", "_"},      // ".zip"
        {"...", "_..."},
        {"a/b", "a_b"},
        {".hidden", "_.hidden"},  // ".hidden.zip": never a hidden folder
        {".ssh", "_.ssh"},
        {"a.b", "a.b"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExtractionTarget("/dl/", true, c.baseName, "/opt"), "/dl/" + c.folder + "/")
            << c.baseName.toStdString();
}

TEST(ArchiveCommand, TheMessageOfAnExtractionNotWholeSaysWhyAndNamesTheEntries)
{
    ArchiverReport full;
    full.extracted = {"a.txt", "docs/"};
    full.fail("big.bin", kArchiverDiskFull);
    full.fail("z.txt", kArchiverNotReached);
    EXPECT_EQ(ExtractionFailureText(full, "/dl/a.zip", "/out/"),
              "解凍先のディスクがいっぱいになったため、解凍を中止しました。\n\n"
              "書庫: /dl/a.zip\n解凍先: /out/\n解凍したファイル: a.txt、docs/\n"
              "解凍しなかったファイル: big.bin（空き容量不足）、z.txt（未処理）");

    ArchiverReport beforeWriting;
    beforeWriting.fail("big.bin", kArchiverNotReached);
    beforeWriting.note(kArchiverDiskFull);
    beforeWriting.neededBytes = 40 << 20;
    beforeWriting.freeBytes = 15 << 20;
    EXPECT_TRUE(ExtractionFailureText(beforeWriting, "/dl/a.zip", "/out/")
                    .startsWith("解凍先のディスクの空き容量が足りないため、解凍しませんでした。\n"
                                "必要な容量: 40.0 MB　空き容量: 15.0 MB\n\n"));

    // Each kind of failure has its own first line; the most serious leads.
    const struct {
        QList<int> failures;
        QString headline;
    } cases[] = {
        {{kArchiverEncrypted}, "パスワードで暗号化されたファイルは解凍できません。"},
        {{kArchiverRefused, kArchiverEncrypted},
         "パスワードで暗号化されたファイルは解凍できません。"},
        {{kArchiverRefused},
         "解凍先フォルダの外を指す名前、リンク、デバイス、重複した名前のファイルは、安全のため解凍しませんでした。"},
        {{kArchiverRefused, kArchiverDamaged}, "書庫ファイルが壊れているため、解凍できないファイルがありました。"},
        {{kArchiverTooLarge}, "展開すると元の1000倍を超える大きさになる異常な書庫のため、解凍を中止しました。"},
        {{kArchiverWriteFailed}, "解凍先フォルダにファイルを書き込めませんでした。"},
        // A method the component cannot unpack is no damage, and damage
        // outranks it.
        {{kArchiverRefused, kArchiverUnsupported, kArchiverEncrypted},
         "対応していない圧縮方式のファイルは解凍できません。"},
        {{kArchiverUnsupported, kArchiverDamaged}, "書庫ファイルが壊れているため、解凍できないファイルがありました。"},
        {{kArchiverDiskFull, kArchiverTimedOut},
         "解凍プログラムが制限時間内に終わらなかったため、解凍を中止しました。"},
    };
    for (const auto &c : cases) {
        ArchiverReport report;
        for (int failure : c.failures)
            report.fail("x", failure);
        EXPECT_TRUE(ExtractionFailureText(report, "/a.zip", "/o/").startsWith(c.headline + "\n\n"))
            << c.headline.toStdString();
    }

    // Long lists are cut; an archive that ends early says so.
    ArchiverReport many;
    for (int i = 1; i <= 12; ++i)
        many.extracted << QString::number(i);
    many.note(kArchiverDamaged);
    many.restUnread = true;
    EXPECT_TRUE(ExtractionFailureText(many, "/a.zip", "/o/")
                    .endsWith("解凍したファイル: 1、2、3、4、5、6、7、8、9、10（ほか2個）\n"
                              "書庫のそれより後の部分は読めなかったため、解凍していません。"));
}

TEST(ArchiveCommand, TheArchivePathStaysOnePartWhateverItHolds)
{
    const QString archive = R"(/home/u/my "files"/data.zip)";
    EXPECT_EQ(ArchiverCommandLine(*ArchiverFor("zip"), archive, "/out dir/"),
              (QStringList{"-xs", archive, "/out dir/"}));
}

TEST(ArchiveCommand, MessageTexts)
{
    // The text of old, and a line that names what to install.
    const struct {
        const char *extension, *text, *package;
    } missing[] = {
        {"ARJ", "ファイルUNARJ32.DLLが見つかりません。\n解凍作業はおこなえません。\n", "7zip"},
        {"ZIP", "ファイルUNZIP32.DLLが見つかりません。\n解凍作業はおこなえません。\n", "libarchive13"},
        {"LZH", "ファイルUNLHA32.DLLが見つかりません。\n解凍作業はおこなえません。\n", "tockara"},
    };
    for (const auto &c : missing) {
        const QString text = MissingArchiverText(*ArchiverFor(c.extension));
        EXPECT_TRUE(text.startsWith(c.text)) << text.toStdString();
        EXPECT_EQ(text.count(u'\n'), 2);
        EXPECT_TRUE(text.section(u'\n', 2).contains(c.package)) << text.toStdString();
    }
    // Every entry written under another name, replaced or skipped is named.
    ArchiverReport names;
    names.extracted = {"_.bashrc", "a (2).txt", "b.txt"};
    names.renamed = {{".bashrc", "_.bashrc"}, {"a.txt", "a (2).txt"}};
    names.replaced = {"b.txt"};
    names.fail("c.txt", kArchiverSkipped);
    EXPECT_EQ(names.result, kArchiverOk) << "skipping as chosen is no failure";
    EXPECT_EQ(ExistingNamesText(names, "/out/"),
              "解凍しました。\n\n解凍先: /out/\n別の名前で解凍したファイル: .bashrc → _.bashrc、a.txt → a (2).txt\n"
              "置き換えたファイル: b.txt\n解凍せず、元のファイルを残したファイル: c.txt");
    EXPECT_EQ(ExistingNamesText(ArchiverReport{}, "/out/"), "");
    EXPECT_EQ(ExistingNameForButton(0), ExistingName::Replace);
    EXPECT_EQ(ExistingNameForButton(1), ExistingName::KeepBoth);
    EXPECT_EQ(ExistingNameForButton(2), ExistingName::Skip);
    // Cancel, and anything else (a box closed without a button), extracts nothing.
    EXPECT_EQ(ExistingNameForButton(3), std::nullopt);
    EXPECT_EQ(ExistingNameForButton(-1), std::nullopt);
    EXPECT_EQ(ExistingNameButtons(), (QStringList{"置き換える", "両方残す", "スキップ", "キャンセル"}));

    const ArchiverInfo &lzh = *ArchiverFor("LZH");
    EXPECT_EQ(FormatFailureText(lzh, "/dl/a.lzh"),
              "指定された書庫ファイルは、LHA形式ではありません\n/dl/a.lzh");
    EXPECT_EQ(lzh.formatTitle, "UNLHA32");
    EXPECT_EQ(ArchiverFor("ZIP")->formatTitle, "UNZIP32j");
}

} // namespace
