#include "cli/CliMain.h"
#include "core/FaultyFileSystem.h"

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace tervane {
namespace {

namespace fs = std::filesystem;
using testing::Names;
using testing::Read;

// render into a link, a full device and a folder whose rename fails, as PNG and as BMP: the link
// stays a link, the failures are reported with their reason and leave the old picture.
TEST(CliRenderFiles, PicturesAreWrittenThroughLinksAndNeverHalfway) {
    const std::string doc = (fs::path(TERVANE_SAMPLES_DIR) / "expz.kpl").string();
    for (const std::string ext : {".png", ".bmp"}) {
        SCOPED_TRACE(ext);
        const fs::path dir = fs::path(::testing::TempDir()) / ("tervane_render_files" + ext);
        fs::remove_all(dir);
        fs::create_directories(dir / "real");
        std::ofstream(dir / "real" / ("picture" + ext)) << "old";
        fs::create_symlink(fs::path("real") / ("picture" + ext), dir / ("link" + ext));
        fs::create_symlink("/dev/full", dir / ("full" + ext));
        const std::set<std::string> before = Names(dir);
        const std::string link = (dir / ("link" + ext)).string();

        const struct {
            const char* name;
            std::string output;
            int renameError;
            int error; // 0: written
        } rows[] = {
            {"rename fails", link, EIO, EIO},
            {"full device", (dir / ("full" + ext)).string(), 0, ENOSPC},
            {"through a link", link, 0, 0},
        };
        for (const auto& row : rows) {
            SCOPED_TRACE(row.name);
            testing::FaultyFileSystem files;
            files.RenameError = row.renameError;
            std::istringstream in;
            std::ostringstream out, err;
            const int code = cli::RunCli({"render", doc, "-o", row.output, "--size", "64x48"}, in,
                                         out, err, files);
            EXPECT_EQ(code, row.error == 0 ? 0 : 1) << err.str();
            if (row.error != 0) {
                EXPECT_NE(err.str().find(std::strerror(row.error)), std::string::npos) << err.str();
                EXPECT_EQ(Read(dir / "real" / ("picture" + ext)), "old");
            } else {
                const std::string picture = Read(dir / "real" / ("picture" + ext));
                EXPECT_TRUE(picture.starts_with(ext == ".png" ? "\x89PNG" : "BM"));
                EXPECT_GT(picture.size(), 54u);
            }
            EXPECT_TRUE(fs::is_symlink(link));
            EXPECT_EQ(Names(dir), before) << "nothing but the pictures and the links";
        }
    }
}

} // namespace
} // namespace tervane
