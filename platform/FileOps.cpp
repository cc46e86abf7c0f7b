#include "platform/FileOps.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pexor {

namespace {

class Posix final : public FileOps {
public:
    int Open(const QByteArray &path, int flags, mode_t mode) override {
        return ::open(path.constData(), flags | O_CLOEXEC, mode);
    }
    ssize_t Write(int fd, const char *data, size_t size) override {
        return ::write(fd, data, size);
    }
    int ChangeMode(int fd, mode_t mode) override { return ::fchmod(fd, mode); }
    int Sync(int fd) override { return ::fsync(fd); }
    int Close(int fd) override { return ::close(fd); }
    int Link(const QByteArray &from, const QByteArray &to) override {
        return ::link(from.constData(), to.constData());
    }
    int Rename(const QByteArray &from, const QByteArray &to) override {
        return ::rename(from.constData(), to.constData());
    }
    int Remove(const QByteArray &path) override { return ::unlink(path.constData()); }
    int MakeDirectory(const QByteArray &path, mode_t mode) override {
        return ::mkdir(path.constData(), mode);
    }
    int ListFiles(const QByteArray &directory, std::vector<QByteArray> &names) override {
        names.clear();
        DIR *dir = ::opendir(directory.constData());
        if (!dir)
            return -1;
        const int dirFd = ::dirfd(dir);
        for (;;) {
            errno = 0;
            const dirent *entry = ::readdir(dir);
            if (!entry)
                break;
            bool regular = entry->d_type == DT_REG;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat st {};
                regular = ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                          S_ISREG(st.st_mode);
            }
            if (regular)
                names.emplace_back(entry->d_name);
        }
        const int readError = errno;
        ::closedir(dir);
        if (readError != 0) {
            errno = readError;
            return -1;
        }
        return 0;
    }
};

FileOps *&Installed() {
    static FileOps *ops = nullptr;
    return ops;
}

} // namespace

FileOps &PosixFileOps() {
    static Posix posix;
    return posix;
}

FileOps &CurrentFileOps() {
    return Installed() ? *Installed() : PosixFileOps();
}

void SetFileOps(FileOps *ops) {
    Installed() = ops;
}

} // namespace pexor
