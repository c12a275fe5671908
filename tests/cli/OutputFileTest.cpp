#include "cli/CliMain.h"
#include "cli/SampleCsv.h"
#include "core/BitmapFile.h"
#include "core/FaultyFileSystem.h"
#include "document/Document.h"
#include "graph/MeshExport.h"

#ifdef TERVANE_CLI_RENDER
#include "cli/CliRender.h"
#include <QImage>
#endif

#include "FileTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace tervane {
namespace {

namespace fs = std::filesystem;
using testing::FaultyFileSystem;
using testing::Names;
using testing::Put;
using testing::Read;

const fs::path kSamples = TERVANE_SAMPLES_DIR;

fs::path FreshDir(const std::string& name) {
    const fs::path dir = fs::path(::testing::TempDir()) / ("tervane_output_" + name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Two different sources for every kind of output, so that a file can be told apart from the
// other writer's.
Document SampleDocument(int variant) {
    Document doc;
    EXPECT_TRUE(doc.LoadFile(kSamples / (variant == 0 ? "expz.kpl" : "sinz.kpl")).Ok());
    return doc;
}

struct Saved {
    bool ok;
    std::string message;
};

Saved From(const WriteResult& r) {
    return {r.Ok(), r.Message()};
}

struct OutputKind {
    const char* name;
    std::vector<const char*> files; // the file written, then its companions
    std::function<Saved(const fs::path&, FileSystem&, int variant)> save;
};

void PrintTo(const OutputKind& kind, std::ostream* os) {
    *os << kind.name;
}

std::vector<OutputKind> OutputKinds() {
    std::vector<OutputKind> kinds = {
        {"document",
         {"doc.kpl"},
         [](const fs::path& p, FileSystem& f, int v) {
             const DocumentResult r = SampleDocument(v).SaveFile(p, f);
             return Saved{r.Ok(), r.Message};
         }},
        {"csv",
         {"grid.csv"},
         [](const fs::path& p, FileSystem& f, int v) {
             Document doc = SampleDocument(v);
             return From(cli::SaveSampleCsv(*doc.ShownGraphs().FunSurfs().front(), p, f));
         }},
        {"bmp",
         {"view.bmp"},
         [](const fs::path& p, FileSystem& f, int v) {
             const std::vector<std::uint8_t> rows(4 * static_cast<std::size_t>(BitmapRowStride(4)),
                                                  static_cast<std::uint8_t>(40 + v));
             return From(WriteBitmapFile(p, EncodeBitmapFile(4, 4, rows), f));
         }},
        {"ply",
         {"mesh.ply"},
         [](const fs::path& p, FileSystem& f, int v) {
             MeshExport::Counts counts;
             return From(
                 MeshExport::SavePly(SampleDocument(v).ShownGraphs().FunSurfs(), p, counts, f));
         }},
        {"obj",
         {"mesh.obj", "mesh.mtl"},
         [](const fs::path& p, FileSystem& f, int v) {
             MeshExport::Counts counts;
             return From(
                 MeshExport::SaveObj(SampleDocument(v).ShownGraphs().FunSurfs(), p, counts, f));
         }},
    };
#ifdef TERVANE_CLI_RENDER
    kinds.push_back({"png", {"view.png"}, [](const fs::path& p, FileSystem& f, int v) {
                         QImage image(8, 8, QImage::Format_RGB32);
                         image.fill(v == 0 ? qRgb(200, 10, 10) : qRgb(10, 10, 200));
                         return From(cli::SavePngFile(p, image, f));
                     }});
#endif
    return kinds;
}

class OutputFileTest : public ::testing::TestWithParam<OutputKind> {};

// Every kind of output under every fault: afterwards each file holds either its old bytes or the
// complete new ones, no temporary is left, and the result says which happened and why.
TEST_P(OutputFileTest, OldBytesSurviveOrTheNewFileIsWhole) {
    const OutputKind& kind = GetParam();
    enum Outcome { New, Old, Throws };
    struct Fault {
        const char* name;
        std::function<void(FaultyFileSystem&, std::size_t newSize, const fs::path& target)> arm;
        Outcome outcome;
        int error;    // its reason must be in the message
        bool viaLink; // the files are links to files in another folder
    };
    const Fault faults[] = {
        {"healthy", {}, New, 0, false},
        {"short and interrupted writes",
         [](FaultyFileSystem& f, std::size_t, const fs::path&) {
             f.MaxChunk = 7;
             f.Interrupt = true;
         },
         New, 0, false},
        {"disk full at once",
         [](FaultyFileSystem& f, std::size_t, const fs::path&) { f.SpaceLeft = 0; }, Old, ENOSPC,
         false},
        {"disk fills midway",
         [](FaultyFileSystem& f, std::size_t size, const fs::path&) { f.SpaceLeft = size / 2; },
         Old, ENOSPC, false},
        {"sync fails", [](FaultyFileSystem& f, std::size_t, const fs::path&) { f.SyncError = EIO; },
         Old, EIO, false},
        {"first rename fails",
         [](FaultyFileSystem& f, std::size_t, const fs::path&) { f.RenameError = EXDEV; }, Old,
         EXDEV, false},
        {"last rename fails",
         [&](FaultyFileSystem& f, std::size_t, const fs::path&) {
             f.RenameError = EACCES;
             f.RenameCall = static_cast<int>(kind.files.size());
         },
         Old, EACCES, false},
        {"target is a link", {}, New, 0, true},
        {"target is a link, disk fills midway",
         [](FaultyFileSystem& f, std::size_t size, const fs::path&) { f.SpaceLeft = size / 2; },
         Old, ENOSPC, true},
        {"another writer races in",
         [&](FaultyFileSystem& f, std::size_t, const fs::path& target) {
             f.BeforeFirstWrite = [&kind, target] {
                 EXPECT_TRUE(kind.save(target, SystemFiles(), 1).ok);
             };
         },
         New, 0, false},
        {"memory runs out with the file open",
         [](FaultyFileSystem& f, std::size_t, const fs::path&) { f.ThrowOnSync = true; }, Throws, 0,
         false},
    };

    // The complete new files, written without faults.
    const fs::path reference = FreshDir(std::string(kind.name) + "_reference");
    ASSERT_TRUE(kind.save(reference / kind.files[0], SystemFiles(), 0).ok);

    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        const fs::path dir =
            FreshDir(std::string(kind.name) + "_" + std::to_string(&fault - faults));
        fs::path home = dir; // where the files themselves lie
        if (fault.viaLink) {
            home = dir / "real";
            fs::create_directory(home);
        }
        for (const char* file : kind.files) {
            Put(home / file, std::string("old ") + file);
            if (fault.viaLink) fs::create_symlink(fs::path("real") / file, dir / file);
        }
        const std::set<std::string> before = Names(dir);
        const fs::path target = dir / kind.files[0];

        FaultyFileSystem files;
        if (fault.arm) fault.arm(files, Read(reference / kind.files[0]).size(), target);
        Saved saved{false, ""};
        if (fault.outcome == Throws) {
            EXPECT_THROW(kind.save(target, files, 0), std::bad_alloc);
        } else {
            saved = kind.save(target, files, 0);
        }

        EXPECT_EQ(saved.ok, fault.outcome == New) << saved.message;
        if (fault.error != 0) {
            EXPECT_NE(saved.message.find(std::strerror(fault.error)), std::string::npos)
                << saved.message;
        }
        for (const char* file : kind.files) {
            const std::string expected =
                fault.outcome == New ? Read(reference / file) : std::string("old ") + file;
            EXPECT_EQ(Read(dir / file), expected) << file;
            EXPECT_EQ(fs::is_symlink(dir / file), fault.viaLink) << file;
        }
        EXPECT_EQ(Names(dir), before) << "a temporary file was left behind";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, OutputFileTest, ::testing::ValuesIn(OutputKinds()),
                         [](const auto& info) { return std::string(info.param.name); });

// An output stream that takes nothing, as standard output on a full disk.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

struct CliRun {
    int code;
    std::string err;
};

CliRun Cli(const std::vector<std::string>& args, std::ostream& out, FileSystem& files,
           const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream err;
    const int code = cli::RunCli(args, in, out, err, files);
    return {code, err.str()};
}

// Every command whose output cannot be written fails, with a message, whatever it writes to.
TEST(CliOutputTest, EveryCommandFailsWhenItsOutputIsLost) {
    const fs::path dir = FreshDir("full");
    const std::string doc = (kSamples / "expz.kpl").string();
    fs::create_symlink("/dev/full", dir / "full.ply");
    fs::create_symlink("/dev/full", dir / "full.obj");
    const struct {
        std::vector<std::string> args;
        bool fullStdout; // else the file written is a full device
        const char* input;
    } rows[] = {
        {{"--help"}, true, ""},
        {{"translate", "z^2"}, true, ""},
        {{"eval", "z", "1", "2"}, true, ""},
        {{"batch"}, true, "eval\tz\t1\t2\ntranslate\tz\n"},
        {{"sample", "--expr", "z"}, true, ""},
        {{"sample", doc}, true, ""},
        {{"sample", doc, "-o", "/dev/full"}, false, ""},
        {{"sample", "--expr", "z", "-o", "/dev/full"}, false, ""},
        {{"info", doc}, true, ""},
        {{"convert", doc, "/dev/full"}, false, ""},
        {{"export", doc, "-o", (dir / "mesh.ply").string()}, true, ""},
        {{"export", doc, "-o", (dir / "full.ply").string()}, false, ""},
        {{"export", doc, "-o", (dir / "full.obj").string()}, false, ""},
        {{"make-samples", (dir / "demos").string()}, true, ""},
    };
    fs::create_directory(dir / "demos");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args[0] + " " + (row.args.size() > 1 ? row.args.back() : ""));
        FullBuffer full;
        std::ostream fullOut(&full);
        std::ostringstream okOut;
        const CliRun r = Cli(row.args, row.fullStdout ? static_cast<std::ostream&>(fullOut) : okOut,
                             SystemFiles(), row.input);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(row.fullStdout ? "cannot write the output" : "No space left"),
                  std::string::npos)
            << r.err;
    }
}

