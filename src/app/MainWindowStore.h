// The case store as the main window holds it, shared by the window's source
// files.
#pragma once

#include "MainWindow.h"
#include "store/CaseStore.h"

namespace tessaly {

struct MainWindow::Store {
    CaseStore db;
    bool open = false;
    // The criteria of the last search, kept for the life of the window.
    SearchCriteria criteria;
};

}  // namespace tessaly
