#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <random>

#include "playlist/PlaylistFile.h"

// A save of a 10,000-entry playlist over an existing one, in a process of its own (the real
// playlist window and its save routine), killed with SIGKILL at random moments and at the
// steps of the replacement: the file is always the whole old list or the whole new one, and
// the next save that completes leaves nothing beside it.
namespace {

constexpr int kEntries = 10000;
constexpr int kKillsWanted = 20;
constexpr int kStartMs = 30000;

class KilledWhileSaving : public ::testing::Test {
  protected:
    void SetUp() override {
        child = qEnvironmentVariable("SOLVANE_SAVE_CHILD");
        ASSERT_FALSE(child.isEmpty()) << "SOLVANE_SAVE_CHILD names the saving program";
        ASSERT_TRUE(dir.isValid());
        target = dir.path() + "/list.slv";
        old = PlaylistFile::Compose({"/old/first.mp3", "/old/second.avi"}, {"first", "second"})
                  .toUtf8();
    }

    void putOld() {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(old), old.size());
    }
    QByteArray current() const {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QStringList besideTarget() const {
        QStringList names =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.removeAll("list.slv");
        return names;
    }

    // Starts a save and returns once the child says it is saving (false if it never does).
    bool startSave(QProcess& process, const QString& program, const QStringList& arguments) {
        process.start(program, arguments);
        if (!process.waitForStarted(kStartMs))
            return false;
        QElapsedTimer waited;
        waited.start();
        while (!output.contains("saving\n")) {
            if (waited.elapsed() > kStartMs || !process.waitForReadyRead(kStartMs))
                return false;
            output += process.readAllStandardOutput();
        }
        return true;
    }
    bool startSave(QProcess& process) {
        output.clear();
        return startSave(process, child, {target, QString::number(kEntries)});
    }
    void finish(QProcess& process) {
        ASSERT_TRUE(process.waitForFinished(kStartMs));
        output += process.readAllStandardOutput();
    }
    // One save that is left to complete; returns the new list.
    QByteArray completeSave() {
        QProcess process;
        EXPECT_TRUE(startSave(process));
        finish(process);
        EXPECT_TRUE(output.contains("saved\n")) << output.constData();
        return current();
    }

    QTemporaryDir dir;
    QString child;
    QString target;
    QByteArray old;
    QByteArray output;
};

TEST_F(KilledWhileSaving, RandomKillsLeaveTheWholeOldOrTheWholeNewList) {
    putOld();
    QProcess calibration;
    ASSERT_TRUE(startSave(calibration));
    QElapsedTimer saving;
    saving.start();
    while (!output.contains("saved\n") && calibration.waitForReadyRead(kStartMs))
        output += calibration.readAllStandardOutput();
    const qint64 saveUs = saving.nsecsElapsed() / 1000;
    finish(calibration);
    const QByteArray fresh = current();
    ASSERT_TRUE(output.contains("saved\n")) << output.constData();
    ASSERT_EQ(fresh.count("<Entry>"), kEntries);
    ASSERT_TRUE(fresh.endsWith("</asx>\r\n"));

    std::random_device device;
    const unsigned seed = device();
    std::mt19937 random(seed);
    std::uniform_int_distribution<qint64> moment(0, saveUs);
    int duringSave = 0, oldKept = 0, newInPlace = 0, leftovers = 0, attempts = 0;
    for (; duringSave < kKillsWanted && attempts < 15 * kKillsWanted; ++attempts) {
        putOld();
        QProcess process;
        ASSERT_TRUE(startSave(process)) << output.constData();
        QThread::usleep(static_cast<unsigned long>(moment(random)));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        finish(process);
        const QByteArray now = current();
        ASSERT_TRUE(now == old || now == fresh)
            << "kill " << attempts << " (seed " << seed << ") left " << now.size() << " bytes";
        if (output.contains("saved\n"))
            continue;  // the save was over before the kill
        ++duringSave;
        oldKept += now == old;
        newInPlace += now == fresh;
        leftovers += !besideTarget().isEmpty();
    }
    std::printf(
        "%d kills during a save of %lld us in %d attempts: old list kept %d, new list in "
        "place %d, a temporary left %d\n",
        duringSave, static_cast<long long>(saveUs), attempts, oldKept, newInPlace, leftovers);
    EXPECT_GE(duringSave, kKillsWanted);
    EXPECT_EQ(completeSave(), fresh);
    EXPECT_TRUE(besideTarget().isEmpty())
        << "beside the list after the last save: " << besideTarget().join(", ").toStdString();
}

// The same kill at the worst moments, every time: when the new list is flushed, and when the
// temporary is about to be renamed over the old list.
TEST_F(KilledWhileSaving, KilledAtTheFlushOrTheRenameTheNextSaveLeavesNothingBeside) {
    const QString strace = QStandardPaths::findExecutable("strace");
    if (strace.isEmpty())
        GTEST_SKIP() << "strace is not installed (scripts/install-deps.sh installs it)";
    if (QProcess::execute(strace, {"-f", "-qq", "-o", "/dev/null", "true"}) != 0)
        GTEST_SKIP() << "strace cannot trace here";
    putOld();
    const QByteArray fresh = completeSave();
    for (const QString calls : {"fsync,fdatasync", "rename,renameat,renameat2"}) {
        putOld();
        output.clear();
        QProcess process;
        const bool saving = startSave(
            process, strace,
            {"-f", "-qq", "-o", "/dev/null", "-e", "trace=" + calls, "-e",
             "inject=" + calls + ":signal=KILL", child, target, QString::number(kEntries)});
        finish(process);
        ASSERT_TRUE(saving) << calls.toStdString() << ": killed before the save began";
        EXPECT_FALSE(output.contains("saved\n")) << calls.toStdString();
        EXPECT_EQ(current(), old) << calls.toStdString();
        EXPECT_EQ(completeSave(), fresh) << calls.toStdString();
        EXPECT_TRUE(besideTarget().isEmpty()) << "after a kill at " << calls.toStdString() << ": "
                                              << besideTarget().join(", ").toStdString();
    }
}

}  // namespace
