#pragma once

#include <QLockFile>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace pexor {

// One process per file. The lock lives in the user's runtime folder (beside
// the file when there is none), named after the file's real path, so two
// spellings of one path meet at the same lock and nothing is written beside
// the file itself. A lock left by a process that has died is taken over.
// The holder listens on a local socket of the same name, through which a
// later start asks it to come to the front.
class InstanceLock {
public:
    explicit InstanceLock(const QString &filePath);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    enum class Outcome {
        Owner,         // this process now holds the file
        HeldElsewhere, // a live process holds it
        NoLock,        // no lock can be made here: going on unguarded is all that is left
    };
    Outcome Acquire();

    // Run in the holder when a later start asks it to show itself.
    std::function<void()> OnRaiseRequest;

    // From a start that did not get the lock: asks the holder to come to the
    // front. False when it could not be reached.
    bool AskHolderToRaise() const;

    QString LockFilePath() const;
    QString SocketPath() const;

    // The name of the lock and socket of a file: the same for every spelling
    // of its path, links resolved as far as the path exists.
    static QString KeyFor(const QString &filePath);

private:
    void Listen();

    QString base_;
    QLockFile lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace pexor
