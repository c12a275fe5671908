#include "document/ClipboardText.h"

#include "DocumentTestSupport.h"

#include <gtest/gtest.h>

namespace tervane {
namespace {

using testing::ColorMap;
using testing::Surface;

TEST(ClipboardText, RecordBehindTheSceneKind) {
    auto g = Surface("z^2", "3D Surface  w=z^2", 30);
    g->SetID(1);
    std::string error;
    EXPECT_EQ(WriteClipboardText(3, *g, error),
              "3 2 1 @3D Surface  w=z^2@ 3   z^2 30 30 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 "
              "1 3 4 5 ");
    for (std::int32_t type : {4, 5, 6, 16, 40}) {
        g->SetGraphType(type);
        EXPECT_EQ(WriteClipboardText(7, *g, error), "7 ") << type;
    }
    g->SetGraphType(2);
    g->SetNameS("bad@ name");
    EXPECT_FALSE(WriteClipboardText(3, *g, error));
    EXPECT_NE(error.find("cannot be copied"), std::string::npos) << error;
}

TEST(ClipboardText, KindCheck) {
    const struct {
        std::int32_t scene;
        std::vector<std::int32_t> accepted;
    } rows[] = {
        {1, {1, 4}},
        {2, {2, 5}},
        {3, {3, 6}},
        {7, {7}},
        {0, {0, 1, 2, 3, 4, 5, 6, 7, 8, -1}},
        {4, {0, 1, 2, 3, 7}},
        {6, {1, 7}},
    };
    for (const auto& r : rows) {
        for (std::int32_t k = -1; k <= 8; ++k) {
            const bool expected =
                std::find(r.accepted.begin(), r.accepted.end(), k) != r.accepted.end() ||
                r.scene == 0 || r.scene == 4 || r.scene == 5 || r.scene == 6;
            EXPECT_EQ(ClipboardKindAccepted(r.scene, k), expected) << r.scene << " " << k;
        }
    }
}

TEST(ClipboardText, ReadingRenumbersAndSkipsAnimationValues) {
    auto g = Surface("z*t", "a  name");
    g->SetID(3);
    g->SetAnimation(true);
    g->SetMinT(-1.5f);
    g->SetMaxT(4.0f);
    std::string error;
    const std::string text = WriteClipboardText(3, *g, error).value();

    const ClipboardRead read = ReadClipboardText(text, 3, 1, 10);
    ASSERT_EQ(read.Result, ClipboardRead::Outcome::Graphs) << read.Message;
    ASSERT_EQ(read.Graphs.size(), 1u);
    EXPECT_EQ(read.TextKind, 3);
    EXPECT_EQ(read.Graphs[0]->ID(), 11);
    EXPECT_EQ(read.LastGraphID, 11);
    EXPECT_EQ(read.Graphs[0]->NameS(), "a  name");
    EXPECT_EQ(read.Graphs[0]->MinT(), -1.5f);
    EXPECT_EQ(read.Graphs[0]->MaxT(), 4.0f);
    EXPECT_EQ(read.Graphs[0]->ExpressZ(), "z*t");

    // A name token without "@" is the whole name here, and CoordType follows it.
    const ClipboardRead bare = ReadClipboardText(
        "3 2 9 bare 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ", 3, 1, 0);
    ASSERT_EQ(bare.Result, ClipboardRead::Outcome::Graphs);
    EXPECT_EQ(bare.Graphs[0]->NameS(), "bare");
    EXPECT_EQ(bare.Graphs[0]->CoordType(), 3);
    EXPECT_EQ(bare.Graphs[0]->ExpressZ(), "z");

    // The quantities arg w and log |w| and the phase scheme come through; other codes keep
    // the values the graph starts with.
    const ClipboardRead phase = ReadClipboardText(
        "3 2 9 @p@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 6 7 8 19 17 20 ", 3, 1, 0);
    ASSERT_EQ(phase.Result, ClipboardRead::Outcome::Graphs) << phase.Message;
    const CGraph& p = *phase.Graphs[0];
    EXPECT_EQ(p.VarX(), kQuantityArgument);
    EXPECT_EQ(p.VarY(), kQuantityLogMagnitude);
    EXPECT_EQ(p.VarZ(), 0);
    EXPECT_EQ(p.ColorR(), kColourPhaseRingsAndRays);
    EXPECT_EQ(p.ColorG(), kColourPhaseRings);
    EXPECT_EQ(p.ColorB(), 0);
}

TEST(ClipboardText, StepCountsAreHeldWithAWarning) {
    const auto text = [](const char* stepU, const char* stepV) {
        return "3 2 9 @n@ 3   z " + std::string(stepU) + " " + stepV +
               " -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ";
    };
    const std::string range = ": it must lie between 1 and 10000.";
    const struct {
        const char* stepU;
        const char* stepV;
        std::int32_t heldU, heldV;
        std::vector<std::string> warnings;
    } rows[] = {
        {"1", "10000", 1, 10000, {}},
        {"-5", "2", 1, 2, {"The pasted graph's Steps x of -5 was held to 1" + range}},
        {"7", "0", 7, 1, {"The pasted graph's Steps y of 0 was held to 1" + range}},
        {"20000",
         "-1",
         10000,
         1,
         {"The pasted graph's Steps x of 20000 was held to 10000" + range,
          "The pasted graph's Steps y of -1 was held to 1" + range}},
    };
    for (const auto& r : rows) {
        const ClipboardRead read = ReadClipboardText(text(r.stepU, r.stepV), 3, 1, 0);
        ASSERT_EQ(read.Result, ClipboardRead::Outcome::Graphs) << read.Message;
        EXPECT_EQ(read.Graphs[0]->StepU(), r.heldU) << r.stepU;
        EXPECT_EQ(read.Graphs[0]->StepV(), r.heldV) << r.stepV;
        EXPECT_EQ(read.Warnings, r.warnings);
    }
}

TEST(ClipboardText, TextsThatAreNotAGraph) {
    const std::string record =
        "2 1 @n@ 3   z 2 2 -2 2 -2 2 0 0 0 0 0 4 3 3 255 1 0 0 2 4 3 1 3 4 5 ";
    std::string many = "3 ";
    for (int k = 0; k < 4000; ++k)
        many += "0 ";
    const struct {
        std::string text;
        std::int32_t scene;
        ClipboardRead::Outcome outcome;
        std::string message;
    } rows[] = {
        {"", 3, ClipboardRead::Outcome::Invalid, "holds no text"},
        {"hello " + record, 3, ClipboardRead::Outcome::Invalid, "does not hold a graph"},
        {"3 ", 3, ClipboardRead::Outcome::Invalid, "does not hold a complete graph"},
        {"3 " + record.substr(0, 40), 3, ClipboardRead::Outcome::Invalid, "complete graph"},
        {many, 3, ClipboardRead::Outcome::Invalid, "does not hold a graph"},
        {"7 " + record, 3, ClipboardRead::Outcome::WrongKind, "another kind"},
        {"3 " + record, 7, ClipboardRead::Outcome::WrongKind, "another kind"},
        {"3 " + record, 3, ClipboardRead::Outcome::Graphs, ""},
        {"6 " + record, 3, ClipboardRead::Outcome::Graphs, ""},
    };
    for (const auto& r : rows) {
        const ClipboardRead read = ReadClipboardText(r.text, r.scene, 1, 0);
        EXPECT_EQ(read.Result, r.outcome) << r.text.substr(0, 40);
        EXPECT_NE(read.Message.find(r.message), std::string::npos) << read.Message;
        if (r.outcome != ClipboardRead::Outcome::Graphs) {
            EXPECT_TRUE(read.Graphs.empty());
        }
    }
}

TEST(GraphLabel, TableOfTheSceneKinds) {
    auto make = [](std::int32_t type, std::int32_t form, std::int32_t coord,
                   bool animated = false) {
        CGraph g;
        g.SetGraphType(type);
        g.SetFunForm(form);
        g.SetCoordType(coord);
        g.SetExpressX("X1");
        g.SetExpressY("Y1");
        g.SetExpressZ("Z1");
        g.SetAnimation(animated);
        return g;
    };
    const struct {
        std::int32_t kind;
        CGraph graph;
        std::optional<std::string> label;
    } rows[] = {
        {3, make(2, 2, 3), "3D Surface  w=Z1"},
        {3, make(1, 2, 4), "3D Curve  z=Z1"},
        {3, make(11, 2, 5), "3D Curve Animation  r=Z1"},
        {3, make(12, 3, 3), "3D Surface Animation  x=X1,y=Y1,z=Z1"},
        {3, make(2, 3, 4), "3D Surface  a=X1,r=Y1,z=Z1"},
        {3, make(2, 3, 5), "3D Surface  a=X1,b=Y1,r=Z1"},
        {3, make(21, 2, 1), "Surface by rotation  y=Z1"},
        {3, make(13, 2, 3), "w=Z1"},
        {3, make(31, 0, 0), "Vector "},
        {3, make(32, 0, 0), "Vector Operation "},
        {3, make(7, 0, 3), "Point  x=X1, y=Y1, z=Z1"},
        {3, make(8, 0, 5), "Point  a=X1, b=Y1, r=Z1"},
        {3, make(2, 1, 3), std::nullopt},
        {3, make(2, 2, 9), std::nullopt},
        {6, make(2, 2, 3), "3D Surface  w=Z1"},
        {7, make(13, 2, 3), "Color Map  w=Z1"},
        {7, make(14, 2, 3), "Contour Plot  x=X1, y=Y1, z=Z1"},
        {7, make(15, 2, 3), "Vector Plot  x=X1, y=Y1, z=Z1"},
        {7, make(2, 2, 3), std::nullopt},
        {1, make(0, 2, 3), "2D Curve  y=Z1"},
        {1, make(0, 2, 4, true), "2D Curve Animation  r=Z1"},
        {1, make(0, 3, 3), "2D Curve  x=X1,y=Y1"},
        {2, make(0, 3, 4), "2.5D Ribbon  a=X1,r=Y1"},
        {2, make(0, 2, 3, true), "2.5D Ribbon Animation  y=Z1"},
        {0, make(2, 2, 3), std::nullopt},
        {1, make(0, 1, 3), "2D Curve  y=Z1"},
        {1, make(37, 4, 3), "2D Curve  x=Z1"},
        {1, make(20, 1, 2, true), "2D Curve Animation  r=Z1"},
        {1, make(0, 4, 2), "2D Curve  a=Z1"},
        {1, make(7, 0, 3), "Point  x=X1, y=Y1"},
        {1, make(9, 1, 3, true), "Point Animation  x=x, y=Z1"},
        {3, make(8, 0, 3, true), "Point Animation  x=X1, y=Y1, z=Z1"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(GraphLabel(r.kind, r.graph), r.label)
            << r.kind << " type " << r.graph.GraphType() << " form " << r.graph.FunForm();
    }
}

TEST(GraphLabel, EveryGraphGetsAListLabel) {
    auto map = ColorMap("exp(z)", "");
    EXPECT_EQ(GraphListLabel(7, *map), "Color Map  w=exp(z)");
    EXPECT_EQ(GraphListLabel(0, *map), "Color Map  w=exp(z)"); // its own kind decides
    EXPECT_EQ(GraphListLabel(0, *Surface("z")), "3D Surface  w=z");
    auto curve = Surface("x^2");
    curve->SetGraphType(kGraphPlaneFunction);
    curve->SetFunForm(kFormPlaneExplicit);
    EXPECT_EQ(GraphListLabel(0, *curve), "2D Curve  y=x^2");
    auto odd = Surface("z^3", "named");
    odd->SetFunForm(0);
    EXPECT_EQ(GraphListLabel(3, *odd), "named");
    odd->SetNameS("");
    EXPECT_EQ(GraphListLabel(3, *odd), "Graph  w=z^3");
}

} // namespace
} // namespace tervane
