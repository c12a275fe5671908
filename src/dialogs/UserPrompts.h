#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>

#include <functional>

namespace tervane {

/// One message box: text, caption word and icon, and the buttons offered.
struct MessageRequest {
    QString Text;
    QString Caption;
    QMessageBox::Icon Icon = QMessageBox::Warning;
    QMessageBox::StandardButtons Buttons = QMessageBox::Ok;
};

/// Shows a modal message box and returns the button pressed. Every message of the program goes
/// through here, so that a test can answer them instead of a user.
QMessageBox::StandardButton ShowMessage(QWidget* parent, const MessageRequest& request);

/// Answers message requests in place of a box.
using MessageHandler = std::function<QMessageBox::StandardButton(const MessageRequest&)>;

/// While alive, messages go to the handler instead of a box (tests).
class ScopedMessageHandler {
public:
    explicit ScopedMessageHandler(MessageHandler handler);
    ~ScopedMessageHandler();
    ScopedMessageHandler(const ScopedMessageHandler&) = delete;
    ScopedMessageHandler& operator=(const ScopedMessageHandler&) = delete;

private:
    MessageHandler previous_;
};

/// A question for a file name: to open an existing file or to name one to write.
struct FileRequest {
    enum class Purpose { Open, Save };
    Purpose Kind = Purpose::Open;
    QString Caption;
    /// Qt name filter, for example "Documents (*.kpl)".
    QString Filter;
};

/// Asks for a file name with a file dialog; empty when the user cancels.
QString AskFileName(QWidget* parent, const FileRequest& request);

/// A file name and the index (from 1) of the filter of the request's filter list it was chosen
/// with; 0 with an empty name when the user cancels.
struct FileChoice {
    QString Name;
    int FilterIndex = 0;
};

/// Asks for a file name with a dialog offering several filters ("A (*.a);;B (*.b)"). The filter
/// of the choice is the first whose pattern the name matches, else the one chosen in the
/// dialog (a test's file handler answers with a name alone).
FileChoice AskFileChoice(QWidget* parent, const FileRequest& request);

/// Answers file requests in place of a dialog.
using FileNameHandler = std::function<QString(const FileRequest&)>;

/// While alive, file requests go to the handler instead of a dialog (tests).
class ScopedFileNameHandler {
public:
    explicit ScopedFileNameHandler(FileNameHandler handler);
    ~ScopedFileNameHandler();
    ScopedFileNameHandler(const ScopedFileNameHandler&) = delete;
    ScopedFileNameHandler& operator=(const ScopedFileNameHandler&) = delete;

private:
    FileNameHandler previous_;
};

/// Asks for a colour with the colour dialog; an invalid colour when the user cancels.
QColor AskColor(QWidget* parent, const QColor& initial);

/// Answers colour requests in place of a dialog.
using ColorHandler = std::function<QColor(const QColor& initial)>;

/// While alive, colour requests go to the handler instead of a dialog (tests).
class ScopedColorHandler {
public:
    explicit ScopedColorHandler(ColorHandler handler);
    ~ScopedColorHandler();
    ScopedColorHandler(const ScopedColorHandler&) = delete;
    ScopedColorHandler& operator=(const ScopedColorHandler&) = delete;

private:
    ColorHandler previous_;
};

} // namespace tervane
