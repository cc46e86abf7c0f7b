#pragma once

#include "platform/FileOps.h"

#include <QDir>
#include <QStringList>
#include <cerrno>
#include <vector>

namespace pexor::test {

enum class FileCall {
    Open,
    Write,
    ChangeMode,
    Sync,
    Close,
    Link,
    Rename,
    Remove,
    MakeDirectory,
    ListFiles
};

// Installed for its life in place of the system's file calls: passes every
// call through, counts it, and makes the chosen one fail as a disk would.
class FileFaults final : public FileOps {
public:
    FileFaults() { SetFileOps(this); }
    ~FileFaults() override { SetFileOps(nullptr); }
    FileFaults(const FileFaults &) = delete;
    FileFaults &operator=(const FileFaults &) = delete;

    // Call n (from 1) fails with `error`; with `andAfter`, every later one too.
    void FailAt(int n, int error, bool andAfter = false) {
        Reset();
        failAt_ = n;
        error_ = error;
        andAfter_ = andAfter;
    }
    // Call n, when it is a write, writes only half of what it was given.
    void ShortWriteAt(int n) {
        Reset();
        shortAt_ = n;
    }
    // Counts from zero again, with no fault.
    void Reset() {
        calls_.clear();
        failAt_ = shortAt_ = 0;
        andAfter_ = false;
    }

    int Calls() const { return int(calls_.size()); }
    const std::vector<FileCall> &Log() const { return calls_; }

    int Open(const QByteArray &path, int flags, mode_t mode) override {
        return Fails(FileCall::Open) ? -1 : PosixFileOps().Open(path, flags, mode);
    }
    ssize_t Write(int fd, const char *data, size_t size) override {
        if (Fails(FileCall::Write))
            return -1;
        if (Calls() == shortAt_ && size > 1)
            size /= 2;
        return PosixFileOps().Write(fd, data, size);
    }
    int ChangeMode(int fd, mode_t mode) override {
        return Fails(FileCall::ChangeMode) ? -1 : PosixFileOps().ChangeMode(fd, mode);
    }
    int Sync(int fd) override { return Fails(FileCall::Sync) ? -1 : PosixFileOps().Sync(fd); }
    int Close(int fd) override {
        // As on Linux, the descriptor is gone even when close says it failed.
        const bool fails = Fails(FileCall::Close);
        const int error = errno;
        const int result = PosixFileOps().Close(fd);
        errno = error;
        return fails ? -1 : result;
    }
    int Link(const QByteArray &from, const QByteArray &to) override {
        return Fails(FileCall::Link) ? -1 : PosixFileOps().Link(from, to);
    }
    int Rename(const QByteArray &from, const QByteArray &to) override {
        return Fails(FileCall::Rename) ? -1 : PosixFileOps().Rename(from, to);
    }
    int Remove(const QByteArray &path) override {
        return Fails(FileCall::Remove) ? -1 : PosixFileOps().Remove(path);
    }
    int MakeDirectory(const QByteArray &path, mode_t mode) override {
        return Fails(FileCall::MakeDirectory) ? -1 : PosixFileOps().MakeDirectory(path, mode);
    }
    int ListFiles(const QByteArray &directory, std::vector<QByteArray> &names) override {
        return Fails(FileCall::ListFiles) ? -1 : PosixFileOps().ListFiles(directory, names);
    }

private:
    bool Fails(FileCall call) {
        calls_.push_back(call);
        const int n = Calls();
        if (failAt_ == 0 || n < failAt_ || (n > failAt_ && !andAfter_))
            return false;
        errno = error_;
        return true;
    }

    std::vector<FileCall> calls_;
    int failAt_ = 0;
    int shortAt_ = 0;
    int error_ = EIO;
    bool andAfter_ = false;
};

// Every entry of a directory, hidden ones included, sorted.
inline QStringList DirectoryEntries(const QString &dir) {
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace pexor::test
