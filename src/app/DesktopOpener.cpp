#include "DesktopOpener.h"

#include <QDesktopServices>

namespace tessaly {
namespace {

UrlOpener& Installed() {
    static UrlOpener opener;
    return opener;
}

}  // namespace

bool OpenWithDesktop(const QUrl& url) {
    const UrlOpener& opener = Installed();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) { Installed() = std::move(opener); }

}  // namespace tessaly
