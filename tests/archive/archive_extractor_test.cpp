// Extraction of a dropped archive: the archiver on a worker thread, then the
// messages and the file manager, with fake services.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <QApplication>
#include <QMessageBox>

#include "archive/archive_extractor.h"
#include "platform/linux/linux_services.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

class Extraction : public ::testing::Test {
protected:
    // Waits until count extractions have ended, messages shown.
    bool waitForFinished(int count)
    {
        return QTest::qWaitFor([&] { return spy.count() >= count; }, 5000);
    }

    FakeServices fakes;
    ArchiveExtractor extractor{*fakes.services.archivers, *fakes.services.messages,
                               *fakes.services.programs};
    QSignalSpy spy{&extractor, &ArchiveExtractor::finished};
    ExtractionSettings settings{"/home/u/dl/", false, "xdg-open", "/opt/tockara", {}};
};

TEST_F(Extraction, WhatFollowsTheArchiver)
{
    ArchiverReport damaged;
    damaged.extracted = {"a.txt"};
    damaged.fail("b.txt", kArchiverDamaged);
    ArchiverReport unreadable;
    unreadable.note(kArchiverUnreadable);
    const struct {
        std::optional<ArchiverReport> result;
        int fileManagerCode;
        ExtractionOutcome outcome;
        QString text, title;
        MessageIcon icon;
        bool fileManagerStarted;
    } cases[] = {
        {std::nullopt, 0, ExtractionOutcome::ComponentMissing,
         MissingArchiverText(*ArchiverFor("zip")), "Tockara",
         MessageIcon::None, false},
        {unreadable, 0, ExtractionOutcome::Failed,
         "指定された書庫ファイルは、ZIP形式ではありません\n/dl/a b.zip", "UNZIP32j",
         MessageIcon::Critical, false},
        // Not every entry extracted: why and what, and no folder opened.
        {damaged, 0, ExtractionOutcome::Incomplete,
         "書庫ファイルが壊れているため、解凍できないファイルがありました。\n\n書庫: /dl/a b.zip\n"
         "解凍先: /home/u/dl/\n解凍したファイル: a.txt\n解凍しなかったファイル: b.txt（破損）",
         "Tockara", MessageIcon::Warning, false},
        {ArchiverReport{}, 0, ExtractionOutcome::Extracted, {}, {}, MessageIcon::None, true},
        {ArchiverReport{}, 53, ExtractionOutcome::FileManagerFailed,
         "53:ファイルマネージャーが見つかりません。", "Tockara", MessageIcon::None, true},
    };
    int n = 0;
    for (const auto &c : cases) {
        fakes.messages->shown.clear();
        fakes.programs->requests.clear();
        fakes.archivers->results = {c.result};
        fakes.programs->startResults = {c.fileManagerCode};
        ASSERT_TRUE(extractor.ExtractArchive("/dl/a b.zip", settings));
        ASSERT_TRUE(waitForFinished(++n));
        EXPECT_EQ(spy.last().at(1).value<ExtractionOutcome>(), c.outcome);
        if (c.text.isEmpty()) {
            EXPECT_TRUE(fakes.messages->shown.isEmpty());
        } else {
            ASSERT_EQ(fakes.messages->shown.size(), 1);
            EXPECT_EQ(fakes.messages->shown[0].text, c.text);
            EXPECT_EQ(fakes.messages->shown[0].title, c.title);
            EXPECT_EQ(fakes.messages->shown[0].icon, c.icon);
            EXPECT_FALSE(fakes.messages->shown[0].waited) << "the clock goes on under the box";
        }
        ASSERT_EQ(fakes.programs->requests.size(), c.fileManagerStarted ? 1 : 0);
        if (c.fileManagerStarted) {
            EXPECT_EQ(fakes.programs->requests[0].target, "xdg-open");
            EXPECT_EQ(fakes.programs->requests[0].arguments, QStringList{"/home/u/dl/"});
        }
    }
}

TEST_F(Extraction, TheArchiverGetsTheArchiveWholeAndTheFolderNamedAfterIt)
{
    settings.FileFold = true;
    ASSERT_TRUE(extractor.ExtractArchive("/home/u/my files/Data.Zip", settings));
    ASSERT_TRUE(waitForFinished(1));
    ASSERT_EQ(fakes.archivers->calls().size(), 1);
    EXPECT_EQ(fakes.archivers->calls()[0].library, "unzip32");
    EXPECT_EQ(fakes.archivers->calls()[0].commandLine,
              (QStringList{"-xs", "/home/u/my files/Data.Zip", "/home/u/dl/Data/"}));
    EXPECT_EQ(fakes.programs->requests[0].arguments, QStringList{"/home/u/dl/Data/"});
}

