#include "dialogs/GraphDialogLogic.h"

#include <gtest/gtest.h>

#include <functional>

namespace tervane {
namespace {

// Adds the prepared graph; returns the message of the first step that refused.
std::optional<DialogMessage> Ok(Document& doc, SurfaceDialogInput& in) {
    const PreparedGraph p = PrepareSurfaceGraph(in, doc);
    if (p.Message) return p.Message;
    return CommitGraph(doc, p, {});
}

std::optional<DialogMessage> Ok(Document& doc, ColorMapDialogInput& in) {
    const PreparedGraph p = PrepareColorMapGraph(in, doc);
    if (p.Message) return p.Message;
    return CommitGraph(doc, p, {});
}

TEST(GraphDialogLogic, SurfaceWithDefaultsAndZSquared) {
    Document doc;
    SurfaceDialogInput in;
    in.Function = "z^2";
    ASSERT_FALSE(Ok(doc, in));
    ASSERT_EQ(doc.Count(), 1u);
    const CGraph& g = *doc.Graph(0);
    EXPECT_EQ(g.ID(), 1);
    EXPECT_EQ(g.NameS(), "Untitled");
    EXPECT_EQ(g.GraphType(), kGraphSurface);
    EXPECT_EQ(g.ExpressZ(), "z^2");
    EXPECT_EQ(g.StepU(), 40);
    EXPECT_EQ(g.StepV(), 40);
    EXPECT_EQ(g.MinU(), -2.0f);
    EXPECT_EQ(g.MaxV(), 2.0f);
    EXPECT_EQ(g.Show(), kShowSurface);
    EXPECT_EQ(g.Smoothness(), kSmoothSmoothest);
    EXPECT_EQ(g.Material(), 4);
    EXPECT_EQ((std::array{g.VarX(), g.VarY(), g.VarZ()}), (std::array{4, 3, 1}));
    EXPECT_EQ((std::array{g.ColorR(), g.ColorG(), g.ColorB()}), (std::array{3, 4, 5}));
    EXPECT_TRUE(g.Animation());
    EXPECT_EQ(g.MinT(), -2.0f);
    EXPECT_EQ(g.MaxT(), 2.0f);
    EXPECT_EQ(doc.AxisTitleX(), "X");
    EXPECT_EQ(doc.AxisTitleY(), "V");
    EXPECT_EQ(doc.AxisTitleZ(), "U");
    EXPECT_EQ(doc.SceneKind(), 3);
    EXPECT_TRUE(doc.IsShown(0));
    EXPECT_FALSE(g.DomainX().Empty());
}

struct SurfaceCase {
    const char* name;
    std::function<void(SurfaceDialogInput&)> edit;
    const char* message; // empty: accepted
    const char* caption;
};

TEST(GraphDialogLogic, SurfaceChecks) {
    const SurfaceCase cases[] = {
        {"steps x 0", [](auto& in) { in.StepsX = "0"; },
         "Steps x,y ,a,r or b must be larger than 1.", "Note"},
        {"steps y empty", [](auto& in) { in.StepsY = ""; },
         "Steps y(or r,b) must be larger than 1.", "Note"},
        {"steps 1 by 1", [](auto& in) { in.StepsX = in.StepsY = "1"; }, "", ""},
        {"min x above max x", [](auto& in) { in.MinX = "3", in.MaxX = "2"; },
         "Minimum value must be less than maximum value.", "Note"},
        {"min x equal max x", [](auto& in) { in.MinX = "3", in.MaxX = "3"; }, "", ""},
        {"min y above max y", [](auto& in) { in.MinY = "3", in.MaxY = "2"; }, "", ""},
        {"illegal character", [](auto& in) { in.MinX = "2#"; }, "Illegal data exist.", "Error"},
        {"t reversed", [](auto& in) { in.MinT = "3"; }, "Min t must be less than Max t.", "Note"},
        {"t syntax", [](auto& in) { in.MaxT = "2+"; }, "", "Syntax Error"},
        // A blank box would clean to "0" and add w=0.
        {"function empty", [](auto& in) { in.Function = ""; }, "Enter a function of z.", "Note"},
        {"function blank", [](auto& in) { in.Function = " "; }, "Enter a function of z.", "Note"},
    };
    for (const SurfaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        SurfaceDialogInput in;
        in.Function = "z";
        in.StepsX = in.StepsY = "4";
        c.edit(in);
        const std::optional<DialogMessage> m = Ok(doc, in);
        if (std::string(c.caption).empty()) {
            EXPECT_FALSE(m) << (m ? m->Text : "");
            EXPECT_EQ(doc.Count(), 1u);
            continue;
        }
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Caption, c.caption);
        if (*c.message) {
            EXPECT_EQ(m->Text, c.message);
        }
        EXPECT_EQ(doc.Count(), 0u);
        // Refusals of the first step come before the scene kind is set.
        const bool firstStep =
            std::string(c.caption) == "Error" || std::string(c.message) == "Enter a function of z.";
        EXPECT_EQ(doc.SceneKind(), firstStep ? 0 : 3);
    }
}

TEST(GraphDialogLogic, TypedNumbers) {
    Document doc;
    SurfaceDialogInput in;
    in.Function = "z";
    in.MinX = "-2,5";
    in.StepsX = "40,7";
    in.StepsY = "41.5";
    ASSERT_FALSE(Ok(doc, in));
    EXPECT_EQ(in.MinX, "-2.5");
    EXPECT_EQ(doc.Graph(0)->MinU(), -2.5f);
    EXPECT_EQ(doc.Graph(0)->StepU(), 40);
    EXPECT_EQ(doc.Graph(0)->StepV(), 42);
    EXPECT_EQ(LeadingNumber("40.5"), 40.5);
    EXPECT_EQ(LeadingNumber("abc"), 0.0);
    EXPECT_EQ(LeadingNumber("1e2x"), 100.0);
}

TEST(GraphDialogLogic, SyntaxErrorAddsNothingAndPointsAtTheFault) {
    Document doc;
    SurfaceDialogInput in;
    in.Function = "z+*2";
    const std::optional<DialogMessage> m = Ok(doc, in);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Caption, "Syntax Error");
    EXPECT_EQ(m->Kind, DialogMessage::Icon::Stop);
    EXPECT_EQ(m->Field, DialogField::Function);
    EXPECT_EQ(m->Text.rfind("Character " + std::to_string(m->Cursor) + ":  ", 0), 0u) << m->Text;
    EXPECT_EQ(doc.Count(), 0u);
    // The failed add used up an ID.
    EXPECT_EQ(doc.LastGraphID(), 1);
}

