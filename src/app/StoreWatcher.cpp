#include "StoreWatcher.h"

#include <QDir>
#include <QFileInfo>

namespace tessaly {

StoreWatcher::StoreWatcher(const QString& home, QObject* parent, int delayMs)
    : QObject(parent),
      dat_(QDir(home).filePath(QStringLiteral("dat"))),
      reports_(QDir(home).filePath(QStringLiteral("bazi_f"))) {
    delay_.setSingleShot(true);
    delay_.setInterval(delayMs);
    connect(&delay_, &QTimer::timeout, this, [this] {
        Arm();  // files replaced by a rename are watched again under their name
        emit Changed();
    });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &StoreWatcher::Touched);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &StoreWatcher::Touched);
    Arm();
}

QStringList StoreWatcher::Watched() const { return watcher_.directories() + watcher_.files(); }

void StoreWatcher::Touched() {
    // Counted from the first change of a burst, not the last.
    if (!delay_.isActive()) delay_.start();
}

void StoreWatcher::Arm() {
    if (const QStringList files = watcher_.files(); !files.isEmpty()) watcher_.removePaths(files);
    QStringList wanted;
    for (const QString& dir : {dat_, reports_}) {
        if (QFileInfo(dir).isDir() && !watcher_.directories().contains(dir)) wanted << dir;
    }
    // The store's data files (bazi0.dat, bazi1.dat, …), its journal and the
    // settings the window reads.
    const QDir dat(dat_);
    for (const QFileInfo& f :
         dat.entryInfoList({QStringLiteral("bazi*.dat"), QStringLiteral("bazi.journal"), QStringLiteral("bzinit.ini")},
                           QDir::Files | QDir::NoSymLinks)) {
        wanted << f.filePath();
    }
    if (!wanted.isEmpty()) watcher_.addPaths(wanted);
}

}  // namespace tessaly
