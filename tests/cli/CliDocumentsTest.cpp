#include "cli/CliMain.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tervane::cli {
namespace {

namespace fs = std::filesystem;
using testing::Read;

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result Cli(std::vector<std::string> args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

std::string Sample(const std::string& name) {
    return (fs::path(TERVANE_SAMPLES_DIR) / name).string();
}

fs::path Temp(const std::string& name) {
    return fs::path(::testing::TempDir()) / ("tervane-cli-" + name);
}

// Wraps a document text in the file container and writes it.
std::string WriteDocument(const std::string& name, const std::string& text) {
    const fs::path path = Temp(name);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << '\x08' << '\0' << static_cast<char>(text.size() & 0xFF)
         << static_cast<char>(text.size() >> 8) << text;
    return path.string();
}

TEST(TervaneCliDocuments, ConvertWritesOurDocumentsBackByteForByte) {
    for (const auto& entry : fs::directory_iterator(TERVANE_SAMPLES_DIR)) {
        if (entry.path().extension() != ".kpl") continue;
        const fs::path out = Temp("converted.kpl");
        const Result r = Cli({"convert", entry.path().string(), out.string()});
        ASSERT_EQ(r.code, 0) << entry.path() << r.err;
        EXPECT_EQ(Read(out), Read(entry.path())) << entry.path();
    }
}

TEST(TervaneCliDocuments, InfoPrintsTheDocumentAsJson) {
    const Result r = Cli({"info", Sample("expz_2.kpl")});
    ASSERT_EQ(r.code, 0) << r.err;
    for (const std::string piece :
         {"\"SceneKind\": 3", "\"RotPitch\": -15", "\"RotYaw\": 45", "\"LastGraphID\": 2",
          "\"AxisTitleX\": \"M\"", "\"NameS\": \"exp(Z)  U-V-M\"",
          "\"label\": \"3D Surface  w=exp(z)\"", "\"sampled\": true", "\"VarX\": 3", "\"VarY\": 4",
          "\"VarZ\": 5", "\"MinV\": -3.20000005", "\"axes\": {", "\"ShowXYPanel\": true",
          "\"TitleX\": \"M\"", "\"warnings\": []"})
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece << "\n" << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '{'),
              std::count(r.out.begin(), r.out.end(), '}'));

    // Texts are escaped; bytes of an 8-bit code page come out as their Latin-1 characters.
    const std::string odd = WriteDocument(
        "odd.kpl",
        "S12 1 2 1 @say \"\\\xE9\"@ 3   sin( 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 "
        "3 4 5 0");
    const Result o = Cli({"info", odd});
    ASSERT_EQ(o.code, 0) << o.err;
    EXPECT_NE(o.out.find("\"NameS\": \"say \\\"\\\\\\u00e9\\\"\""), std::string::npos) << o.out;
    EXPECT_NE(o.out.find("\"sampled\": false"), std::string::npos);
    EXPECT_NE(o.out.find("\"error\": \"Character 4:  Operand expected\""), std::string::npos);
    EXPECT_NE(o.err.find("warning: The graph"), std::string::npos) << o.err;
}

TEST(TervaneCliDocuments, SampleOfADocumentWritesTheSameCsvAsSampleExpr) {
    const Result fromFile = Cli({"sample", Sample("pow2.kpl")});
    ASSERT_EQ(fromFile.code, 0) << fromFile.err;
    const Result fromExpr = Cli({"sample", "--expr", "z^2", "--xmin", "-2", "--xmax", "2", "--ymin",
                                 "-2", "--ymax", "2", "--stepsx", "40", "--stepsy", "40"});
    ASSERT_EQ(fromExpr.code, 0);
    EXPECT_EQ(fromFile.out, fromExpr.out);

    const fs::path csv = Temp("doc.csv");
    const Result toFile = Cli({"sample", "-o", csv.string(), Sample("pow2.kpl"), "--graph", "1"});
    ASSERT_EQ(toFile.code, 0) << toFile.err;
    EXPECT_EQ(Read(csv), fromExpr.out);
}

TEST(TervaneCliDocuments, FailuresAndUsage) {
    const std::string notADocument = WriteDocument("text.kpl", "hello");
    const struct {
        std::vector<std::string> args;
        int code;
        std::string err; // a piece of the message
    } rows[] = {
        {{"info"}, 2, "info takes one document"},
        {{"info", "a.kpl", "b.kpl"}, 2, "info takes one document"},
        {{"info", Temp("missing.kpl").string()}, 1, "Cannot open"},
        {{"info", notADocument}, 1, "does not begin with a header"},
        {{"convert", Sample("expz.kpl")}, 2, "convert takes two documents"},
        {{"convert", notADocument, Temp("out.kpl").string()}, 1, "not a Tervane document"},
        {{"convert", Sample("expz.kpl"), "/nonexistent-dir/out.kpl"}, 1, "Cannot save"},
        {{"sample", Sample("expz.kpl"), "--graph", "2"}, 1, "there is no graph 2"},
        {{"sample", Sample("expz.kpl"), "--graph", "0"}, 2, "--graph needs a graph number"},
        {{"sample", Sample("expz.kpl"), "--bogus", "1"}, 2, "unknown option '--bogus'"},
        {{"sample", Sample("expz.kpl"), Sample("sinz.kpl")}, 2, "sample takes one document"},
        {{"sample", Sample("expz.kpl"), "-o", "/nonexistent-dir/x.csv"}, 1, "Cannot write"},
        {{"sample"}, 2, "sample needs --expr TEXT"},
        {{"make-samples"}, 2, "make-samples takes one folder"},
    };
    for (const auto& r : rows) {
        const Result got = Cli(r.args);
        EXPECT_EQ(got.code, r.code) << r.args[0] << " " << got.err;
        EXPECT_NE(got.err.find(r.err), std::string::npos) << got.err;
        if (r.code == 2) {
            EXPECT_NE(got.err.find("Usage: tervane-cli"), std::string::npos);
        }
    }
}

TEST(TervaneCliDocuments, MakeSamplesWritesTheShippedFiles) {
    const fs::path dir = Temp("samples");
    fs::create_directories(dir);
    const Result r = Cli({"make-samples", dir.string()});
    ASSERT_EQ(r.code, 0) << r.err;
    std::size_t count = 0;
    for (const auto& entry : fs::directory_iterator(TERVANE_SAMPLES_DIR)) {
        if (entry.path().extension() != ".kpl") continue;
        ++count;
        EXPECT_EQ(Read(dir / entry.path().filename()), Read(entry.path())) << entry.path();
    }
    EXPECT_EQ(count, 16u);
}

} // namespace
} // namespace tervane::cli