// Commands that write files, under faults of the file system: exit 1 with the reason, the old
// file intact, nothing left beside it.
TEST(CliOutputTest, FailedCommandsLeaveTheOldFilesAndNothingElse) {
    const std::string doc = (kSamples / "expz.kpl").string();
    const struct {
        const char* name;
        std::vector<std::string> args; // "@" stands for the folder
        std::vector<const char*> files;
    } commands[] = {
        {"convert", {"convert", doc, "@/out.kpl"}, {"out.kpl"}},
        {"sample", {"sample", "--expr", "z", "-o", "@/out.csv"}, {"out.csv"}},
        {"sample document", {"sample", doc, "-o", "@/out.csv"}, {"out.csv"}},
        {"export ply", {"export", doc, "-o", "@/out.ply"}, {"out.ply"}},
        {"export obj", {"export", doc, "-o", "@/out.obj"}, {"out.obj", "out.mtl"}},
        {"make-samples", {"make-samples", "@"}, {}},
    };
    const struct {
        const char* name;
        std::function<void(FaultyFileSystem&)> arm;
        const char* message;
    } faults[] = {
        {"out of memory", [](FaultyFileSystem& f) { f.ThrowOnSync = true; }, "out of memory"},
        {"rename fails", [](FaultyFileSystem& f) { f.RenameError = EIO; }, std::strerror(EIO)},
        {"disk full", [](FaultyFileSystem& f) { f.SpaceLeft = 10; }, std::strerror(ENOSPC)},
    };
    for (const auto& command : commands) {
        for (const auto& fault : faults) {
            SCOPED_TRACE(std::string(command.name) + ", " + fault.name);
            const fs::path dir = FreshDir("cli_faults");
            for (const char* file : command.files)
                Put(dir / file, "old");
            const std::set<std::string> before = Names(dir);
            std::vector<std::string> args = command.args;
            for (std::string& a : args)
                if (a.starts_with("@")) a = dir.string() + a.substr(1);

            FaultyFileSystem files;
            fault.arm(files);
            std::ostringstream out;
            const CliRun r = Cli(args, out, files);
            EXPECT_EQ(r.code, 1);
            EXPECT_NE(r.err.find(fault.message), std::string::npos) << r.err;
            EXPECT_EQ(Names(dir), before);
            for (const char* file : command.files)
                EXPECT_EQ(Read(dir / file), "old") << file;
        }
    }
}

// A folder where the mesh should go: the rename's failure is reported, not the clean-up's
// success.
TEST(CliOutputTest, ExportIntoAFolderFails) {
    const fs::path dir = FreshDir("folder");
    fs::create_directory(dir / "d.ply");
    std::ostringstream out;
    const CliRun r =
        Cli({"export", (kSamples / "expz.kpl").string(), "-o", (dir / "d.ply").string()}, out,
            SystemFiles());
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Is a directory"), std::string::npos) << r.err;
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(Names(dir), std::set<std::string>{"d.ply"});
}

} // namespace
} // namespace tervane
