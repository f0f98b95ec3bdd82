// DesktopOpener — hands a file or an address to the desktop, which opens it
// with the user's chosen program (QDesktopServices). Tests install their own
// opener to see what would be opened.
#pragma once

#include <QUrl>
#include <functional>

namespace tessaly {

// Returns false when the desktop has no program for it.
using UrlOpener = std::function<bool(const QUrl&)>;

// Opens `url` through the opener in use.
bool OpenWithDesktop(const QUrl& url);

// Installs `opener`; an empty one restores QDesktopServices::openUrl.
void SetUrlOpener(UrlOpener opener);

}  // namespace tessaly
