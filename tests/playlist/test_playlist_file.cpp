#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include "playlist/EntryListView.h"
#include "playlist/PlaylistModel.h"

#include "FakePlaybackControl.h"
#include "TestSkin.h"
#include "app/Forms.h"
#include "playlist/FormPLS.h"
#include "playlist/PlaylistFile.h"

namespace {

const char kTwoEntries[] =
    "<SLV Version = \"1.1\" >\r\n"
    "\r\n"
    "<Param Name = \"Name\" Value = \"Solvane Playlist - ASX Format - \" />\r\n"
    "<Param Name = \"AllowShuffle\" Value = \"yes\" />\r\n"
    "\r\n"
    "<Entry>\r\n"
    "<Param Name = \"name\" Value = \"clip.avi\" />\r\n"
    "<ref href = \"C:\\m\\clip.avi\" />\r\n"
    "</Entry>\r\n"
    "\r\n"
    "<Entry>\r\n"
    "<Param Name = \"name\" Value = \"b\" />\r\n"
    "<ref href = \"C:\\m\\b.mpg\" />\r\n"
    "</Entry>\r\n"
    "\r\n"
    "</asx>\r\n";

class PlaylistFileTest : public ::testing::Test {
  protected:
    PlaylistFileTest() {
        pls = &forms.Playlist();
        pls->MessageBox = [this](const QString& text) { messages << text; };
    }
    QString file(const QString& name, const QByteArray& bytes) {
        dir.WriteFile(name, bytes);
        return dir.Path() + "/" + name;
    }
    QStringList names() const {
        QStringList out;
        for (int i = 0; i < pls->List2->count(); ++i) out << pls->Model().Name(i);
        return out;
    }
    QByteArray bytes(const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    TestProgramDir dir;
    TestForms forms{FakePlaybackControl::Factory()};
    FormPLS* pls = nullptr;
    QStringList messages;
};

TEST_F(PlaylistFileTest, WritesTheSixteenLinesByteForByte) {
    pls->AppendEntry("C:\\m\\clip.avi", "clip.avi");
    pls->AppendEntry("C:\\m\\b.mpg", "b");
    const QString path = dir.Path() + "/list.slv";
    pls->WriteToASX(path);
    EXPECT_EQ(bytes(path), QByteArray(kTwoEntries));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PlaylistFileTest, AnEmptyListGivesTheHeaderAndTheClosingLine) {
    EXPECT_EQ(
        PlaylistFile::Compose({}, {}),
        QString::fromLatin1(kTwoEntries).left(QString::fromLatin1(kTwoEntries).indexOf("<Entry>")) +
            "</asx>\r\n");
    EXPECT_TRUE(
        PlaylistFile::Compose({"a", "b"}, {"x"}).contains("Value = \"\" />\r\n<ref href = \"b\""))
        << "missing names are written empty";
}

TEST_F(PlaylistFileTest, LoadingAppendsAndLoadingTwiceListsTwice) {
    const QString path = file("list.slv", kTwoEntries);
    pls->PullFromASX(path);
    EXPECT_EQ(pls->Model().Paths(), (QStringList{"C:/m/clip.avi", "C:/m/b.mpg"}));
    EXPECT_EQ(names(), (QStringList{"clip.avi", "b"}));
    pls->PullFromASX(path);
    EXPECT_EQ(pls->Model().Paths().size(), 4);
    EXPECT_EQ(names().size(), 4);
}

TEST_F(PlaylistFileTest, LfLineEndsAndForeignTextReadTheSame) {
    QByteArray lf(kTwoEntries);
    lf.replace("\r\n", "\n");
    pls->PullFromASX(file("lf.slv", lf));
    EXPECT_EQ(pls->Model().Paths(), (QStringList{"C:/m/clip.avi", "C:/m/b.mpg"}));
    pls->Clearlst();
    pls->PullFromASX(file(
        "bare.slv", "junk <ref href = \"/a b/c.avi\" more <Param Name = \"name\" Value = \"c\""));
    EXPECT_EQ(pls->Model().Paths(), QStringList{"/a b/c.avi"});
    EXPECT_EQ(names(), QStringList{"c"});
}

TEST_F(PlaylistFileTest, MarkersMustMatchExactly) {
    QByteArray text(kTwoEntries);
    pls->PullFromASX(file("noblanks.slv", QByteArray(text).replace("<ref href = ", "<ref href=")));
    EXPECT_TRUE(pls->Model().Paths().isEmpty());
    EXPECT_EQ(names().size(), 2);
    pls->Clearlst();
    pls->PullFromASX(file("capital.slv", QByteArray(text).replace("\"name\"", "\"Name\"")));
    EXPECT_EQ(pls->Model().Paths().size(), 2);
    EXPECT_TRUE(names().isEmpty()) << "paths but no names";
}

TEST_F(PlaylistFileTest, EmptyPathsUnclosedMarkersAndEmptyFiles) {
    pls->PullFromASX(file("empty-path.slv", "<ref href = \"\" /> <ref href = \"x\" />"));
    EXPECT_EQ(pls->Model().Paths(), (QStringList{"", dir.Path() + "/x"}));
    pls->Clearlst();
    pls->PullFromASX(file(
        "open.slv",
        "<ref href = \"a\" /> <Param Name = \"name\" Value = \"n\" /> <ref href = \"unclosed"));
    EXPECT_EQ(pls->Model().Paths(), QStringList{dir.Path() + "/a"})
        << "paths found before the failure stay";
    EXPECT_TRUE(names().isEmpty()) << "and no names are read";
    pls->Clearlst();
    for (const QByteArray& content :
         {QByteArray(), QByteArray("x"), QByteArray("no quotes at all in this file"),
          QByteArray("\"a\" \"b\" and no quote from the thirteenth character on")}) {
        pls->PullFromASX(file("tiny.slv", content));
        EXPECT_TRUE(pls->Model().Paths().isEmpty());
        EXPECT_TRUE(names().isEmpty());
    }
    EXPECT_TRUE(messages.isEmpty());
    pls->PullFromASX(dir.Path() + "/missing.slv");
    EXPECT_TRUE(messages.isEmpty()) << "a missing file ends the path reader silently";
}

TEST_F(PlaylistFileTest, APathLineWithoutItsClosingQuoteEndsTheReadingSilently) {
    // The second entry's path line lost its closing quote, and no quote follows it.
    QByteArray text(kTwoEntries);
    text.replace("<ref href = \"C:\\m\\b.mpg\" />", "<ref href = \"C:\\m\\b.mpg />");
    ASSERT_EQ(text.lastIndexOf('"'), text.indexOf("<ref href = \"C:\\m\\b.mpg") + 12);
    pls->PullFromASX(file("unclosed.slv", text));
    EXPECT_EQ(pls->Model().Paths(), QStringList{"C:/m/clip.avi"})
        << "the path before the failure stays";
    EXPECT_TRUE(names().isEmpty()) << "the names, though both are whole, are not read";
    EXPECT_TRUE(messages.isEmpty()) << "the path reader fails silently";

    // Its only path line unclosed: nothing at all, still without a word.
    pls->PullFromASX(file("first.slv", "<Param Name = \"name\" Value = \"n\" /><ref href = \"a"));
    EXPECT_EQ(pls->Model().Paths(), QStringList{"C:/m/clip.avi"});
    EXPECT_TRUE(names().isEmpty());
    EXPECT_TRUE(messages.isEmpty());

    // The last pass searches for a quote from the end of the marker's length on: a path found
    // there lets the name reader run, whose last pass fails where no quote follows position 30.
    pls->Clearlst();
    pls->PullFromASX(file("nameless.slv", "<ref href = \"a.avi\" />"));
    EXPECT_EQ(pls->Model().Paths(), QStringList{dir.Path() + "/a.avi"});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("There was an Error reading from the playlist: "));
}

TEST_F(PlaylistFileTest, MismatchedCountsShiftThePairing) {
    pls->PullFromASX(
        file("shift.slv",
             "<ref href = \"p1\" /><ref href = \"p2\" /><Param Name = \"name\" Value = \"n2\" />"));
    EXPECT_EQ(pls->Model().Paths(), (QStringList{dir.Path() + "/p1", dir.Path() + "/p2"}));
    EXPECT_EQ(names(), QStringList{"n2"});
}

TEST_F(PlaylistFileTest, PathsInTheFileTakeSlashesAndStartAtTheFilesFolder) {
    const QString lists = dir.Make("lists");
    dir.Make("lists/sub");
    dir.WriteFile("lists/sub/b.avi", "x");
    pls->PullFromASX(file("lists/other.slv",
                          "<ref href = \"\\music\\a.mp3\" /><ref href = \"sub\\b.avi\" />"
                          "<ref href = \"..\\c.avi\" /><ref href = \"D:\\films\\d.avi\" />"
                          "<ref href = \"http://host/e.mp3\" /><ref href = \"\" />"));
    ASSERT_EQ(pls->Model().Paths(),
              (QStringList{"/music/a.mp3", lists + "/sub/b.avi", lists + "/../c.avi",
                           "D:/films/d.avi", "http://host/e.mp3", ""}));
    EXPECT_TRUE(QFileInfo::exists(pls->Model().Paths()[1]));
}

TEST_F(PlaylistFileTest, ThePlaylistFilesOwnNameKeepsItsBackslashes) {
    // The name came from a dialog: there "\" is an ordinary character of a name.
    const QString folder = dir.Make("we\\ird");
    dir.WriteFile("we\\ird/a.avi", "x");
    pls->PullFromASX(file("we\\ird/list.slv",
                          "<Param Name = \"name\" Value = \"a\" /><ref href = \"a.avi\" />"));
    ASSERT_EQ(pls->Model().Paths(), QStringList{folder + "/a.avi"});
    EXPECT_TRUE(QFileInfo::exists(pls->Model().Paths()[0]));

    const QString saved = dir.Path() + "/my\\list.slv";
    pls->WriteToASX(saved);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(saved));
}

