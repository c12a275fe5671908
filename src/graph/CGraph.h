#pragma once

#include "core/CBox.h"
#include "core/Codes.h"
#include "expr/CEvaluator.h"
#include "graph/DocumentKinds.h"
#include "graph/Grid2D.h"
#include "graph/Sampler.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tervane {

// A property with a getter Name() and a setter SetName() that counts changes,
// so that drawing code can tell when a graph's settings changed.
#define TERVANE_GRAPH_PROPERTY(Type, Name, Initial)                                                \
public:                                                                                            \
    const Type& Name() const noexcept {                                                            \
        return Name##_;                                                                            \
    }                                                                                              \
    void Set##Name(const Type& value) {                                                            \
        if (!(Name##_ == value)) {                                                                 \
            Name##_ = value;                                                                       \
            ++settingsRevision_;                                                                   \
        }                                                                                          \
    }                                                                                              \
                                                                                                   \
private:                                                                                           \
    Type Name##_ = Initial;

/// How documents, clipboard texts and `tervane-cli info` treat one stored field of a graph.
enum class StoredField {
    Plain,        ///< a number, flag or blank-free text token
    Name,         ///< the graph's name, enclosed in "@"
    PointSize,    ///< a size read back only as one digit 1..9
    Animated,     ///< present only when the graph is animated
    AnimationEnd, ///< the last animated field; the animation frames and speed follow it
    Quantity,     ///< a quantity code, read back only as its exact token ("1" to "7")
    Colour,       ///< a colour channel's code: a quantity code or a phase scheme code
};

// The fields a graph record stores, in the order of the record.
#define TERVANE_CGRAPH_STORED_FIELDS(X)                                                            \
    X(GraphType, Plain)                                                                            \
    X(ID, Plain)                                                                                   \
    X(NameS, Name)                                                                                 \
    X(CoordType, Plain)                                                                            \
    X(ExpressX, Plain)                                                                             \
    X(ExpressY, Plain)                                                                             \
    X(ExpressZ, Plain)                                                                             \
    X(StepU, Plain)                                                                                \
    X(StepV, Plain)                                                                                \
    X(MinU, Plain)                                                                                 \
    X(MaxU, Plain)                                                                                 \
    X(MinV, Plain)                                                                                 \
    X(MaxV, Plain)                                                                                 \
    X(FillStyle, Plain)                                                                            \
    X(FirstColor, Plain)                                                                           \
    X(SecondColor, Plain)                                                                          \
    X(LineColor, Plain)                                                                            \
    X(LineWidth, Plain)                                                                            \
    X(Material, Plain)                                                                             \
    X(Show, Plain)                                                                                 \
    X(Smoothness, Plain)                                                                           \
    X(PointColor, Plain)                                                                           \
    X(PointSize, PointSize)                                                                        \
    X(PointHollow, Plain)                                                                          \
    X(Animation, Plain)                                                                            \
    X(MinT, Animated)                                                                              \
    X(MaxT, AnimationEnd)                                                                          \
    X(FunForm, Plain)                                                                              \
    X(VarX, Quantity)                                                                              \
    X(VarY, Quantity)                                                                              \
    X(VarZ, Quantity)                                                                              \
    X(ColorR, Colour)                                                                              \
    X(ColorG, Colour)                                                                              \
    X(ColorB, Colour)

