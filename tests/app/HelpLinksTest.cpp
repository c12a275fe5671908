// Opening a help page: a missing page or a browser launcher that fails must give the user a
// message naming the page; a launcher that works, or outlives its start time, gives none.
#include "app/HelpLinks.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>

namespace tervane {
namespace {

using namespace std::chrono_literals;

class HelpLinksTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Never destroyed, as Qt's own globals are gone by static destruction time.
        static int argc = 1;
        static char name[] = "help_links_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr)
            (void)std::make_unique<QCoreApplication>(argc, argv).release();
    }

    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        page_ = dir_.filePath("help pages/index.html");
        ASSERT_TRUE(QDir().mkpath(dir_.filePath("help pages")));
        QFile file(page_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }

    // Runs the event loop until the outcome is reported or the time is up.
    static std::optional<QString> WaitFor(const std::shared_ptr<std::optional<QString>>& outcome,
                                          std::chrono::milliseconds time = 5s) {
        QDeadlineTimer deadline(time);
        while (!*outcome && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return *outcome;
    }

    static HelpLauncher Shell(const QString& script, std::chrono::milliseconds start = 10s) {
        // The page's URL arrives as $1.
        return HelpLauncher{"sh", {"-c", script, "sh"}, start};
    }

    QTemporaryDir dir_;
    QString page_;
};

TEST_F(HelpLinksTest, ReportsWhatCameOfTheLauncher) {
    struct Row {
        const char* name;
        bool pageExists;
        HelpLauncher launcher;
        bool fails;
        const char* detail; // part of the message when it fails
    };
    const Row rows[] = {
        {"browser started", true, Shell("exit 0"), false, ""},
        // The page goes over as a file URL of the page, as the last argument.
        {"file URL", true,
         Shell("case \"$1\" in file:///*/help%20pages/index.html) exit 0;; *) exit 3;; esac"),
         false, ""},
        {"no browser", true, Shell("exit 3"), true, "ended with status 3"},
        {"launcher killed", true, Shell("kill -9 $$"), true, "was stopped"},
        {"launcher missing", true, HelpLauncher{"/nonexistent/xdg-open", {}, 10s}, true,
         "xdg-open could not be run"},
        // A launcher that waits for the browser and ends with an error long after it came up
        // says nothing about the page.
        {"browser closed later", true, Shell("sleep 0.3; exit 1", 50ms), false, ""},
        {"page missing", false, Shell("exit 0"), true, "not installed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = row.pageExists ? page_ : dir_.filePath("missing.html");
        auto outcome = std::make_shared<std::optional<QString>>();
        int reports = 0;
        QObject context;
        OpenHelpFile(
            path, &context,
            [outcome, &reports](const QString& failure) {
                *outcome = failure;
                ++reports;
            },
            row.launcher);
        const std::optional<QString> failure = WaitFor(outcome);
        ASSERT_TRUE(failure.has_value());
        if (row.fails) {
            EXPECT_TRUE(failure->contains(path)) << failure->toStdString();
            EXPECT_TRUE(failure->contains(row.detail)) << failure->toStdString();
            if (row.pageExists) {
                EXPECT_TRUE(failure->contains("no web browser could be started"))
                    << failure->toStdString();
            }
        } else {
            EXPECT_TRUE(failure->isEmpty()) << failure->toStdString();
        }
        // Whatever the launcher does later, the outcome is reported once.
        outcome->reset();
        (void)WaitFor(outcome, 400ms);
        EXPECT_EQ(reports, 1);
    }
}

TEST_F(HelpLinksTest, NothingIsReportedToAClosedWindow) {
    auto outcome = std::make_shared<std::optional<QString>>();
    {
        QObject window;
        OpenHelpFile(
            page_, &window, [outcome](const QString& failure) { *outcome = failure; },
            Shell("sleep 0.2; exit 3"));
    }
    EXPECT_FALSE(WaitFor(outcome, 600ms).has_value());
}

} // namespace
} // namespace tervane
