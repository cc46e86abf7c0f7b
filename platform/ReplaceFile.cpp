#include "platform/ReplaceFile.h"

#include "platform/FileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace pexor {

namespace {

const QString kTemporaryTag = QStringLiteral(".pexor-tmp-");
constexpr int kRandomLetters = 6;
constexpr int kNameAttempts = 100;

// Calls that an interrupting signal may cut short are simply made again.
template <typename Call> auto Retry(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

bool IsNameLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

QString TemporaryName(const QString &target) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString name = u'.' + target + kTemporaryTag;
    for (int i = 0; i < kRandomLetters; ++i)
        name += QChar(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return name;
}

// A link's final target; a path that is no link stays as it is.
QString FollowLinks(const QString &path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.absoluteFilePath();
}

// One replacement with what it has made so far, so that a failure at any
// step can undo exactly that.
class Replacement {
public:
    Replacement(FileOps &ops, const QString &path) : ops_(ops) {
        const QFileInfo info(path);
        directory_ = info.absolutePath();
        name_ = info.fileName();
        target_ = QFile::encodeName(info.absoluteFilePath());
    }

    bool Run(const QByteArray &bytes) {
        struct stat old {};
        if (::lstat(target_.constData(), &old) == 0) {
            if (!S_ISREG(old.st_mode)) {
                errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
                return false;
            }
            hadOld_ = true;
        } else if (errno != ENOENT) {
            return false;
        }
        if (!RemoveLeftovers())
            return false;
        if (!CreateTemporary(hadOld_ ? 0600 : 0666))
            return false;
        if (hadOld_ && Retry([&] { return ops_.ChangeMode(fd_, old.st_mode & 07777); }) != 0)
            return Fail();
        if (!WriteAll(bytes) || Retry([&] { return ops_.Sync(fd_); }) != 0)
            return Fail();
        const int closed = CloseOnce(fd_);
        fd_ = -1;
        if (closed != 0)
            return Fail();
        dirFd_ = Retry([&] { return ops_.Open(Encoded(directory_), O_RDONLY | O_DIRECTORY, 0); });
        if (dirFd_ < 0 || !KeepOld())
            return Fail();
        if (Retry([&] { return ops_.Rename(temporary_, target_); }) != 0)
            return Fail();
        temporary_.clear();
        renamed_ = true;
        if (!SyncDirectory())
            return Fail();
        const int dirClosed = CloseOnce(dirFd_);
        dirFd_ = -1;
        if (dirClosed != 0)
            return Fail();
        if (!backup_.isEmpty() && Retry([&] { return ops_.Remove(backup_); }) != 0)
            return Fail();
        return true;
    }

private:
    QByteArray Encoded(const QString &name) const { return QFile::encodeName(name); }
    QByteArray InDirectory(const QString &name) const { return Encoded(directory_ + u'/' + name); }

    // Never made again: the descriptor is gone even when close(2) says EINTR,
    // and what was written had been synced before.
    int CloseOnce(int fd) {
        const int result = ops_.Close(fd);
        return result != 0 && errno == EINTR ? 0 : result;
    }

    bool RemoveLeftovers() {
        std::vector<QByteArray> names;
        if (Retry([&] { return ops_.ListFiles(Encoded(directory_), names); }) != 0)
            return false;
        for (const QByteArray &name : names) {
            if (!IsReplaceTemporary(QFile::decodeName(name), name_))
                continue;
            if (Retry([&] { return ops_.Remove(InDirectory(QFile::decodeName(name))); }) != 0 &&
                errno != ENOENT)
                return false;
        }
        return true;
    }

    bool CreateTemporary(mode_t mode) {
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const QByteArray path = InDirectory(TemporaryName(name_));
            fd_ = Retry([&] { return ops_.Open(path, O_WRONLY | O_CREAT | O_EXCL, mode); });
            if (fd_ >= 0) {
                temporary_ = path;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    // There is no buffer of our own: write(2) hands every byte to the
    // system, and the sync that follows is the flush to the disk.
    bool WriteAll(const QByteArray &bytes) {
        const char *data = bytes.constData();
        size_t left = size_t(bytes.size());
        while (left > 0) {
            const ssize_t written = ops_.Write(fd_, data, left);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (written == 0) {
                errno = ENOSPC;
                return false;
            }
            data += written;
            left -= size_t(written);
        }
        return true;
    }

    // A second name for the old file, so that it can come back after the
    // rename. File systems without hard links go on without it.
    bool KeepOld() {
        if (!hadOld_)
            return true;
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const QByteArray path = InDirectory(TemporaryName(name_));
            if (Retry([&] { return ops_.Link(target_, path); }) == 0) {
                backup_ = path;
                return true;
            }
            if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK || errno == ENOSYS)
                return true;
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    bool SyncDirectory() {
        // Some file systems cannot sync a directory and say so with EINVAL.
        return Retry([&] { return ops_.Sync(dirFd_); }) == 0 || errno == EINVAL;
    }

    // Undoes what was made, then answers false with the first failure's errno.
    bool Fail() {
        const int error = errno;
        if (fd_ >= 0)
            ops_.Close(fd_);
        if (!temporary_.isEmpty())
            Retry([&] { return ops_.Remove(temporary_); });
        if (renamed_) {
            // Should putting the old file back fail too, its second name
            // stays, and the next save clears it away with the leftovers.
            if (!backup_.isEmpty())
                Retry([&] { return ops_.Rename(backup_, target_); });
            else if (!hadOld_)
                Retry([&] { return ops_.Remove(target_); });
            if (dirFd_ >= 0)
                Retry([&] { return ops_.Sync(dirFd_); });
        } else if (!backup_.isEmpty()) {
            Retry([&] { return ops_.Remove(backup_); });
        }
        if (dirFd_ >= 0)
            ops_.Close(dirFd_);
        errno = error;
        return false;
    }

    FileOps &ops_;
    QString directory_;
    QString name_;
    QByteArray target_;
    QByteArray temporary_;
    QByteArray backup_;
    int fd_ = -1;
    int dirFd_ = -1;
    bool hadOld_ = false;
    bool renamed_ = false;
};

} // namespace

bool IsReplaceTemporary(const QString &name, const QString &target) {
    const QString head = u'.' + target + kTemporaryTag;
    if (name.size() != head.size() + kRandomLetters || !name.startsWith(head))
        return false;
    for (qsizetype i = head.size(); i < name.size(); ++i)
        if (!IsNameLetter(name[i]))
            return false;
    return true;
}

bool ReplaceFile(const QString &path, const QByteArray &bytes) {
    Replacement replacement(CurrentFileOps(), FollowLinks(path));
    return replacement.Run(bytes);
}

bool MakeDirectoryPath(const QString &directory) {
    const QString dir = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    const QFileInfo info(dir);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink())
        return false;
    const QString parent = info.absolutePath();
    if (parent != dir && !MakeDirectoryPath(parent))
        return false;
    if (Retry([&] { return CurrentFileOps().MakeDirectory(QFile::encodeName(dir), 0777); }) == 0)
        return true;
    return errno == EEXIST && QFileInfo(dir).isDir();
}

} // namespace pexor
