#include "cli/CliMain.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tervane::cli {
namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result Cli(std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

struct Case {
    std::vector<std::string> args;
    int code;
    std::string out;
    std::string err; // exact, or a prefix when it ends in "..."
};

TEST(TervaneCli, CommandsAndExitCodes) {
    const Case cases[] = {
        {{"translate", "z^2+1"}, 0, "ZZ 2 ^ 1 + \n", ""},
        {{"translate", "2x"}, 0, "2 XX * \n", ""},
        {{"translate", "--raw", "(z+1)(z-1)"}, 0, "ZZ 1 + ZZ 1 - * \n", ""},
        {{"translate", "--raw", "z 2"}, 1, "", "Character 0:  Operator expected\n"},
        {{"translate", "2+-z"}, 1, "", "Character 2:  Operand expected\n"},
        {{"translate", ""}, 1, "", "Character 1:  Operand expected\n"},
        {{"eval", "z^2+1", "1", "2"}, 0, "-2 4\n", ""},
        {{"eval", "exp(z)", "0", "0"}, 0, "1 0\n", ""},
        {{"eval", "z", "1,5", "-2"}, 0, "1.5 -2\n", ""},
        {{"eval", "t*z", "1", "0", "--t", "0.5"}, 0, "0.5 0\n", ""},
        {{"eval", "1/3", "0", "0"}, 0, "0.333333343 0\n", ""},
        {{"eval", "1/z", "0", "0"}, 1, "", "Division by zero\n"},
        {{"eval", "exp(z)", "100", "0"}, 1, "", "Overflow\n"},
        {{"eval", "sin(", "0", "0"}, 1, "", "Character 4:  Operand expected\n"},
        {{"eval", "z", "abc", "0"}, 2, "", "tervane-cli: not a number: 'abc'..."},
        {{"eval", "z", "1"}, 2, "", "tervane-cli: eval takes TEXT X Y..."},
        {{"translate"}, 2, "", "tervane-cli: translate needs a function text..."},
        {{"frobnicate"}, 2, "", "tervane-cli: unknown command 'frobnicate'..."},
        {{}, 2, "", "tervane-cli: no command given..."},
        {{"batch", "extra"}, 2, "", "tervane-cli: batch takes no arguments..."},
    };
    for (const auto& c : cases) {
        const Result r = Cli(c.args);
        std::string label = c.args.empty() ? "(none)" : c.args[0];
        for (std::size_t i = 1; i < c.args.size(); ++i)
            label += " " + c.args[i];
        EXPECT_EQ(r.code, c.code) << label;
        EXPECT_EQ(r.out, c.out) << label;
        if (c.err.size() > 3 && c.err.ends_with("...")) {
            EXPECT_TRUE(r.err.starts_with(c.err.substr(0, c.err.size() - 3))) << label << r.err;
            EXPECT_NE(r.err.find("Usage: tervane-cli"), std::string::npos) << label;
        } else {
            EXPECT_EQ(r.err, c.err) << label;
        }
    }
}

// "COMMAND --help" (or -h, wherever it stands) prints that command's entry of the full usage
// text on standard output and does nothing else; the full text is those entries in order.
TEST(TervaneCli, EveryCommandAnswersHelpWithItsOwnUsage) {
    const std::string output = ::testing::TempDir() + "/tervane_help.kpl";
    std::filesystem::remove(output);
    struct HelpCase {
        std::vector<std::string> args;
        std::string synopsis; // the entry's first line starts so
    };
    const HelpCase cases[] = {
        {{"translate", "--help"}, "  translate [--raw] TEXT   print"},
        {{"eval", "z", "-h", "1"}, "  eval TEXT X Y [--t T]    evaluate"},
        {{"batch", "--help"}, "  batch                    read commands"},
        {{"sample", "--expr", "z", "--help"}, "  sample --expr TEXT"},
        {{"info", "-h"}, "  info FILE.kpl            print"},
        {{"convert", "in.kpl", output, "--help"}, "  convert IN.kpl OUT.kpl   read"},
        {{"export", "--help", "-o", output}, "  export FILE.kpl -o"},
        {{"make-samples", "--help"}, "  make-samples DIR         write"},
        {{"plot", "z", "-o", output, "--help"}, "  plot TEXT -o"},
        {{"zeros", "z", "--range", "--help"}, "  zeros TEXT [--range"},
#ifdef TERVANE_CLI_RENDER
        {{"render", "-h"}, "  render FILE.kpl -o"},
#endif
    };
    const Result full = Cli({"--help"});
    ASSERT_EQ(full.code, 0);
    EXPECT_EQ(full.err, "");
    const std::string head = "Usage: tervane-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    const std::string tail =
        "  --help                   print this text\n\n"
        "Exit codes: 0 success, 1 the function or document has an error, 2 wrong usage.\n";
    std::string entries;
    for (const auto& c : cases) {
        const std::string& name = c.args[0];
        const Result r = Cli(c.args);
        EXPECT_EQ(r.code, 0) << name;
        EXPECT_EQ(r.err, "") << name;
        const std::string heading =
            "Usage: tervane-cli " + name + (name == "batch" ? "" : " [ARGUMENTS]") + "\n\n";
        ASSERT_TRUE(r.out.starts_with(heading + c.synopsis)) << r.out;
        const std::size_t end = r.out.find("\n\nExit codes:");
        ASSERT_NE(end, std::string::npos) << r.out;
        const std::string entry = r.out.substr(heading.size(), end + 1 - heading.size());
        EXPECT_TRUE(r.out.ends_with(tail.substr(tail.find("Exit codes:")))) << name;
        // Only this command's lines: every line that names a command names this one.
        std::istringstream lines(entry);
        for (std::string line; std::getline(lines, line);)
            EXPECT_TRUE(line.starts_with("   ") || line.starts_with("  " + name + " "))
                << name << ": " << line;
        entries += entry;
    }
    EXPECT_EQ(full.out, head + entries + tail);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST(TervaneCli, BatchAnswersEveryLineAndNeverStops) {
    const std::string input = "translate\tz^2+1\n"
                              "translate\tsin\n"
                              "eval\tz^2+1\t1\t2\n"
                              "eval\t1/z\t0\t0\n"
                              "eval\tq\t0\t0\n"
                              "bogus\n"
                              "\n"
                              "eval\tz\t1\n"
                              "eval\tz\tx\t0\n"
                              "translate\tz*2\r\n"
                              "eval\tsqr(-4)\t0\t0\n";
    const Result r = Cli({"batch"}, input);
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "ok\tZZ 2 ^ 1 + \n"
                     "err\tCharacter 3:  Operand expected\n"
                     "ok\t-2 4\n"
                     "err\tDivision by zero\n"
                     "err\tCharacter 0:  Undefined symbol : 'q'\n"
                     "err\tunknown command 'bogus' (expected translate or eval)\n"
                     "err\tunknown command '' (expected translate or eval)\n"
                     "err\teval takes three fields: eval<TAB>TEXT<TAB>X<TAB>Y\n"
                     "err\tnot a number: 'x'\n"
                     "ok\tZZ 2 * \n"
                     "ok\t-8.74227837e-08 2\n");
}

TEST(TervaneCli, EvalSaysNoneWhenNothingIsLeft) {
    // Only a blank function text gives an empty postfix text; the pre-pass keeps
    // blanks, so "  " translates to nothing.
    const Result r = Cli({"eval", "  ", "0", "0"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "none\n");
}

} // namespace
} // namespace tervane::cli

