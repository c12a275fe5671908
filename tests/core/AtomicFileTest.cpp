#include "core/AtomicFile.h"
#include "core/FaultyFileSystem.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;
using testing::Names;
using testing::Put;
using testing::Read;

unsigned ModeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777u;
}

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("tervane_atomic_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        oldMask_ = ::umask(022);
    }
    void TearDown() override {
        ::umask(oldMask_);
        fs::remove_all(dir_);
    }

    fs::path dir_;
    mode_t oldMask_ = 0;
};

// Where the bytes land for each kind of target, and what is reported when they cannot.
TEST_F(AtomicFileTest, WritesThroughEveryKindOfTarget) {
    struct Row {
        const char* name;
        std::function<fs::path(const fs::path& dir)> setUp; // returns the path to write
        int error;                                          // 0: written
        const char* landsIn;    // file that must hold the new bytes, relative to dir
        unsigned mode;          // its permissions afterwards (0: not checked)
        const char* stillALink; // must still be a symbolic link afterwards
    };
    const Row rows[] = {
        {"new file", [](const fs::path& d) { return d / "new.txt"; }, 0, "new.txt", 0644, ""},
        {"old file keeps its mode",
         [](const fs::path& d) {
             Put(d / "old.txt", "old bytes, longer than the new ones");
             fs::permissions(d / "old.txt", fs::perms(0640));
             return d / "old.txt";
         },
         0, "old.txt", 0640, ""},
        {"chain of relative links",
         [](const fs::path& d) {
             fs::create_directory(d / "real");
             Put(d / "real" / "file.txt", "old");
             fs::create_symlink("real/file.txt", d / "b");
             fs::create_symlink("b", d / "a");
             return d / "a";
         },
         0, "real/file.txt", 0644, "a"},
        {"link to a file not made yet",
         [](const fs::path& d) {
             fs::create_symlink("later.txt", d / "link");
             return d / "link";
         },
         0, "later.txt", 0644, "link"},
        {"folder", [](const fs::path& d) { return d; }, EISDIR, "", 0, ""},
        {"missing folder", [](const fs::path& d) { return d / "none" / "x"; }, ENOENT, "", 0, ""},
        {"links in a loop",
         [](const fs::path& d) {
             fs::create_symlink("y", d / "x");
             fs::create_symlink("x", d / "y");
             return d / "x";
         },
         ELOOP, "", 0, ""},
        {"device that takes everything", [](const fs::path&) { return fs::path("/dev/null"); }, 0,
         "", 0, ""},
        {"device that is full", [](const fs::path&) { return fs::path("/dev/full"); }, ENOSPC, "",
         0, ""},
    };
    const std::string bytes(100000, 'n');
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path dir = dir_ / std::to_string(&row - rows);
        fs::create_directory(dir);
        const fs::path target = row.setUp(dir);
        const std::set<std::string> before = Names(dir);

        const WriteResult result = WriteFileAtomically(target, bytes);
        EXPECT_EQ(result.Error, row.error) << result.Message();
        if (row.error != 0) {
            EXPECT_EQ(result.Message(),
                      "Cannot write '" + target.string() + "': " + std::strerror(row.error) + ".");
        }
        if (*row.landsIn) {
            EXPECT_EQ(Read(dir / row.landsIn), bytes);
            EXPECT_EQ(ModeOf(dir / row.landsIn), row.mode);
        }
        if (*row.stillALink) {
            EXPECT_TRUE(fs::is_symlink(dir / row.stillALink));
        }
        std::set<std::string> expected = before;
        if (*row.landsIn) expected.insert(row.landsIn);
        EXPECT_EQ(Names(dir), expected) << "no temporary left beside the target";
    }
}

// An OBJ and its MTL: when the second rename fails the first file gets its old bytes back, or
// disappears when it is new; if even that fails, the report says so.
TEST_F(AtomicFileTest, FilesCommittedTogetherAreRestoredTogether) {
    struct Row {
        const char* name;
        bool firstExisted;
        int renameFailures; // from the second rename on
        bool restored;
    };
    const Row rows[] = {
        {"old companion comes back", true, 1, true},
        {"new companion is removed", false, 1, true},
        {"restoring fails too", true, 2, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path dir = dir_ / std::to_string(&row - rows);
        fs::create_directory(dir);
        if (row.firstExisted) Put(dir / "m.mtl", "old mtl");
        Put(dir / "m.obj", "old obj");
        const std::set<std::string> before = Names(dir);

        testing::FaultyFileSystem files;
        files.RenameError = EIO;
        files.RenameCall = 2;
        files.RenameFailures = row.renameFailures;
        AtomicFile mtl(dir / "m.mtl", files), obj(dir / "m.obj", files);
        mtl.Write("new mtl");
        obj.Write("new obj");
        AtomicFile* inOrder[] = {&mtl, &obj};
        const WriteResult result = CommitTogether(inOrder);

        EXPECT_EQ(result.Error, EIO);
        EXPECT_EQ(result.Path, (dir / "m.obj").string());
        EXPECT_EQ(Read(dir / "m.obj"), "old obj");
        if (row.restored) {
            EXPECT_EQ(Names(dir), before);
            if (row.firstExisted) {
                EXPECT_EQ(Read(dir / "m.mtl"), "old mtl");
            }
            EXPECT_EQ(result.Reason, std::strerror(EIO));
        } else {
            EXPECT_EQ(Read(dir / "m.mtl"), "new mtl");
            EXPECT_NE(result.Reason.find("'" + (dir / "m.mtl").string() +
                                         "' already holds the new contents"),
                      std::string::npos)
                << result.Reason;
            // The old contents are kept under the name the message gives, not lost.
            const auto at = result.Reason.find("its old contents are in '");
            ASSERT_NE(at, std::string::npos) << result.Reason;
            const std::string kept = result.Reason.substr(at + 25, result.Reason.size() - at - 26);
            EXPECT_EQ(Read(kept), "old mtl");
        }
    }
}

// Writers racing for one file: each one's file is whole, the last rename wins, no temporaries.
TEST_F(AtomicFileTest, ConcurrentWritersLeaveOneWholeFile) {
    const fs::path target = dir_ / "shared.ply";
    std::vector<std::string> contents;
    for (char c : std::string("abcd"))
        contents.emplace_back(300000 + 1000 * (c - 'a'), c);
    std::vector<int> failures(contents.size(), 0);
    {
        std::vector<std::jthread> writers;
        for (std::size_t w = 0; w < contents.size(); ++w) {
            writers.emplace_back([&, w] {
                for (int i = 0; i < 20; ++i)
                    failures[w] += !WriteFileAtomically(target, contents[w]).Ok();
            });
        }
    }
    EXPECT_EQ(failures, std::vector<int>(contents.size(), 0));
    const std::string result = Read(target);
    EXPECT_NE(std::find(contents.begin(), contents.end(), result), contents.end())
        << "a file of " << result.size() << " bytes that no writer wrote";
    EXPECT_EQ(Names(dir_), std::set<std::string>{"shared.ply"});
}

} // namespace
} // namespace tervane
