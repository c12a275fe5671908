#include "GlTestSupport.h"

#include "gl/text/GlFonts.h"
#include "gl/text/GlText.h"
#include "gl/text/detail/FontFaces.h"

#include <array>
#include <string>

namespace tervane {
namespace {

using testing::GlTest;

constexpr std::array<float, 4> kNoRotation{0.0f, 0.0f, 0.0f, 0.0f};

TEST(FontFacesTest, SystemFacesResolveToInstalledStandIns) {
    EnsureGuiApplication();
    struct Row {
        const char* face;
        const char* family;
    };
    for (const Row& row : {Row{"Arial", "Liberation Sans"}, Row{"VERDANA", "DejaVu Sans"}}) {
        SCOPED_TRACE(row.face);
        EXPECT_EQ(detail::ResolveFontFamily(QString::fromLatin1(row.face)),
                  QString::fromLatin1(row.family));
        const QRawFont raw =
            detail::LoadRawFont(QString::fromLatin1(row.face), 64, 400, false, false);
        ASSERT_TRUE(raw.isValid());
        EXPECT_EQ(raw.familyName(), QString::fromLatin1(row.family));
    }
    const QRawFont bold = detail::LoadRawFont(QStringLiteral("Arial"), 64, 700, false, false);
    EXPECT_GE(bold.weight(), 700);
}

TEST(GlTextCodesTest, NonAsciiCharactersBecomeOneQuestionMarkEach) {
    struct Row {
        std::string text;
        std::string codes;
    };
    const Row rows[] = {
        {"", ""},
        {"-1.5", "-1.5"},
        {"\x01z\x7f", "\x01z\x7f"},         // codes below 128 keep their lists
        {"x\xC3\xA9y", "x?y"},              // é in UTF-8
        {"\xE2\x82\xAC\xE2\x82\xAC", "??"}, // two euro signs
        {"a\xE9", "a?"},                    // Latin-1 é, not UTF-8
    };
    for (const Row& row : rows)
        EXPECT_EQ(GlyphCodes(row.text), row.codes) << row.text;
}

class GlFontsTest : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        fonts_ = std::make_unique<GlFonts>();
        // 16 pixels per unit: a glyph one em tall (scaled by 0.8) is about 13 pixels.
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0.0, 8.0, -4.0, 4.0, -10.0, 10.0);
        glMatrixMode(GL_MODELVIEW);
    }
    void TearDown() override {
        fonts_.reset(); // its lists belong to the context
        GlTest::TearDown();
    }

    QImage OutlineText(const OutlineFont& font, const std::string& text,
                       std::array<float, 4> rotation = kNoRotation) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        DrawOutlineText(font, text, 0.5f, 0.0f, 0.0f, rotation, 0xFF0000);
        return Frame();
    }

    std::unique_ptr<GlFonts> fonts_;
};

TEST_F(GlFontsTest, AllThreeFontsAreBuilt) {
    EXPECT_TRUE(fonts_->Errors().empty());
    EXPECT_NE(fonts_->OutlineLabelFont().Base(), 0u);
    EXPECT_NE(fonts_->OutlineTitleFont().Base(), 0u);
    EXPECT_NE(fonts_->BitmapFont().Base(), 0u);
    EXPECT_EQ(fonts_->OutlineLabelFont().Height(), -6);
    EXPECT_EQ(fonts_->OutlineTitleFont().Height(), -8);
}

TEST_F(GlFontsTest, OutlineAdvancesAreInEmUnits) {
    const OutlineFont& font = fonts_->OutlineLabelFont();
    // Liberation Sans digits advance 0.556 em, like Arial's.
    EXPECT_NEAR(font.Advance('1'), 0.556, 0.01);
    EXPECT_GT(font.Advance('W'), font.Advance('i'));
    EXPECT_EQ(font.Advance('\n'), 0.0);
    EXPECT_EQ(font.Advance(200), 0.0);
    EXPECT_DOUBLE_EQ(font.TextAdvance("-10.0"), font.Advance('-') + 2 * font.Advance('0') +
                                                    font.Advance('1') + font.Advance('.'));
}

TEST_F(GlFontsTest, OutlineTextWidthGrowsWithLength) {
    const OutlineFont& font = fonts_->OutlineLabelFont();
    int previous = 0;
    for (const std::string text : {"1", "11", "1111"}) {
        const QImage image = OutlineText(font, text);
        const int width = InkWidth(image);
        EXPECT_GT(width, previous) << text;
        previous = width;
        // The text is drawn in the given blue, unlit.
        EXPECT_GT(image.pixelColor(0, 0).blue(), 0);
    }
    // Four digits span a little less than four advances (the last one's right bearing), at
    // 0.8 units per em and 16 pixels per unit.
    const double expected = 4 * font.Advance('1') * 0.8 * 16;
    EXPECT_NEAR(previous, expected, expected * 0.3);
}

