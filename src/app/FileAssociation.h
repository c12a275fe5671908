#pragma once

#include <QString>

namespace tervane {

/// Where the association files of the current user lie: $XDG_DATA_HOME, or ~/.local/share.
QString UserDataFolder();

/// The shared-mime-info package that names *.kpl files "application/x-tervane-document".
QString MimePackageText();

/// The desktop entry that opens such files with the program: Exec names the executable with
/// "%f", Icon the icon file.
QString DesktopEntryText(const QString& executable, const QString& icon);

/// Writes the association for the current user: the mime package under
/// UserDataFolder()/mime/packages/ and the desktop entry under UserDataFolder()/applications/,
/// then asks the desktop's databases to take them in (when their tools are installed). The
/// program runs this at start; every failure is ignored, as the program works without it.
void RegisterAssociation(const QString& executable, const QString& icon);

/// After a save: writes the association again, so that it names this program even when
/// another program or an older copy took over *.kpl since the start.
void RefreshAssociation(const QString& executable, const QString& icon);

} // namespace tervane
