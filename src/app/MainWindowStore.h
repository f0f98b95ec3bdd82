// The case store as the main window holds it, shared by the window's source
// files.
#pragma once

#include <string>
#include <vector>

#include "MainWindow.h"
#include "common/IniFile.h"
#include "store/CaseStore.h"

namespace tessaly {

struct MainWindow::Store {
    CaseStore db;
    bool open = false;
    // The criteria of the last search, kept for the life of the window.
    SearchCriteria criteria;

    // Following what other programs change (MainWindowFollow.cpp).
    StoreWatcher* watcher = nullptr;
    // The viewed case as this window last read or wrote it: its slot, its
    // record's bytes and its report file's size and time; empty when nothing
    // is viewed.
    std::int32_t viewedSlot = -1;
    std::string viewedBytes;
    std::string viewedReport;
    ViewedCaseState viewedState = ViewedCaseState::kCurrent;
    // dat/bzinit.ini as last read or written; the window's settings differ
    // from it by the keys the window changed.
    IniFile settingsBase;
    // The store's slot count at the last refresh of the tree: slots at or
    // above it are new and are listed too.
    std::int32_t knownCount = 0;
    // The slots the tree was filled from (the first 1000 at start-up); empty
    // after a search (whose list grows only by the slots added since).
    std::vector<std::int32_t> listedSlots;
};

}  // namespace tessaly
