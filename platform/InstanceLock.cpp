#include "platform/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace pexor {

namespace {

constexpr int kRaiseTimeoutMs = 2000;

// The deepest part of the path that exists, with its links resolved, and
// the rest as written.
QString RealPath(const QString &path) {
    const QFileInfo info(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    const QString parent = info.absolutePath();
    if (parent == info.absoluteFilePath())
        return parent;
    return QDir::cleanPath(RealPath(parent) + u'/' + info.fileName());
}

QString LockDirectory(const QString &filePath) {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QFileInfo(RealPath(filePath)).absolutePath() : runtime;
}

} // namespace

QString InstanceLock::KeyFor(const QString &filePath) {
    const QByteArray hash =
        QCryptographicHash::hash(RealPath(filePath).toUtf8(), QCryptographicHash::Sha256);
    // Short enough for a socket path, long enough never to meet another file.
    return QStringLiteral("pexor-") + QString::fromLatin1(hash.toHex().left(32));
}

InstanceLock::InstanceLock(const QString &filePath)
    : base_(LockDirectory(filePath) + u'/' + KeyFor(filePath)),
      lock_(base_ + QStringLiteral(".lock")) {}

InstanceLock::~InstanceLock() {
    server_.reset();
    lock_.unlock();
}

QString InstanceLock::LockFilePath() const {
    return base_ + QStringLiteral(".lock");
}

QString InstanceLock::SocketPath() const {
    return base_ + QStringLiteral(".socket");
}

InstanceLock::Outcome InstanceLock::Acquire() {
    if (lock_.isLocked())
        return Outcome::Owner;
    if (lock_.tryLock(0)) {
        Listen();
        return Outcome::Owner;
    }
    return lock_.error() == QLockFile::LockFailedError ? Outcome::HeldElsewhere : Outcome::NoLock;
}

void InstanceLock::Listen() {
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left by a holder that died: the lock says it is ours now.
    QLocalServer::removeServer(SocketPath());
    if (!server_->listen(SocketPath())) {
        // Still the holder; a later start just cannot bring this one forward.
        server_.reset();
        return;
    }
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this] {
        while (QLocalSocket *socket = server_->nextPendingConnection())
            socket->deleteLater();
        if (OnRaiseRequest)
            OnRaiseRequest();
    });
}

bool InstanceLock::AskHolderToRaise() const {
    QLocalSocket socket;
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kRaiseTimeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

} // namespace pexor
