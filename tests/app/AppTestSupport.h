#pragma once

#include "app/frmMain.h"
#include "dialogs/UserPrompts.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace tervane::testing {

/// Answers every message box (recording it) and every file dialog from queues.
class Prompts {
public:
    Prompts()
        : messages_([this](const MessageRequest& r) {
              shown.push_back(r);
              if (answers.empty()) return QMessageBox::No;
              const QMessageBox::StandardButton a = answers.front();
              answers.pop_front();
              return a;
          }),
          files_([this](const FileRequest& r) {
              fileRequests.push_back(r);
              if (fileNames.empty()) return QString();
              const QString name = fileNames.front();
              fileNames.pop_front();
              return name;
          }) {}

    std::vector<MessageRequest> shown;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<FileRequest> fileRequests;
    std::deque<QString> fileNames;

private:
    ScopedMessageHandler messages_;
    ScopedFileNameHandler files_;
};

/// A shown main window with prompts answered by the test.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmMain>();
        window->resize(900, 640);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void TearDown() override {
        prompts.answers.assign(8, QMessageBox::No);
        window.reset();
    }

    QAction* Action(const char* name) {
        QAction* a = window->findChild<QAction*>(name);
        EXPECT_TRUE(a) << name;
        return a;
    }
    QListWidget* List() { return window->findChild<QListWidget*>("List1"); }

    /// Triggers a command that opens a modal dialog and lets fill act on the dialog.
    void WithDialog(const char* command, std::function<void(QWidget*)> fill) {
        QTimer::singleShot(0, [fill] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            fill(dialog);
        });
        Action(command)->trigger();
    }

    /// Makes a graph through a graph dialog with a function and step counts.
    void MakeGraph(const char* command, const QString& function, const QString& steps = "8") {
        WithDialog(command, [function, steps](QWidget* dialog) {
            const char* box = dialog->objectName() == "frmColorMap" ? "Text4" : "Text2";
            dialog->findChild<QLineEdit*>(box)->setText(function);
            dialog->findChild<QLineEdit*>("Text7")->setText(steps);
            dialog->findChild<QLineEdit*>("Text10")->setText(steps);
            QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
    }

    /// Draws one frame of the view and returns it.
    QImage Frame() { return window->View()->grabFramebuffer(); }

    Prompts prompts;
    std::unique_ptr<frmMain> window;
};

} // namespace tervane::testing
