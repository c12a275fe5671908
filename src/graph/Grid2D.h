#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

namespace tervane {

/// Two-dimensional grid of single floats indexed (i, j), i = 0..StepU, j = 0..StepV.
///
/// A grid stores only what its values vary with: a full grid keeps every point (row-major in i,
/// so the points of one i are contiguous); a grid that varies along i only (the x of a
/// Cartesian domain) keeps one value per i, one that varies along j only keeps one per j, and a
/// constant grid keeps one value. Every form reads the same through (i, j), SizeU(), SizeV(),
/// Count() and Values(). Storage is kept across resizes that fit, so resampling a graph does
/// not allocate.
class Grid2D {
public:
    /// How the values vary.
    enum class Layout {
        Full,    ///< one value per point
        AlongU,  ///< one value per i
        AlongV,  ///< one value per j
        Constant ///< one value
    };

    Grid2D() = default;

    /// A zero-filled full grid of nu by nv points.
    Grid2D(std::size_t nu, std::size_t nv) {
        Resize(nu, nv);
        Fill(0.0f);
    }

    /// A grid of nu by nv points that all hold value, stored as one value.
    static Grid2D Constant(std::size_t nu, std::size_t nv, float value) {
        Grid2D g;
        g.Resize(nu, nv, Layout::Constant);
        g.Fill(value);
        return g;
    }

    Grid2D(const Grid2D& other) { *this = other; }
    Grid2D& operator=(const Grid2D& other) {
        if (this != &other) {
            Resize(other.nu_, other.nv_, other.layout_);
            std::copy(other.data_.get(), other.data_.get() + other.StoredCount(), data_.get());
        }
        return *this;
    }
    Grid2D(Grid2D&&) noexcept = default;
    Grid2D& operator=(Grid2D&&) noexcept = default;

    /// Makes the grid nu by nv points in the given layout. The values are unspecified
    /// afterwards (a caller writes every stored value, or calls Fill). May throw std::bad_alloc.
    void Resize(std::size_t nu, std::size_t nv, Layout layout = Layout::Full) {
        nu_ = nu;
        nv_ = nv;
        layout_ = layout;
        strideU_ = layout == Layout::Full ? nv : layout == Layout::AlongU ? 1 : 0;
        strideV_ = layout == Layout::Full || layout == Layout::AlongV ? 1 : 0;
        const std::size_t count = StoredCount();
        if (count > capacity_) {
            data_.reset();
            capacity_ = 0;
            data_ = std::make_unique_for_overwrite<float[]>(count);
            capacity_ = count;
        }
    }

    /// Sets every point to value.
    void Fill(float value) { std::fill(data_.get(), data_.get() + StoredCount(), value); }

    /// The indices 0, k, 2k, ... of n points, and the last one always (k at least 1).
    static std::vector<std::size_t> EveryKth(std::size_t n, std::size_t k) {
        std::vector<std::size_t> kept;
        if (n == 0) return kept;
        k = std::max<std::size_t>(k, 1);
        for (std::size_t i = 0; i < n - 1; i += k)
            kept.push_back(i);
        kept.push_back(n - 1);
        return kept;
    }

    /// The grid of the points at rows iKept and columns jKept, in the same layout.
    Grid2D Subsampled(const std::vector<std::size_t>& iKept,
                      const std::vector<std::size_t>& jKept) const {
        Grid2D g;
        if (Empty()) return g;
        g.Resize(iKept.size(), jKept.size(), layout_);
        float* out = g.data_.get();
        switch (layout_) {
        case Layout::Full:
            for (const std::size_t i : iKept)
                for (const std::size_t j : jKept)
                    *out++ = (*this)(i, j);
            break;
        case Layout::AlongU:
            for (const std::size_t i : iKept)
                *out++ = (*this)(i, 0);
            break;
        case Layout::AlongV:
            for (const std::size_t j : jKept)
                *out++ = (*this)(0, j);
            break;
        case Layout::Constant:
            *out = data_[0];
            break;
        }
        return g;
    }

    /// Drops the values and the storage.
    void Release() noexcept {
        data_.reset();
        capacity_ = nu_ = nv_ = strideU_ = strideV_ = 0;
    }

    std::size_t SizeU() const noexcept { return nu_; }
    std::size_t SizeV() const noexcept { return nv_; }
    /// Points of the grid (nu × nv, whatever is stored).
    std::size_t Count() const noexcept { return nu_ * nv_; }
    bool Empty() const noexcept { return Count() == 0; }
    Layout GetLayout() const noexcept { return layout_; }

    float operator()(std::size_t i, std::size_t j) const {
        return data_[i * strideU_ + j * strideV_];
    }

    /// The stored values: every point of a full grid row after row, the value per i, per j, or
    /// the one value.
    float* StoredData() { return data_.get(); }
    std::size_t StoredCount() const noexcept {
        switch (layout_) {
        case Layout::Full:
            return Count();
        case Layout::AlongU:
            return nu_;
        case Layout::AlongV:
            return nv_;
        default:
            return Count() == 0 ? 0 : 1;
        }
    }

    /// The points of one i of a full grid, j = 0..StepV.
    float* Row(std::size_t i) { return data_.get() + i * nv_; }
    const float* Row(std::size_t i) const { return data_.get() + i * nv_; }

    /// Every point, row after row, read through (i, j).
    class PointRange {
    public:
        class iterator {
        public:
            using iterator_category = std::forward_iterator_tag;
            using value_type = float;
            using difference_type = std::ptrdiff_t;
            using pointer = const float*;
            using reference = float;
            iterator() = default;
            iterator(const Grid2D* g, std::size_t k) : g_(g), k_(k) {}
            float operator*() const { return (*g_)[k_]; }
            iterator& operator++() {
                ++k_;
                return *this;
            }
            iterator operator++(int) {
                iterator old = *this;
                ++k_;
                return old;
            }
            bool operator==(const iterator& other) const { return k_ == other.k_; }

        private:
            const Grid2D* g_ = nullptr;
            std::size_t k_ = 0;
        };

        explicit PointRange(const Grid2D& g) : g_(&g) {}
        iterator begin() const { return {g_, 0}; }
        iterator end() const { return {g_, g_->Count()}; }
        std::size_t size() const { return g_->Count(); }
        float operator[](std::size_t k) const { return (*g_)[k]; }

    private:
        const Grid2D* g_;
    };
    PointRange Values() const noexcept { return PointRange(*this); }

    /// Every point in one contiguous array: the grid's own storage when it is full, otherwise
    /// scratch filled with the values.
    std::span<const float> Contiguous(std::vector<float>& scratch) const {
        if (layout_ == Layout::Full) return {data_.get(), Count()};
        scratch.assign(Values().begin(), Values().end());
        return scratch;
    }

    /// Bytes held by the grid's storage.
    std::size_t Bytes() const noexcept { return capacity_ * sizeof(float); }

private:
    /// Point k of the row-after-row order.
    float operator[](std::size_t k) const {
        if (layout_ == Layout::Full) return data_[k];
        return (*this)(k / nv_, k % nv_);
    }

    std::size_t nu_ = 0;
    std::size_t nv_ = 0;
    std::size_t strideU_ = 0;
    std::size_t strideV_ = 0;
    std::size_t capacity_ = 0;
    Layout layout_ = Layout::Full;
    std::unique_ptr<float[]> data_;
};

} // namespace tervane
