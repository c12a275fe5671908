#pragma once

#include <QString>

namespace tervane {

/// Where the association files of the current user lie: $XDG_DATA_HOME, or ~/.local/share.
QString UserDataFolder();

/// The shared-mime-info package that names *.kpl files "application/x-tervane-document", with
/// the document icon "application-x-tervane-document" and a generic document icon as fallback.
QString MimePackageText();

/// Where the document icon goes in the current user's icon theme (scalable, hicolor).
QString MimeIconPath();

/// The desktop entry that opens such files with the program: Exec names the executable with
/// "%f", Icon the icon file.
QString DesktopEntryText(const QString& executable, const QString& icon);

/// Writes the association for the current user: the mime package under
/// UserDataFolder()/mime/packages/, the desktop entry under UserDataFolder()/applications/ and,
/// when icon is an SVG file, a copy of it as the document icon at MimeIconPath(),
/// then asks the desktop's databases to take them in (when their tools are installed). The
/// program runs this at start; every failure is ignored, as the program works without it.
void RegisterAssociation(const QString& executable, const QString& icon);

/// After a save: writes the association again, so that it names this program even when
/// another program or an older copy took over *.kpl since the start.
void RefreshAssociation(const QString& executable, const QString& icon);

} // namespace tervane
