#pragma once

#include <QByteArray>
#include <sys/types.h>
#include <vector>

namespace pexor {

// Every call that writes a file goes through here, so that a test can make
// any one of them fail. The calls follow their POSIX namesakes: -1 with errno
// set on failure. Paths are in the file system's encoding.
class FileOps {
public:
    virtual ~FileOps() = default;

    virtual int Open(const QByteArray &path, int flags, mode_t mode) = 0;
    // May write fewer bytes than asked.
    virtual ssize_t Write(int fd, const char *data, size_t size) = 0;
    virtual int ChangeMode(int fd, mode_t mode) = 0;
    virtual int Sync(int fd) = 0;
    virtual int Close(int fd) = 0;
    virtual int Link(const QByteArray &from, const QByteArray &to) = 0;
    virtual int Rename(const QByteArray &from, const QByteArray &to) = 0;
    virtual int Remove(const QByteArray &path) = 0;
    virtual int MakeDirectory(const QByteArray &path, mode_t mode) = 0;
    // The names of the regular files in a directory, "." and ".." left out.
    virtual int ListFiles(const QByteArray &directory, std::vector<QByteArray> &names) = 0;
};

// The calls straight to the system.
FileOps &PosixFileOps();

// The calls in use: the system's unless a test installed its own.
FileOps &CurrentFileOps();
// nullptr puts the system's calls back. The caller keeps ownership.
void SetFileOps(FileOps *ops);

} // namespace pexor