TEST_F(PlaylistFileTest, TextThatIsNotUtf8IsReadAsWindows1252AndSavedAsUtf8) {
    dir.WriteFile(QStringLiteral("Caf\u00e9.mp3"), "x");
    pls->PullFromASX(file("cp1252.slv",
                          "<Param Name = \"name\" Value = \"Caf\xE9 \x80 \x93x\x94\" />"
                          "<ref href = \"Caf\xE9.mp3\" />"));
    EXPECT_EQ(names(), QStringList{QStringLiteral("Caf\u00e9 \u20ac \u201cx\u201d")});
    ASSERT_EQ(pls->Model().Paths(), QStringList{dir.Path() + QStringLiteral("/Caf\u00e9.mp3")});
    EXPECT_TRUE(QFileInfo::exists(pls->Model().Paths()[0]));

    const QString saved = dir.Path() + "/saved.slv";
    pls->WriteToASX(saved);
    const QByteArray written = bytes(saved);
    EXPECT_TRUE(written.contains("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x9Cx\xE2\x80\x9D"));
    EXPECT_FALSE(written.contains("\xEF\xBF\xBD")) << "no replacement characters";

    // Valid UTF-8 stays UTF-8, not read byte by byte.
    pls->Clearlst();
    pls->PullFromASX(saved);
    EXPECT_EQ(names(), QStringList{QStringLiteral("Caf\u00e9 \u20ac \u201cx\u201d")});
}