// A graph whose grids and pictures do not fit is refused before it is sampled, at its steps.
TEST(GraphDialogLogic, AGraphThatDoesNotFitInMemoryIsRefused) {
    Document doc;
    doc.SetSampling(SamplingOptions{1, 1024 * 1024});
    SurfaceDialogInput in;
    in.Function = "z";
    in.StepsX = in.StepsY = "1000";
    const std::optional<DialogMessage> m = Ok(doc, in);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->Text, "This needs about 211 MB of memory for its grids and pictures, but only 1 "
                       "MB is free. Choose fewer steps or fewer animation frames.");
    EXPECT_EQ(m->Field, DialogField::StepsX);
    EXPECT_EQ(doc.Count(), 0u);
    // An edit to more steps than fit is refused alike, and the graph stays as it was.
    in.StepsX = in.StepsY = "8";
    ASSERT_FALSE(Ok(doc, in));
    in.StepsX = in.StepsY = "1000";
    const PreparedGraph p = PrepareSurfaceGraph(in, doc);
    const std::optional<DialogMessage> edit = CommitGraph(doc, p, {true, 0});
    ASSERT_TRUE(edit);
    EXPECT_TRUE(edit->Text.starts_with("This needs about")) << edit->Text;
    EXPECT_EQ(doc.Graph(0)->StepU(), 8);
}

struct MapCase {
    const char* name;
    std::function<void(ColorMapDialogInput&)> edit;
    const char* message;
};

TEST(GraphDialogLogic, ColorMapChecks) {
    const MapCase cases[] = {
        {"steps x 0", [](auto& in) { in.StepsX = "0"; }, "Steps x must be larger than 1."},
        {"steps y empty", [](auto& in) { in.StepsY = ""; }, "Steps y must be larger than 1."},
        {"x reversed", [](auto& in) { in.MinX = "1", in.MaxX = "-1"; },
         "Min x must be less than Max x."},
        {"y reversed", [](auto& in) { in.MinY = "1", in.MaxY = "-1"; },
         "Min y must be less than Max y."},
        {"x equal", [](auto& in) { in.MinX = in.MaxX = "1"; }, ""},
        {"function blank", [](auto& in) { in.Function = "  "; }, "Enter a function of z."},
    };
    for (const MapCase& c : cases) {
        SCOPED_TRACE(c.name);
        Document doc;
        ColorMapDialogInput in;
        in.Function = "z";
        in.StepsX = in.StepsY = "4";
        c.edit(in);
        const std::optional<DialogMessage> m = Ok(doc, in);
        if (!*c.message) {
            EXPECT_FALSE(m);
            continue;
        }
        ASSERT_TRUE(m);
        EXPECT_EQ(m->Text, c.message);
        EXPECT_EQ(m->Caption, "Note");
    }
}

