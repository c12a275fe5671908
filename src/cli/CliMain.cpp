#include "cli/CliMain.h"

#ifdef TERVANE_CLI_RENDER
#include "cli/CliRender.h"
#endif

#include "cli/CliDocuments.h"
#include "cli/CliExport.h"
#include "cli/CliPlot.h"
#include "cli/CliZeros.h"
#include "cli/SampleCsv.h"

#include "expr/CEvaluator.h"
#include "expr/ExprError.h"
#include "expr/TextPasses.h"
#include "graph/GraphPresets.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <istream>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string_view>

namespace tervane::cli {

namespace {

// One command's lines of the usage text. The full text is the commands' lines in this order
// between a heading and the --help line, so "tervane-cli --help" and "tervane-cli COMMAND --help"
// always say the same about a command.
struct CommandUsage {
    std::string_view name;
    bool takesArguments;
    std::string_view lines;
};

constexpr CommandUsage kCommandUsages[] = {
    {"translate", true,
     "  translate [--raw] TEXT   print the postfix form of the function TEXT\n"
     "                           (--raw: without writing out implicit multiplications)\n"},
    {"eval", true,
     "  eval TEXT X Y [--t T]    evaluate the function TEXT at z = X + Yi and print \"U V\"\n"
     "                           (T: the animation parameter t, 0 by default)\n"},
    {"batch", false,
     "  batch                    read commands from standard input, one a line:\n"
     "                             translate<TAB>TEXT\n"
     "                             eval<TAB>TEXT<TAB>X<TAB>Y\n"
     "                           and print one answer a line: ok<TAB>..., none or err<TAB>...\n"},
    {"sample", true,
     "  sample --expr TEXT [--xmin A] [--xmax B] [--ymin C] [--ymax D]\n"
     "         [--stepsx N] [--stepsy M] [-o FILE]\n"
     "                           sample the function over the grid (defaults: -2..2, 40\n"
     "                           steps) and write CSV: i,j,x,y,u,v,m (nan where undefined)\n"
     "  sample FILE.kpl [--graph N] [-o FILE]\n"
     "                           the same CSV for the first shown graph of a document\n"
     "                           (N: the N-th graph of the document's list, from 1)\n"},
    {"info", true, "  info FILE.kpl            print a document as JSON\n"},
    {"convert", true, "  convert IN.kpl OUT.kpl   read a document and write it back\n"},
    {"export", true,
     "  export FILE.kpl -o OUT.ply|OUT.obj\n"
     "                           the shown surfaces as triangle meshes with colours (PLY)\n"
     "                           or materials (OBJ, with OUT.mtl beside it)\n"},
    {"make-samples", true, "  make-samples DIR         write the Demo menu's documents into DIR\n"},
    {"plot", true,
     "  plot TEXT -o OUT.png|OUT.bmp|OUT.kpl|OUT.ply|OUT.obj [--kind surface|colormap]\n"
     "       [--axes A,B,C] [--colour R,G,B] [--range XMIN,XMAX,YMIN,YMAX] [--steps N[,M]]\n"
     "       [--size WxH] [--view V] [--projection P] [--box B] [--clip|--no-clip]\n"
     "                           plot the function TEXT: a picture, a document or a mesh.\n"
     "                           A, B, C (the X, Y = height and Z axes) and R, G, B are each\n"
     "                           one of x, y, re, im, abs, arg, logabs (defaults: x,abs,y\n"
     "                           and re,im,abs, -2..2 both ways, 40 steps, a surface seen\n"
     "                           from iso); --colour phase[,rings][,rays] colours by arg w\n"
     "                           round an even colour wheel, lighter with |w|; --box true\n"
     "                           draws every axis in its units, cube gives each an equal\n"
     "                           side, auto (default) a cube where a side would be under a\n"
     "                           fifth of another\n"},
    {"zeros", true,
     "  zeros TEXT [--range XMIN,XMAX,YMIN,YMAX] [--steps N[,M]] [--t T]\n"
     "                           print the zeros and poles of the function TEXT inside the\n"
     "                           range as CSV lines kind,x,y,order (kind zero or pole),\n"
     "                           sorted by x then y; range and steps as for plot\n"},
#ifdef TERVANE_CLI_RENDER
    {"render", true,
     "  render FILE.kpl -o OUT.png|OUT.bmp [--size WxH] [--view front|right|top|iso]\n"
     "         [--projection ortho|perspective] [--box true|cube|auto] [--step N]\n"
     "         [--clip|--no-clip]\n"
     "                           draw the document's shown graphs and axes without a display,\n"
     "                           framed as \"Zoom to Fit\" does (defaults: 640x480, the\n"
     "                           document's own view, ortho, the document's step); .bmp is\n"
     "                           written as the window's bitmap capture. Spikes (a few\n"
     "                           values far beyond the rest) are cut off unless --no-clip;\n"
     "                           --box as for plot\n"},
#endif
};

constexpr std::string_view kExitCodes =
    "Exit codes: 0 success, 1 the function or document has an error, 2 wrong usage.\n";

const std::string& FullUsage() {
    static const std::string text = [] {
        std::string t = "Usage: tervane-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
        for (const CommandUsage& c : kCommandUsages)
            t += c.lines;
        t += "  --help                   print this text\n\n";
        t += kExitCodes;
        return t;
    }();
    return text;
}

const CommandUsage* FindCommandUsage(std::string_view name) {
    for (const CommandUsage& c : kCommandUsages)
        if (c.name == name) return &c;
    return nullptr;
}

// A command asked for help anywhere among its arguments prints its own usage and does nothing
// else: "--help" is never meant as a function text, a file name or an option's value.
bool AsksForHelp(const std::vector<std::string>& args) {
    for (std::size_t i = 1; i < args.size(); ++i)
        if (args[i] == "--help" || args[i] == "-h") return true;
    return false;
}

void PrintCommandUsage(const CommandUsage& c, std::ostream& out) {
    out << "Usage: tervane-cli " << c.name << (c.takesArguments ? " [ARGUMENTS]" : "") << "\n\n"
        << c.lines << '\n'
        << kExitCodes;
}

int Usage(std::ostream& err, std::string_view problem) {
    if (!problem.empty()) err << "tervane-cli: " << problem << "\n\n";
    err << FullUsage();
    return 2;
}

// Reads a number typed by the user; "," counts as a decimal mark.
std::optional<float> ParseNumber(std::string_view text) {
    std::string s(text);
    for (char& c : s)
        if (c == ',') c = '.';
    std::size_t offset = (!s.empty() && s[0] == '+') ? 1 : 0;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(s.data() + offset, s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size() || s.size() == offset) return std::nullopt;
    const float f = static_cast<float>(value);
    if (!std::isfinite(f)) return std::nullopt;
    return f;
}

std::string FormatValue(float u, float v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g %.9g", static_cast<double>(u),
                  static_cast<double>(v));
    return buffer;
}

struct Translation {
    std::string postfix;
    std::optional<SyntaxError> error;
};

Translation Translate(std::string_view text, bool raw) {
    CEvaluator evaluator;
    Translation result;
    const std::string prepared = raw ? std::string(text) : InsertImplicitMultiply(text);
    if (evaluator.InfixToPostfix(prepared, result.postfix) != 0)
        result.error = evaluator.LastError();
    return result;
}

// Outcome of one evaluation, ready to print.
struct Evaluation {
    enum Kind { Value, None, SyntaxFault, Fault } kind = None;
    std::string text; // "U V", or the error line
};

Evaluation Evaluate(std::string_view text, float x, float y, float t) {
    Translation translation = Translate(text, false);
    if (translation.error) return {Evaluation::SyntaxFault, translation.error->Text()};
    try {
        CEvaluator evaluator;
        float u = 0.0f, v = 0.0f;
        if (!evaluator.DoEvaluate(translation.postfix, false, u, v, x, y, t))
            return {Evaluation::None, "none"};
        return {Evaluation::Value, FormatValue(u, v)};
    } catch (const ExprError& e) {
        return {Evaluation::Fault, e.what()};
    }
}

int CmdTranslate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool raw = false;
    std::optional<std::string> text;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--raw" && !raw) {
            raw = true;
        } else if (!text) {
            text = args[i];
        } else {
            return Usage(err, "translate takes one function text");
        }
    }
    if (!text) return Usage(err, "translate needs a function text");
    Translation t = Translate(*text, raw);
    if (t.error) {
        err << t.error->Text() << '\n';
        return 1;
    }
    out << t.postfix << '\n';
    return 0;
}

