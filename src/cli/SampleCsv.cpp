#include "cli/SampleCsv.h"

#include <cmath>
#include <cstdio>
#include <ostream>

namespace tervane::cli {

namespace {

std::string CsvNumber(float value) {
    if (std::isnan(value)) return "nan";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}

void WriteCsv(const CGraph& g, std::ostream& out) {
    out << "i,j,x,y,u,v,m\n";
    const Grid2D& x = g.DomainX();
    for (std::size_t i = 0; i < x.SizeU(); ++i) {
        for (std::size_t j = 0; j < x.SizeV(); ++j) {
            out << i << ',' << j << ',' << CsvNumber(x(i, j)) << ',' << CsvNumber(g.DomainY()(i, j))
                << ',' << CsvNumber(g.RealPart()(i, j)) << ',' << CsvNumber(g.ImaginaryPart()(i, j))
                << ',' << CsvNumber(g.MagnitudeGrid()(i, j)) << '\n';
        }
    }
}

} // namespace

WriteResult SaveSampleCsv(const CGraph& graph, const std::filesystem::path& path,
                          FileSystem& files) {
    AtomicFile file(path, files);
    if (file.Status().Ok()) WriteCsv(graph, file.Stream());
    return file.Commit();
}

int WriteSampleCsv(const CGraph& graph, const std::optional<std::string>& output, std::ostream& out,
                   std::ostream& err, FileSystem& files) {
    if (!output) {
        WriteCsv(graph, out);
        out.flush();
        return out ? 0 : 1;
    }
    const WriteResult written = SaveSampleCsv(graph, *output, files);
    if (!written.Ok()) {
        err << written.Message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace tervane::cli
