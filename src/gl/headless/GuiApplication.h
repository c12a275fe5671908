#pragma once

namespace tervane {

/// Makes sure a QGuiApplication exists, which the glyph fonts need for Qt's font database.
///
/// When the process has none (tests, the command-line renderer), one is created on the "offscreen"
/// platform, so no display server is needed; it lives until the process ends (a program that
/// wants an orderly shutdown creates its own QGuiApplication in main first). A process that
/// already runs a QGuiApplication or QApplication keeps its own. Throws std::logic_error when a
/// plain QCoreApplication exists, since no font database can be added to it.
void EnsureGuiApplication();

} // namespace tervane