TEST(GraphDialogLogic, StepsAboveTheLimitAreHeldWithANote) {
    const std::string x = "Steps x was held to 10000: it must lie between 1 and 10000.";
    const std::string y = "Steps y was held to 10000: it must lie between 1 and 10000.";
    const struct {
        const char* stepsX;
        const char* stepsY;
        std::int32_t stepU, stepV;
        std::string note; // empty: none
    } rows[] = {
        {"10000", "1", 10000, 1, ""},
        {"10001", "1", 10000, 1, x},
        {"1", "9e99", 1, 10000, y},
        {"20000", "30000", 10000, 10000, x + "\n" + y},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.stepsX) + " by " + r.stepsY);
        Document doc;
        SurfaceDialogInput surface;
        ColorMapDialogInput map;
        surface.Function = map.Function = "z";
        surface.StepsX = map.StepsX = r.stepsX;
        surface.StepsY = map.StepsY = r.stepsY;
        for (const PreparedGraph& p :
             {PrepareSurfaceGraph(surface, doc), PrepareColorMapGraph(map, doc)}) {
            ASSERT_FALSE(p.Message);
            EXPECT_EQ(p.Graph->StepU(), r.stepU);
            EXPECT_EQ(p.Graph->StepV(), r.stepV);
            EXPECT_EQ(p.Held ? p.Held->Text : "", r.note);
            if (p.Held) {
                EXPECT_EQ(p.Held->Caption, "Note");
            }
        }
    }
}

TEST(GraphDialogLogic, ColorMapWithDefaults) {
    Document doc;
    ColorMapDialogInput in;
    in.Function = "exp(z)";
    ASSERT_FALSE(Ok(doc, in));
    const CGraph& g = *doc.Graph(0);
    EXPECT_EQ(g.GraphType(), kGraphColorMap);
    EXPECT_EQ(g.NameS(), "");
    EXPECT_EQ(g.MinU(), -4.0f);
    EXPECT_EQ(g.MaxV(), 4.0f);
    EXPECT_EQ((std::array{g.VarX(), g.VarY(), g.VarZ()}), (std::array{1, 5, 2}));
    EXPECT_EQ((std::array{g.ColorR(), g.ColorG(), g.ColorB()}), (std::array{3, 4, 5}));
    EXPECT_EQ(g.FirstColor(), 255);
    EXPECT_EQ(doc.SceneKind(), 7);
    EXPECT_EQ(doc.AxisTitleX(), "X");
    EXPECT_EQ(doc.AxisTitleY(), "Y");
}

// An edit copies the new settings over the selected graph (its ID stays) and renames its entry;
// done at once or through a worker's sampled copy, the document ends the same.
TEST(GraphDialogLogic, EditReplacesTheSelectedGraphBothWays) {
    for (const bool worker : {false, true}) {
        SCOPED_TRACE(worker ? "sampled copy" : "sampled in place");
        Document doc;
        SurfaceDialogInput first;
        first.Function = "z^2";
        ASSERT_FALSE(Ok(doc, first));
        const auto original = doc.Graph(0);

        SurfaceDialogInput edit = first;
        edit.Function = "sin(z)";
        edit.StepsX = "10";
        const PreparedGraph p = PrepareSurfaceGraph(edit, doc);
        ASSERT_FALSE(p.Message);
        const GraphTarget target{true, 0};
        if (worker) {
            const std::shared_ptr<CGraph> copy = GraphToSample(doc, p, target);
            ASSERT_TRUE(copy);
            ASSERT_TRUE(copy->GetPoints());
            CommitSampledGraph(doc, p, target, copy);
        } else {
            ASSERT_FALSE(CommitGraph(doc, p, target));
        }
        ASSERT_EQ(doc.Count(), 1u);
        EXPECT_EQ(doc.Graph(0), original);
        EXPECT_EQ(original->ID(), 1);
        EXPECT_EQ(original->ExpressZ(), "sin(z)");
        EXPECT_EQ(original->DomainX().SizeU(), 11u);
        EXPECT_EQ(doc.Label(0), "3D Surface  w=sin(z)");
    }
}

TEST(GraphDialogLogic, AddThroughAWorkerCopy) {
    Document doc;
    SurfaceDialogInput in;
    in.Function = "z";
    const PreparedGraph p = PrepareSurfaceGraph(in, doc);
    const std::shared_ptr<CGraph> copy = GraphToSample(doc, p, {});
    ASSERT_TRUE(copy->GetPoints());
    CommitSampledGraph(doc, p, {}, copy);
    ASSERT_EQ(doc.Count(), 1u);
    EXPECT_EQ(doc.Graph(0)->ID(), 1);
    EXPECT_TRUE(doc.IsShown(0));
    EXPECT_EQ(doc.Label(0), "3D Surface  w=z");
}

} // namespace
} // namespace tervane
