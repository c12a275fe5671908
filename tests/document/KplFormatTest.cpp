#include "document/KplFormat.h"

#include "DocumentTestSupport.h"
#include "document/detail/TokenText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <locale>

namespace tervane::kpl {
namespace {

using tervane::testing::ColorMap;
using tervane::testing::Surface;

DocumentValues Values(std::int32_t kind, bool showAxes = false) {
    DocumentValues v;
    v.SceneKind = kind;
    v.Axes.Show = showAxes;
    return v;
}

std::string Write(const CScene& scene, const DocumentValues& values) {
    std::string error;
    auto text = WriteDocumentText(scene, values, error);
    EXPECT_TRUE(text) << error;
    return text.value_or("");
}

DocumentRead Read(const std::string& text, const DocumentValues& current = {}) {
    std::string error;
    auto read = ReadDocumentText(text, current, error);
    EXPECT_TRUE(read) << error << "\n" << text;
    return read.value_or(DocumentRead{});
}

TEST(KplContainer, LengthPrefixedTextAndItsFaults) {
    std::string error;
    const auto bytes = EncodeContainer("S12 0 0", error);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, std::string("\x08\x00\x07\x00S12 0 0", 11));
    EXPECT_EQ(DecodeContainer(*bytes + "stale bytes of an older file", error), "S12 0 0");

    const struct {
        std::string bytes;
        std::string error; // start of the message
    } bad[] = {
        {"", "The file is not a Tervane document: it is only 0 bytes"},
        {std::string("\x08\x00\x05", 3), "The file is not a Tervane document: it is only 3"},
        {std::string("\x09\x00\x01\x00x", 5), "The file is not a Tervane document: it does not"},
        {std::string("\x08\x00\x10\x00S12 0 0", 11),
         "The file is incomplete: its text should be 16"},
    };
    for (const auto& c : bad) {
        error.clear();
        EXPECT_FALSE(DecodeContainer(c.bytes, error));
        EXPECT_TRUE(error.starts_with(c.error)) << error;
    }

