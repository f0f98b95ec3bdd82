#include "SkinEngine.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace tessaly {

bool SkinEngine::Load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    sheet_ = QString::fromUtf8(f.readAll());
    loaded_ = true;
    return true;
}

QString SkinEngine::BaseRules() {
    return QStringLiteral(
        "QLabel#LabTitle[person=\"0\"] { color: #000000; }\n"
        "QLabel#LabTitle[person=\"1\"] { color: #ff0000; }\n"
        "QToolButton#SbtoSave { color: #000000; }\n"
        "QToolButton#SbtoSave[editMode=\"true\"] { color: #0000ff; }\n");
}

void SkinEngine::Activate() {
    if (!loaded_) return;
    qApp->setStyleSheet(BaseRules() + sheet_);
}

void SkinEngine::Deactivate() { qApp->setStyleSheet(QString()); }

QStringList FindSkins(const QString& skinsDir) {
    QStringList names;
    const QStringList files = QDir(skinsDir).entryList({QStringLiteral("*.skn")}, QDir::Files, QDir::Name);
    for (const QString& f : files) names << f.section(u'.', 0, 0);
    return names;
}

}  // namespace tessaly
