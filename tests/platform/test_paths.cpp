#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Paths.h"

namespace {

// A prefix with bin/ and share/solvane/, as an install lays it out.
class InstalledPrefix : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(root.isValid());
        prefix = root.path() + QStringLiteral("/pre fix ä");
        ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/bin")));
        ASSERT_TRUE(QDir().mkpath(prefix + QStringLiteral("/share/solvane/skins")));
        write(prefix + QStringLiteral("/share/solvane/default.ini"));
    }
    static void write(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Skin]\nDefaultSkin=skins\\silence\n");
    }
    QString bin() const { return prefix + QStringLiteral("/bin"); }

    QTemporaryDir root;
    QString prefix;
};

TEST_F(InstalledPrefix, AnInstalledProgramFindsItsDataInShareSolvane) {
    EXPECT_EQ(Paths::ProgramDirectoryFor(bin()), prefix + QStringLiteral("/share/solvane"));
    // The path is clean, so messages and relative skin paths show no "bin/..".
    EXPECT_FALSE(Paths::ProgramDirectoryFor(bin()).contains(QStringLiteral("..")));
}

TEST_F(InstalledPrefix, DefaultIniBesideTheProgramMakesItsFolderTheProgramDirectory) {
    write(bin() + QStringLiteral("/default.ini"));
    EXPECT_EQ(Paths::ProgramDirectoryFor(bin()), bin());
}

TEST_F(InstalledPrefix, OnlyAFileNamedDefaultIniCounts) {
    ASSERT_TRUE(QDir().mkpath(bin() + QStringLiteral("/default.ini")));
    EXPECT_EQ(Paths::ProgramDirectoryFor(bin()), prefix + QStringLiteral("/share/solvane"));
}

TEST(ProgramDirectory, TheTestFolderWinsUntilItIsCleared) {
    Paths::SetProgramDirectory(QStringLiteral("/some/where"));
    EXPECT_EQ(Paths::ProgramDirectory(), QStringLiteral("/some/where"));
    Paths::SetProgramDirectory(QString());
    EXPECT_EQ(Paths::ProgramDirectory(),
              Paths::ProgramDirectoryFor(QCoreApplication::applicationDirPath()));
}

}  // namespace
