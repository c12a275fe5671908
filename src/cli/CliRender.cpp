#include "cli/CliRender.h"

#include "core/BitmapFile.h"
#include "document/Document.h"
#include "gl/DocumentScene.h"
#include "gl/ViewBitmap.h"
#include "gl/headless/HeadlessGlContext.h"
#include "gl/headless/OffscreenFrame.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <optional>
#include <ostream>
#include <stdexcept>

namespace tervane::cli {

namespace {

std::optional<int> ParseWhole(std::string_view text) {
    int value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

} // namespace

bool ParseSize(std::string_view text, RenderRequest& request) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    const auto width = ParseWhole(text.substr(0, x));
    const auto height = ParseWhole(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > kMaxRenderSide ||
        *height > kMaxRenderSide)
        return false;
    request.Width = *width;
    request.Height = *height;
    return true;
}

std::optional<StandardView> ParseView(std::string_view text) {
    if (text == "front") return StandardView::Front;
    if (text == "right") return StandardView::Right;
    if (text == "top") return StandardView::Top;
    if (text == "iso") return StandardView::ISO;
    return std::nullopt;
}

std::optional<int> ParseProjection(std::string_view text) {
    if (text == "ortho") return kProjectOrtho;
    if (text == "perspective") return kProjectPerspective;
    return std::nullopt;
}

std::optional<int> ReadPictureOption(std::string_view name, const std::string& value,
                                     RenderRequest& request, UsageFunction usage,
                                     std::ostream& err) {
    if (name == "--size") {
        if (!ParseSize(value, request))
            return usage(err, "--size needs WxH, each 1.." + std::to_string(kMaxRenderSide) +
                                  ": '" + value + "'");
    } else if (name == "--view") {
        request.View = ParseView(value);
        if (!request.View) return usage(err, "unknown view '" + value + "'");
    } else if (name == "--box") {
        const auto ratio = ParseBoxRatio(value);
        if (!ratio) return usage(err, "--box needs true, cube or auto: '" + value + "'");
        request.Box = *ratio;
    } else if (name == "--projection") {
        const auto projection = ParseProjection(value);
        if (!projection) return usage(err, "unknown projection '" + value + "'");
        request.ProjectType = *projection;
    } else {
        return std::nullopt;
    }
    return 0;
}

namespace {

std::string LowerExtension(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

WriteResult SavePngFile(const std::filesystem::path& path, const QImage& image, FileSystem& files) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {EINVAL, path.string(), "the picture cannot be encoded as PNG"};
    return WriteFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), files);
}

int CmdRender(const std::vector<std::string>& args, std::ostream& err, UsageFunction usage,
              FileSystem& files) {
    std::optional<std::string> input, output;
    std::optional<std::int32_t> step;
    RenderRequest request;
    bool clip = true;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool isOption = a.size() > 1 && a[0] == '-';
        if (!isOption) {
            if (input) return usage(err, "render takes one document");
            input = a;
            continue;
        }
        if (a == "--clip" || a == "--no-clip") {
            clip = a == "--clip";
            continue;
        }
        if (i + 1 >= args.size()) return usage(err, a + " needs a value");
        const std::string& value = args[++i];
        if (a == "-o") {
            output = value;
        } else if (const auto read = ReadPictureOption(a, value, request, usage, err)) {
            if (*read != 0) return *read;
        } else if (a == "--step") {
            step = ParseWhole(value);
            if (!step || *step < 0)
                return usage(err, "--step needs a whole number of at least 0: '" + value + "'");
        } else {
            return usage(err, "unknown option '" + a + "'");
        }
    }
    if (!input) return usage(err, "render needs a document");
    if (!output) return usage(err, "render needs -o OUT.png or -o OUT.bmp");
    const std::string ext = LowerExtension(*output);
    if (ext != ".png" && ext != ".bmp")
        return usage(err, "the output must end in .png or .bmp: '" + *output + "'");

    Document document;
    if (!LoadDocument(document, *input, err) || !FitsInMemory(document, err) ||
        !AnyShownGraphSampled(document, err))
        return 1;
    request.Step = step.value_or(document.AnimationStep());
    return RenderDocument(document, request, *output, clip, err, files);
}

int RenderDocument(Document& document, const RenderRequest& request, const std::string& output,
                   bool clipSpikes, std::ostream& err, FileSystem& files) {
    const std::string ext = LowerExtension(output);
    SceneValues values = SceneValuesOf(document);
    values.ClipSpikes = clipSpikes;
    values.Box = request.Box;
    // The frame fits the view to the shown graphs' boxes before it builds the scene, which sets
    // the same value again: both must see the graphs clipped alike.
    for (const CScene::GraphPtr& graph : document.ShownGraphs().FunSurfs())
        graph->SetClipSpikes(clipSpikes);
    try {
        OffscreenFrame frame(document.ShownGraphs(), document.Axes(), values, request);
        // The frame's context is still current: the constructor drew into it.
        const WriteResult written =
            ext == ".bmp"
                ? SaveViewBitmap(output, BitmapCaptureWidth(request.Width), request.Height, files)
                : SavePngFile(output, frame.Image(), files);
        if (!written.Ok()) {
            err << written.Message() << '\n';
            return 1;
        }
    } catch (const GlContextError& e) {
        err << "Cannot render without a display: " << e.what() << '\n';
        return 1;
    }
    for (const CScene::GraphPtr& graph : document.ShownGraphs().FunSurfs())
        if (graph->SpikesClipped())
            err << "note: the spikes of " << graph->NameS()
                << " are cut off at the edge of the box (--no-clip shows them whole)\n";
    return 0;
}

} // namespace tervane::cli
