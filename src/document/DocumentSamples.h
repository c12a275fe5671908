#pragma once

#include "document/Document.h"

#include <span>
#include <string_view>

namespace tervane {

/// One entry of the Demo menu: its caption, its menu object name and the document it opens
/// from the samples folder beside the program.
struct DemoEntry {
    std::string_view Caption;
    std::string_view MenuName;
    std::string_view FileName;
};

/// The Demo menu's documents, in menu order: first the 3D graphs, then the colour maps.
std::span<const DemoEntry> DemoEntries();

/// Builds the document a Demo entry opens: one sampled graph whose function, axes and colours
/// follow the caption ("exp(Z)  U-V-M" plots u, v and |w| on X, Y and Z and colours red, green
/// and blue by them), with the axes shown. The samples folder holds these, saved.
Document MakeDemoDocument(const DemoEntry& entry);

} // namespace tervane
