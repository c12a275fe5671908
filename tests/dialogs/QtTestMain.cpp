// The main of the test runners that drive widgets: one QApplication for all tests, settings and
// the user's data folder in temporary folders so that no test reads or writes the user's own.
#ifdef TERVANE_TEST_GL_VIEW
#include "app/GlView.h"
#endif

#include <QApplication>
#include <QSettings>
#include <QSurfaceFormat>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#ifdef TERVANE_TEST_GL_VIEW
    // As the program does: every GL surface shares the view's format.
    QSurfaceFormat::setDefaultFormat(tervane::GlView::ViewFormat());
#endif
    QApplication app(argc, argv);
    QTemporaryDir settingsDir;
    QApplication::setOrganizationName("TervaneTests");
    QApplication::setApplicationName("TervaneTests");
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    // The window registers its file association at start: in a folder of the run, not the
    // user's own.
    QTemporaryDir dataDir;
    qputenv("XDG_DATA_HOME", dataDir.path().toUtf8());
    return RUN_ALL_TESTS();
}
