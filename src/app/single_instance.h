#pragma once
// One running Quillon per program folder: two would each write the settings and
// the playlist of that folder over the other's. The first start holds a lock file
// in the folder and listens on a local socket named after the folder; a later
// start finds the lock held and hands its command line over that socket instead.
#include <QLockFile>
#include <QObject>
#include <QString>
#include <optional>

class QLocalServer;
class QLocalSocket;

// The local socket's name for a program folder: the same folder always gives the same name.
QString instanceServerName(const QString& appFolder);

class InstanceLock {
public:
    explicit InstanceLock(const QString& appFolder);
    // True when this process now holds the folder's lock. A lock that names no live
    // program (one that crashed, or a file left empty) is taken over when nobody
    // answers on the folder's socket.
    bool tryLock();
    // True when the lock is held by another process rather than failing for a reason of its own.
    bool heldElsewhere() const;
    // The path of a folder, pipe or large file that stands in the lock's place; empty when none does.
    QString foreignFile() const { return foreign_ ? lock_.fileName() : QString(); }

private:
    bool takeOverStale();
    QLockFile lock_;
    QString folder_;
    bool foreign_ = false;
};

// True when a program listens on the folder's socket now.
bool instanceListens(const QString& appFolder);

// Gives the running program the album to open (empty: none) and waits until it has
// taken it; false when it does not answer within timeoutMs.
bool handOverToRunning(const QString& appFolder, const QString& albumPath, int timeoutMs);

// The running program's side: takes the command lines of later starts.
class InstanceServer : public QObject {
    Q_OBJECT
public:
    explicit InstanceServer(const QString& appFolder, QObject* parent = nullptr);
    // Call while holding the folder's lock, which makes a socket left by a crash safe to replace.
    bool listen();

signals:
    // A later start asked for the window, with an album to open (empty: none).
    void activationRequested(const QString& albumPath);

private:
    void take(QLocalSocket* socket);
    QLocalServer* server_;
    QString name_;
};

// Settles whether this start runs the window: nullopt when it holds the folder's lock
// now; otherwise the code to end with, after handing the album to the running one.
std::optional<int> runHereOrHandOver(InstanceLock& lock, const QString& appFolder, const QString& albumPath);