namespace tervane::cli {
namespace {

TEST(TervaneCliSample, WritesTheGridAsCsvWithHolesAsNan) {
    const Result r = Cli({"sample", "--expr", "1/z", "--xmin", "-1", "--xmax", "1", "--ymin", "0",
                          "--ymax", "0", "--stepsx", "2", "--stepsy", "1"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "i,j,x,y,u,v,m\n"
                     "0,0,-1,0,-1,-0,1\n"
                     "0,1,-1,0,-1,-0,1\n"
                     "1,0,0,0,nan,nan,nan\n"
                     "1,1,0,0,nan,nan,nan\n"
                     "2,0,1,0,1,0,1\n"
                     "2,1,1,0,1,0,1\n");
}

TEST(TervaneCliSample, WritesToAFileAndReportsFailures) {
    const std::string path = ::testing::TempDir() + "/tervane_sample.csv";
    Result r = Cli({"sample", "--expr", "z", "--stepsx", "1", "--stepsy", "1", "-o", path});
    EXPECT_EQ(r.code, 0) << r.err;
    std::ifstream file(path);
    std::string header;
    std::getline(file, header);
    EXPECT_EQ(header, "i,j,x,y,u,v,m");
    std::size_t lines = 0;
    for (std::string line; std::getline(file, line);)
        ++lines;
    EXPECT_EQ(lines, 4u);

    const Case failures[] = {
        {{"sample", "--expr", "z^"}, 1, "", "Character 2:  Operand expected\n"},
        {{"sample", "--expr", "z", "--xmin", "3", "--xmax", "2"},
         1,
         "",
         "Minimum value must be less than maximum value.\n"},
        {{"sample", "--expr", "z", "-o", "/nonexistent-dir/x.csv"},
         1,
         "",
         "Cannot write '/nonexistent-dir/x.csv': No such file or directory.\n"},
        {{"sample", "--stepsx", "0", "--expr", "z"},
         2,
         "",
         "tervane-cli: --stepsx needs a whole number of at least 1: '0'..."},
        {{"sample"}, 2, "", "tervane-cli: sample needs --expr TEXT..."},
        {{"sample", "--bogus", "1"}, 2, "", "tervane-cli: unknown option '--bogus'..."},
    };
    for (const auto& c : failures) {
        r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.back();
        EXPECT_TRUE(r.out.empty());
        if (c.err.ends_with("...")) {
            EXPECT_TRUE(r.err.starts_with(c.err.substr(0, c.err.size() - 3))) << r.err;
        } else {
            EXPECT_EQ(r.err, c.err);
        }
    }
}

} // namespace
} // namespace tervane::cli