int CmdEval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::vector<std::string> positional;
    float t = 0.0f;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--t") {
            if (i + 1 >= args.size()) return Usage(err, "--t needs a value");
            auto value = ParseNumber(args[++i]);
            if (!value) return Usage(err, "not a number: '" + args[i] + "'");
            t = *value;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 3) return Usage(err, "eval takes TEXT X Y");
    auto x = ParseNumber(positional[1]);
    auto y = ParseNumber(positional[2]);
    if (!x) return Usage(err, "not a number: '" + positional[1] + "'");
    if (!y) return Usage(err, "not a number: '" + positional[2] + "'");
    Evaluation e = Evaluate(positional[0], *x, *y, t);
    switch (e.kind) {
    case Evaluation::Value:
    case Evaluation::None:
        out << e.text << '\n';
        return 0;
    case Evaluation::SyntaxFault:
    case Evaluation::Fault:
        err << e.text << '\n';
        return 1;
    }
    return 1;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::string BatchLine(std::string_view line) {
    const std::vector<std::string_view> f = SplitTabs(line);
    if (f[0] == "translate") {
        if (f.size() != 2) return "err\ttranslate takes one field: translate<TAB>TEXT";
        Translation t = Translate(f[1], false);
        if (t.error) return "err\t" + t.error->Text();
        return "ok\t" + t.postfix;
    }
    if (f[0] == "eval") {
        if (f.size() != 4) return "err\teval takes three fields: eval<TAB>TEXT<TAB>X<TAB>Y";
        auto x = ParseNumber(f[2]);
        auto y = ParseNumber(f[3]);
        if (!x) return "err\tnot a number: '" + std::string(f[2]) + "'";
        if (!y) return "err\tnot a number: '" + std::string(f[3]) + "'";
        Evaluation e = Evaluate(f[1], *x, *y, 0.0f);
        switch (e.kind) {
        case Evaluation::Value:
            return "ok\t" + e.text;
        case Evaluation::None:
            return "none";
        default:
            return "err\t" + e.text;
        }
    }
    return "err\tunknown command '" + std::string(f[0]) + "' (expected translate or eval)";
}

