// SkinEngine — window skins. A skin file skins/NAME.skn is a Qt style sheet
// (UTF-8). The window reaches the engine through three operations only:
// load a skin file, activate the loaded skin, deactivate skinning.
#pragma once

#include <QString>
#include <QStringList>

namespace tessaly {

class SkinEngine {
public:
    // Reads the file; false (and nothing loaded) when it cannot be read.
    bool Load(const QString& path);
    // Applies the loaded skin to the whole application.
    void Activate();
    // Back to the system style.
    void Deactivate();

private:
    QString sheet_;
    bool loaded_ = false;
};

// Skin names found in `skinsDir` (*.skn, the file name up to its first "."),
// sorted.
QStringList FindSkins(const QString& skinsDir);

}  // namespace tessaly
