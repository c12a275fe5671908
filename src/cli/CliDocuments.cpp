#include "cli/CliDocuments.h"
#include "cli/SampleCsv.h"

#include "core/MemoryBudget.h"
#include "document/Document.h"
#include "document/DocumentSamples.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <type_traits>

namespace tervane::cli {

namespace {

// JSON string: valid UTF-8 passes through; other bytes (texts from an 8-bit code page) are
// read as Latin-1 so that the output stays valid JSON.
std::string JsonString(std::string_view s) {
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        char buffer[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
            out += buffer;
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            const std::size_t length = c >= 0xF0 && c < 0xF5   ? 4
                                       : c >= 0xE0 && c < 0xF0 ? 3
                                       : c >= 0xC2 && c < 0xE0 ? 2
                                                               : 0;
            bool valid = length != 0 && i + length <= s.size();
            for (std::size_t k = 1; valid && k < length; ++k)
                valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
            if (valid) {
                out += s.substr(i, length);
                i += length - 1;
            } else {
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            }
        }
    }
    return out + "\"";
}

std::string JsonNumber(float value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    return buffer;
}

std::string JsonBool(bool value) {
    return value ? "true" : "false";
}

// Writes "key": value pairs with commas between them.
class JsonObject {
public:
    JsonObject(std::ostream& out, std::string indent) : out_(out), indent_(std::move(indent)) {
        out_ << "{";
    }
    void Raw(std::string_view key, const std::string& value) {
        out_ << (first_ ? "\n" : ",\n") << indent_ << "  " << JsonString(key) << ": " << value;
        first_ = false;
    }
    void Int(std::string_view key, std::int64_t value) { Raw(key, std::to_string(value)); }
    void Float(std::string_view key, float value) { Raw(key, JsonNumber(value)); }
    void Bool(std::string_view key, bool value) { Raw(key, JsonBool(value)); }
    void Text(std::string_view key, std::string_view value) { Raw(key, JsonString(value)); }
    void End() { out_ << "\n" << indent_ << "}"; }

private:
    std::ostream& out_;
    std::string indent_;
    bool first_ = true;
};

std::string GraphJson(const Document& doc, std::size_t index) {
    const CGraph& g = *doc.Graph(index);
    std::ostringstream out;
    JsonObject o(out, "    ");
    o.Text("label", doc.Label(index));
    o.Bool("shown", doc.IsShown(index));
    o.Bool("sampled", g.DomainX().SizeU() > 0 && g.LastError().empty());
    if (!g.LastError().empty()) o.Text("error", g.LastError());
    g.VisitStoredFields([&o](std::string_view name, StoredField, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, std::string>)
            o.Text(name, value);
        else if constexpr (std::is_same_v<T, bool>)
            o.Bool(name, value);
        else if constexpr (std::is_same_v<T, float>)
            o.Float(name, value);
        else
            o.Int(name, value);
    });
    o.End();
    return out.str();
}

