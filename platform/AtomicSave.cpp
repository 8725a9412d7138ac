#include "platform/AtomicSave.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

QString describe(int code) {
    return qt_error_string(code);
}

QString followLinks(const QString& path) {
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops) info.setFile(info.symLinkTarget());
    return info.filePath();
}

bool sameFile(int fd, const QByteArray& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.constData(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opens the temporary and locks it for this save. A save killed half-way left it unlocked, so
// it is taken over; a save still running in another process holds it, and this one gives way.
int openTemporary(const QByteArray& temp, QString* error) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        // Never through a link: whatever it named would be cut short.
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            *error = describe(errno);
            return -1;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
            ::close(fd);
            *error = QStringLiteral("another save of this file is in progress");
            return -1;
        }
        // The save that held it may have renamed it into place meanwhile.
        if (sameFile(fd, temp))
            return fd;
        ::close(fd);
    }
    *error = describe(EAGAIN);
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// Keeps the old file's permissions; a new file gets the usual ones.
bool takeMode(int fd, const QByteArray& target) {
    struct stat old {};
    if (::stat(target.constData(), &old) != 0)
        return errno == ENOENT;
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

void syncFolder(const QString& target) {
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid())
        ::fsync(dir.Get());
}

std::optional<QString> replace(int fd, const QByteArray& temp, const QByteArray& target,
                               const QByteArray& bytes) {
    if (::ftruncate(fd, 0) != 0 || !writeAll(fd, bytes) || !takeMode(fd, target) ||
        ::fsync(fd) != 0 || ::rename(temp.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temp.constData());
        return describe(code);
    }
    return std::nullopt;
}

}  // namespace

QString AtomicSave::TemporaryPath(const QString& path) {
    const QFileInfo info(path);
    // A long name is shortened to stay within the system's limit; two files that share the
    // shortened name share the temporary, and its lock keeps their saves apart.
    const QString name = info.fileName().size() > 60 ? info.fileName().left(60) : info.fileName();
    return info.path() + QStringLiteral("/.") + name + QStringLiteral(".saving");
}

std::optional<QString> AtomicSave::Write(const QString& path, const QByteArray& bytes) {
    const QString target = followLinks(path);
    const QFileInfo info(target);
    if (info.isDir())
        return describe(EISDIR);
    if (info.exists() && !info.isWritable())
        return describe(EACCES);
    const QByteArray temp = QFile::encodeName(TemporaryPath(target));
    QString error;
    const Descriptor fd(openTemporary(temp, &error));
    if (!fd.Valid())
        return error;
    if (auto failure = replace(fd.Get(), temp, QFile::encodeName(target), bytes))
        return failure;
    syncFolder(target);
    return std::nullopt;
}
