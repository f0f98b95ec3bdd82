// SingleWindow — one window per data folder. The first window on a folder
// holds a lock file in its dat/ and listens on a local socket named after
// the folder; a second start on the same folder finds the lock, hands its
// arguments to the running window (which comes to the front) and exits. A
// lock left by a window that crashed is taken over. Other folders, and the
// command line tessaly-cli, are never held up by it.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QStringList>
#include <memory>

class QLocalSocket;

namespace tessaly {

class SingleWindow : public QObject {
    Q_OBJECT
public:
    enum class Claim {
        kFirst,       // this start holds the folder: it opens the window
        kHandedOver,  // the running window took the arguments: this start ends
        kNoAnswer,    // the folder is held, but its window did not answer in time
        kNoLock,      // no lock could be made (say, a read-only folder): a window without the guard
    };

    // `home` is the data folder (the one holding dat/).
    explicit SingleWindow(const QString& home, QObject* parent = nullptr);
    ~SingleWindow() override;

    // Takes the folder for this start, or hands `arguments` to the window
    // that has it, trying for up to `waitMs` (a window just starting may not
    // listen yet; one just gone leaves its lock to be taken).
    Claim Take(const QStringList& arguments, int waitMs = 5000);

    // The lock file, dat/tessaly-window.lock.
    static QString LockPath(const QString& home);
    // The local socket's name: from a hash of the folder's canonical path.
    static QString ServerName(const QString& home);

signals:
    // A second start on the same folder passed its arguments.
    void ArgumentsReceived(const QStringList& arguments);

private:
    bool Listen();
    bool HandOver(const QStringList& arguments, int waitMs);
    void Serve(QLocalSocket* socket);

    QString home_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace tessaly
