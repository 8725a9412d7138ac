#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "playlist/PlaylistModel.h"

namespace {

void fill(PlaylistModel& model, std::initializer_list<const char*> names) {
    for (const char* n : names) model.Append(QStringLiteral("/m/%1.avi").arg(n), n);
}

TEST(PlaylistModel, NextAndPreviousWrapAtBothEnds) {
    const struct {
        int count, current, after, before;
    } cases[] = {{0, -1, -1, -1}, {1, 0, 0, 0}, {3, -1, 0, 2}, {3, 0, 1, 2}, {3, 2, 0, 1}};
    for (const auto& c : cases) {
        PlaylistModel model;
        for (int i = 0; i < c.count; ++i) model.Append(QString::number(i), QString::number(i));
        EXPECT_EQ(model.RowAfter(c.current), c.after) << c.count << " entries at " << c.current;
        EXPECT_EQ(model.RowBefore(c.current), c.before) << c.count << " entries at " << c.current;
    }
}

TEST(PlaylistModel, FailuresAreSteppedOverTheWayTheListMovedUntilEveryEntryFailed) {
    PlaylistModel model;
    fill(model, {"A", "B", "C"});
    EXPECT_EQ(model.RowAfterFailure(1), 2);
    model.SetMovingBack(true);
    EXPECT_EQ(model.RowAfterFailure(1), 0);
    EXPECT_EQ(model.RowAfterFailure(0), std::nullopt) << "the third failure in a row";
    EXPECT_EQ(model.RowAfterFailure(0), 2) << "the count starts again";
    model.EntryPlayed();
    EXPECT_EQ(model.RowAfterFailure(2), 1);
}

TEST(PlaylistModel, ReorderingKeepsThePlayingEntryAndAnUnpairedTail) {
    PlaylistModel model;
    fill(model, {"B", "A", "B", "C"});
    model.AppendPaths({"/m/orphan.avi"});
    model.SetPlayingRow(2);
    EXPECT_EQ(model.Reorder(model.OrderWithoutDuplicates(), 3), 2) << "C follows";
    EXPECT_EQ(model.Names(), (QStringList{"A", "B", "C"}));
    EXPECT_EQ(model.PlayingRow(), 1) << "the playing copy of B stays";
    model.Reorder(model.ReversedOrder());
    EXPECT_EQ(model.Paths(), (QStringList{"/m/C.avi", "/m/B.avi", "/m/A.avi", "/m/orphan.avi"}));
    EXPECT_EQ(model.Reorder(model.OrderWithout(1), 1), -1);
    EXPECT_EQ(model.PlayingRow(), -1) << "the playing entry left the list";
}

TEST(PlaylistModel, APlaylistFileSavedLoadsBackAndADamagedOneSaysWhy) {
    QTemporaryDir dir;
    PlaylistModel saved;
    fill(saved, {"Ünïcode name", "b"});
    ASSERT_EQ(saved.Save(dir.filePath("list.slv")), std::nullopt);
    PlaylistModel loaded;
    EXPECT_EQ(loaded.Load(dir.filePath("list.slv")), std::nullopt);
    EXPECT_EQ(loaded.Paths(), saved.Paths());
    EXPECT_EQ(loaded.Names(), saved.Names());

    QFile damaged(dir.filePath("damaged.slv"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("<ref href = \"/m/x.avi\" />\r\n<Param Name = \"name\" Value = \"x\r\n");
    damaged.close();
    EXPECT_TRUE(loaded.Load(dir.filePath("damaged.slv")).has_value());
    EXPECT_EQ(loaded.Paths().size(), 3) << "the path read before the damage stays";
    EXPECT_EQ(loaded.Load(dir.filePath("missing.slv")), std::nullopt) << "quietly nothing";
}

TEST(PlaylistModel, TagsAndLengthsShowOnEveryRowOfTheirFile) {
    PlaylistModel model;
    fill(model, {"A", "B", "A"});
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    MediaInfo info;
    info.milliseconds = 125000;
    info.title = "Title";
    info.artist = "Artist";
    model.SetInfo("/m/A.avi", info);
    EXPECT_EQ(changed.count(), 2);
    for (int row : {0, 2}) {
        EXPECT_EQ(model.index(row).data(PlaylistModel::LengthRole).toDouble(), 125.0);
        EXPECT_EQ(model.index(row).data(Qt::ToolTipRole).toString(), "Title\nArtist");
        EXPECT_EQ(model.index(row).data().toString(), "A") << "tags never rename an entry";
    }
    EXPECT_FALSE(model.index(1).data(Qt::ToolTipRole).isValid());
}

// A real file's headers, read in the background once it is added; its list length before.
TEST(PlaylistModel, AddedFilesGetTheirLengthsAndTagsFromTheirHeaders) {
    QTemporaryDir dir;
    const QString song = dir.filePath("song.flac");
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "sine=duration=65", "-metadata",
                            "title=Sine Song", "-metadata", "artist=Tone", song});
    ASSERT_TRUE(ffmpeg.waitForFinished(30000) && ffmpeg.exitCode() == 0);
    PlaylistModel model(nullptr, dir.filePath("covers"));
    model.Append({song, "/gone/missing.mp3"}, {"song", "missing"});
    model.WaitForReads();
    QDeadlineTimer deadline(5000);
    while (model.index(0).data(PlaylistModel::LengthRole).toDouble() < 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_NEAR(model.index(0).data(PlaylistModel::LengthRole).toDouble(), 65.0, 0.1);
    EXPECT_EQ(model.index(0).data(Qt::ToolTipRole).toString(), "Sine Song\nTone");
    EXPECT_EQ(model.Name(0), "song");
    EXPECT_LT(model.index(1).data(PlaylistModel::LengthRole).toDouble(), 0) << "unknown: blank";
}

}  // namespace
