#include "app/AppFolders.h"
#include "app/frmMain.h"

#include <QApplication>
#include <QStringList>
#include <QSurfaceFormat>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Every GL surface of the program (the view and Qt's own) shares the view's format.
    QSurfaceFormat::setDefaultFormat(tervane::GlView::ViewFormat());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tervane");
    QApplication::setApplicationName("Tervane");
    QApplication::setApplicationVersion("1.5");
    // "--paths" tells where the program found what it ships (an install's check).
    if (QApplication::arguments().size() == 2 && QApplication::arguments()[1] == "--paths") {
        std::printf("samples: %s\nhelp: %s\n", qPrintable(tervane::ShippedPath("samples")),
                    qPrintable(tervane::ShippedPath("help")));
        return 0;
    }

    tervane::frmMain window;
    window.show();
    // The rest of the command line names a document to open; a path with blanks may arrive
    // split into several arguments.
    const QString path = QApplication::arguments().mid(1).join(' ');
    if (!path.isEmpty())
        QTimer::singleShot(0, &window, [&window, path] { window.LoadDocument(path); });
    return QApplication::exec();
}
