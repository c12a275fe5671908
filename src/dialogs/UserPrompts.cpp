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

namespace {

// The index (from 1) of the first filter whose pattern matches the name, 0 when none does.
int FilterIndexOfName(const QStringList& filters, const QString& name) {
    const QRegularExpression patterns(R"(\(([^)]*)\))");
    for (int i = 0; i < filters.size(); ++i) {
        const QRegularExpressionMatch m = patterns.match(filters[i]);
        for (const QString& p : m.captured(1).split(' ', Qt::SkipEmptyParts)) {
            const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                        QRegularExpression::CaseInsensitiveOption);
            if (re.match(QFileInfo(name).fileName()).hasMatch()) return i + 1;
        }
    }
    return 0;
}

} // namespace

FileChoice AskFileChoice(QWidget* parent, const FileRequest& request) {
    const QStringList filters = request.Filter.split(";;");
    FileChoice choice;
    QString selected;
    if (const FileNameHandler& handler = CurrentFileNameHandler())
        choice.Name = handler(request);
    else
        choice.Name = QFileDialog::getSaveFileName(parent, request.Caption, QString(),
                                                   request.Filter, &selected);
    if (choice.Name.isEmpty()) return choice;
    // A name typed with the extension of one of the types is saved as that type, whatever
    // filter the dialog showed; a name without one takes the filter chosen.
    choice.FilterIndex = FilterIndexOfName(filters, choice.Name);
    if (choice.FilterIndex == 0)
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
