#include "MediaFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
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
