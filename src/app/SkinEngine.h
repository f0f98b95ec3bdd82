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

    // The colours the program gives some controls itself (the person label
    // of the birth dialog, "存新"/"存旧"), as the rules every skin starts
    // from: under a style sheet a widget's own palette does not hold. A
    // skin's rules for the same selectors come later and win.
    static QString BaseRules();

private:
    QString sheet_;
    bool loaded_ = false;
};

// Skin names found in `skinsDir` (*.skn, the file name up to its first "."),
// sorted.
QStringList FindSkins(const QString& skinsDir);

}  // namespace tessaly
