#include "dialogs/UserPrompts.h"

#include <QFileDialog>

#include <utility>

namespace tervane {

namespace {

// The test seams: empty in the program, set by the scoped handlers.
MessageHandler& CurrentMessageHandler() {
    static MessageHandler handler;
    return handler;
}

FileNameHandler& CurrentFileNameHandler() {
    static FileNameHandler handler;
    return handler;
}

} // namespace

QMessageBox::StandardButton ShowMessage(QWidget* parent, const MessageRequest& request) {
    if (const MessageHandler& handler = CurrentMessageHandler()) return handler(request);
    QMessageBox box(request.Icon, request.Caption, request.Text, request.Buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

ScopedMessageHandler::ScopedMessageHandler(MessageHandler handler)
    : previous_(std::exchange(CurrentMessageHandler(), std::move(handler))) {}

ScopedMessageHandler::~ScopedMessageHandler() {
    CurrentMessageHandler() = std::move(previous_);
}

QString AskFileName(QWidget* parent, const FileRequest& request) {
    if (const FileNameHandler& handler = CurrentFileNameHandler()) return handler(request);
    if (request.Kind == FileRequest::Purpose::Open)
        return QFileDialog::getOpenFileName(parent, request.Caption, QString(), request.Filter);
    return QFileDialog::getSaveFileName(parent, request.Caption, QString(), request.Filter);
}

ScopedFileNameHandler::ScopedFileNameHandler(FileNameHandler handler)
    : previous_(std::exchange(CurrentFileNameHandler(), std::move(handler))) {}

ScopedFileNameHandler::~ScopedFileNameHandler() {
    CurrentFileNameHandler() = std::move(previous_);
}

} // namespace tervane
