#pragma once

#include "cli/CliDocuments.h"
#include "core/AtomicFile.h"
#include "gl/headless/OffscreenFrame.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QImage;

namespace tervane::cli {

/// Largest frame side accepted; Mesa's pbuffers stop well above the sizes anyone renders.
constexpr int kMaxRenderSide = 16384;

/// "WxH" with both sides in 1..kMaxRenderSide into request; false (request unchanged) otherwise.
bool ParseSize(std::string_view text, RenderRequest& request);
/// front, right, top or iso.
std::optional<StandardView> ParseView(std::string_view text);
/// ortho or perspective: kProjectOrtho or kProjectPerspective.
std::optional<int> ParseProjection(std::string_view text);

/// Reads the picture options --size, --view, --projection and --box (name, then its value) into
/// request. Nothing when name is none of them; otherwise 0 when the value was taken, or usage's
/// result for a wrong value.
std::optional<int> ReadPictureOption(std::string_view name, const std::string& value,
                                     RenderRequest& request, UsageFunction usage,
                                     std::ostream& err);

/// Runs "render FILE.kpl -o OUT.png|OUT.bmp [--size WxH] [--view front|right|top|iso]
/// [--projection ortho|perspective] [--box true|cube|auto] [--step N] [--clip|--no-clip]"
/// (args[0] is "render").
/// Returns 0 when the image was written, 1 when the document could not be read, drawn or
/// written or none of its shown graphs could be sampled, and usage's result for wrong arguments.
int CmdRender(const std::vector<std::string>& args, std::ostream& err, UsageFunction usage,
              FileSystem& files);

/// Draws the shown graphs of document as render does (request.Step is the step drawn) and writes
/// the picture to output (.png, or .bmp as the window's capture). Surfaces and colour maps cut
/// their spikes when clipSpikes is set; a note on err says so for each graph cut. Returns 0, or
/// 1 with a message on err.
int RenderDocument(Document& document, const RenderRequest& request, const std::string& output,
                   bool clipSpikes, std::ostream& err, FileSystem& files);

/// Encodes image as PNG in memory and writes the bytes as the file at path through AtomicFile.
WriteResult SavePngFile(const std::filesystem::path& path, const QImage& image,
                        FileSystem& files = SystemFiles());

} // namespace tervane::cli