/// One function graph: its function, domain, quantity codes, display settings
/// and the grids sampled from it.
class CGraph {
    TERVANE_GRAPH_PROPERTY(std::int32_t, ID, 0)
    TERVANE_GRAPH_PROPERTY(std::string, NameS, {})
    TERVANE_GRAPH_PROPERTY(std::int32_t, GraphType, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, CoordType, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, FunForm, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, CurType, 0)
    TERVANE_GRAPH_PROPERTY(std::string, ExpressX, {})
    TERVANE_GRAPH_PROPERTY(std::string, ExpressY, {})
    TERVANE_GRAPH_PROPERTY(std::string, ExpressZ, {})
    TERVANE_GRAPH_PROPERTY(float, MinU, 0.0f)
    TERVANE_GRAPH_PROPERTY(float, MaxU, 0.0f)
    TERVANE_GRAPH_PROPERTY(float, MinV, 0.0f)
    TERVANE_GRAPH_PROPERTY(float, MaxV, 0.0f)
    TERVANE_GRAPH_PROPERTY(std::int32_t, StepU, 1)
    TERVANE_GRAPH_PROPERTY(std::int32_t, StepV, 1)
    TERVANE_GRAPH_PROPERTY(std::int32_t, VarX, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, VarY, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, VarZ, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, ColorR, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, ColorG, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, ColorB, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, Show, 3)
    TERVANE_GRAPH_PROPERTY(std::int32_t, Smoothness, 3)
    TERVANE_GRAPH_PROPERTY(std::int32_t, Material, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, FirstColor, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, SecondColor, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, LineColor, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, LineWidth, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, FillStyle, 0)
    TERVANE_GRAPH_PROPERTY(std::int32_t, PointColor, 255)
    TERVANE_GRAPH_PROPERTY(float, PointSize, 1.0f)
    TERVANE_GRAPH_PROPERTY(bool, PointHollow, false)
    TERVANE_GRAPH_PROPERTY(bool, ShowContour, false)
    TERVANE_GRAPH_PROPERTY(bool, ShowVector, false)
    TERVANE_GRAPH_PROPERTY(bool, ShowColormap, false)
    TERVANE_GRAPH_PROPERTY(std::int32_t, ContourLevel, 0)
    TERVANE_GRAPH_PROPERTY(bool, ShowTex, false)
    TERVANE_GRAPH_PROPERTY(std::string, TexName, {})
    TERVANE_GRAPH_PROPERTY(std::int32_t, TexMode, 0)
    TERVANE_GRAPH_PROPERTY(bool, ShowTrans, false)
    TERVANE_GRAPH_PROPERTY(float, TransAlpha, 0.0f)
    TERVANE_GRAPH_PROPERTY(bool, Animation, false)
    TERVANE_GRAPH_PROPERTY(float, MinT, 0.0f)
    TERVANE_GRAPH_PROPERTY(float, MaxT, 0.0f)

    /// Tag of the constructor Decimated uses: only the graph itself can name it.
    struct KeptPoints {
        explicit KeptPoints() = default;
    };

public:
    CGraph() = default;
    /// A copy of full with the grid points at rows iKept and columns jKept (Decimated).
    CGraph(KeptPoints, const CGraph& full, const std::vector<std::size_t>& iKept,
           const std::vector<std::size_t>& jKept);

    /// Running extents: x, y, u, v and magnitude from sampling; GetBox then
    /// overwrites X and Y with the plot X and Y extents and sets Z.
    struct Extents {
        float MaxX = 0, MinX = 0, MaxY = 0, MinY = 0, MaxZ = 0, MinZ = 0;
        float MaxU = 0, MinU = 0, MaxV = 0, MinV = 0, MaxM = 0, MinM = 0;
        /// log |w| of the last sampling that used it (0, 0 otherwise).
        float MaxL = 0, MinL = 0;
    };

    /// A new graph with these properties set, in this order; this one is unchanged.
    std::shared_ptr<CGraph>
    Init(std::int32_t lngID, const std::string& strName, std::int32_t gtpGraphType,
         std::int32_t dtpCoordType, const std::string& strExpX, const std::string& strExpY,
         const std::string& strExpZ, std::int32_t lngStepU, std::int32_t lngStepV, float sngMinU,
         float sngMaxU, float sngMinV, float sngMaxV, std::int32_t fstFillStyle,
         std::int32_t lngFirstColor, std::int32_t lngSecondColor, std::int32_t lngLineColor,
         std::int32_t lngLineWidth, std::int32_t MatType, std::int32_t shwShow,
         std::int32_t smtSmooth, bool bolShowCon, bool bolShowVec, bool bolShowColormap,
         std::int32_t lngConLevel) const;

    /// Copies the settings of fsfnew (not ID, texture, translucency or grids).
    void EqualTo(const CGraph& fsfnew);

    /// Calls visit(name, kind, value) for every stored field in record order.
    template <typename Visit> void VisitStoredFields(Visit&& visit) const {
#define TERVANE_VISIT(Name, Kind) visit(std::string_view(#Name), StoredField::Kind, Name());
        TERVANE_CGRAPH_STORED_FIELDS(TERVANE_VISIT)
#undef TERVANE_VISIT
    }

