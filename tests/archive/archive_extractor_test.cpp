// Extraction of a dropped archive: the archiver on a worker thread, then the
// messages and the file manager, with fake services.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "archive/archive_extractor.h"
#include "support/fake_services.h"

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
    ExtractionSettings settings{"/home/u/dl/", false, "xdg-open", "/opt/tockara"};
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
         "ファイルUNZIP32.DLLが見つかりません。\n解凍作業はおこなえません。", "Tockara",
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
    const ExtractionSettings settings{"/home/u/dl/", false, "xdg-open", "/opt/tockara"};
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
