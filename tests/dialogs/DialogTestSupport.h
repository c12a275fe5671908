#pragma once

// What the dialog tests share: a record of the messages a dialog showed, and its controls by name.

#include "dialogs/UserPrompts.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

namespace tervane::testing {

/// Takes every message box while it lives, answering OK, and keeps what was asked.
struct MessageLog {
    std::vector<MessageRequest> shown;
    ScopedMessageHandler handler{[this](const MessageRequest& r) {
        shown.push_back(r);
        return QMessageBox::Ok;
    }};
};

/// The child control of w with this object name (a test failure when there is none).
template <typename T> T* Child(QWidget& w, const char* name) {
    T* c = w.findChild<T*>(name);
    EXPECT_TRUE(c) << name;
    return c;
}

} // namespace tervane::testing
