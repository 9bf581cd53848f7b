// The archive page of the settings window.
#include "settings_window/settings_window_fixture.h"

#include "archive/archive_command.h"
#include "archive/ui/archive_page.h"
#include "context/pages.h"
#include "support/environment_value.h"

namespace {

class ArchivePageTest : public SettingsWindowTest {
protected:
    ArchivePageTest() { RegisterArchive(features.host); }
    QCheckBox *fileFold() const { return control<QCheckBox>("CHK0"); }
};

TEST_F(ArchivePageTest, OpensOnTheStoredFolderAndCheck)
{
    for (const qint16 flag : {0, -1, 1}) {
        preset([flag](Settings &s) {
            s.ARC.DecompFolder = "/home/u/解凍/";
            s.ARC.FileFold = flag;
        });
        open(PageArchive);
        EXPECT_EQ(field(12)->text(), "/home/u/解凍/");
        EXPECT_EQ(fileFold()->isChecked(), flag != 0) << flag;
    }
    EXPECT_EQ(window->windowTitle(), "Tockara [設定]");
    EXPECT_TRUE(control<QFrame>("AreaArc")->isVisibleTo(window.get()));
    EXPECT_EQ(control<QLabel>("LBL16")->text(), "解凍先フォルダ");
    EXPECT_EQ(fileFold()->text(), "圧縮ﾌｧｲﾙ名をﾌｫﾙﾀﾞとする");
}

TEST_F(ArchivePageTest, AFolderWhereTheClockKeepsItsFilesShowsTheFolderReallyUsed)
{
    const QString download = DefaultExtractionFolder();
    const struct {
        QString stored, shown;
    } cases[] = {
        {ctx.programFolder + "/", download},  // the default of earlier versions
        {ctx.programFolder + "/anime/", download},
        {"", download},
        {"~/dl/", "~/dl/"},  // any other folder as typed
    };
    for (const auto &c : cases) {
        preset([&](Settings &s) { s.ARC.DecompFolder = c.stored; });
        open(PageArchive);
        EXPECT_EQ(field(12)->text(), c.shown) << c.stored.toStdString();
    }
}

TEST_F(ArchivePageTest, TheDesktopsSettingsFoldersShowTheFolderReallyUsed)
{
    TempFolder elsewhere;  // not in the program folder
    const QString home = elsewhere.file("home");
    QDir().mkpath(home + "/.config");
    QFile::link(home + "/.config", home + "/cfg");
    EnvironmentValue environment[] = {{"HOME", QFile::encodeName(home)}, {"XDG_CONFIG_HOME", ""},
                                      {"XDG_DATA_HOME", ""}};
    const struct {
        QString stored;
        QByteArray namedDownloads;
        QString shown;
    } cases[] = {
        {"~/.config/", {}, home + "/Downloads/"},
        {"~/.local/share/", {}, home + "/Downloads/"},
        {"~/cfg/", {}, home + "/Downloads/"},
        {"", "$HOME/.config", home + "/Downloads/"},
        {"~/.config/", "$HOME/dl", home + "/dl/"},
        {"~/Music/", "$HOME/.config", "~/Music/"},
    };
    for (const auto &c : cases) {
        QFile::remove(home + "/.config/user-dirs.dirs");
        if (!c.namedDownloads.isNull())
            elsewhere.writeBytes("home/.config/user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"" + c.namedDownloads + "\"\n");
        preset([&](Settings &s) { s.ARC.DecompFolder = c.stored; });
        open(PageArchive);
        EXPECT_EQ(field(12)->text(), c.shown) << c.stored.toStdString() << " " << c.namedDownloads.data();
    }
}

TEST_F(ArchivePageTest, ApplyingStoresTheFolderAsTypedAndTheCheckThenCloses)
{
    const struct {
        bool checked;
        qint16 stored;
    } cases[] = {{true, -1}, {false, 0}};
    for (const auto &c : cases) {
        open(PageArchive);
        type(12, "/no/such folder");
        fileFold()->setChecked(c.checked);
        click("BTN6");
        EXPECT_EQ(ctx.settings().ARC.DecompFolder, "/no/such folder/");
        EXPECT_EQ(saved().ARC.FileFold, c.stored);
        EXPECT_EQ(window->result(), QDialog::Accepted);
    }
    EXPECT_EQ(saved().ARC.DecompFolder, "/no/such folder/");
    EXPECT_TRUE(watch.all() & SettingsAspect::Archive);
    EXPECT_TRUE(watch.everySavedFirst());
}

TEST_F(ArchivePageTest, TheFolderChooserOpensAtTheFieldsFolder)
{
    QDir(folder.path()).mkpath("out");
    EnvironmentValue home{"HOME", QFile::encodeName(folder.path())};
    struct Case { QString typed; QString start; };
    const Case cases[] = {
        {folder.file("out"), folder.file("out")},
        {"out", folder.path() + "/out"},          // below the program folder, as extraction takes it
        {"~/out", folder.path() + "/out"},
        {"", folder.path()},                      // empty: the program folder
        {"/no/such folder/", "/"},
    };
    open(PageArchive);
    for (const Case &c : cases) {
        fakes.choosers->folderStarts.clear();
        type(12, c.typed);
        click("DialogBtn2");
        EXPECT_EQ(QDir::cleanPath(fakes.choosers->folderStarts.value(0)), QDir::cleanPath(c.start))
            << c.typed.toStdString();
    }
}

TEST_F(ArchivePageTest, TheFolderChooserReplacesTheFieldUnlessCancelled)
{
    open(PageArchive);
    type(12, "/typed/");
    fakes.choosers->folders = {"/home/u/chosen"};
    click("DialogBtn2");
    EXPECT_EQ(field(12)->text(), "/home/u/chosen");
    click("DialogBtn2");  // cancelled
    EXPECT_EQ(field(12)->text(), "/home/u/chosen");
    EXPECT_EQ(fakes.choosers->folderRequests, 2);
    EXPECT_FALSE(watch.all()) << "choosing stores nothing before 確定";
}

} // namespace
