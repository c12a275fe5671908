// Documents that ask for too much (many large graphs, huge animated grids, absurd frame counts)
// run through every command in a child process under an address-space limit: each command
// refuses or finishes with a message, and none aborts.
#include "document/KplFormat.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;

// A surface record: 2 steps x steps over -2..2, animated over t in 0..1 when frames > 0.
std::string Record(int id, const std::string& function, int steps, int frames) {
    std::ostringstream r;
    r << "2 " << id << " @g" << id << "@ 3   " << function << ' ' << steps << ' ' << steps
      << " -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 ";
    if (frames > 0)
        r << "1 0 1 " << frames << " 10";
    else
        r << '0';
    r << " 2 1 2 3 3 4 5";
    return r.str();
}

void WriteDocument(const fs::path& path, const std::vector<std::string>& records) {
    std::string text = "S12 " + std::to_string(records.size());
    for (const std::string& r : records)
        text += ' ' + r;
    text += " 0";
    std::string error;
    const auto bytes = kpl::EncodeContainer(text, error);
    ASSERT_TRUE(bytes) << error;
    std::ofstream(path, std::ios::binary) << *bytes;
}

// Runs tervane-cli in a child whose address space is limited to limitBytes; its exit status, or
// -signal when it died of one.
int RunLimited(const std::vector<std::string>& args, rlim_t limitBytes) {
    std::vector<std::string> words = {TERVANE_CLI};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const rlimit limit{limitBytes, limitBytes};
        setrlimit(RLIMIT_AS, &limit);
        if (FILE* null = std::freopen("/dev/null", "w", stdout)) (void)null;
        if (FILE* null = std::freopen("/dev/null", "w", stderr)) (void)null;
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

TEST(CliLimits, DocumentsThatAskForTooMuchAreRefusedWithoutAnAbort) {
    const fs::path dir = fs::path(::testing::TempDir()) / "tervane_cli_limits";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::vector<std::string> many;
    for (int k = 1; k <= 12; ++k)
        many.push_back(Record(k, "exp(z)", 2000, 0));
    WriteDocument(dir / "many.kpl", many);
    WriteDocument(dir / "animated.kpl", {Record(1, "exp(t*z)", 1500, 1000)});
    WriteDocument(dir / "frames.kpl", {Record(1, "t*z", 4, 2000000000)});

    constexpr rlim_t kLimit = rlim_t{512} << 20;
    for (const char* doc : {"many.kpl", "animated.kpl", "frames.kpl"}) {
        const std::string in = (dir / doc).string();
        const std::vector<std::vector<std::string>> commands = {
            {"info", in},
            {"sample", in, "-o", (dir / "out.csv").string()},
            {"convert", in, (dir / "out.kpl").string()},
            {"export", in, "-o", (dir / "out.ply").string()},
            {"render", in, "-o", (dir / "out.png").string(), "--size", "64x48"},
        };
        for (const auto& args : commands) {
            const int status = RunLimited(args, kLimit);
            EXPECT_TRUE(status == 0 || status == 1) << doc << ' ' << args[0] << ": " << status;
        }
    }
    fs::remove_all(dir);
}

} // namespace
} // namespace tervane