std::string AxesJson(const CAxes& a) {
    std::ostringstream out;
    JsonObject o(out, "  ");
    o.Bool("Show", a.Show);
    o.Bool("ShowXYPanel", a.ShowXYPanel);
    o.Bool("ShowXZPanel", a.ShowXZPanel);
    o.Bool("ShowYZPanel", a.ShowYZPanel);
    o.Bool("ShowXYXGrid", a.ShowXYXGrid);
    o.Bool("ShowXYYGrid", a.ShowXYYGrid);
    o.Bool("ShowXZXGrid", a.ShowXZXGrid);
    o.Bool("ShowXZZGrid", a.ShowXZZGrid);
    o.Bool("ShowYZYGrid", a.ShowYZYGrid);
    o.Bool("ShowYZZGrid", a.ShowYZZGrid);
    o.Bool("BetterFonts", a.BetterFonts);
    o.Int("LabelNumX", a.LabelNumX);
    o.Int("LabelNumY", a.LabelNumY);
    o.Int("LabelNumZ", a.LabelNumZ);
    o.Int("XYPanelColor", a.XYPanelColor);
    o.Int("XZPanelColor", a.XZPanelColor);
    o.Int("YZPanelColor", a.YZPanelColor);
    o.Int("XYGridColor", a.XYGridColor);
    o.Int("XZGridColor", a.XZGridColor);
    o.Int("YZGridColor", a.YZGridColor);
    o.Int("XYPanelMaterial", a.XYPanelMaterial);
    o.Int("XZPanelMaterial", a.XZPanelMaterial);
    o.Int("YZPanelMaterial", a.YZPanelMaterial);
    o.Int("AxisColor", a.AxisColor);
    o.Int("AxisWidth", a.AxisWidth);
    o.Text("TitleX", a.TitleX);
    o.Text("TitleY", a.TitleY);
    o.Text("TitleZ", a.TitleZ);
    o.Bool("ShowprimaryGrid", a.ShowprimaryGrid);
    o.Bool("ShowSecondaryGrid", a.ShowSecondaryGrid);
    o.Bool("ShowBackground", a.ShowBackground);
    o.Int("BackStyle", a.BackStyle);
    o.Int("BackColor", a.BackColor);
    o.Int("BackColor2", a.BackColor2);
    o.Int("PriGridColor", a.PriGridColor);
    o.Int("SecGridColor", a.SecGridColor);
    o.Bool("ShowSecondaryLabel", a.ShowSecondaryLabel);
    o.Bool("ShowPI", a.ShowPI);
    o.Bool("ShowShadow", a.ShowShadow);
    o.End();
    return out.str();
}

} // namespace

bool LoadDocument(Document& doc, const std::string& path, std::ostream& err,
                  std::vector<std::string>* warnings) {
    DocumentResult loaded = doc.LoadFile(path);
    if (!loaded.Ok()) {
        err << loaded.Message << '\n';
        return false;
    }
    for (const std::string& w : loaded.Warnings)
        err << "warning: " << w << '\n';
    if (warnings) *warnings = std::move(loaded.Warnings);
    return true;
}

bool AnyShownGraphSampled(const Document& doc, std::ostream& err) {
    const std::string* firstError = nullptr;
    for (const auto& graph : doc.ShownGraphs().FunSurfs()) {
        if (graph->LastError().empty()) return true;
        if (!firstError) firstError = &graph->LastError();
    }
    if (!firstError) return true;
    err << *firstError << '\n';
    return false;
}

bool FitsInMemory(const Document& doc, std::ostream& err) {
    const std::uint64_t needed = doc.DrawingBytes();
    const std::uint64_t available = AvailableMemory();
    if (available == 0 || needed <= available) return true;
    constexpr double kMB = 1024.0 * 1024.0;
    char text[200];
    std::snprintf(text, sizeof text,
                  "Drawing this document needs about %.0f MB of memory, but only %.0f MB is "
                  "available. Choose fewer steps or fewer animation frames.",
                  static_cast<double>(needed) / kMB, static_cast<double>(available) / kMB);
    err << text << '\n';
    return false;
}

bool IsDocumentSample(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--expr") return false;
        // Every option of "sample" takes a value; an unknown one is reported by the command.
        if (a.size() > 1 && a[0] == '-') {
            ++i;
            continue;
        }
        return true;
    }
    return false;
}

