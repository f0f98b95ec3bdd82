#include "SingleWindow.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>
#include <algorithm>

namespace tessaly {
namespace {

// The first thing a second start sends: a start of another version, or
// anything else that connects, is not taken for one of ours.
const QString kHello = QStringLiteral("tessaly-window/1");
const QByteArray kTaken = QByteArrayLiteral("ok\n");

}  // namespace

SingleWindow::SingleWindow(const QString& home, QObject* parent) : QObject(parent), home_(home) {
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) Serve(socket);
    });
}

SingleWindow::~SingleWindow() {
    server_.close();
    if (lock_) lock_->unlock();
}

QString SingleWindow::LockPath(const QString& home) {
    return QDir(home).filePath(QStringLiteral("dat/tessaly-window.lock"));
}

QString SingleWindow::ServerName(const QString& home) {
    QString path = QFileInfo(home).canonicalFilePath();
    if (path.isEmpty()) path = QDir::cleanPath(QDir(home).absolutePath());
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    return QStringLiteral("tessaly-window-") + QString::fromLatin1(hash);
}

SingleWindow::Claim SingleWindow::Take(const QStringList& arguments, int waitMs) {
    lock_ = std::make_unique<QLockFile>(LockPath(home_));
    // Held for the life of the window, however long: only a lock whose
    // process is gone is stale.
    lock_->setStaleLockTime(0);
    const QDeadlineTimer deadline(waitMs);
    for (;;) {
        if (lock_->tryLock(0)) return Listen() ? Claim::kFirst : Claim::kNoLock;
        if (lock_->error() != QLockFile::LockFailedError) {
            lock_.reset();
            return Claim::kNoLock;
        }
        if (HandOver(arguments, int(std::max<qint64>(deadline.remainingTime(), 0)))) {
            lock_.reset();
            return Claim::kHandedOver;
        }
        if (deadline.hasExpired()) {
            lock_.reset();
            return Claim::kNoAnswer;
        }
        QThread::msleep(100);
    }
}

bool SingleWindow::Listen() {
    const QString name = ServerName(home_);
    // A socket left by a window that crashed: the lock is ours now, so is the name.
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    return server_.listen(name);
}

bool SingleWindow::HandOver(const QStringList& arguments, int waitMs) {
    QLocalSocket socket;
    socket.connectToServer(ServerName(home_));
    if (!socket.waitForConnected(std::min(waitMs, 1000))) return false;
    QByteArray message;
    {
        QDataStream out(&message, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_0);
        out << kHello << arguments;
    }
    socket.write(message);
    if (!socket.waitForBytesWritten(waitMs)) return false;
    QByteArray answer;
    const QDeadlineTimer deadline(waitMs);
    while (answer.size() < kTaken.size() &&
           socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)))) {
        answer += socket.readAll();
    }
    return answer.startsWith(kTaken);
}

void SingleWindow::Serve(QLocalSocket* socket) {
    socket->setParent(this);
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
        QDataStream in(socket);
        in.setVersion(QDataStream::Qt_6_0);
        in.startTransaction();
        QString hello;
        QStringList arguments;
        in >> hello >> arguments;
        if (!in.commitTransaction()) {
            if (in.status() != QDataStream::ReadPastEnd) socket->abort();  // not one of ours
            return;
        }
        if (hello != kHello) {
            socket->abort();
            return;
        }
        socket->write(kTaken);
        socket->flush();
        socket->disconnectFromServer();
        emit ArgumentsReceived(arguments);
    });
}

}  // namespace tessaly
