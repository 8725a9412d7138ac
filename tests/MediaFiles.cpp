#include "MediaFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

namespace {
QStringList tone(double seconds) {
    return {"-f", "lavfi", "-i",
            QStringLiteral("sine=frequency=440:sample_rate=44100:duration=%1").arg(seconds)};
}
QStringList picture(double seconds) {
    return {"-f", "lavfi", "-i",
            QStringLiteral("testsrc=size=160x120:rate=25:duration=%1").arg(seconds)};
}
}  // namespace

MediaFiles::MediaFiles() {
    const QStringList av = picture(2) + tone(2);
    ok_ = Make("clip.mp3", tone(2) + QStringList{"-ac", "2", "-c:a", "libmp3lame"}) &&
          Make("short1.mp3", tone(1) + QStringList{"-c:a", "libmp3lame"}) &&
          Make("short2.mp3", tone(1) + QStringList{"-c:a", "libmp3lame"}) &&
          Make("short3.mp3", tone(1) + QStringList{"-c:a", "libmp3lame"}) &&
          Make("clip.avi",
               av + QStringList{"-c:v", "mpeg4", "-vtag", "DIVX", "-c:a", "libmp3lame"}) &&
          Make("clip.mpg", av + QStringList{"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}) &&
          Make("clip.dat", av + QStringList{"-c:v", "mpeg1video", "-c:a", "mp2", "-f", "mpeg"}) &&
          Make("clip.wmv", av + QStringList{"-c:v", "wmv2", "-c:a", "wmav2", "-f", "asf"}) &&
          Make("clip.asf", av + QStringList{"-c:v", "wmv1", "-c:a", "wmav1", "-f", "asf"});
    QFile corrupt(Path("corrupt.avi"));
    if (corrupt.open(QIODevice::WriteOnly)) {
        QByteArray junk("RIFF\x10\0\0\0AVI LIST");
        for (int i = 0; i < 2000; ++i) junk.append(static_cast<char>((i * 131) & 0xFF));
        corrupt.write(junk);
    }
}

bool MediaFiles::Make(const QString& name, const QStringList& arguments) {
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg",
                 QStringList{"-y", "-loglevel", "error"} + arguments + QStringList{Path(name)});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

QStringList MediaFiles::MakeBroken() {
    const auto write = [this](const QString& name, const QByteArray& bytes) {
        QFile file(Path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    };
    write("empty.mp3", {});
    write("empty.avi", {});
    write("text.mp3", "Not a sound at all, only words.\n");
    // A playable AVI whose headers and index are overwritten with random bytes.
    Make("scrambled.avi", picture(1) + QStringList{"-c:v", "mpeg4", "-vtag", "DIVX"});
    QFile avi(Path("scrambled.avi"));
    QByteArray bytes = avi.open(QIODevice::ReadOnly) ? avi.readAll() : QByteArray();
    avi.close();
    const auto scramble = [&bytes](qsizetype from, qsizetype to) {
        for (qsizetype i = std::max<qsizetype>(from, 0); i < to; ++i)
            bytes[i] = static_cast<char>(QRandomGenerator::global()->bounded(256));
    };
    scramble(12, bytes.indexOf("movi") - 8);
    scramble(bytes.lastIndexOf("idx1"), bytes.size());
    write("scrambled.avi", bytes);
    // An ID3 tag (a title frame) and nothing after it.
    write("tagonly.mp3", QByteArray("ID3\x03\0\0\0\0\0\x15TIT2\0\0\0\x0b\0\0\0Only a tag", 31));
    return {"empty.mp3", "text.mp3", "missing.mp3", "scrambled.avi", "tagonly.mp3", "empty.avi"};
}

bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}
