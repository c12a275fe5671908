#include "cli/CliMain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace tervane::cli {
namespace {

struct ZerosRun {
    int code = 0;
    std::string out, err;
};

ZerosRun Zeros(std::vector<std::string> args) {
    args.insert(args.begin(), "zeros");
    std::istringstream in;
    std::ostringstream out, err;
    ZerosRun run;
    run.code = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

struct Line {
    std::string kind;
    double x, y;
    int order;
};

struct Case {
    std::vector<std::string> args;
    std::vector<Line> lines;
    std::string warning; // a piece of standard error, or empty for none
};

const double kR3 = std::sqrt(3.0) / 2;

TEST(CliZeros, PrintsTheZerosAndPolesSortedByXThenY) {
    const Case cases[] = {
        {{"z^3-1"}, {{"zero", -0.5, -kR3, 1}, {"zero", -0.5, kR3, 1}, {"zero", 1, 0, 1}}, ""},
        {{"(z-1)^2/(z+2)", "--range", "-3,3,-3,3", "--steps", "37,41"},
         {{"pole", -2, 0, 1}, {"zero", 1, 0, 2}},
         ""},
        {{"z^2-t", "--t", "4", "--range", "-3,3,-1,1"},
         {{"zero", -2, 0, 1}, {"zero", 2, 0, 1}},
         ""},
        {{"z^2-t", "--t", "2,25", "--range", "-3,3,-1,1"},
         {{"zero", -1.5, 0, 1}, {"zero", 1.5, 0, 1}},
         ""},
        {{"exp(z)"}, {}, ""},
        // The default grid has a node at 1: the pole is found from the points round it.
        {{"z/(z-1)"}, {{"zero", 0, 0, 1}, {"pole", 1, 0, 1}}, ""},
        // On the border it is not searched but warned about.
        {{"z/(z-2)"},
         {{"zero", 0, 0, 1}},
         "tervane-cli: warning: the function has no value in 2 grid cells around (1.95, 0) (x "
         "1.9..2, y -0.1..0.1); zeros and poles there are not counted\n"},
        {{"(z-0.31-0.17i)^5", "--steps", "37"}, {{"zero", 0.31, 0.17, 5}}, ""},
        {{"1/z^2", "--steps", "41"}, {{"pole", 0, 0, 2}}, ""},
        {{"z^5-1", "--steps", "3,200"},
         {{"zero", -0.809017, -0.5877853, 1},
          {"zero", -0.809017, 0.5877853, 1},
          {"zero", 0.309017, -0.9510565, 1},
          {"zero", 0.309017, 0.9510565, 1},
          {"zero", 1, 0, 1}},
         ""},
        {{"z^1.5"},
         {},
         "tervane-cli: warning: branch cut or essential singularity near (0, 0) (x -0.1..0.1, y "
         "-0.1..0.1): w winds there without a zero or pole; none is counted\n"},
    };
    for (const Case& c : cases) {
        const ZerosRun run = Zeros(c.args);
        SCOPED_TRACE(c.args[0]);
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.err, c.warning);
        std::istringstream lines(run.out);
        std::string line;
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, "kind,x,y,order");
        for (const Line& expected : c.lines) {
            ASSERT_TRUE(std::getline(lines, line));
            // Seven digits, and exact zeros without a sign.
            EXPECT_EQ(line.find("-0,"), std::string::npos) << line;
            std::istringstream fields(line);
            std::string kind, x, y, order;
            std::getline(fields, kind, ',');
            std::getline(fields, x, ',');
            std::getline(fields, y, ',');
            std::getline(fields, order);
            EXPECT_EQ(kind, expected.kind) << line;
            EXPECT_NEAR(std::stod(x), expected.x, 1e-4) << line;
            EXPECT_NEAR(std::stod(y), expected.y, 1e-4) << line;
            EXPECT_EQ(order, std::to_string(expected.order)) << line;
        }
        EXPECT_FALSE(std::getline(lines, line)) << line;
    }
}

TEST(CliZeros, RefusesBadArgumentsAndUnusableFunctions) {
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err; // the start of standard error
    } cases[] = {
        {{}, 2, "tervane-cli: zeros needs a function text"},
        {{"z", "z+1"}, 2, "tervane-cli: zeros takes one function text"},
        {{"z", "--range", "1,0,0,1"}, 2, "tervane-cli: --range takes XMIN,XMAX,YMIN,YMAX"},
        {{"z", "--range", "0,1,0"}, 2, "tervane-cli: --range takes"},
        {{"z", "--steps", "0"}, 2, "tervane-cli: --steps takes N or N,M, each 1..10000: '0'"},
        {{"z", "--steps", "10001"}, 2, "tervane-cli: --steps takes"},
        {{"z", "--t", "abc"}, 2, "tervane-cli: --t takes a number: 'abc'"},
        {{"z", "--t"}, 2, "tervane-cli: --t needs a value"},
        {{"z", "-o", "out.csv"}, 2, "tervane-cli: unknown option '-o'"},
        {{"sin("}, 1, "Character 4:  Operand expected\n"},
        {{"1/(z-z)"}, 1, "The function has no value anywhere in the range.\n"},
    };
    for (const auto& c : cases) {
        const ZerosRun run = Zeros(c.args);
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
        EXPECT_EQ(run.code, c.code);
        EXPECT_TRUE(run.err.starts_with(c.err)) << run.err;
        EXPECT_EQ(run.out, "");
    }
}

} // namespace
} // namespace tervane::cli
