#include "gl/text/GlText.h"

#include "gl/GlStateGuard.h"
#include "gl/text/BitmapFont.h"
#include "gl/text/OutlineFont.h"

#include <GL/gl.h>

namespace tervane {

namespace {

void CallGlyphLists(GLuint base, const std::string& codes) {
    glListBase(base);
    glCallLists(static_cast<GLsizei>(codes.size()), GL_UNSIGNED_BYTE, codes.data());
}

} // namespace

void SetGLColor(std::int32_t colour) {
    glColor3f(static_cast<float>(RedOf(colour)) / 255.0f,
              static_cast<float>(GreenOf(colour)) / 255.0f,
              static_cast<float>(BlueOf(colour)) / 255.0f);
}

std::string GlyphCodes(std::string_view text) {
    std::string codes;
    codes.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            codes.push_back(c);
        else if (byte >= 0xC0) // lead byte of a multi-byte character
            codes.push_back('?');
        else if (codes.empty() || codes.back() != '?')
            codes.push_back('?'); // stray continuation byte (text that is not UTF-8)
    }
    return codes;
}

void DrawOutlineText(const OutlineFont& font, std::string_view text, float x, float y, float z,
                     const std::array<float, 4>& rotation, std::optional<std::int32_t> colour,
                     float size) {
    GlAttribGuard attributes(GL_POLYGON_BIT | GL_LIST_BIT);
    GlMatrixGuard matrix;
    glTranslatef(x, y, z);
    glScalef(0.8f * size, 0.8f * size, 0.8f * size);
    // A zero angle or axis means no rotation; GL would be handed a degenerate axis otherwise.
    const bool hasAxis = rotation[1] != 0.0f || rotation[2] != 0.0f || rotation[3] != 0.0f;
    if (rotation[0] != 0.0f && hasAxis)
        glRotatef(rotation[0], rotation[1], rotation[2], rotation[3]);
    if (colour) SetGLColor(*colour);
    if (font.Base() == 0) return; // a font that failed draws nothing rather than foreign lists
    CallGlyphLists(font.Base(), GlyphCodes(text));
}

void DrawBitmapText(const BitmapFont& font, float z, float x, float y, std::string_view text) {
    glColor3f(0.0f, 0.0f, 0.0f);
    glRasterPos3f(x, y, z);
    if (text.empty() || font.Base() == 0) return;
    GlAttribGuard attributes(GL_LIST_BIT);
    CallGlyphLists(font.Base(), GlyphCodes(text));
}

} // namespace tervane
