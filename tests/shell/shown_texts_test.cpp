// What the program shows of names and values that come from files, archives
// and the desktop: every message box, carrying the longest and most hostile
// names it may be given (a launcher named with markup, a folder path longer
// than a screen is wide, a list of hundreds of names), shows its whole text
// as written (each call of the message-box service in the sources is shown
// through the real service and measured), and no label of any window reads
// its text as markup.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QDirIterator>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include "archive/archive_command.h"
#include "calendar/ui/note_window.h"
#include "context/context.h"
#include "context/pages.h"
#include "desktop/display_mode_menu.h"
#include "desktop/help_page.h"
#include "desktop/system_actions.h"
#include "desktop/ui/display_mode_change.h"
#include "face/ui/hover_window.h"
#include "launcher/launch.h"
#include "launcher/launcher_page_rules.h"
#include "platform/archive_formats.h"
#include "platform/linux/linux_services.h"
#include "platform/regular_file.h"
#include "settings/settings_store.h"
#include "settings_window/settings_window_state.h"
#include "settings_window/ui/color_swatch.h"
#include "settings_window/ui/field_edit.h"
#include "settings_window/ui/page_controls.h"
#include "settings_window/ui/settings_window.h"
#include "shell/features.h"
#include "shell/fortune.h"
#include "support/box_faults.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "support/test_feature_host.h"

namespace {

using Box = FakeMessageBoxes::Shown;

// A name that the toolkit would draw as a 900 x 300 picture and hide the
// rest of, were it read as markup.
const QString kMarkup = QStringLiteral("a<img src=x width=900 height=300><!--");

// The calls of the message-box service in the program's sources, by file.
QMap<QString, int> ServiceCallsInSources()
{
    const QString sources = QDir::cleanPath(QStringLiteral(TOCKARA_DATA_DIR "/../src"));
    const QRegularExpression call(QStringLiteral(R"(\bmessages_?\s*(?:\.|->)\s*(?:show|notify|ask)\s*\()"));
    QMap<QString, int> calls;
    QDirIterator files(sources, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        int count = 0;
        for (auto match = call.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext(); match.next())
            ++count;
        if (count)
            calls.insert("src/" + QDir(sources).relativeFilePath(file.fileName()), count);
    }
    return calls;
}

class ShownTextsTest : public ::testing::Test {
protected:
    ShownTextsTest() { RegisterFeatures(features.host); }

    // The boxes that run shows, as the fakes recorded them.
    QList<Box> boxesOf(const std::function<void()> &run)
    {
        fakes.messages->shown.clear();
        run();
        return fakes.messages->shown;
    }

    // A path under the program folder longer than a screen is wide, ending
    // in name; its folders are made.
    QString longPath(const QString &name) const
    {
        const QString path = folder.path() + u'/' + QStringLiteral("長いフォルダの名前").repeated(8) + u'/'
                             + QString(120, u'x') + u'/' + name;
        QDir().mkpath(QFileInfo(path).path());
        return path;
    }

    // The wallpaper page confirmed with file as the picture.
    void applyWallpaper(const QString &file)
    {
        ctx.PageRequest = PageWallpaper;
        SettingsWindow window(ctx, state, features.pages);
        window.show();
        window.findChild<QLineEdit *>("FLD13")->setText(file);
        window.findChild<QRadioButton *>("OPT10")->click();
        window.findChild<QPushButton *>("BTN12")->click();
    }

    // The memo with text typed, then stored or closed with Escape.
    void leaveMemo(bool store)
    {
        ctx.PageRequest = PageMemo;
        NoteWindow window(ctx);
        window.show();
        auto *text = window.findChild<QPlainTextEdit *>("FLD0");
        text->setPlainText(kMarkup);
        if (store)
            window.findChild<QPushButton *>("BTN0")->click();
        else
            QTest::keyClick(text, Qt::Key_Escape);
    }

