#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "app/CommandLine.h"

namespace {

class Arguments : public ::testing::Test {
  protected:
    Arguments() {
        for (const char* name :
             {"a.mp3", "we\\ird.avi", "list.slv", "with space.mpg", "notes.txt"}) {
            QFile file(dir.filePath(QLatin1String(name)));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QDir(dir.path()).mkdir(QStringLiteral("folder"));
    }
    CommandLine parse(const QStringList& arguments) {
        return CommandLine::Parse(arguments, dir.path());
    }
    QString at(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(Arguments, FilesFoldersPlaylistsAndUrisBecomeAbsolutePathsInOrder) {
    const QString uri = QUrl::fromLocalFile(at("with space.mpg")).toString();
    const CommandLine line =
        parse({"a.mp3", at("folder"), "./list.slv", uri, "we\\ird.avi", "sub/../a.mp3"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_EQ(line.paths, (QStringList{at("a.mp3"), at("folder"), at("list.slv"),
                                       at("with space.mpg"), at("we\\ird.avi"), at("a.mp3")}));
    EXPECT_TRUE(line.complaints.isEmpty());
    EXPECT_FALSE(line.newInstance);
    EXPECT_EQ(line.ExitCode(), 0);
}

TEST_F(Arguments, HttpAndHttpsUrlsAreStreamsKeptAsGivenWithoutLookingForAFile) {
    const QStringList streams{"http://127.0.0.1:1/live", "HTTPS://radio.example/a.ogg?id=3"};
    const CommandLine line = parse({streams[0], "a.mp3", streams[1], "http:/no-host.mp3"});
    EXPECT_EQ(line.paths, (QStringList{streams[0], at("a.mp3"), streams[1]}));
    EXPECT_EQ(line.complaints, QStringList{"solvane: cannot open 'http:/no-host.mp3': No such "
                                           "file or directory"});
}

TEST_F(Arguments, AMissingPathOrAFileOfAnotherTypeIsReportedAndSkippedAndTheOthersStay) {
    const CommandLine line = parse({"gone.avi", "a.mp3", "file:///nowhere/x.mp3", "notes.txt"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_EQ(line.paths, QStringList{at("a.mp3")});
    EXPECT_EQ(line.complaints,
              (QStringList{"solvane: cannot open 'gone.avi': No such file or directory",
                           "solvane: cannot open 'file:///nowhere/x.mp3': No such file or "
                           "directory",
                           "solvane: cannot open 'notes.txt': Not a media file or playlist"}));
}

TEST_F(Arguments, OptionsHelpVersionAndUnknown) {
    EXPECT_EQ(parse({"--help"}).action, CommandLine::Action::Help);
    EXPECT_EQ(parse({"a.mp3", "--version"}).action, CommandLine::Action::Version);
    EXPECT_TRUE(CommandLine::Version().startsWith("solvane "));
    EXPECT_TRUE(CommandLine::Usage().contains("--new-instance"));

    const CommandLine unknown = parse({"a.mp3", "--shiny"});
    EXPECT_EQ(unknown.action, CommandLine::Action::Fail);
    EXPECT_EQ(unknown.ExitCode(), 2);
    EXPECT_EQ(unknown.complaints, QStringList{"solvane: unrecognized option '--shiny'"});

    const CommandLine fresh = parse({"--new-instance", "a.mp3"});
    EXPECT_TRUE(fresh.newInstance);
    EXPECT_EQ(fresh.paths, QStringList{at("a.mp3")});
}

TEST_F(Arguments, AfterTwoDashesEverythingIsAPathAndALoneDashIsOne) {
    QFile dashed(at("--help.mp3"));
    ASSERT_TRUE(dashed.open(QIODevice::WriteOnly));
    const CommandLine line = parse({"--", "--help.mp3", "-"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_EQ(line.paths, QStringList{at("--help.mp3")});
    EXPECT_EQ(line.complaints.size(), 1) << "'-' names a file that does not exist";
}

// Each remote command stands alone: no files with it, one at a time; Qt's -platform and its
// value are left for Qt and noted, since the user chose the window system.
TEST_F(Arguments, RemoteCommandsAndThePlatformArgument) {
    for (const char* name :
         {"play", "pause", "play-pause", "stop", "next", "previous", "volume-up", "volume-down"}) {
        const QString option = QStringLiteral("--") + QLatin1String(name);
        const CommandLine line = parse({option});
        EXPECT_EQ(line.action, CommandLine::Action::Remote) << name;
        EXPECT_EQ(line.remote, QLatin1String(name));
        EXPECT_TRUE(CommandLine::Usage().contains(option + QLatin1Char(' '))) << name;
    }
    const CommandLine withFile = parse({"--next", "a.mp3"});
    EXPECT_EQ(withFile.action, CommandLine::Action::Fail);
    EXPECT_EQ(withFile.complaints, QStringList{"solvane: '--next' takes no files"});
    EXPECT_EQ(parse({"--play", "--stop"}).action, CommandLine::Action::Fail);
    EXPECT_EQ(parse({"-play"}).action, CommandLine::Action::Fail);

    const CommandLine platform = parse({"-platform", "wayland", "a.mp3"});
    EXPECT_EQ(platform.action, CommandLine::Action::Run);
    EXPECT_TRUE(platform.platformArgument);
    EXPECT_EQ(platform.paths, QStringList{at("a.mp3")}) << "the platform's name is no file";
    EXPECT_TRUE(platform.complaints.isEmpty());
    EXPECT_FALSE(parse({"a.mp3"}).platformArgument);
}

}  // namespace
