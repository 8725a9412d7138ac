#include <gtest/gtest.h>

#include "TestSkin.h"
#include "platform/APIINISystem.h"

namespace {

class SettingsReader : public ::testing::Test {
  protected:
    QString read(const QByteArray& text, const QString& section, const QString& key,
                 const QString& fallback = QStringLiteral("default")) {
        dir.WriteFile(QStringLiteral("settings.ini"), text);
        APIINISystem ini;
        ini.SetINIFile(dir.Path() + QStringLiteral("/settings.ini"));
        return ini.INI_Read(section, key, fallback);
    }
    TestProgramDir dir;
};

TEST_F(SettingsReader, FindsValuesWithoutRegardToCaseOrBlanks) {
    const QByteArray text =
        "[Skin]\nDefaultSkin=skins\\silence\n  [ normal ]  \n  TransColorR =  12  \n";
    EXPECT_EQ(read(text, "skin", "defaultskin"), "skins\\silence");
    EXPECT_EQ(read(text, "NORMAL", "transcolorr"), "12");
}

TEST_F(SettingsReader, MatchingQuotesAreRemovedOthersKept) {
    const QByteArray text = "[A]\nq=\"quoted value\"\ns='single'\nhalf=\"open\nmixed=\"x'\n";
    EXPECT_EQ(read(text, "A", "q"), "quoted value");
    EXPECT_EQ(read(text, "A", "s"), "single");
    EXPECT_EQ(read(text, "A", "half"), "\"open");
    EXPECT_EQ(read(text, "A", "mixed"), "\"x'");
}

TEST_F(SettingsReader, CommentsAreSkippedAndTheFirstMatchWins) {
    const QByteArray text = "[A]\n;k=commented\nk=first\nk=second\n[A]\nk=third\n[B]\nk=other\n";
    EXPECT_EQ(read(text, "A", "k"), "first");
    EXPECT_EQ(read(text, "B", "k"), "other");
}

TEST_F(SettingsReader, CrLfAndLfLineEndsReadAlike) {
    EXPECT_EQ(read("[A]\r\nk=v\r\nj=w\r\n", "A", "k"), "v");
    EXPECT_EQ(read("[A]\r\nk=v\r\nj=w\r\n", "A", "j"), "w");
    EXPECT_EQ(read("[A]\nk=v\nj=w", "A", "j"), "w");
}

TEST_F(SettingsReader, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(read("[A]\nk=v\n", "B", "k"), "default");
    EXPECT_EQ(read("[A]\nk=v\n", "A", "missing"), "default");
    EXPECT_EQ(read("k=v\n", "A", "k"), "default");  // a key before any section belongs to none
    APIINISystem ini;
    ini.SetINIFile(dir.Path() + QStringLiteral("/does/not/exist.ini"));
    EXPECT_EQ(ini.INI_Read("A", "k", "fallback"), "fallback");
    APIINISystem unset;
    EXPECT_EQ(unset.INI_Read("A", "k", "fallback"), "fallback");
}

TEST_F(SettingsReader, EmptyValueIsAValueNotTheDefault) {
    EXPECT_EQ(read("[A]\nk=\n", "A", "k"), "");
}

TEST_F(SettingsReader, LongValuesAndDefaultsAreCutTo99Characters) {
    const QByteArray value(150, 'x');
    EXPECT_EQ(read("[A]\nk=" + value + "\n", "A", "k"), QString(99, 'x'));
    EXPECT_EQ(read("[A]\n", "A", "k", QString(120, 'd')), QString(99, 'd'));
}

TEST_F(SettingsReader, BackslashPathsReachTheFileSystem) {
    dir.Make("sub");
    dir.WriteFile("sub/region.txt", "[Normal]\nTransColorR=7\n");
    APIINISystem ini;
    ini.SetINIFile(dir.Path() + QStringLiteral("\\sub\\region.txt"));
    EXPECT_EQ(ini.INI_Read("Normal", "TransColorR", "255"), "7");
}

TEST_F(SettingsReader, BinaryGarbageDoesNotCrash) {
    QByteArray junk;
    for (int i = 0; i < 4096; ++i) junk.append(static_cast<char>((i * 7919) & 0xFF));
    EXPECT_EQ(read(junk, "Skin", "DefaultSkin"), "default");
}

TEST(JoinPath, JoinsWithExactlyOneSeparator) {
    EXPECT_EQ(APIINISystem::JoinPath("C:\\dir\\\\", "\\\\file.ini"), "C:\\dir/file.ini");
    EXPECT_EQ(APIINISystem::JoinPath("C:\\", "file.ini"), "C:/file.ini");
    EXPECT_EQ(APIINISystem::JoinPath("", "file.ini"), "/file.ini");
    EXPECT_EQ(APIINISystem::JoinPath("/opt/solvane/", ""), "/opt/solvane/");
    EXPECT_EQ(APIINISystem::JoinPath("/opt//", "//x"), "/opt/x");
}

TEST(JoinPath, CreateSetsTheSettingsFile) {
    APIINISystem ini;
    ini.INI_Create("/opt/solvane/", "default.ini");
    EXPECT_EQ(ini.INIFile(), "/opt/solvane/default.ini");
}

}  // namespace
