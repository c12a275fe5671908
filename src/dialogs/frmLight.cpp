#include "dialogs/frmLight.h"

#include "dialogs/detail/DialogParts.h"
#include "dialogs/detail/PropertyParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tervane {

frmLight::frmLight(CLight& light, QWidget* parent) : QDialog(parent), light_(light) {
    setObjectName("frmLight");
    setWindowTitle("Light Properties");
    const LightInput in = LoadLight(light);

    const auto check = [](const QString& caption, const QString& name, bool on) {
        auto* c = new QCheckBox(caption);
        c->setObjectName(name);
        c->setChecked(on);
        return c;
    };
    Check1_ = check(" Lighting", "Check1", in.Lighting);
    Check2_ = check(" Two sides", "Check2", in.TwoSides);
    Check3_ = check("Global ambient light", "Check3", in.GlobalAmbient);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Check1_);
    layout->addWidget(Check2_);
    layout->addWidget(Check3_);
    // The boxes of each frame and their names: position X, Y, Z, W is Text1, 2, 3 and 16.
    struct Frame {
        const char* title;
        const char* captions[4];
        int names[4];
    };
    const Frame frames[] = {
        {"Light Position", {"X", "Y", "Z", "W"}, {1, 2, 3, 16}},
        {"Diffuse light color", {"R", "G", "B", "A"}, {4, 5, 6, 7}},
        {"Ambient light color", {"R", "G", "B", "A"}, {8, 9, 10, 11}},
        {"Specular light color", {"R", "G", "B", "A"}, {12, 13, 14, 15}},
    };
    for (int f = 0; f < 4; ++f) {
        auto* box = new QGroupBox(frames[f].title);
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < 4; ++i) {
            const auto k = static_cast<std::size_t>(f * 4 + i);
            numbers_[k] = detail::AddTextBox(grid, 0, i * 2, frames[f].captions[i],
                                             QString("Text%1").arg(frames[f].names[i]),
                                             QString::fromStdString(in.Numbers[k]));
        }
        layout->addWidget(box);
    }
    layout->addWidget(detail::OkCancelButtons(this, [this] { Command1_Click(); }));
}

void frmLight::Command1_Click() {
    LightInput in;
    in.Lighting = Check1_->isChecked();
    in.TwoSides = Check2_->isChecked();
    in.GlobalAmbient = Check3_->isChecked();
    for (std::size_t k = 0; k < numbers_.size(); ++k)
        in.Numbers[k] = detail::Text(numbers_[k]);
    ApplyLight(in, light_);
    accept();
}

} // namespace tervane
