#include "gl/headless/GuiApplication.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace tervane {

void EnsureGuiApplication() {
    // QGuiApplication keeps references to argc and argv for its whole life.
    static int argc = 3;
    static char program[] = "tervane";
    static char platformOption[] = "-platform";
    static char platformName[] = "offscreen";
    static char* argv[] = {program, platformOption, platformName, nullptr};

    if (QCoreApplication::instance() != nullptr) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
            throw std::logic_error("a QCoreApplication without GUI support is running; "
                                   "glyph fonts need a QGuiApplication");
        return;
    }
    // Qt wants a private runtime folder; without a desktop session there is
    // none, so make one instead of letting Qt warn on every start.
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        char folder[] = "/tmp/tervane-runtime-XXXXXX";
        if (mkdtemp(folder) != nullptr) setenv("XDG_RUNTIME_DIR", folder, 0);
    }
    // Deliberately never destroyed: at static destruction time Qt's own globals are already gone
    // and ~QGuiApplication would crash. The process owns it until it exits.
    std::make_unique<QGuiApplication>(argc, argv).release();
}

} // namespace tervane
