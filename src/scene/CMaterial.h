#pragma once

#include <array>
#include <cstdint>

namespace tervane {

/// The material values a GL layer issues for front and back faces, in issue order.
struct MaterialSetup {
    std::array<float, 4> diffuse{};
    std::array<float, 4> specular{};
    float shininess = 0.0f;
    std::array<float, 4> emission{};
    std::array<float, 4> ambient{};
};

/// Material value created for one draw call; SetMaterial loads a numbered preset.
class CMaterial {
public:
    /// Ambient colour (RGBA); index 0..3.
    [[nodiscard]] float Ambient(int index) const;
    void SetAmbient(int index, float value);

    /// Diffuse colour (RGBA); index 0..3.
    [[nodiscard]] float Diffuse(int index) const;
    void SetDiffuse(int index, float value);

    /// Specular colour (RGBA); index 0..3.
    [[nodiscard]] float Specular(int index) const;
    void SetSpecular(int index, float value);

    /// Emitted colour (RGBA); index 0..3.
    [[nodiscard]] float Emission(int index) const;
    void SetEmission(int index, float value);

    /// Specular exponent; index 0 only.
    [[nodiscard]] float Shininess(int index) const;
    void SetShininess(int index, float value);

    /// A stored number only; SetMaterial neither reads nor writes it.
    [[nodiscard]] std::int32_t MatType() const { return matType_; }
    void SetMatType(std::int32_t value) { matType_ = value; }

    /// Loads preset 1..13 (any other number keeps the current values) and returns what to issue.
    MaterialSetup SetMaterial(int number);

    /// The current values in issue order.
    [[nodiscard]] MaterialSetup Setup() const;

private:
    std::array<float, 4> ambient_{};
    std::array<float, 4> diffuse_{};
    std::array<float, 4> specular_{};
    std::array<float, 4> emission_{};
    std::array<float, 1> shininess_{};
    std::int32_t matType_ = 0;
};

} // namespace tervane
