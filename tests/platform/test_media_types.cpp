// The types table drives the open dialog's filter, the folder scan, the menu entry and MPRIS.
#include <gtest/gtest.h>

#include <QFile>
#include <QMimeDatabase>
#include <QSet>

#include "platform/CommonDialog.h"
#include "platform/MediaTypes.h"

namespace {

using Kind = MediaTypes::Kind;

QStringList everyExtension() {
    QStringList extensions;
    for (const auto& type : MediaTypes::All()) extensions << type.extensions;
    return extensions;
}

QStringList desktopEntryMimeTypes() {
    QFile entry(qEnvironmentVariable("SOLVANE_SOURCE") + "/data/solvane.desktop");
    EXPECT_TRUE(entry.open(QIODevice::ReadOnly)) << entry.fileName().toStdString();
    for (const QByteArray& line : entry.readAll().split('\n'))
        if (line.startsWith("MimeType="))
            return QString::fromUtf8(line.mid(9)).split(';', Qt::SkipEmptyParts);
    return {};
}

}  // namespace

TEST(MediaTypes, EveryTypeTheIssueNamesIsTakenWhateverTheCaseOfItsExtension) {
    for (const char* audio :
         {"mp3", "flac", "ogg", "oga", "opus", "m4a", "aac", "wav", "wma", "ape", "wv", "mka"})
        for (const QString& name : {QStringLiteral("a.%1"), QStringLiteral("/x.y/B.%1")})
            EXPECT_EQ(MediaTypes::KindOf(name.arg(audio)), Kind::Audio) << audio;
    for (const char* video : {"avi", "divx", "mpg", "mpeg", "dat", "asf", "wmv", "mkv", "mp4",
                              "m4v", "webm", "mov", "ogv", "ts", "m2ts", "3gp", "flv", "vob"})
        EXPECT_EQ(MediaTypes::KindOf(QString("/m/Clip.%1").arg(video).toUpper()), Kind::Video);
    for (const char* list : {"slv", "m3u", "M3U8", "Pls"})
        EXPECT_TRUE(MediaTypes::IsPlaylist(QString("list.") + list)) << list;
    for (const char* other : {"notes.txt", "mp3", "/music.mp3/readme", "a.mp3.part", ""})
        EXPECT_FALSE(MediaTypes::KindOf(other)) << other;
}

TEST(MediaTypes, TheOpenFilterOffersAllThenTheLongStandingFiltersThenEachKind) {
    CommonDialog dialog;
    dialog.SetFilter(MediaTypes::OpenFilter());
    const QStringList filters = dialog.NameFilters();
    ASSERT_EQ(filters.size(), 9);
    const QStringList all = MediaTypes::Patterns({Kind::Audio, Kind::Video, Kind::Playlist});
    EXPECT_EQ(filters.at(0), "All Media Files (" + all.join(' ') + ")");
    for (const QString& extension : everyExtension())
        EXPECT_TRUE(filters.at(0).contains("*." + extension + ' ') ||
                    filters.at(0).endsWith("*." + extension + ')'))
            << extension.toStdString();
    EXPECT_EQ(filters.mid(1, 5),
              (QStringList{"Supported Media Files (*.avi *.asf *.mpg *.mpeg *.wmv *.divx *.dat "
                           "*.slv *.mp3)",
                           "Divx/Avi files (divx avi) (*.avi *.divx)",
                           "Mpeg/MPG/Dat files (mpg mpeg dat) (*.mpg *.mpeg *.dat)",
                           "Windows Media files (asf wmv) (*.asf *.wmv)",
                           "Solvane Playlist (slv) (*.slv)"}));
    EXPECT_TRUE(filters.at(6).startsWith("Audio Files (*.mp3 *.flac"));
    EXPECT_TRUE(filters.at(7).startsWith("Video Files (*.avi *.divx"));
    EXPECT_EQ(filters.at(8), "Playlists (*.slv *.m3u *.m3u8 *.pls)");
}

TEST(MediaTypes, TheScanTakesTheSixPatternsThenWmvAndMp3ThenEveryOtherPlayableType) {
    const QStringList patterns = MediaTypes::ScanPatterns();
    EXPECT_EQ(patterns.mid(0, 8), (QStringList{"*.mpg", "*.mpeg", "*.avi", "*.asf", "*.divx",
                                               "*.dat", "*.wmv", "*.mp3"}));
    const QStringList playable = MediaTypes::Patterns({Kind::Audio, Kind::Video});
    EXPECT_EQ(QSet<QString>(patterns.begin(), patterns.end()),
              QSet<QString>(playable.begin(), playable.end()));
    EXPECT_EQ(patterns.size(), playable.size());
    for (int rank = 0; rank < patterns.size(); ++rank)
        EXPECT_EQ(MediaTypes::ScanRank("A" + patterns.at(rank).mid(1).toUpper()), rank);
    EXPECT_EQ(MediaTypes::ScanRank("list.m3u"), -1) << "lists in a folder are not its media";
}

TEST(MediaTypes, TheMenuEntryOffersExactlyTheTableAndCoversWhatTheDesktopCallsEachExtension) {
    const QStringList offered = desktopEntryMimeTypes();
    const QStringList table = MediaTypes::MimeTypes();
    EXPECT_EQ(offered, table) << "data/solvane.desktop's MimeType line is the table's, in order:\n"
                              << table.join(';').toStdString() << ';';
    QMimeDatabase db;
    for (const QString& extension : everyExtension()) {
        QStringList known;
        for (const QMimeType& type : db.mimeTypesForFileName("a." + extension))
            known << type.name() << type.aliases();
        if (known.isEmpty())
            continue;  // ours alone (.slv, a Video CD's .dat): checked on the installed files
        const bool covered = std::any_of(known.begin(), known.end(),
                                         [&](const QString& name) { return table.contains(name); });
        EXPECT_TRUE(covered) << extension.toStdString() << " is " << known.join(',').toStdString();
    }
}