TEST_F(GlFontsTest, OutlineTextUsesTheGivenColourAndRotation) {
    const OutlineFont& font = fonts_->OutlineLabelFont();
    QImage flat = OutlineText(font, "1111");
    bool hasBlue = false;
    for (int y = 0; y < flat.height() && !hasBlue; ++y)
        for (int x = 0; x < flat.width() && !hasBlue; ++x)
            hasBlue = flat.pixel(x, y) == qRgb(0, 0, 255);
    EXPECT_TRUE(hasBlue);

    // Turned by -90 degrees about z the text reads downwards: narrow and tall.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4.0, 4.0, -4.0, 4.0, -10.0, 10.0);
    glMatrixMode(GL_MODELVIEW);
    const QImage turned = OutlineText(font, "1111", {-90.0f, 0.0f, 0.0f, 1.0f});
    EXPECT_LT(InkWidth(turned), InkWidth(flat) / 2);
    EXPECT_GT(InkPixels(turned), InkPixels(flat) / 2);
}

TEST_F(GlFontsTest, OutlineTextRestoresMatrixAndListBase) {
    glListBase(7);
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    DrawOutlineText(fonts_->OutlineTitleFont(), "Axis", 1.0f, 2.0f, 3.0f, {45, 0, 1, 0});
    GLfloat after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(before[k], after[k]) << k;
    GLint base = 0;
    glGetIntegerv(GL_LIST_BASE, &base);
    EXPECT_EQ(base, 7);
}

TEST_F(GlFontsTest, NonAsciiTextDrawsAQuestionMark) {
    const OutlineFont& font = fonts_->OutlineLabelFont();
    const QImage question = OutlineText(font, "?");
    EXPECT_GT(InkPixels(question), 0);
    EXPECT_EQ(OutlineText(font, "\xC3\xA9"), question);
}

TEST_F(GlFontsTest, FailedFontDrawsNothingAndCallsNoForeignList) {
    // A list that would paint the whole view if a failed font fell back to base 0.
    GlListRange foreign(128);
    for (GLuint list = foreign.Base(); list < foreign.Base() + 128; ++list) {
        glNewList(list, GL_COMPILE);
        glRectf(-10.0f, -10.0f, 10.0f, 10.0f);
        glEndList();
    }
    const OutlineFont missing(QStringLiteral("No Such Face Anywhere"), -6, 400, false);
    EXPECT_EQ(missing.Base(), 0u);
    EXPECT_FALSE(missing.Error().empty());
    EXPECT_EQ(InkPixels(OutlineText(missing, "1111")), 0);
}

TEST_F(GlFontsTest, BitmapTextDrawsBlackGlyphsAtTheRasterPosition) {
    const BitmapFont& font = fonts_->BitmapFont();
    EXPECT_GT(font.Advance('W'), font.Advance('i'));
    EXPECT_GE(font.Advance('0'), 6); // DejaVu Sans digits at 12 pixels
    int previous = 0;
    for (const std::string text : {"8", "88", "8888"}) {
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1.0f, 0.0f, 0.0f); // replaced by black
        DrawBitmapText(font, 0.0f, 1.0f, 0.0f, text);
        const QImage image = Frame();
        const int width = InkWidth(image);
        EXPECT_GT(width, previous) << text;
        previous = width;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                    ASSERT_EQ(image.pixel(x, y), qRgb(0, 0, 0));
                }
            }
        // Left edge near x = 1 (pixel 16).
        int left = image.width();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255)) left = std::min(left, x);
        EXPECT_NEAR(left, 16, 2);
    }
    EXPECT_NEAR(previous, 4 * font.Advance('8'), 3);
}

TEST_F(GlFontsTest, BitmapGlyphsMoveTheRasterPositionByTheirAdvance) {
    const BitmapFont& font = fonts_->BitmapFont();
    ASSERT_GT(font.Advance(' '), 0);
    DrawBitmapText(font, 0.0f, 0.0f, 0.0f, "8 8"); // x = 0 is pixel 0
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    EXPECT_EQ(raster[0], static_cast<float>(2 * font.Advance('8') + font.Advance(' ')));
}

TEST_F(GlFontsTest, EmptyBitmapTextOnlySetsColourAndRasterPosition) {
    glColor3f(1.0f, 0.0f, 0.0f);
    DrawBitmapText(fonts_->BitmapFont(), 0.0f, 2.0f, 1.0f, "");
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 0.0f);
    GLfloat raster[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
    EXPECT_NEAR(raster[0], 32.0f, 0.01f); // x = 2 at 16 pixels per unit
    EXPECT_NEAR(raster[1], 80.0f, 0.01f); // y = 1 above the middle row 64
    EXPECT_EQ(InkPixels(Frame()), 0);
}

} // namespace
} // namespace tervane
