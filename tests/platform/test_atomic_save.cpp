#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/AtomicSave.h"

namespace {

class AtomicSaveTest : public ::testing::Test {
  protected:
    QString put(const QString& name, const QByteArray& bytes) {
        const QString path = dir.path() + "/" + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        return path;
    }
    static QByteArray bytes(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    QTemporaryDir dir;
};

TEST_F(AtomicSaveTest, ALinkStaysALinkAndTheFileKeepsItsPermissions) {
    const QString real = put("real.slv", "old");
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner));
    const QString link = dir.path() + "/link.slv";
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(AtomicSave::Write(link, "new"), std::nullopt);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(bytes(real), "new");
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(files(), (QStringList{"link.slv", "real.slv"}));
}

TEST_F(AtomicSaveTest, ALeftoverOfAKilledSaveIsTakenOverAndGone) {
    const QString path = put("list.slv", "old");
    put(QFileInfo(AtomicSave::TemporaryPath(path)).fileName(), "half of a killed save, longer");
    EXPECT_EQ(AtomicSave::Write(path, "new"), std::nullopt);
    EXPECT_EQ(bytes(path), "new");
    EXPECT_EQ(files(), QStringList{"list.slv"});
}

TEST_F(AtomicSaveTest, ALinkAtTheTemporarysNameIsNotFollowed) {
    const QString path = put("list.slv", "old");
    const QString other = put("other.txt", "someone else's file");
    ASSERT_TRUE(QFile::link(other, AtomicSave::TemporaryPath(path)));
    EXPECT_TRUE(AtomicSave::Write(path, "new").has_value());
    EXPECT_EQ(bytes(other), "someone else's file");
    EXPECT_EQ(bytes(path), "old");
}

TEST_F(AtomicSaveTest, ASaveRunningElsewhereIsNotDisturbed) {
    const QString path = put("list.slv", "old");
    const QString temp = put(QFileInfo(AtomicSave::TemporaryPath(path)).fileName(), "theirs");
    const int other = ::open(QFile::encodeName(temp).constData(), O_RDWR);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    const auto refused = AtomicSave::Write(path, "new");
    EXPECT_TRUE(refused.has_value());
    EXPECT_EQ(bytes(path), "old");
    EXPECT_EQ(bytes(temp), "theirs");
    ::close(other);
    EXPECT_EQ(AtomicSave::Write(path, "new"), std::nullopt);
    EXPECT_EQ(files(), QStringList{"list.slv"});
}

}  // namespace
