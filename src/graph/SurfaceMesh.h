#pragma once

#include "graph/CGraph.h"

#include <array>
#include <cstdint>
#include <vector>

namespace tervane {

/// What a surface or colour map draws, computed from a sampled graph without
/// GL: per-vertex colours scaled by the quantity codes, face and vertex
/// normals (with closed seams), and which cells are drawn. Graph drawing and
/// mesh export share it.
class SurfaceMesh {
public:
    using Vec3 = std::array<double, 3>;

    /// Minimum and range of one colour channel.
    struct Channel {
        double minimum = 0.0;
        double range = 0.0;
        /// Values beyond the range saturate (a channel cut at its spikes).
        bool clamped = false;
    };

    /// Computes the mesh of graph, whose GetBox has just stored its extents.
    /// minYLift is added to the stored minimum Y (graphs with overlays draw
    /// them below a raised floor).
    explicit SurfaceMesh(const CGraph& graph, float minYLift = 0.0f);

    std::size_t SizeU() const noexcept { return nu_; }
    std::size_t SizeV() const noexcept { return nv_; }

    /// Position of point (i, j) in plot coordinates (X, Y, Z).
    Vec3 Position(std::size_t i, std::size_t j) const;
    /// Colour of point (i, j): (value − minimum) / range per channel; 0 for a
    /// channel whose range is 0 or whose code selects no quantity. A graph in the
    /// phase scheme takes the phase colour of w instead.
    Vec3 Color(std::size_t i, std::size_t j) const;
    /// Unit normal of cell (i, j), i < SizeU − 1, j < SizeV − 1 (a zero vector
    /// for a cell whose corners are collinear).
    const Vec3& FaceNormal(std::size_t i, std::size_t j) const {
        return faceNormals_[i * (nv_ - 1) + j];
    }
    /// Unit normal of point (i, j): the face normals around it, summed across
    /// closed seams.
    const Vec3& VertexNormal(std::size_t i, std::size_t j) const {
        return vertexNormals_[i * nv_ + j];
    }
    /// True when cell (i, j) is drawn: none of its corners is invalid (NaN).
    bool CellValid(std::size_t i, std::size_t j) const { return cellValid_[i * (nv_ - 1) + j]; }

    const Channel& Red() const noexcept { return channels_[0]; }
    const Channel& Green() const noexcept { return channels_[1]; }
    const Channel& Blue() const noexcept { return channels_[2]; }

    /// True when the grid closes along j (or i): its first and last points coincide.
    bool ClosedAlongJ() const noexcept { return closedJ_; }
    bool ClosedAlongI() const noexcept { return closedI_; }

    /// Number of cells that are drawn.
    std::size_t ValidCells() const noexcept;

private:
    void ComputeFaceNormals();
    void ComputeVertexNormals();

    const CGraph& graph_;
    std::size_t nu_ = 0, nv_ = 0;
    std::array<Channel, 3> channels_{};
    std::array<Channel, 3> colours_{}; ///< channels_, cut at spikes when the plot is
    bool phase_ = false, phaseRings_ = false, phaseRays_ = false;
    std::vector<Vec3> faceNormals_;
    std::vector<Vec3> vertexNormals_;
    std::vector<std::uint8_t> cellValid_;
    bool closedJ_ = false, closedI_ = false;
};

} // namespace tervane
