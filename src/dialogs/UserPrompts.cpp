#include "dialogs/UserPrompts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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

ColorHandler& CurrentColorHandler() {
    static ColorHandler handler;
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

FileChoice AskFileChoice(QWidget* parent, const FileRequest& request) {
    const QStringList filters = request.Filter.split(";;");
    FileChoice choice;
    if (const FileNameHandler& handler = CurrentFileNameHandler()) {
        choice.Name = handler(request);
        if (choice.Name.isEmpty()) return choice;
        for (int i = 0; i < filters.size() && choice.FilterIndex == 0; ++i) {
            const QRegularExpression patterns(R"(\(([^)]*)\))");
            const QRegularExpressionMatch m = patterns.match(filters[i]);
            for (const QString& p : m.captured(1).split(' ', Qt::SkipEmptyParts)) {
                const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                            QRegularExpression::CaseInsensitiveOption);
                if (re.match(QFileInfo(choice.Name).fileName()).hasMatch())
                    choice.FilterIndex = i + 1;
            }
        }
        if (choice.FilterIndex == 0) choice.FilterIndex = 1;
        return choice;
    }
    QString selected;
    choice.Name =
        QFileDialog::getSaveFileName(parent, request.Caption, QString(), request.Filter, &selected);
    if (choice.Name.isEmpty()) return choice;
    choice.FilterIndex = static_cast<int>(filters.indexOf(selected)) + 1;
    if (choice.FilterIndex == 0) choice.FilterIndex = 1;
    return choice;
}

ScopedFileNameHandler::ScopedFileNameHandler(FileNameHandler handler)
    : previous_(std::exchange(CurrentFileNameHandler(), std::move(handler))) {}

ScopedFileNameHandler::~ScopedFileNameHandler() {
    CurrentFileNameHandler() = std::move(previous_);
}

QColor AskColor(QWidget* parent, const QColor& initial) {
    if (const ColorHandler& handler = CurrentColorHandler()) return handler(initial);
    return QColorDialog::getColor(initial, parent);
}

ScopedColorHandler::ScopedColorHandler(ColorHandler handler)
    : previous_(std::exchange(CurrentColorHandler(), std::move(handler))) {}

ScopedColorHandler::~ScopedColorHandler() {
    CurrentColorHandler() = std::move(previous_);
}

} // namespace tervane