    // The launcher's boxes: an untrusted launcher named with markup, a work
    // folder that is gone, a document nothing opens, a file manager missing.
    QList<Box> launcherBoxes(const QString &untrusted, const QString &missingFolder)
    {
        const LaunchServices services{*fakes.programs, *fakes.messages, nullptr};
        LauncherEntry entry{QFileInfo(untrusted).path() + u'/', "readme", "", kMarkup, EntryKind::Program,
                            missingFolder};
        return boxesOf([&] {
            OpenShortcut(untrusted, QString(), services);
            LaunchEntry(entry, "filer", services);
            QFile(entry.folder + "readme").open(QIODevice::WriteOnly);
            entry.workFolder = entry.folder;
            fakes.programs->openResults = {ShellResult::NoOpener};
            LaunchEntry(entry, "filer", services);
            fakes.programs->startResults = {StartResult::FileNotFound};
            OpenInFileManager("filer", missingFolder, services);
        });
    }

    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    TestFeatureHost features{ctx};
    SettingsWindowState state;
};

TEST_F(ShownTextsTest, EveryBoxShowsItsWholeTextAsWritten)
{
    const QString markupLauncher = longPath(kMarkup + ".desktop");
    QFile launcher(markupLauncher);
    ASSERT_TRUE(launcher.open(QIODevice::WriteOnly));
    launcher.write("[Desktop Entry]\nType=Application\nName=x\nExec=true\n");
    launcher.close();
    ASSERT_TRUE(launcher.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
    const QString fifo = longPath(kMarkup + ".ini");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString missing = longPath(kMarkup + "/gone");
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names << QStringLiteral("フォルダ%1/").arg(i) + kMarkup + ".txt";
    ArchiverReport report;
    for (const QString &name : names)
        report.fail(name, kArchiverDamaged);
    report.extracted = names;
    for (const QString &name : names)
        report.renamed.append({name, name + " (2)"});
    const ArchiverInfo &lzh = *ArchiverFor("lzh");
    const QString archive = longPath(kMarkup + ".lzh");
    const QString alarmComment = QStringLiteral("会議室Ａで週次の進捗会議があります。").repeated(3) + kMarkup;

    struct Source {
        const char *file;
        int calls;
        std::function<QList<Box>()> boxes;
    };
    const Source sources[] = {
        {"src/shell/clock_window.cpp", 1,
         [&] { return QList<Box>{{alarmComment, "Tockara", MessageButtons::Ok, MessageIcon::Information, false, {}}}; }},
        {"src/shell/fortune.cpp", 1,
         [&] {
             QList<Box> boxes;
             const Box shown = boxesOf([&] { ShowFortune(*fakes.messages, *fakes.clock, nullptr); }).value(0);
             for (const QString &fortune : FortuneMessages())
                 boxes << Box{fortune, shown.title, shown.buttons, shown.icon, true, {}};
             return boxes;
         }},
        {"src/face/ui/face_commands.cpp", 1,
         [&] { return QList<Box>{{NotRegularFileMessage(fifo), "Tockara", MessageButtons::Ok, MessageIcon::Warning, true, {}}}; }},
        {"src/desktop/ui/wallpaper_page.cpp", 2,
         [&] {
             QList<Box> boxes = boxesOf([&] { applyWallpaper(missing); });
             struct Refusing : FakeDesktop {
                 bool letsProgramsSetWallpaper() override { return false; }
             };
             std::unique_ptr<DesktopSettings> kept = std::exchange(fakes.services.desktop, std::make_unique<Refusing>());
             boxes += boxesOf([&] { applyWallpaper(missing); });
             fakes.services.desktop = std::move(kept);
             return boxes;
         }},
        {"src/desktop/help_page.cpp", 1,
         [&] {
             fakes.programs->openResults = {ShellResult::NoOpener};
             return boxesOf([&] { OpenHelpPage(QFileInfo(missing).path(), *fakes.programs, *fakes.messages); });
         }},
        {"src/desktop/system_actions.cpp", 1,
         [&] {
             return boxesOf([&] {
                 fakes.messages->answers = {MessageAnswer::No, MessageAnswer::No};
                 ConfirmPowerAction(PowerAction::Restart, *fakes.messages, *fakes.power, nullptr);
                 ConfirmPowerAction(PowerAction::Shutdown, *fakes.messages, *fakes.power, nullptr);
             });
         }},
        {"src/desktop/display_mode_menu.cpp", 1,
         [&] {
             fakes.displayModes->testResults[7] = DisplayChangeBadMode;
             return boxesOf([&] { SetDisplayMode(*fakes.displayModes, *fakes.messages, nullptr, {640, 480, 24, 7}); });
         }},
        {"src/launcher/launch.cpp", 1, [&] { return launcherBoxes(markupLauncher, missing); }},
        {"src/launcher/launcher_list.cpp", 2,
         [&] {
             return boxesOf([&] {
                 ShowLauncherFull(*fakes.messages, nullptr);
                 ctx.launcher.AddLauncherEntry({"/", "a`b", "", kMarkup, EntryKind::Program, "/"}, *fakes.messages,
                                               nullptr);
             });
         }},
        {"src/launcher/launcher_page_rules.cpp", 3,
         [&] {
             return boxesOf([&] {
                 qint16 shown = 0;
                 LauncherPageRules rules(ctx.launcher, shown, *fakes.messages, nullptr);
                 rules.CheckLunchFields({});
                 rules.Add({kMarkup.repeated(3), markupLauncher, QFileInfo(markupLauncher).path()});
                 rules.Select(0);
                 fakes.messages->answers = {MessageAnswer::No, MessageAnswer::No};
                 rules.Change({kMarkup, markupLauncher, QFileInfo(markupLauncher).path()});
                 rules.Delete();
             });
         }},
        {"src/settings/settings_store.cpp", 1,
         [&] {
             const QString large = longPath(kMarkup + "/Tockara.ini");
             QFile file(large);
             EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(5 * 1024 * 1024));
             file.close();
             return boxesOf([&] {
                 SettingsStore(large, folder.path(), *fakes.messages).Load();
                 ShowWriteFailure(*fakes.messages, nullptr, QStringLiteral("記録できませんでした。"), fifo,
                                  QStringLiteral("書いた内容はこのウィンドウに残っています。"));
             });
         }},
        {"src/settings_window/ui/page_controls.cpp", 1,
         [&] {
             FieldEdit field(4, nullptr);
             field.setText("x");
             return boxesOf([&] { ReadNumberField(*fakes.messages, nullptr, &field, QStringLiteral("コメント")); });
         }},
        {"src/archive/archive_extractor.cpp", 9,
         [&] {
             const QString target = QFileInfo(archive).path() + u'/';
             return QList<Box>{
                 {NotAFileText(fifo), "Tockara", MessageButtons::Ok, MessageIcon::Warning, false, {}},
                 {TakenNamesQuestion(names, target), "Tockara", MessageButtons::Ok, MessageIcon::Question, false,
                  ExistingNameButtons()},
                 {MissingArchiverText(*ArchiverFor("arj")), "Tockara", MessageButtons::Ok, MessageIcon::None, false, {}},
                 {FormatFailureText(lzh, archive), lzh.formatTitle, MessageButtons::Ok, MessageIcon::Critical, false, {}},
                 {ExtractionFailureText(report, archive, target), "Tockara", MessageButtons::Ok, MessageIcon::Warning,
                  false, {}},
                 {ExistingNamesText(report, target), "Tockara", MessageButtons::Ok, MessageIcon::Information, false, {}},
                 {CancelledText(archive, target), "Tockara", MessageButtons::Ok, MessageIcon::Information, false, {}},
                 {FileManagerFailureText(53), "Tockara", MessageButtons::Ok, MessageIcon::None, false, {}},
             };
         }},
        {"src/calendar/ui/note_window.cpp", 2,
         [&] {
             fakes.messages->answers = {MessageAnswer::No, MessageAnswer::No};
             return boxesOf([&] {
                 leaveMemo(true);
                 leaveMemo(false);
             });
         }},
    };

    Services real = MakeLinuxServices();
    QMap<QString, int> listed;
    for (const Source &source : sources) {
        listed.insert(source.file, source.calls);
        const QList<Box> boxes = source.boxes();
        EXPECT_FALSE(boxes.isEmpty()) << source.file;
        for (const Box &shown : boxes) {
            WithShownBox(*real.messages, shown, [&](QMessageBox &box) {
                EXPECT_EQ(BoxFaults(box, shown.text, shown.title), "")
                    << source.file << ": " << shown.text.left(200).toStdString();
            });
        }
    }
    EXPECT_EQ(listed, ServiceCallsInSources()) << "a call of the message-box service is not shown here";
}

// The one box the program makes itself, not through the service: the
// question after a change of the display mode.
TEST_F(ShownTextsTest, TheDisplayModeQuestionShowsItsWholeText)
{
    KeepDisplayModeBox box(*fakes.clock, nullptr);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    EXPECT_EQ(BoxFaults(box, KeepDisplayModeText(KeepDisplayModeSeconds), "Tockara"), "");
}

// Every label of every window shows what it is given as written: a diary
// line, a CD's name or a path with markup in it stays text.
TEST_F(ShownTextsTest, NoLabelOfAnyWindowReadsMarkup)
{
    QStringList readingMarkup;
    auto look = [&readingMarkup](const QWidget &window, const QString &where) {
        for (const QLabel *label : window.findChildren<QLabel *>()) {
            // A swatch shows a colour, never a text.
            if (!qobject_cast<const ColorSwatch *>(label) && label->textFormat() != Qt::PlainText)
                readingMarkup << where + " " + label->objectName();
        }
    };
    ASSERT_GE(features.pages.pages().size(), 12);
    for (const PageDefinition *page : features.pages.pages()) {
        ctx.PageRequest = page->request;
        look(SettingsWindow(ctx, state, features.pages), page->frame);
    }
    for (const qint16 mode : {qint16(PageCalendar), qint16(PageMemo)}) {
        ctx.PageRequest = mode;
        look(NoteWindow(ctx), "frmToDo");
    }
    look(HoverWindow(ctx), "frmDigi");
    EXPECT_EQ(readingMarkup.join(u' ').toStdString(), "");
}

} // namespace