TEST_F(Extraction, TakenNamesAreAskedAboutOnceAndTheAnswerGoesToTheArchiver)
{
    const struct {
        QStringList taken;
        bool fileFold;
        std::optional<int> answer;  // nothing: the box closed without a button (Escape, the title bar)
        bool asked;
        std::optional<ExistingName> rule;  // nothing: not extracted
    } cases[] = {
        {{}, false, std::nullopt, false, ExistingName::KeepBoth},
        {{"a.txt", "sub/b.txt"}, false, 0, true, ExistingName::Replace},
        {{"a.txt"}, false, 1, true, ExistingName::KeepBoth},
        {{"a.txt"}, false, 2, true, ExistingName::Skip},
        {{"a.txt"}, false, 3, true, std::nullopt},
        {{"a.txt"}, false, std::nullopt, true, std::nullopt},
        // A folder made new for the archive holds no name yet.
        {{"a.txt"}, true, 0, false, ExistingName::KeepBoth},
    };
    int n = 0;
    for (const auto &c : cases) {
        fakes.messages->shown.clear();
        fakes.programs->requests.clear();
        fakes.archivers->taken = c.taken;
        fakes.messages->choiceAnswers.clear();
        if (c.answer)
            fakes.messages->choiceAnswers = {*c.answer};
        settings.FileFold = c.fileFold;
        const qsizetype calls = fakes.archivers->calls().size();
        ASSERT_TRUE(extractor.ExtractArchive("/dl/a.zip", settings));
        ASSERT_TRUE(waitForFinished(++n));
        const bool asked = !fakes.messages->shown.isEmpty() && !fakes.messages->shown[0].choices.isEmpty();
        ASSERT_EQ(asked, c.asked);
        if (asked) {
            EXPECT_EQ(fakes.messages->shown[0].choices, ExistingNameButtons());
            EXPECT_EQ(fakes.messages->shown[0].choices.value(kCancelExtractionButton), "キャンセル");
            for (const QString &name : c.taken)
                EXPECT_TRUE(fakes.messages->shown[0].text.contains(name));
        }
        if (!c.rule) {
            // Cancelled: nothing extracted, no folder opened, and said so.
            EXPECT_EQ(fakes.archivers->calls().size(), calls);
            EXPECT_EQ(spy.last().at(1).value<ExtractionOutcome>(), ExtractionOutcome::Cancelled);
            ASSERT_EQ(fakes.messages->shown.size(), 2);
            EXPECT_EQ(fakes.messages->shown[1].text, CancelledText("/dl/a.zip", "/home/u/dl/"));
            EXPECT_TRUE(fakes.programs->requests.isEmpty());
            continue;
        }
        ASSERT_EQ(fakes.archivers->calls().size(), calls + 1);
        const ExtractionRules rules = fakes.archivers->calls().last().rules;
        EXPECT_EQ(rules.existing, *c.rule);
        EXPECT_EQ(rules.newFolder, c.fileFold);
        EXPECT_TRUE(rules.protectedPlaces.folders.contains("/opt/tockara")) << "the program folder is always one";
    }
}

// The real question box: Escape and the window's close button cancel the
// archive's extraction, and the next archive is extracted.
TEST(ExtractionQuestion, EscapeAndTheCloseButtonCancel)
{
    FakeServices fakes;
    Services real = MakeLinuxServices();
    ArchiveExtractor extractor{*fakes.services.archivers, *real.messages, *fakes.services.programs};
    QSignalSpy spy{&extractor, &ArchiveExtractor::finished};
    const ExtractionSettings settings{"/home/u/dl/", false, "xdg-open", "/opt/tockara", {}};
    fakes.archivers->taken = {"a.txt"};
    const auto question = [] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
                return box;
        return static_cast<QMessageBox *>(nullptr);
    };
    const std::function<void(QMessageBox *)> closings[] = {
        [](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); },
        [](QMessageBox *box) { box->close(); },  // as the title bar's button does
    };
    int n = 0;
    for (const auto &close : closings) {
        ASSERT_TRUE(extractor.ExtractArchive("/dl/a.zip", settings));
        ASSERT_TRUE(QTest::qWaitFor([&] { return question() != nullptr; }, 5000));
        QMessageBox *box = question();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        close(box);
        ASSERT_TRUE(QTest::qWaitFor([&] { return spy.count() > n; }, 5000));
        ++n;
        EXPECT_EQ(spy.last().at(1).value<ExtractionOutcome>(), ExtractionOutcome::Cancelled);
        EXPECT_TRUE(fakes.archivers->calls().isEmpty());
        // The message saying so.
        ASSERT_TRUE(QTest::qWaitFor([&] { return question() != nullptr; }, 5000));
        EXPECT_EQ(question()->text(), CancelledText("/dl/a.zip", "/home/u/dl/"));
        question()->close();
        QTest::qWait(10);
    }
}

