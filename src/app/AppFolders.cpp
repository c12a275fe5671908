#include "app/AppFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tervane {

QString ShippedPath(const QString& relative) {
    const QString folder = QCoreApplication::applicationDirPath();
    const QString beside = QDir(folder).filePath(relative);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(QDir(folder).filePath("../share/tervane/" + relative));
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace tervane
