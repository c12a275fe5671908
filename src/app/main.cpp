#include "app/frmMain.h"

#include <QApplication>
#include <QStringList>
#include <QSurfaceFormat>
#include <QTimer>

int main(int argc, char* argv[]) {
    // Every GL surface of the program (the view and Qt's own) shares the view's format.
    QSurfaceFormat::setDefaultFormat(tervane::GlView::ViewFormat());
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Tervane");
    QApplication::setApplicationName("Tervane");
    QApplication::setApplicationVersion("0.1.0");

    tervane::frmMain window;
    window.show();
    // The rest of the command line names a document to open; a path with blanks may arrive
    // split into several arguments.
    const QString path = QApplication::arguments().mid(1).join(' ');
    if (!path.isEmpty())
        QTimer::singleShot(0, &window, [&window, path] { window.LoadDocument(path); });
    return QApplication::exec();
}
