#pragma once

#include <GL/gl.h>

#include <utility>

namespace tervane {

/// A block of consecutive display-list names owned for its lifetime.
///
/// The lists are deleted by the destructor, which therefore needs the context they were made in
/// (or one sharing its lists) to be current; with no context current the deletion is a no-op.
class GlListRange {
public:
    /// An empty range (base 0), which owns nothing.
    GlListRange() = default;

    /// Generates count new list names; Base() stays 0 when GL cannot provide them.
    explicit GlListRange(GLsizei count)
        : base_(glGenLists(count)), count_(base_ != 0 ? count : 0) {}

    ~GlListRange() { Reset(); }

    GlListRange(const GlListRange&) = delete;
    GlListRange& operator=(const GlListRange&) = delete;
    GlListRange(GlListRange&& other) noexcept
        : base_(std::exchange(other.base_, 0)), count_(std::exchange(other.count_, 0)) {}
    GlListRange& operator=(GlListRange&& other) noexcept {
        if (this != &other) {
            Reset();
            base_ = std::exchange(other.base_, 0);
            count_ = std::exchange(other.count_, 0);
        }
        return *this;
    }

    /// First list name, 0 when the range is empty.
    [[nodiscard]] GLuint Base() const { return base_; }
    /// Number of names owned.
    [[nodiscard]] GLsizei Count() const { return count_; }

    /// Deletes the lists now and leaves the range empty.
    void Reset() {
        if (base_ != 0) glDeleteLists(base_, count_);
        base_ = 0;
        count_ = 0;
    }

private:
    GLuint base_ = 0;
    GLsizei count_ = 0;
};

} // namespace tervane