int CmdBatch(std::istream& in, std::ostream& out) {
    std::string line;
    // Stop reading once the answers cannot be written: nobody would see them.
    while (out && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out << BatchLine(line) << '\n';
    }
    out.flush();
    return out ? 0 : 1;
}

std::optional<std::int32_t> ParseSteps(std::string_view text) {
    std::int32_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || value < 1) return std::nullopt;
    return value;
}

int CmdSample(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              FileSystem& files) {
    std::optional<std::string> expr, output;
    float range[4] = {-2, 2, -2, 2};
    std::int32_t steps[2] = {40, 40};
    const char* rangeNames[4] = {"--xmin", "--xmax", "--ymin", "--ymax"};
    const char* stepNames[2] = {"--stepsx", "--stepsy"};
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size()) return Usage(err, a + " needs a value");
        const std::string& value = args[++i];
        bool known = false;
        for (int k = 0; k < 4; ++k) {
            if (a != rangeNames[k]) continue;
            auto number = ParseNumber(value);
            if (!number) return Usage(err, "not a number: '" + value + "'");
            range[k] = *number;
            known = true;
        }
        for (int k = 0; k < 2; ++k) {
            if (a != stepNames[k]) continue;
            auto number = ParseSteps(value);
            if (!number)
                return Usage(err, a + " needs a whole number of at least 1: '" + value + "'");
            steps[k] = *number;
            known = true;
        }
        if (a == "--expr") {
            expr = value;
            known = true;
        } else if (a == "-o") {
            output = value;
            known = true;
        }
        if (!known) return Usage(err, "unknown option '" + a + "'");
    }
    if (!expr) return Usage(err, "sample needs --expr TEXT (documents come with the .kpl reader)");
    if (range[0] > range[1]) {
        err << "Minimum value must be less than maximum value.\n";
        return 1;
    }

    GraphRecipe recipe;
    recipe.Function = *expr;
    recipe.Name = "sample";
    recipe.ID = 1;
    recipe.MinU = range[0];
    recipe.MaxU = range[1];
    recipe.MinV = range[2];
    recipe.MaxV = range[3];
    recipe.StepU = steps[0];
    recipe.StepV = steps[1];
    const auto g = MakeSurfaceGraph(recipe);
    if (!g->GetPoints()) {
        err << g->LastError() << '\n';
        return 1;
    }
    return WriteSampleCsv(*g, output, out, err, files);
}

int RunCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err, FileSystem& files) {
    if (args.empty()) return Usage(err, "no command given");
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << FullUsage();
        return 0;
    }
    if (const CommandUsage* usage = FindCommandUsage(command); usage && AsksForHelp(args)) {
        PrintCommandUsage(*usage, out);
        return 0;
    }
    if (command == "translate") return CmdTranslate(args, out, err);
    if (command == "eval") return CmdEval(args, out, err);
    if (command == "sample" && IsDocumentSample(args))
        return CmdSampleDocument(args, out, err, Usage, files);
    if (command == "sample") return CmdSample(args, out, err, files);
#ifdef TERVANE_CLI_RENDER
    if (command == "render") return CmdRender(args, err, Usage, files);
#endif
    if (command == "info") return CmdInfo(args, out, err, Usage);
    if (command == "export") return CmdExport(args, out, err, Usage, files);
    if (command == "plot") return CmdPlot(args, out, err, Usage, files);
    if (command == "zeros") return CmdZeros(args, out, err, Usage);
    if (command == "convert") return CmdConvert(args, out, err, Usage, files);
    if (command == "make-samples") return CmdMakeSamples(args, out, err, Usage, files);
    if (command == "batch") {
        if (args.size() != 1) return Usage(err, "batch takes no arguments");
        return CmdBatch(in, out);
    }
    return Usage(err, "unknown command '" + command + "'");
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, FileSystem& files) {
    int code = 0;
    try {
        code = RunCommand(args, in, out, err, files);
    } catch (const std::bad_alloc&) {
        // Files being written were dropped on the way out; files finished before stay whole.
        err << "tervane-cli: out of memory; the command was stopped.\n";
        return 1;
    } catch (const std::exception& e) {
        err << "tervane-cli: the command failed: " << e.what() << '\n';
        return 1;
    }
    // Output lost on a full disk or a closed pipe is a failure, not a success.
    out.flush();
    if (!out) {
        err << "tervane-cli: cannot write the output.\n";
        return code != 0 ? code : 1;
    }
    return code;
}

} // namespace tervane::cli
