#pragma once

#include <array>

namespace tervane {

/// Everything a GL layer passes to glLight/glLightModel for one frame, in ready-made arrays.
struct LightSetup {
    bool enabled = false;
    std::array<float, 4> light0Position{};
    /// Light 0 mirrored through the origin, so surfaces are lit from both sides.
    std::array<float, 4> light1Position{};
    std::array<float, 4> diffuse{};
    std::array<float, 4> ambient{};
    std::array<float, 4> specular{};
    std::array<float, 4> modelAmbient{};
    float modelTwoSide = 0.0f;
};

/// The one user-editable light of the view; drives GL lights 0 and 1 with the same colours.
class CLight {
public:
    /// Lighting on or off.
    [[nodiscard]] bool Enabled() const { return enabled_; }
    void SetEnabled(bool value) { enabled_ = value; }

    /// Position of light 0 (x, y, z, w); index 0..3.
    [[nodiscard]] float Position(int index) const;
    void SetPosition(int index, float value);

    /// Diffuse colour of both lights (RGBA); index 0..3.
    [[nodiscard]] float Diffuse(int index) const;
    void SetDiffuse(int index, float value);

    /// Ambient colour of both lights (RGBA); index 0..3.
    [[nodiscard]] float Amission(int index) const;
    void SetAmission(int index, float value);

    /// Specular colour of both lights (RGBA); index 0..3.
    [[nodiscard]] float Specular(int index) const;
    void SetSpecular(int index, float value);

    /// Light-model ambient level, 1 or 0 from the light dialog; index 0 only.
    [[nodiscard]] float GlobalAmbient(int index) const;
    void SetGlobalAmbient(int index, float value);

    /// Light-model two-sided lighting, 1 or 0; index 0 only.
    [[nodiscard]] float TwoSides(int index) const;
    void SetTwoSides(int index, float value);

    /// The values SetLight issues: light 0, mirrored light 1 and the light model.
    [[nodiscard]] LightSetup Setup() const;

private:
    bool enabled_ = true;
    std::array<float, 4> position_{100.0f, 100.0f, 100.0f, 1.0f};
    std::array<float, 4> diffuse_{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> amission_{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 4> specular_{1.0f, 1.0f, 1.0f, 1.0f};
    std::array<float, 1> globalAmbient_{1.0f};
    std::array<float, 1> twoSides_{1.0f};
};

} // namespace tervane
