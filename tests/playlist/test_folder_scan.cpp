// The folder scan: depth first, each folder's own files by type then in natural order, then its
// subfolders; hidden entries, link loops and unreadable folders passed over; batches in the
// scan's owner thread.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "MediaFiles.h"
#include "playlist/FolderScan.h"

namespace {

class Tree : public ::testing::Test {
  protected:
    Tree() {
        for (const char* file :
             {"clip 10.avi", "Clip 3.avi", "clip 2.avi", "b.mp3", "x.y.MKV", "c.mpg", "notes.txt",
              "list.m3u", ".hidden.mp3", ".hidden folder/in.mp3", "Album 10/1.flac",
              "Album 2/02.flac", "Album 2/01.flac", "Album 2/Disc 1/t.opus", "locked/secret.mp3",
              "sub.avi/inner.wav"})
            write(file);
        QFile::link(root(), root() + "/loop");  // back to the top: scanned once
        QFile::setPermissions(root() + "/locked", QFileDevice::Permissions());
    }
    ~Tree() override {
        QFile::setPermissions(root() + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
    }
    QString root() const { return dir.path(); }
    void write(const QString& relative) {
        QDir().mkpath(QFileInfo(root() + '/' + relative).path());
        QFile file(root() + '/' + relative);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList expected() const {
        QStringList paths;
        for (const char* file : {"c.mpg", "clip 2.avi", "Clip 3.avi", "clip 10.avi", "b.mp3",
                                 "x.y.MKV", "Album 2/01.flac", "Album 2/02.flac",
                                 "Album 2/Disc 1/t.opus", "Album 10/1.flac", "sub.avi/inner.wav"})
            paths << root() + '/' + file;
        return paths;
    }
    // Root reads any folder whatever its permissions, so as root the scan runs in a child
    // process that has become an ordinary user, for whom "locked" is unreadable.
    QStringList scanAsOrdinaryUser() {
        QStringList paths, names;
        if (geteuid() != 0) {
            FolderScan::Collect(root(), &paths, &names);
            return paths;
        }
        for (const QString& folder :
             QStringList{root(), root() + "/Album 2", root() + "/Album 2/Disc 1",
                         root() + "/Album 10", root() + "/sub.avi"})
            QFile::setPermissions(folder, QFileDevice::Permissions(0x7555));
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return {"no pipe"};
        const pid_t child = fork();
        if (child == 0) {
            close(pipeEnds[0]);
            if (setgid(65534) == 0 && setuid(65534) == 0) {
                FolderScan::Collect(root(), &paths, &names);
                const QByteArray out = paths.join('\n').toUtf8();
                if (::write(pipeEnds[1], out.constData(), out.size()) < 0)
                    _exit(2);
            }
            _exit(0);
        }
        close(pipeEnds[1]);
        QByteArray out;
        char buffer[4096];
        for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
            out.append(buffer, n);
        close(pipeEnds[0]);
        waitpid(child, nullptr, 0);
        return QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(Tree, OwnFilesByTypeInNaturalOrderThenSubfoldersDepthFirstWithoutHiddenLoopsOrLocked) {
    EXPECT_EQ(scanAsOrdinaryUser(), expected());
}

TEST_F(Tree, BatchesArriveInTheOwnersThreadInOrderAndNothingAfterStop) {
    FolderScan scan;
    QStringList paths;
    int batches = 0;
    bool finished = false, elsewhere = false;
    QObject::connect(&scan, &FolderScan::Found, [&](const QStringList& found, const QStringList&) {
        elsewhere = elsewhere || QThread::currentThread() != qApp->thread() || found.size() > 3;
        paths += found;
        ++batches;
    });
    QObject::connect(&scan, &FolderScan::Finished, [&] { finished = true; });
    scan.Start(root(), 3);
    ASSERT_TRUE(WaitFor([&] { return finished; }, 10000));
    QStringList all, names;
    FolderScan::Collect(root(), &all, &names);
    EXPECT_EQ(paths, all);
    EXPECT_GE(batches, 4);
    EXPECT_FALSE(elsewhere) << "batches of at most 3, in the thread that owns the scan";

    paths.clear();
    scan.Start(root(), 1);
    scan.Stop();
    WaitFor([] { return false; }, 100);
    EXPECT_TRUE(paths.isEmpty()) << "a stopped scan delivers nothing more";
}