int CmdInfo(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            UsageFunction usage) {
    if (args.size() != 2) return usage(err, "info takes one document: info FILE.kpl");
    Document doc;
    std::vector<std::string> warnings;
    if (!LoadDocument(doc, args[1], err, &warnings)) return 1;

    JsonObject o(out, "");
    o.Text("file", args[1]);
    o.Int("SceneKind", doc.SceneKind());
    {
        std::ostringstream rot;
        JsonObject r(rot, "  ");
        r.Float("RotRoll", doc.ShownGraphs().RotRoll());
        r.Float("RotPitch", doc.ShownGraphs().RotPitch());
        r.Float("RotYaw", doc.ShownGraphs().RotYaw());
        r.End();
        o.Raw("orientation", rot.str());
    }
    o.Int("LastGraphID", doc.LastGraphID());
    o.Int("AnimationFrames", doc.AnimationFrames());
    o.Int("AnimationSpeed", doc.AnimationSpeed());
    o.Text("AxisTitleX", doc.AxisTitleX());
    o.Text("AxisTitleY", doc.AxisTitleY());
    o.Text("AxisTitleZ", doc.AxisTitleZ());
    std::string graphs = "[";
    for (std::size_t i = 0; i < doc.Count(); ++i)
        graphs += (i ? ",\n    " : "\n    ") + GraphJson(doc, i);
    graphs += doc.Count() ? "\n  ]" : "]";
    o.Raw("graphs", graphs);
    o.Raw("axes", AxesJson(doc.Axes()));
    std::string list = "[";
    for (std::size_t i = 0; i < warnings.size(); ++i)
        list += (i ? ", " : "") + JsonString(warnings[i]);
    o.Raw("warnings", list + "]");
    o.End();
    out << '\n';
    out.flush();
    return out ? 0 : 1;
}

int CmdConvert(const std::vector<std::string>& args, std::ostream&, std::ostream& err,
               UsageFunction usage, FileSystem& files) {
    if (args.size() != 3) return usage(err, "convert takes two documents: convert IN.kpl OUT.kpl");
    Document doc;
    if (!LoadDocument(doc, args[1], err)) return 1;
    const DocumentResult saved = doc.SaveFile(args[2], files);
    if (!saved.Ok()) {
        err << saved.Message << '\n';
        return 1;
    }
    return 0;
}

int CmdSampleDocument(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      UsageFunction usage, FileSystem& files) {
    std::optional<std::string> file, output;
    std::optional<std::size_t> graphNumber;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" || a == "--graph") {
            if (i + 1 >= args.size()) return usage(err, a + " needs a value");
            const std::string& value = args[++i];
            if (a == "-o") {
                output = value;
                continue;
            }
            std::size_t n = 0;
            const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (ec != std::errc() || ptr != value.data() + value.size() || n < 1)
                return usage(err, "--graph needs a graph number of at least 1: '" + value + "'");
            graphNumber = n;
        } else if (a.size() > 1 && a[0] == '-') {
            return usage(err, "unknown option '" + a + "'");
        } else if (!file) {
            file = a;
        } else {
            return usage(err, "sample takes one document");
        }
    }
    if (!file) return usage(err, "sample needs a document FILE.kpl or --expr TEXT");

    Document doc;
    if (!LoadDocument(doc, *file, err)) return 1;
    std::shared_ptr<CGraph> g;
    if (graphNumber) {
        g = doc.Graph(*graphNumber - 1);
        if (!g) {
            err << "The document has " << doc.Count() << " graphs; there is no graph "
                << *graphNumber << ".\n";
            return 1;
        }
    } else {
        if (doc.ShownGraphs().Count() == 0) {
            err << "The document shows no graph.\n";
            return 1;
        }
        g = doc.ShownGraphs().FunSurfs().front();
    }
    if (!g->LastError().empty()) {
        err << g->LastError() << '\n';
        return 1;
    }
    if (g->DomainX().SizeU() == 0) {
        err << "The graph is of a kind that is not sampled.\n";
        return 1;
    }
    return WriteSampleCsv(*g, output, out, err, files);
}

int CmdMakeSamples(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   UsageFunction usage, FileSystem& files) {
    if (args.size() != 2) return usage(err, "make-samples takes one folder: make-samples DIR");
    const std::filesystem::path folder = args[1];
    for (const DemoEntry& entry : DemoEntries()) {
        const std::filesystem::path path = folder / entry.FileName;
        const DocumentResult saved = MakeDemoDocument(entry).SaveFile(path, files);
        if (!saved.Ok()) {
            err << saved.Message << '\n';
            return 1;
        }
        out << path.string() << '\n';
    }
    return 0;
}

} // namespace tervane::cli
