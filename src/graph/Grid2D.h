#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>

namespace tervane {

/// Two-dimensional grid of single floats indexed (i, j), i = 0..StepU, j = 0..StepV.
/// Stored row-major in i, so the points of one i are contiguous. Storage is
/// kept across resizes that fit, so resampling a graph does not allocate.
class Grid2D {
public:
    Grid2D() = default;

    /// A zero-filled grid of nu by nv points.
    Grid2D(std::size_t nu, std::size_t nv) {
        Resize(nu, nv);
        Fill(0.0f);
    }

    Grid2D(const Grid2D& other) { *this = other; }
    Grid2D& operator=(const Grid2D& other) {
        if (this != &other) {
            Resize(other.nu_, other.nv_);
            std::copy(other.data_.get(), other.data_.get() + other.Count(), data_.get());
        }
        return *this;
    }
    Grid2D(Grid2D&&) noexcept = default;
    Grid2D& operator=(Grid2D&&) noexcept = default;

    /// Makes the grid nu by nv points. The values are unspecified afterwards
    /// (a caller writes every point, or calls Fill). May throw std::bad_alloc.
    void Resize(std::size_t nu, std::size_t nv) {
        const std::size_t count = nu * nv;
        if (count > capacity_) {
            data_ = std::make_unique_for_overwrite<float[]>(count);
            capacity_ = count;
        }
        nu_ = nu;
        nv_ = nv;
    }

    /// Sets every point to value.
    void Fill(float value) { std::fill(data_.get(), data_.get() + Count(), value); }

    /// Drops the values and the storage.
    void Release() noexcept {
        data_.reset();
        capacity_ = nu_ = nv_ = 0;
    }

    std::size_t SizeU() const noexcept { return nu_; }
    std::size_t SizeV() const noexcept { return nv_; }
    std::size_t Count() const noexcept { return nu_ * nv_; }
    bool Empty() const noexcept { return Count() == 0; }

    float operator()(std::size_t i, std::size_t j) const { return data_[i * nv_ + j]; }
    float& operator()(std::size_t i, std::size_t j) { return data_[i * nv_ + j]; }

    /// The points of one i, j = 0..StepV.
    float* Row(std::size_t i) { return data_.get() + i * nv_; }
    const float* Row(std::size_t i) const { return data_.get() + i * nv_; }

    /// All points, row after row.
    std::span<const float> Values() const noexcept { return {data_.get(), Count()}; }

    /// Bytes held by the grid's storage.
    std::size_t Bytes() const noexcept { return capacity_ * sizeof(float); }

private:
    std::size_t nu_ = 0;
    std::size_t nv_ = 0;
    std::size_t capacity_ = 0;
    std::unique_ptr<float[]> data_;
};

} // namespace tervane
