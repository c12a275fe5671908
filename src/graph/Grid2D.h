#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tervane {

/// Two-dimensional grid of single floats indexed (i, j), i = 0..StepU, j = 0..StepV.
/// Stored row-major in i, so the points of one i are contiguous.
class Grid2D {
public:
    Grid2D() = default;

    /// A zero-filled grid of nu by nv points.
    Grid2D(std::size_t nu, std::size_t nv) : nu_(nu), nv_(nv), data_(nu * nv, 0.0f) {}

    std::size_t SizeU() const noexcept { return nu_; }
    std::size_t SizeV() const noexcept { return nv_; }
    bool Empty() const noexcept { return data_.empty(); }

    float operator()(std::size_t i, std::size_t j) const { return data_[i * nv_ + j]; }
    float& operator()(std::size_t i, std::size_t j) { return data_[i * nv_ + j]; }

    /// The points of one i, j = 0..StepV.
    float* Row(std::size_t i) { return data_.data() + i * nv_; }
    const float* Row(std::size_t i) const { return data_.data() + i * nv_; }

    const std::vector<float>& Values() const noexcept { return data_; }

    /// Bytes held by the grid's values.
    std::size_t Bytes() const noexcept { return data_.capacity() * sizeof(float); }

private:
    std::size_t nu_ = 0;
    std::size_t nv_ = 0;
    std::vector<float> data_;
};

} // namespace tervane
