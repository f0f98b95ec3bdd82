// SideToolMenus — the menus "命理知识" (河洛图像) and "辅助工具" (测怀孕, 巧猜姓氏, 经纬度设置, 万年历) of the main
// window, and the windows they open. The perpetual calendar is one window
// at a time: the menu shows the open one, and closing it discards it.
#pragma once

#include <filesystem>

class QAction;
class QMainWindow;
class QMenu;

namespace tessaly {

// Puts "河洛图像" first into the menu `knowledge` and inserts "辅助工具" into
// `window`'s menu bar before `before`. `diliPath` is the place file the
// coordinates editor changes.
void AddSideToolMenus(QMainWindow* window, QMenu* knowledge, QAction* before, const std::filesystem::path& diliPath);

}  // namespace tessaly
