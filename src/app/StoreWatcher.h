// StoreWatcher — tells the main window that another program (the command
// line, a script) changed the data folder it shows: the case store's data
// files and journal, the settings file, the reports.
//
// Watches the folders dat/ and bazi_f/ (a file made, renamed or removed)
// and the store's files in dat/ (bytes written in place). A burst of changes
// is told once, at most `delay` after its first change, so that a long run of
// the command line still shows as it goes. The window's own writes are told
// too: following them is harmless.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tessaly {

class StoreWatcher : public QObject {
    Q_OBJECT
public:
    // Watches home's dat/ and bazi_f/ (those that exist).
    explicit StoreWatcher(const QString& home, QObject* parent = nullptr, int delayMs = 200);

    // The paths watched now (for the tests).
    QStringList Watched() const;

signals:
    // Something in the data folder changed.
    void Changed();

private:
    void Arm();
    void Touched();

    QString dat_, reports_;
    QFileSystemWatcher watcher_;
    QTimer delay_;
};

}  // namespace tessaly
