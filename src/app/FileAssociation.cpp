#include "app/FileAssociation.h"

#include "core/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <algorithm>
#include <filesystem>

namespace tervane {

namespace {

constexpr const char* kMimeType = "application/x-tervane-document";
// The icon theme's name of the type's icon: the type with "-" for "/".
constexpr const char* kMimeIcon = "application-x-tervane-document";

// Writes a file when its contents differ, so that a start changes nothing on disk when the
// association is already in place; failures are ignored.
bool WriteIfChanged(const QString& path, const QByteArray& bytes) {
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) return false;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    return WriteFileAtomically(
               std::filesystem::path(path.toStdU16String()),
               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        .Ok();
}

void RunIfInstalled(const QString& tool, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (!program.isEmpty()) QProcess::startDetached(program, {folder});
}

// A desktop entry's Exec value quotes a path with blanks or reserved characters.
QString ExecPath(const QString& path) {
    static const QString reserved = " \t\n\"'\\><~|&;$*?#()`";
    if (std::none_of(path.begin(), path.end(), [](QChar c) { return reserved.contains(c); }))
        return path;
    QString quoted = path;
    quoted.replace("\\", "\\\\\\\\")
        .replace("\"", "\\\\\"")
        .replace("`", "\\\\`")
        .replace("$", "\\\\$");
    return "\"" + quoted + "\"";
}

} // namespace

QString UserDataFolder() {
    const QString xdg = QProcessEnvironment::systemEnvironment().value("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return xdg;
    return QDir::homePath() + "/.local/share";
}

QString MimePackageText() {
    return QString("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                   "  <mime-type type=\"%1\">\n"
                   "    <comment>Tervane document</comment>\n"
                   "    <icon name=\"%2\"/>\n"
                   "    <generic-icon name=\"x-office-document\"/>\n"
                   "    <glob pattern=\"*.kpl\"/>\n"
                   "  </mime-type>\n"
                   "</mime-info>\n")
        .arg(kMimeType, kMimeIcon);
}

QString MimeIconPath() {
    return UserDataFolder() + "/icons/hicolor/scalable/mimetypes/" + kMimeIcon + ".svg";
}

QString DesktopEntryText(const QString& executable, const QString& icon) {
    return QString("[Desktop Entry]\n"
                   "Type=Application\n"
                   "Name=Tervane\n"
                   "GenericName=Complex function plotter\n"
                   "Comment=Plots complex functions w = f(z)\n"
                   "Exec=%1 %f\n"
                   "Icon=%2\n"
                   "Terminal=false\n"
                   "Categories=Education;Science;Math;\n"
                   "MimeType=%3;\n")
        .arg(ExecPath(executable), icon, kMimeType);
}

void RegisterAssociation(const QString& executable, const QString& icon) {
    const QString data = UserDataFolder();
    // The document icon first, so that the desktop finds it when it reads the new package.
    QFile iconFile(icon);
    if (icon.endsWith(".svg") && iconFile.open(QIODevice::ReadOnly))
        WriteIfChanged(MimeIconPath(), iconFile.readAll());
    if (WriteIfChanged(data + "/mime/packages/tervane.xml", MimePackageText().toUtf8()))
        RunIfInstalled("update-mime-database", data + "/mime");
    if (WriteIfChanged(data + "/applications/tervane.desktop",
                       DesktopEntryText(executable, icon).toUtf8()))
        RunIfInstalled("update-desktop-database", data + "/applications");
}

void RefreshAssociation(const QString& executable, const QString& icon) {
    RegisterAssociation(executable, icon);
}

} // namespace tervane
