// The file, colour and folder choosers: what they pass to the desktop's
// choosers and what a confirmed or cancelled choice gives back.
#include <gtest/gtest.h>

#include "pickers/cls_dialog.h"
#include "pickers/cls_folder.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

using Types = QList<QPair<QString, QString>>;

QString Nul() { return QString(QChar(u'\0')); }

TEST(FileFilterTest, ReadsNamePatternPairsUpToTheDoubleNulAndJoinsThemBack)
{
    const QString filter = "画像 (*.bmp)" + Nul() + "*.bmp;*.jpg" + Nul() + "全て" + Nul() + "*.*"
                         + Nul() + Nul();
    const Types types{{"画像 (*.bmp)", "*.bmp;*.jpg"}, {"全て", "*.*"}};
    EXPECT_EQ(ParseFileFilter(filter), types);
    EXPECT_EQ(JoinFileFilter(types), filter);
}

TEST(FileFilterTest, StopsAtTheFirstEmptyName)
{
    const QString filter = "A" + Nul() + "*.a" + Nul() + Nul() + "B" + Nul() + "*.b" + Nul() + Nul();
    EXPECT_EQ(ParseFileFilter(filter), (Types{{"A", "*.a"}}));
}

TEST(FileFilterTest, ToleratesAMissingEndAndDropsANameWithoutPattern)
{
    EXPECT_EQ(ParseFileFilter("A" + Nul() + "*.a"), (Types{{"A", "*.a"}}));
    EXPECT_EQ(ParseFileFilter("A" + Nul() + "*.a" + Nul() + "B"), (Types{{"A", "*.a"}}));
    EXPECT_TRUE(ParseFileFilter("").isEmpty());
    EXPECT_TRUE(ParseFileFilter(Nul() + Nul()).isEmpty());
}

TEST(FileNameTest, PassesTitleStartAndTypesAndReturnsTheWholePath)
{
    FakeServices fakes;
    // A path longer than 255 characters comes back whole.
    const QString longPath = "/home/user/" + QString(300, u'x') + "/anime.dat";
    fakes.choosers->files.push_back(longPath);

    clsDialog dialog(*fakes.services.choosers);
    dialog.setDialogTitle("タイトル");
    dialog.setInitialDir("/home/user/old.dat");
    dialog.setFilter("定義 (*.dat)" + Nul() + "*.dat" + Nul() + Nul());

    EXPECT_EQ(dialog.FileName(nullptr), longPath);
    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    const auto &request = fakes.choosers->fileRequests.first();
    EXPECT_EQ(request.title, "タイトル");
    EXPECT_EQ(request.initialDir, "/home/user/old.dat");
    EXPECT_EQ(request.filters, (Types{{"定義 (*.dat)", "*.dat"}}));
}

TEST(FileNameTest, CancelGivesEmptyText)
{
    FakeServices fakes;
    clsDialog dialog(*fakes.services.choosers);
    EXPECT_TRUE(dialog.FileName(nullptr).isEmpty());
    EXPECT_EQ(fakes.choosers->fileRequests.size(), 1);
}

TEST(ColorCodeTest, ConfirmedColourIsKeptAsBlueGreenRed)
{
    FakeServices fakes;
    fakes.choosers->colors.push_back(QColor(0x12, 0x34, 0x56));
    clsDialog dialog(*fakes.services.choosers);
    EXPECT_EQ(dialog.ChosenColor(), 0);

    EXPECT_TRUE(dialog.ColorCode(nullptr));
    EXPECT_EQ(dialog.ChosenColor(), 0x563412);
}

TEST(ColorCodeTest, CancelGivesFalseAndKeepsTheColour)
{
    FakeServices fakes;
    clsDialog dialog(*fakes.services.choosers);
    dialog.setChosenColor(0x00FF8040);

    EXPECT_FALSE(dialog.ColorCode(nullptr));
    EXPECT_EQ(dialog.ChosenColor(), 0x00FF8040);
    EXPECT_EQ(fakes.choosers->colorRequests, 1);
}

// Records the colour the colour chooser was asked to open on.
class InitialRecordingChoosers : public FakeChoosers {
public:
    std::optional<QColor> chooseColor(QWidget *owner, QColor initial) override
    {
        initials << initial;
        return FakeChoosers::chooseColor(owner, initial);
    }
    QList<QColor> initials;
};

TEST(ColorCodeTest, TheChooserIsNeverPresetWithTheChosenColour)
{
    InitialRecordingChoosers choosers;
    choosers.colors.push_back(QColor(0x12, 0x34, 0x56));
    clsDialog dialog(choosers);
    dialog.setChosenColor(0x00FF8040);

    EXPECT_TRUE(dialog.ColorCode(nullptr));
    EXPECT_FALSE(dialog.ColorCode(nullptr));   // cancelled, after a confirmed choice
    EXPECT_EQ(choosers.initials, (QList<QColor>{Qt::black, Qt::black}));
}

// Records where the folder chooser was asked to start.
class RootRecordingChoosers : public FakeChoosers {
public:
    QString chooseFolder(QWidget *owner, const QString &title, const QString &rootFolder) override
    {
        titles << title;
        roots << rootFolder;
        return FakeChoosers::chooseFolder(owner, title, rootFolder);
    }
    QStringList titles, roots;
};

TEST(FolderNameTest, TheComputerIsTheFileSystemRoot)
{
    RootRecordingChoosers choosers;
    choosers.folders.push_back("/mnt/data");
    clsFolder folder(choosers);
    folder.setDialogTitle("解凍先を選んでください");
    folder.setRootFolder(17);

    EXPECT_EQ(folder.FolderName(nullptr), "/mnt/data");
    EXPECT_EQ(choosers.titles, QStringList{"解凍先を選んでください"});
    EXPECT_EQ(choosers.roots, QStringList{"/"});
}

TEST(FolderNameTest, OpensAtTheInitialFolderWhenItExists)
{
    TempFolder folder;
    struct Case { QString initial; QString start; };
    for (const Case &c : {Case{folder.path(), folder.path()}, Case{folder.file("gone"), "/"}, Case{"", "/"}}) {
        FakeServices fakes;
        clsFolder chooser(*fakes.services.choosers);
        chooser.setRootFolder(clsFolder::ComputerFolder);
        chooser.setInitialFolder(c.initial);
        chooser.FolderName(nullptr);
        EXPECT_EQ(fakes.choosers->folderStarts, QStringList{c.start}) << c.initial.toStdString();
    }
}

TEST(FolderNameTest, CancelGivesEmptyText)
{
    FakeServices fakes;
    clsFolder folder(*fakes.services.choosers);
    folder.setRootFolder(17);
    EXPECT_TRUE(folder.FolderName(nullptr).isEmpty());
    EXPECT_EQ(fakes.choosers->folderRequests, 1);
}

} // namespace
