#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

// A path is far shorter; anything longer is not from a start of ours.
constexpr qsizetype kMaxMessage = 64 * 1024;
constexpr char kEnd = '\0';  // never part of a path
const QByteArray kTaken = QByteArrayLiteral("taken");
constexpr int kClientPatienceMs = 10000;
// A lock file holds a process number, a program and a host name.
constexpr uintmax_t kMaxLockFile = 4096;

}  // namespace

QString instanceServerName(const QString& appFolder)
{
    const QByteArray folder = QFile::encodeName(QDir::cleanPath(QDir(appFolder).absolutePath()));
    const QByteArray hash = QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("quillon-") + QString::fromLatin1(hash);
}

InstanceLock::InstanceLock(const QString& appFolder)
    : lock_(QDir(appFolder).filePath(QStringLiteral("quillon.lock"))), folder_(appFolder)
{
    // Held for as long as the program runs; only a lock whose process is gone is stale.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::tryLock()
{
    // Reading a pipe or a huge file in the lock's place would never end; such a file is none of ours.
    std::error_code failure;
    const std::filesystem::path path(QFile::encodeName(lock_.fileName()).toStdString());
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, failure);
    if (std::filesystem::exists(status)
        && (!std::filesystem::is_regular_file(status) || std::filesystem::file_size(path, failure) > kMaxLockFile)) {
        foreign_ = true;
        return false;
    }
    return lock_.tryLock(0) || (lock_.error() == QLockFile::LockFailedError && takeOverStale());
}

// A lock that names a process at all is settled by QLockFile: it is stale once that process is gone.
bool InstanceLock::takeOverStale()
{
    qint64 pid = 0;
    QString host, program;
    if (lock_.getLockInfo(&pid, &host, &program) || instanceListens(folder_)) return false;
    // The removal takes the lock file's own file lock first, so it fails on a lock still held;
    // a file we may not even read was never written by a program of ours.
    const bool removed = QFileInfo(lock_.fileName()).isReadable() ? lock_.removeStaleLockFile()
                                                                  : QFile::remove(lock_.fileName());
    return removed && lock_.tryLock(0);
}

bool InstanceLock::heldElsewhere() const
{
    return !foreign_ && lock_.error() == QLockFile::LockFailedError;
}

bool instanceListens(const QString& appFolder)
{
    QLocalSocket socket;
    socket.connectToServer(instanceServerName(appFolder));
    return socket.waitForConnected(kClientPatienceMs);
}

bool handOverToRunning(const QString& appFolder, const QString& albumPath, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    // The running program may hold the lock a moment before it listens.
    for (;;) {
        socket.connectToServer(instanceServerName(appFolder));
        if (socket.waitForConnected(int(deadline.remainingTime()))) break;
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
    socket.write(QFile::encodeName(albumPath) + kEnd);
    QByteArray answer;
    while (answer.size() < kTaken.size() && socket.waitForReadyRead(int(deadline.remainingTime())))
        answer += socket.readAll();
    return answer.startsWith(kTaken);
}

InstanceServer::InstanceServer(const QString& appFolder, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), name_(instanceServerName(appFolder))
{
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) take(socket);
    });
}

bool InstanceServer::listen()
{
    if (server_->listen(name_)) return true;
    QLocalServer::removeServer(name_);
    return server_->listen(name_);
}

void InstanceServer::take(QLocalSocket* socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kClientPatienceMs, socket, &QLocalSocket::abort);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        QByteArray message = socket->property("message").toByteArray() + socket->readAll();
        const qsizetype end = message.indexOf(kEnd);
        if (end < 0) {
            if (message.size() > kMaxMessage) socket->abort();
            else socket->setProperty("message", message);
            return;
        }
        socket->write(kTaken);
        socket->flush();
        socket->disconnectFromServer();
        emit activationRequested(QFile::decodeName(message.left(end)));
    });
}

std::optional<int> runHereOrHandOver(InstanceLock& lock, const QString& appFolder, const QString& albumPath)
{
    if (lock.tryLock()) return std::nullopt;
    if (const QString foreign = lock.foreignFile(); !foreign.isEmpty()) {
        // A Quillon started before the file appeared still answers; without one, two could start.
        if (instanceListens(appFolder) && handOverToRunning(appFolder, albumPath, kClientPatienceMs)) return 0;
        std::fprintf(stderr, "quillon: %s is not a lock file of Quillon's; remove it and start again.\n",
                     QFile::encodeName(QDir::toNativeSeparators(foreign)).constData());
        return 1;
    }
    // A folder where no lock can be made at all still gets its window, as before locks.
    if (!lock.heldElsewhere()) return std::nullopt;
    if (handOverToRunning(appFolder, albumPath, kClientPatienceMs)) return 0;
    std::fprintf(stderr, "quillon: Quillon is already running with the program folder %s, but it does not answer.\n",
                 QFile::encodeName(QDir::toNativeSeparators(appFolder)).constData());
    return 1;
}