TEST_F(Extraction, TheFileManagerOpensTheFolderReallyUsedAndRenamesAreTold)
{
    ArchiverReport renamed;
    renamed.target = "/home/u/dl/Data (2)/";
    renamed.extracted = {"a (2).txt"};
    renamed.renamed = {{"a.txt", "a (2).txt"}};
    fakes.archivers->results = {renamed};
    settings.FileFold = true;
    ASSERT_TRUE(extractor.ExtractArchive("/dl/Data.zip", settings));
    ASSERT_TRUE(waitForFinished(1));
    EXPECT_EQ(spy.last().at(1).value<ExtractionOutcome>(), ExtractionOutcome::Extracted);
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].text, ExistingNamesText(renamed, renamed.target));
    ASSERT_EQ(fakes.programs->requests.size(), 1);
    EXPECT_EQ(fakes.programs->requests[0].arguments, QStringList{"/home/u/dl/Data (2)/"});
}

TEST_F(Extraction, AnArchiveThatIsNoRegularFileIsRefusedAtOnceAndTheNextOneIsExtracted)
{
    TempFolder folder;
    const QString pipe = folder.file("pipe.zip");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QFile::link(pipe, folder.file("link.zip"));
    fakes.archivers->hold();  // a refused archive never reaches the archiver
    QDir().mkpath(folder.file("folder.zip"));
    for (const QString &path : {pipe, folder.file("link.zip"), folder.file("folder.zip")})
        ASSERT_TRUE(extractor.ExtractArchive(path, settings));
    ASSERT_TRUE(waitForFinished(3));
    EXPECT_TRUE(fakes.archivers->calls().isEmpty());
    ASSERT_EQ(fakes.messages->shown.size(), 3);
    EXPECT_EQ(fakes.messages->shown[0].text, NotAFileText(pipe));
    EXPECT_EQ(spy[0].at(1).value<ExtractionOutcome>(), ExtractionOutcome::Failed);
    fakes.archivers->release();
    ASSERT_TRUE(extractor.ExtractArchive("/dl/next.zip", settings));
    ASSERT_TRUE(waitForFinished(4));
    EXPECT_EQ(fakes.archivers->calls().size(), 1);
}

TEST_F(Extraction, OnlyArchivesAreExtracted)
{
    EXPECT_FALSE(extractor.ExtractArchive("/dl/notes.txt", settings));
    EXPECT_EQ(ExtractIfArchive(0, "/dl/tool", extractor, settings), -1);
    EXPECT_EQ(ExtractIfArchive(8, "/dl/a.lzh", extractor, settings), 0);
    extractor.waitForArchivers();
    ASSERT_EQ(fakes.archivers->calls().size(), 1);
    EXPECT_EQ(fakes.archivers->calls()[0].library, "unlha32");
}

TEST_F(Extraction, TheClockTicksWhileAnArchiveIsExtractedAndArchivesEndInOrder)
{
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(10);

    fakes.archivers->hold();
    extractor.ExtractArchive("/dl/first.arj", settings);
    extractor.ExtractArchive("/dl/second.lzh", settings);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 5; }, 5000));
    EXPECT_EQ(spy.count(), 0) << "nothing follows before the archiver has ended";
    EXPECT_EQ(fakes.archivers->calls().size(), 1) << "one archive at a time";

    fakes.archivers->release();
    ASSERT_TRUE(waitForFinished(2));
    EXPECT_EQ(spy[0].at(0).toString(), "/dl/first.arj");
    EXPECT_EQ(spy[1].at(0).toString(), "/dl/second.lzh");
}

TEST(ExtractionAtTheEnd, EndingTheProgramStopsTheExtractionUnderWayAndDropsTheOthers)
{
    FakeServices fakes;
    auto extractor = std::make_unique<ArchiveExtractor>(*fakes.services.archivers, *fakes.services.messages,
                                                        *fakes.services.programs);
    const ExtractionSettings settings{"/home/u/dl/", false, "xdg-open", "/opt/tockara", {}};
    fakes.archivers->hold();
    extractor->ExtractArchive("/dl/big.zip", settings);
    extractor->ExtractArchive("/dl/next.zip", settings);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fakes.archivers->calls().size() == 1; }, 5000));
    extractor.reset();  // returns only because the held extraction is stopped
    EXPECT_EQ(fakes.archivers->cancelled(), 1);
    EXPECT_EQ(fakes.archivers->calls().size(), 1) << "the waiting archive is not started";
    QCoreApplication::processEvents();
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
    EXPECT_TRUE(fakes.programs->requests.isEmpty());
}

} // namespace
