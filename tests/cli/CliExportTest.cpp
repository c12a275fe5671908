#include "cli/CliMain.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace tervane::cli {
namespace {

namespace fs = std::filesystem;
using testing::Read;

struct Outcome {
    int code;
    std::string out, err;
};

Outcome Cli(const std::vector<std::string>& args) {
    std::istringstream in;
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err);
    return {code, out.str(), err.str()};
}

const fs::path kSample = fs::path(TERVANE_SAMPLES_DIR) / "expz.kpl";

TEST(TervaneCliExport, WritesPlyAndObjMeshesOfADocument) {
    const fs::path dir = fs::path(::testing::TempDir()) / "tervane_export";
    fs::remove_all(dir);
    fs::create_directories(dir);

    const Outcome ply = Cli({"export", kSample.string(), "-o", (dir / "expz.ply").string()});
    ASSERT_EQ(ply.code, 0) << ply.err;
    const std::string plyText = Read(dir / "expz.ply");
    EXPECT_EQ(plyText.rfind("ply\nformat ascii 1.0\n", 0), 0u);
    EXPECT_NE(ply.out.find(" triangles to "), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "no temporary file is left beside the mesh";

    const Outcome obj = Cli({"export", kSample.string(), "-o", (dir / "expz.obj").string()});
    ASSERT_EQ(obj.code, 0) << obj.err;
    EXPECT_NE(Read(dir / "expz.obj").find("mtllib expz.mtl\n"), std::string::npos);
    EXPECT_NE(Read(dir / "expz.mtl").find("newmtl "), std::string::npos);
    // The same mesh both ways: as many triangles in the OBJ as faces in the PLY.
    std::istringstream lines(Read(dir / "expz.obj"));
    int faces = 0;
    for (std::string line; std::getline(lines, line);)
        faces += line.rfind("f ", 0) == 0;
    EXPECT_NE(plyText.find("element face " + std::to_string(faces) + "\n"), std::string::npos);
}

TEST(TervaneCliExport, ReportsBadUsageAndFailures) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const Case cases[] = {
        {{"export"}, 2, "tervane-cli: export needs FILE.kpl -o OUT.ply|OUT.obj"},
        {{"export", kSample.string(), "-o", "x.stl"},
         2,
         "tervane-cli: the mesh file must end in .ply or .obj: 'x.stl'"},
        {{"export", kSample.string(), "-o", "/nonexistent-dir/x.ply"},
         1,
         "Cannot write '/nonexistent-dir/x.ply': No such file or directory."},
    };
    for (const auto& c : cases) {
        const Outcome r = Cli(c.args);
        EXPECT_EQ(r.code, c.code) << c.err;
        EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << r.err;
    }
    const Outcome missing = Cli({"export", "/nonexistent-dir/none.kpl", "-o", "x.ply"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_FALSE(missing.err.empty());
}

} // namespace
} // namespace tervane::cli