TEST(PlaylistText, OneByteThatIsNotUtf8MakesTheWholeFileWindows1252) {
    EXPECT_EQ(PlaylistFile::Decode("\xF0\x9F\x8E\xB5 \xC3\xA9"),
              QStringLiteral("\U0001F3B5 \u00e9"));
    EXPECT_EQ(PlaylistFile::Decode("\xC3\xA9 \xE9"), QStringLiteral("\u00c3\u00a9 \u00e9"));
    EXPECT_EQ(PlaylistFile::Decode("\x80\x81\x8A\x9F\xA0\xFF"),
              QStringLiteral("\u20ac\u0081\u0160\u0178\u00a0\u00ff"));
    EXPECT_EQ(PlaylistFile::Decode("cut \xC3"), QStringLiteral("cut \u00c3"))
        << "a sequence cut short";
    EXPECT_EQ(PlaylistFile::Decode("\xC0\xAF"), QStringLiteral("\u00c0\u00af"))
        << "an overlong form";
    EXPECT_EQ(PlaylistFile::Decode("\xED\xA0\x80"), QStringLiteral("\u00ed\u00a0\u20ac"))
        << "an encoded surrogate";
    EXPECT_EQ(PlaylistFile::Decode(QByteArray("a\0b", 3)),
              QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
}

TEST_F(PlaylistFileTest, QuotesInPathsAndNamesSurviveARoundTrip) {
    pls->AppendEntry("/music/The \"Best\" Of.mp3", "The \"Best\" Of.mp3");
    pls->AppendEntry("/music/plain.mp3", "plain.mp3");
    const QString path = dir.Path() + "/quotes.slv";
    pls->WriteToASX(path);
    EXPECT_TRUE(bytes(path).contains("The &quot;Best&quot; Of.mp3"));
    pls->Clearlst();
    pls->PullFromASX(path);
    EXPECT_EQ(pls->Model().Paths(),
              (QStringList{"/music/The \"Best\" Of.mp3", "/music/plain.mp3"}));
    EXPECT_EQ(names().first(), "The \"Best\" Of.mp3");
}

TEST_F(PlaylistFileTest, AFailedSaveLeavesTheOldFileAndSaysWhy) {
    const QString folder = dir.Make("readonly");
    const QString path = folder + "/keep.slv";
    dir.WriteFile("readonly/keep.slv", kTwoEntries);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    if (QFile(folder + "/probe").open(QIODevice::WriteOnly))
        GTEST_SKIP() << "running with rights that ignore permissions";
    pls->AppendEntry("/x.avi", "x.avi");
    pls->WriteToASX(path);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(bytes(path), QByteArray(kTwoEntries));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("There was an Error writing To the playlist: "));
    EXPECT_GT(messages[0].size(), QString("There was an Error writing To the playlist: ").size());
}

TEST_F(PlaylistFileTest, ASaveThatCannotBeginSaysWhyAndWritesNothing) {
    dir.WriteFile("plain.txt", "not a folder");
    pls->AppendEntry("/x.avi", "x.avi");
    pls->WriteToASX(dir.Path() + "/plain.txt/list.slv");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("There was an Error writing To the playlist: "));
    EXPECT_EQ(bytes(dir.Path() + "/plain.txt"), QByteArray("not a folder"));
}

TEST_F(PlaylistFileTest, SavingOverAnOldListReplacesItWhole) {
    const QString path = file("old.slv", QByteArray(kTwoEntries) + QByteArray(5000, 'x'));
    pls->AppendEntry("/only.avi", "only.avi");
    pls->WriteToASX(path);
    EXPECT_EQ(bytes(path), PlaylistFile::Compose({"/only.avi"}, {"only.avi"}).toUtf8());
    EXPECT_EQ(QDir(dir.Path()).entryList(QDir::Files | QDir::Hidden).filter("old").size(), 1)
        << "no stray temporary file";
}

}  // namespace