    /// Calls visit(name, kind, value, set) for every stored field in record order, where
    /// set(newValue) stores a new value through the field's setter.
    template <typename Visit> void VisitStoredFields(Visit&& visit) {
#define TERVANE_VISIT(Name, Kind)                                                                  \
    visit(std::string_view(#Name), StoredField::Kind, Name(),                                      \
          [this](const std::decay_t<decltype(Name())>& value) { Set##Name(value); });
        TERVANE_CGRAPH_STORED_FIELDS(TERVANE_VISIT)
#undef TERVANE_VISIT
    }

    /// Kept for callers that prepare animation settings; there is nothing to prepare.
    void InitData() {}

    /// Samples the function over the grid at t = MinT. Returns false, with
    /// LastError() saying why, when the function text does not translate, gives
    /// no value, or the grid cannot be held. Points where the function is
    /// undefined (division by zero, overflow) are stored as NaN.
    bool GetPoints(const SamplingOptions& options = {});

    /// Samples at the given value of the animation parameter t.
    bool GetPoints(float t, const SamplingOptions& options = {});

    /// Samples at animation step h of frames: t = MinT + h·(MaxT − MinT)/frames.
    bool GetPointsAtStep(std::int32_t step, std::int32_t frames,
                         const SamplingOptions& options = {});

    /// The box the graph occupies in plot coordinates (minimum above maximum
    /// when it takes no point). Also stores the plot extents.
    CBox GetBox(std::int32_t lngAnimStep = 0);

    /// Whether GetBox cuts each plot axis of a surface or colour map at the fences of its
    /// outlying values (FindSpikeLimits), so that one huge value near a pole does not shrink
    /// the rest of the graph to a stick. The view's setting, not stored in documents; the
    /// renderer sets it on every graph it draws.
    void SetClipSpikes(bool on) {
        if (on == clipSpikes_) return;
        clipSpikes_ = on;
        ++settingsRevision_;
    }
    bool ClipSpikes() const noexcept {
        return clipSpikes_;
    }

    /// The limits of the plot axes X, Y and Z (0..2) the last GetBox found; an axis that was
    /// not cut has Clips() false.
    const SpikeLimits& SpikeClip(int axis) const {
        return spikeClip_.at(static_cast<std::size_t>(axis));
    }
    /// True when the last GetBox cut any axis.
    bool SpikesClipped() const noexcept {
        return spikeClip_[0].Clips() || spikeClip_[1].Clips() || spikeClip_[2].Clips();
    }

    /// Why the last GetPoints failed (empty after a success).
    const std::string& LastError() const noexcept {
        return lastError_;
    }

    /// The syntax error of the last GetPoints, if its function did not translate.
    const std::optional<SyntaxError>& LastSyntaxError() const noexcept {
        return syntaxError_;
    }

    /// Splits a packed colour (red in the low byte) into fractions of 255.
    static void SplitColor(std::int32_t color, double& red, double& green, double& blue);

    // Sampled grids (empty before the first GetPoints).
    const Grid2D& DomainX() const noexcept {
        return grids_.x;
    }
    const Grid2D& DomainY() const noexcept {
        return grids_.y;
    }
    const Grid2D& RealPart() const noexcept {
        return grids_.u;
    }
    const Grid2D& ImaginaryPart() const noexcept {
        return grids_.v;
    }
    const Grid2D& MagnitudeGrid() const noexcept {
        return grids_.m;
    }
    /// Plot and colour grids: the value grid chosen by the quantity code at the
    /// last sampling (a zero grid for a code that selects no quantity, such as the phase
    /// scheme's colour codes).
    const Grid2D& PlotX() const {
        return Quantity(plotCodes_[0]);
    }
    const Grid2D& PlotY() const {
        return Quantity(plotCodes_[1]);
    }
    const Grid2D& PlotZ() const {
        return Quantity(plotCodes_[2]);
    }
    const Grid2D& ColorGridR() const {
        return Quantity(colorCodes_[0]);
    }
    const Grid2D& ColorGridG() const {
        return Quantity(colorCodes_[1]);
    }
    const Grid2D& ColorGridB() const {
        return Quantity(colorCodes_[2]);
    }

    const Extents& GetExtents() const noexcept {
        return extents_;
    }

    /// True when the last sampled function reads t (it then differs per animation step).
    bool UsesT() const noexcept {
        return usesT_;
    }

    /// Bytes held by the sampled grids.
    std::size_t BytesHeld() const noexcept;

    /// Counts changes of the settings; drawing caches compare it.
    std::uint64_t SettingsRevision() const noexcept {
        return settingsRevision_;
    }
    /// Counts samplings.
    std::uint64_t SampleRevision() const noexcept {
        return sampleRevision_;
    }

    /// Sampled steps of the curve and point kinds (every animation step for the kinds that
    /// sample them all at once, else one), and of the animated surface.
    std::int32_t SampledSteps() const noexcept;

    /// The points of a step of the curve and point kinds: the curve's points along u, the point
    /// objects of that step (one for kind 8, one per row for kind 9, two per row for kind 10).
    /// Empty for a step not sampled and for every other kind.
    std::span<const PointSample> StepPoints(std::int32_t step) const;

    /// The point object of kind 8 at step t, of kind 9 at row u and step t, and of kind 12 at
    /// grid point (u, v) and step t; a NaN point where none was sampled.
    PointSample Anim1D(std::int32_t t) const;
    PointSample Anim2D(std::int32_t u, std::int32_t t) const;
    PointSample Anim3D(std::int32_t u, std::int32_t v, std::int32_t t) const;

    /// Makes the plot grids those of step of the animated surface (kind 12); no resampling and
    /// no new sample revision (drawing calls it for the step it draws).
    void UseAnimationStep(std::int32_t step);

    /// A copy of this sampled surface or colour map keeping every k-th grid point each way (and
    /// the last), for a lighter picture while the view is being turned. Settings, extents,
    /// spike limits and the box stay those of the full grid, so the lighter picture has the
    /// same colours and place. Nothing for other kinds, animated steps or k below 2.
    [[nodiscard]] std::shared_ptr<CGraph> Decimated(std::size_t k) const;

private:
    bool SampleDocumentKind(const std::string& postfix, float t, const SamplingOptions& options,
                            std::int32_t frames);
    bool SampleCurvePoints(const std::string& postfix, float t, const SamplingOptions& options,
                           std::int32_t frames);
    bool SampleStepGrids(const std::string& postfix, float t, const SamplingOptions& options,
                         std::int32_t frames);
    bool SampleRotation(const std::string& postfix, float t, const SamplingOptions& options);

    /// What the steps of an all-steps kind were sampled with; unchanged, a new request for a
    /// step reuses them.
    struct AllStepsKey {
        std::uint64_t settings = 0;
        std::int32_t frames = 0;
        ViewLimits view;
        friend bool operator==(const AllStepsKey&, const AllStepsKey&) = default;
    };
    std::optional<AllStepsKey> allSteps_;
    std::vector<std::vector<PointSample>> stepPoints_;
    std::vector<SampleGrids> stepGrids_;
    std::int32_t selectedStep_ = -1;

    const Grid2D& Quantity(std::int32_t code) const;
    CBox ComputeBox(std::int32_t lngAnimStep);
    bool Fail(std::string message);
    void ChooseQuantities(std::uint64_t nu, std::uint64_t nv);

    /// The last GetBox, reused while neither grids nor settings change (the
    /// view asks for the box at every rebuild of the scene list).
    struct BoxCache {
        std::uint64_t samples = 0;
        std::uint64_t settings = 0;
        std::int32_t step = 0;
        CBox box;
    };
    std::optional<BoxCache> boxCache_;

    SampleGrids grids_;
    Grid2D zero_; ///< stands in for codes that select no quantity
    /// arg w and log |w|, worked out from the sampled grids only when a code selects them.
    Grid2D argument_, logMagnitude_;
    std::int32_t plotCodes_[3] = {0, 0, 0};
    std::int32_t colorCodes_[3] = {0, 0, 0};
    Extents extents_;
    bool clipSpikes_ = true;
    std::array<SpikeLimits, 3> spikeClip_{};
    bool usesT_ = false;
    std::string lastError_;
    std::optional<SyntaxError> syntaxError_;
    std::uint64_t settingsRevision_ = 0;
    std::uint64_t sampleRevision_ = 0;
};

#undef TERVANE_GRAPH_PROPERTY

} // namespace tervane
