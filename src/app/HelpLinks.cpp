#include "app/HelpLinks.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace tervane {

namespace {

QString CannotShow(const QString& path, const QString& reason) {
    return "The help page " + QDir::toNativeSeparators(path) + " cannot be shown: " + reason;
}

QString NoBrowser(const QString& path, const QString& detail) {
    return CannotShow(path, "no web browser could be started" + detail +
                                ". Open the file in a web browser yourself.");
}

} // namespace

HelpLauncher SystemHelpLauncher() {
    HelpLauncher launcher;
    launcher.Program = QStandardPaths::findExecutable("xdg-open");
    return launcher;
}

void OpenHelpFile(const QString& path, QObject* context, HelpOpened opened,
                  const HelpLauncher& launcher) {
    if (!QFileInfo(path).isFile()) {
        opened(CannotShow(path, "the file is not installed."));
        return;
    }
    const QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    if (launcher.Program.isEmpty()) {
        opened(QDesktopServices::openUrl(url) ? QString() : NoBrowser(path, QString()));
        return;
    }

    // The outcome is reported once: by the launcher's end, its failure to start, or the end of
    // its start time, whichever comes first.
    struct Outcome {
        HelpOpened opened;
        bool reported = false;
        void Report(const QString& failure) {
            if (reported) return;
            reported = true;
            opened(failure);
        }
    };
    const auto outcome = std::make_shared<Outcome>(Outcome{std::move(opened)});
    const QString name = QFileInfo(launcher.Program).fileName();

    // Owned by the application, not the window: closing the window must not end a browser the
    // launcher still waits for.
    auto* process = new QProcess(QCoreApplication::instance());
    QObject* receiver = context != nullptr ? context : process;
    // Nothing is read from the launcher (or a browser it runs in the foreground), so no pipe
    // can fill and stall it.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, receiver,
                     [outcome, path, name](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             outcome->Report(NoBrowser(path, " (" + name + " could not be run)"));
                     });
    QObject::connect(process, &QProcess::finished, receiver,
                     [outcome, path, name](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit)
                             outcome->Report(NoBrowser(path, " (" + name + " was stopped)"));
                         else if (code != 0)
                             outcome->Report(NoBrowser(path, " (" + name + " ended with status " +
                                                                 QString::number(code) + ")"));
                         else
                             outcome->Report(QString());
                     });
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) process->deleteLater();
                     });
    QTimer::singleShot(launcher.StartTime, receiver, [outcome] { outcome->Report(QString()); });
    process->start(launcher.Program, QStringList(launcher.Arguments)
                                         << QString::fromLatin1(url.toEncoded()));
}

} // namespace tervane