    EXPECT_TRUE(EncodeContainer(std::string(kMaxTextLength, 'a'), error));
    error.clear();
    EXPECT_FALSE(EncodeContainer(std::string(kMaxTextLength + 1, 'a'), error));
    EXPECT_NE(error.find("65536 characters"), std::string::npos) << error;
}

TEST(KplHeader, TokensAreCrossedForKindsTwoAndThree) {
    const struct {
        std::int32_t kind;
        std::string token;
        std::int32_t readKind;
        float pitch, yaw;
    } rows[] = {
        {1, "S11", 1, 0, 0},    {2, "S13", 2, -15, 45}, {3, "S12", 3, -15, 45}, {4, "S14", 1, 0, 0},
        {5, "S15", 2, -15, 45}, {6, "S16", 3, -15, 45}, {7, "S17", 7, 0, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(HeaderToken(r.kind), r.token);
        const auto meaning = ReadHeader(r.token);
        ASSERT_TRUE(meaning) << r.token;
        EXPECT_EQ(meaning->SceneKind, r.readKind) << r.token;
        EXPECT_EQ(meaning->RotRoll, 0.0f);
        EXPECT_EQ(meaning->RotPitch, r.pitch) << r.token;
        EXPECT_EQ(meaning->RotYaw, r.yaw) << r.token;
    }
    EXPECT_EQ(HeaderToken(0), "");
    EXPECT_FALSE(ReadHeader("S18"));
    EXPECT_FALSE(ReadHeader("s12"));
}

TEST(KplWriter, WorkedExampleGivesExactlyTheseTokens) {
    CScene scene;
    CGraph maker;
    auto g = maker.Init(1, "3D Surface  w=z^2", 2, 3, "", "", "z^2", 30, 30, -2, 2, -2, 2, 0, 0, 0,
                        0, 0, 4, 3, 3, false, false, false, 0);
    g->SetFunForm(2);
    g->SetVarX(4);
    g->SetVarY(3);
    g->SetVarZ(1);
    g->SetColorR(3);
    g->SetColorG(4);
    g->SetColorB(5);
    scene.Add(g);
    EXPECT_EQ(Write(scene, Values(3)),
              "S12 1 2 1 @3D Surface  w=z^2@ 3   z^2 30 30 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 "
              "2 4 3 1 3 4 5 0");

    const DocumentRead read = Read(Write(scene, Values(3)));
    ASSERT_EQ(read.Graphs.size(), 1u);
    EXPECT_EQ(read.Graphs[0]->NameS(), "3D Surface  w=z^2");
    EXPECT_EQ(read.Graphs[0]->ExpressX(), "");
    EXPECT_EQ(read.Graphs[0]->ExpressZ(), "z^2");
    EXPECT_FALSE(read.Values.Axes.Show);
    // The letters of VarX, VarY and VarZ become the titles of the Y, Z and X axes.
    EXPECT_EQ(read.Values.AxisTitleY, "V");
    EXPECT_EQ(read.Values.AxisTitleZ, "U");
    EXPECT_EQ(read.Values.AxisTitleX, "X");
}

TEST(KplRecord, EveryFieldRoundTrips) {
    CScene scene;
    CGraph maker;
    auto g =
        maker.Init(7, " odd  name ", 12, 4, "a", "r", "sin(z*t)", 17, 23, -1.25f, 3.5f, -0.001f,
                   1e6f, 5, 0x123456, 0x654321, 42, 3, 9, 1, 2, false, false, false, 0);
    g->SetPointColor(0xABCDEF);
    g->SetPointSize(7.0f);
    g->SetPointHollow(true);
    g->SetAnimation(true);
    g->SetMinT(-3.5f);
    g->SetMaxT(2.25f);
    g->SetFunForm(3);
    g->SetVarX(1);
    g->SetVarY(kQuantityLogMagnitude);
    g->SetVarZ(kQuantityArgument);
    g->SetColorR(PhaseColourCode(true, true));
    g->SetColorG(5);
    g->SetColorB(1);
    scene.Add(g);
    DocumentValues values = Values(3);
    values.AnimationFrames = 25;
    values.AnimationSpeed = 4;

    const DocumentRead read = Read(Write(scene, values));
    ASSERT_EQ(read.Graphs.size(), 1u);
    const CGraph& r = *read.Graphs[0];
    EXPECT_EQ(r.ID(), 7);
    EXPECT_EQ(r.NameS(), " odd  name ");
    EXPECT_EQ(r.GraphType(), 12);
    EXPECT_EQ(r.CoordType(), 4);
    EXPECT_EQ(r.ExpressX(), "a");
    EXPECT_EQ(r.ExpressY(), "r");
    EXPECT_EQ(r.ExpressZ(), "sin(z*t)");
    EXPECT_EQ(r.StepU(), 17);
    EXPECT_EQ(r.StepV(), 23);
    EXPECT_EQ(r.MinU(), -1.25f);
    EXPECT_EQ(r.MaxU(), 3.5f);
    EXPECT_EQ(r.MinV(), -0.001f);
    EXPECT_EQ(r.MaxV(), 1e6f);
    EXPECT_EQ(r.FillStyle(), 5);
    EXPECT_EQ(r.FirstColor(), 0x123456);
    EXPECT_EQ(r.SecondColor(), 0x654321);
    EXPECT_EQ(r.LineColor(), 42);
    EXPECT_EQ(r.LineWidth(), 3);
    EXPECT_EQ(r.Material(), 9);
    EXPECT_EQ(r.Show(), 1);
    EXPECT_EQ(r.Smoothness(), 2);
    EXPECT_EQ(r.PointColor(), 0xABCDEF);
    EXPECT_EQ(r.PointSize(), 7.0f);
    EXPECT_TRUE(r.PointHollow());
    EXPECT_TRUE(r.Animation());
    EXPECT_EQ(r.MinT(), -3.5f);
    EXPECT_EQ(r.MaxT(), 2.25f);
    EXPECT_EQ(r.FunForm(), 3);
    EXPECT_EQ(r.VarX(), 1);
    EXPECT_EQ(r.VarY(), kQuantityLogMagnitude);
    EXPECT_EQ(r.VarZ(), kQuantityArgument);
    EXPECT_EQ(r.ColorR(), kColourPhaseRingsAndRays);
    EXPECT_EQ(r.ColorG(), 5);
    EXPECT_EQ(r.ColorB(), 1);
    EXPECT_EQ(read.Values.AnimationFrames, 25);
    EXPECT_EQ(read.Values.AnimationSpeed, 4);
}

// A record of the worked example with one field replaced, read back.
std::shared_ptr<CGraph> ReadWithField(std::size_t index, const std::string& token) {
    std::vector<std::string> tokens = detail::SplitTokens(
        "S12 1 2 1 @n@ 3   z^2 30 30 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 0");
    tokens.at(index) = token;
    std::string text;
    for (const auto& t : tokens)
        text += (text.empty() ? "" : " ") + t;
    const DocumentRead read = Read(text);
    return read.Graphs.empty() ? nullptr : read.Graphs[0];
}

TEST(KplRecord, PointSizeAndQuantityCodesAcceptOnlyExactDigits) {
    constexpr std::size_t kPointSize = 24, kVarX = 28, kColorB = 33;
    const struct {
        std::size_t index;
        std::string token;
        float pointSize;
        std::int32_t varX, colorB;
    } rows[] = {
        {kPointSize, "3", 3.0f, 4, 5},   {kPointSize, "9", 9.0f, 4, 5},
        {kPointSize, "2.5", 1.0f, 4, 5}, {kPointSize, "10", 1.0f, 4, 5},
        {kPointSize, "0", 1.0f, 4, 5},   {kVarX, "5", 1.0f, 5, 5},
        {kVarX, "6", 1.0f, 6, 5},        {kVarX, "7", 1.0f, 7, 5},
        {kVarX, "8", 1.0f, 0, 5},        {kVarX, "16", 1.0f, 0, 5},
        {kVarX, "07", 1.0f, 0, 5},       {kVarX, "3.0", 1.0f, 0, 5},
        {kVarX, "", 1.0f, 0, 5},         {kColorB, "1", 1.0f, 4, 1},
        {kColorB, "0", 1.0f, 4, 0},      {kColorB, "7", 1.0f, 4, 7},
        {kColorB, "19", 1.0f, 4, 19},    {kColorB, "20", 1.0f, 4, 0},
        {kColorB, "15", 1.0f, 4, 0},
    };
    for (const auto& r : rows) {
        const auto g = ReadWithField(r.index, r.token);
        ASSERT_TRUE(g);
        EXPECT_EQ(g->PointSize(), r.pointSize) << r.index << " '" << r.token << "'";
        EXPECT_EQ(g->VarX(), r.varX) << r.index << " '" << r.token << "'";
        EXPECT_EQ(g->ColorB(), r.colorB) << r.index << " '" << r.token << "'";
    }
}

TEST(KplRecord, NameRule) {
    const struct {
        std::string nameTokens; // what stands between ID and CoordType
        std::string name;
        std::int32_t coordType;
    } rows[] = {
        {"@plain@ 3", "plain", 3},
        {"@@ 3", "", 3},
        {"@a b@ 3", "a b", 3},
        {"@a  b@ 3", "a  b", 3},
        {"@ lead@ 3", " lead", 3},
        {"@trail @ 3", "trail ", 3},
        {"@ @ 3", " ", 3},
        {"@@@ 3", "@", 3},
        {"4", "", 4}, // no name at all: the token is CoordType
    };
    for (const auto& r : rows) {
        const std::string text = "S12 1 2 1 " + r.nameTokens +
                                 "   z^2 30 30 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 0";
        const DocumentRead read = Read(text);
        ASSERT_EQ(read.Graphs.size(), 1u) << text;
        EXPECT_EQ(read.Graphs[0]->NameS(), r.name) << text;
        EXPECT_EQ(read.Graphs[0]->CoordType(), r.coordType) << text;
    }

    // No closing "@" within 100 tokens: the name is absent and reading goes on after its first
    // token.
    const DocumentRead open = Read("S12 1 2 1 @open 3   z^2 30 30 -2 2 -2 2 0 0 0 0 0 4 3 3 255 "
                                   "1 0 0 2 4 3 1 3 4 5 0");
    ASSERT_EQ(open.Graphs.size(), 1u);
    EXPECT_EQ(open.Graphs[0]->NameS(), "");
    EXPECT_EQ(open.Graphs[0]->CoordType(), 3);
    EXPECT_EQ(open.Graphs[0]->ExpressZ(), "z^2");
}

TEST(KplWriter, RefusesGraphsThatWouldNotReadBack) {
    const struct {
        std::string name, function, error;
    } rows[] = {
        {"a@ b", "z", "its name cannot be stored: a word in it ends with \"@\""},
        {"@ b", "z", "its name cannot be stored"},
        {std::string(101, ' '), "z", "more than 100 blanks"},
        {"ok", "z + 1", "holds a blank"},
    };
    for (const auto& r : rows) {
        CScene scene;
        scene.Add(Surface(r.function, r.name));
        std::string error;
        EXPECT_FALSE(WriteDocumentText(scene, Values(3), error)) << r.name;
        EXPECT_NE(error.find(r.error), std::string::npos) << error;
    }
    // The same texts one step inside the limits are stored and read back.
    for (const std::string& name :
         std::vector<std::string>{"a @b", "x@", std::string(100, ' '), "b c@"}) {
        CScene scene;
        scene.Add(Surface("z", name));
        const DocumentRead read = Read(Write(scene, Values(3)));
        ASSERT_EQ(read.Graphs.size(), 1u);
        EXPECT_EQ(read.Graphs[0]->NameS(), name);
    }

    DocumentValues values = Values(3, true);
    values.Axes.TitleX = "x@ y";
    std::string error;
    EXPECT_FALSE(WriteDocumentText(CScene(), values, error));
    EXPECT_NE(error.find("axis title"), std::string::npos) << error;
}

TEST(KplWriter, RefusesMoreTokensThanAReaderHolds) {
    CScene scene;
    for (int id = 1; id <= 160; ++id) {
        auto g = Surface("z");
        g->SetID(id);
        scene.Add(g);
    }
    std::string error;
    EXPECT_FALSE(WriteDocumentText(scene, Values(3), error));
    EXPECT_NE(error.find("at most 5000"), std::string::npos) << error;
}

TEST(KplWriter, HeaderFollowsSceneKindOrTheGraphsWhenThereIsNone) {
    CScene surfaces, maps, mixed;
    surfaces.Add(Surface("z"));
    maps.Add(ColorMap("z"));
    auto s = Surface("z");
    s->SetID(2);
    mixed.Add(ColorMap("z"));
    mixed.Add(s);
    const struct {
        const CScene* scene;
        std::int32_t kind;
        std::string header;
        std::int32_t readKind;
    } rows[] = {
        {&surfaces, 3, "S12 ", 3}, {&maps, 7, "S17 ", 7},      {&surfaces, 0, "S12 ", 3},
        {&maps, 0, "S17 ", 7},     {&mixed, 0, "S12 ", 3},     {&surfaces, 4, "S14 ", 1},
        {&surfaces, 2, "S13 ", 2}, {&surfaces, 99, "S12 ", 3},
    };
    for (const auto& r : rows) {
        const std::string text = Write(*r.scene, Values(r.kind));
        EXPECT_TRUE(text.starts_with(r.header)) << r.kind << ": " << text;
        EXPECT_EQ(Read(text).Values.SceneKind, r.readKind) << r.kind;
    }
}

TEST(KplWriter, OnlyKindsWithARecordAreWrittenAndCounted) {
    CScene scene;
    std::int32_t id = 0;
    for (std::int32_t type : {2, 4, 5, 6, 16, 31, 13, 99}) {
        auto g = Surface("z");
        g->SetGraphType(type);
        g->SetID(++id);
        scene.Add(g);
    }
    std::string error;
    std::vector<std::string> warnings;
    const auto text = WriteDocumentText(scene, Values(3), error, &warnings);
    ASSERT_TRUE(text) << error;
    const DocumentRead read = Read(*text);
    std::vector<std::int32_t> types;
    for (const auto& g : read.Graphs)
        types.push_back(g->GraphType());
    EXPECT_EQ(types, (std::vector<std::int32_t>{2, 31, 13}));
    ASSERT_EQ(warnings.size(), 5u);
    EXPECT_EQ(warnings[0], "The graph \"s\" is not saved: documents have no record for graphs of "
                           "kind 4.");
}

TEST(KplAxes, HiddenAxesEndTheTextAndKeepTheirValues) {
    DocumentValues current;
    current.Axes.LabelNumX = 9;
    current.Axes.TitleY = "kept";
    current.Axes.Show = true;
    const DocumentRead read = Read("S12 0 0", current);
    EXPECT_FALSE(read.Values.Axes.Show);
    EXPECT_EQ(read.Values.Axes.LabelNumX, 9);
    EXPECT_EQ(read.Values.Axes.TitleY, "kept");
    EXPECT_EQ(Write(CScene(), Values(3)), "S12 0 0");
}

TEST(KplAxes, AllThirtyEightFieldsRoundTrip) {
    DocumentValues v = Values(3, true);
    CAxes& a = v.Axes;
    a.ShowXYPanel = true;
    a.ShowXZPanel = false;
    a.ShowYZPanel = true;
    a.ShowXYXGrid = false;
    a.ShowXZZGrid = false;
    a.BetterFonts = true;
    a.LabelNumX = 3;
    a.LabelNumY = 4;
    a.LabelNumZ = 5;
    a.XYPanelColor = 1;
    a.XZPanelColor = 2;
    a.YZPanelColor = 3;
    a.XYGridColor = 4;
    a.XZGridColor = 5;
    a.YZGridColor = 6;
    a.XYPanelMaterial = 7;
    a.XZPanelMaterial = 8;
    a.YZPanelMaterial = 9;
    a.AxisColor = 0xFF;
    a.AxisWidth = 3;
    a.TitleX = "Re w";
    a.TitleY = "";
    a.TitleZ = "a  b";
    a.ShowprimaryGrid = true;
    a.ShowSecondaryGrid = true;
    a.ShowBackground = true;
    a.BackStyle = 16;
    a.BackColor = 11;
    a.BackColor2 = 12;
    a.PriGridColor = 13;
    a.SecGridColor = 14;
    a.ShowSecondaryLabel = false;
    a.ShowPI = true;
    a.ShowShadow = true;
    a.AxisStyle = 2; // not stored: the reader keeps its own value
    DocumentValues current;
    current.Axes.AxisStyle = 5;
    const DocumentRead read = Read(Write(CScene(), v), current);
    CAxes expected = a;
    expected.AxisStyle = 5;
    EXPECT_EQ(read.Values.Axes, expected);
}

TEST(KplReader, BadTextsAreRefusedWithAReason) {
    const std::string record =
        "2 1 @n@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ";
    std::string many;
    for (int k = 0; k < 5000; ++k)
        many += "0 ";
    const struct {
        std::string text, error;
    } rows[] = {
        {"", "its text is empty"},
        {"hello world", "does not begin with a header"},
        {"S12", "the axes settings are missing"},
        {"S12 1 " + record.substr(0, 30), "graph record 1 of 1 runs past the end"},
        {"S12 2 " + record, "graph record 2 of 2 runs past the end"},
        {"S12 1 " + record, "the axes settings are missing"},
        {"S12 0 1 1 1", "the axes settings run past the end"},
        {"S12 0 " + many, "a document file holds at most 5000"},
        {"S12 999999999 " + record, "runs past the end"},
    };
    for (const auto& r : rows) {
        std::string error;
        EXPECT_FALSE(ReadDocumentText(r.text, {}, error)) << r.text.substr(0, 60);
        EXPECT_NE(error.find(r.error), std::string::npos) << error;
    }
}

TEST(KplReader, LastGraphIdCrossesAndRepeatedIdsAreRenumbered) {
    auto text = [](std::vector<int> ids) {
        std::string t = "S12 " + std::to_string(ids.size()) + " ";
        for (int id : ids)
            t += "2 " + std::to_string(id) +
                 " @n@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ";
        return t + "0";
    };
    const struct {
        std::vector<int> ids;
        std::vector<int> read;
        std::int32_t last;
        std::size_t warnings;
    } rows[] = {
        {{1}, {1}, 2, 0},
        {{1, 2}, {1, 2}, 2, 0},
        {{1, 2, 3}, {1, 2, 3}, 4, 0},
        {{5, 3}, {5, 3}, 6, 0},
        {{0}, {0}, 0, 0},
        {{4, 4}, {4, 6}, 7, 1},
        {{2, 2, 2}, {2, 4, 6}, 7, 2},
        {{2147483647}, {2147483647}, 2147483647, 0},
        {{2147483647, 2147483647}, {2147483647, 1}, 2147483647, 1},
    };
    for (const auto& r : rows) {
        DocumentValues current;
        current.LastGraphID = 50; // reading starts a new count
        const DocumentRead read = Read(text(r.ids), current);
        std::vector<int> ids;
        for (const auto& g : read.Graphs)
            ids.push_back(g->ID());
        EXPECT_EQ(ids, r.read);
        EXPECT_EQ(read.Values.LastGraphID, r.last) << ::testing::PrintToString(r.ids);
        EXPECT_EQ(read.Warnings.size(), r.warnings);
    }
}

TEST(KplReader, AnimationValuesComeFromAnimatedRecordsAndStayPositive) {
    const std::string head = "S12 1 2 1 @n@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 1 -1 1 ";
    const struct {
        std::string frames, speed;
        std::int32_t readFrames, readSpeed;
    } rows[] = {{"20", "5", 20, 5}, {"0", "0", 1, 1}, {"-4", "x", 1, 1}};
    for (const auto& r : rows) {
        const DocumentRead read = Read(head + r.frames + " " + r.speed + " 2 4 3 1 3 4 5 0");
        EXPECT_EQ(read.Values.AnimationFrames, r.readFrames);
        EXPECT_EQ(read.Values.AnimationSpeed, r.readSpeed);
        ASSERT_EQ(read.Graphs.size(), 1u);
        EXPECT_EQ(read.Graphs[0]->MinT(), -1.0f);
        EXPECT_EQ(read.Graphs[0]->MaxT(), 1.0f);
    }
}

// A numpunct with a decimal comma and grouped thousands, as many locales have.
struct CommaPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

// Switches the C and C++ locales to a decimal comma for one test. The C locale is generated
// when the system has the locale sources but not the compiled locale.
class CommaLocale {
public:
    CommaLocale() : cpp_(std::locale::global(std::locale(std::locale::classic(), new CommaPunct))) {
        old_ = std::setlocale(LC_NUMERIC, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "de_DE"}) {
            if (std::setlocale(LC_NUMERIC, name)) return;
        }
        const std::filesystem::path dir =
            std::filesystem::path(::testing::TempDir()) / "tervane-locales";
        std::filesystem::create_directories(dir);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (dir / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            setenv("LOCPATH", dir.c_str(), 1);
            std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
        }
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, old_.c_str());
        std::locale::global(cpp_);
    }
    /// True when printf writes a decimal comma now.
    static bool CHasComma() { return std::localeconv()->decimal_point[0] == ','; }

private:
    std::locale cpp_;
    std::string old_;
};

TEST(KplLocale, FloatsAreStoredWithAPointInADecimalCommaLocale) {
    CScene scene;
    auto g = Surface("z");
    g->SetMinU(-2.5f);
    g->SetMaxU(1234.5f);
    g->SetMinV(1.5e-5f);
    scene.Add(g);
    const std::string plain = Write(scene, Values(3));

    CommaLocale comma;
    if (!CommaLocale::CHasComma())
        std::cerr << "note: no C locale with a decimal comma; only the C++ locale was changed\n";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 2.5);
    const std::string written = Write(scene, Values(3));
    EXPECT_EQ(written, plain) << "printf gives " << probe;
    EXPECT_NE(written.find(" -2.5 1234.5 1.5E-05 "), std::string::npos) << written;
    const DocumentRead read = Read(written);
    ASSERT_EQ(read.Graphs.size(), 1u);
    EXPECT_EQ(read.Graphs[0]->MinU(), -2.5f);
    EXPECT_EQ(read.Graphs[0]->MaxU(), 1234.5f);
    EXPECT_EQ(read.Graphs[0]->MinV(), 1.5e-5f);
}

} // namespace
} // namespace tervane::kpl
