#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class QObject;

namespace tervane {

/// How a help page is handed to the web browser.
struct HelpLauncher {
    /// The program started with the page's file URL after Arguments (xdg-open). Empty: Qt's
    /// QDesktopServices, which cannot tell whether a browser came up.
    QString Program;
    QStringList Arguments;
    /// A launcher that ends with an error within this time could not start a browser. One still
    /// running then has started it (xdg-open may wait for the browser it runs), and its later
    /// end says nothing about the page.
    std::chrono::milliseconds StartTime{10000};
};

/// xdg-open when it is installed, else QDesktopServices.
[[nodiscard]] HelpLauncher SystemHelpLauncher();

/// Called once with what came of opening a help page: an empty text when a browser took the
/// page, else a message for the user that names the page's file.
using HelpOpened = std::function<void(const QString& failure)>;

/// Opens the HTML file at path in the user's web browser and reports the outcome to opened: at
/// once for a missing file or a launcher that cannot run, else when the launcher ends or has
/// run for its StartTime. Nothing is reported after context (when given) is destroyed. Needs a
/// running QCoreApplication event loop for the later reports.
void OpenHelpFile(const QString& path, QObject* context, HelpOpened opened,
                  const HelpLauncher& launcher = SystemHelpLauncher());

} // namespace tervane
