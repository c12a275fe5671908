#pragma once

#include <QPushButton>

#include <cstdint>
#include <functional>

class QCheckBox;
class QDialog;
class QDialogButtonBox;
class QImage;
class QSize;

namespace tervane::detail {

/// A colour box: a flat button showing a packed colour (red in the low byte) as its background.
/// A click asks for a new colour with the colour dialog; a chosen colour is shown and handed
/// to the callback at once.
class ColorBox : public QPushButton {
public:
    ColorBox(const QString& name, std::int32_t packed, QWidget* parent = nullptr);
    [[nodiscard]] std::int32_t Packed() const { return packed_; }
    void SetPacked(std::int32_t packed);
    /// Called with the colour the user chose.
    void OnChosen(std::function<void(std::int32_t)> chosen) { chosen_ = std::move(chosen); }

private:
    void Choose();
    std::int32_t packed_ = 0;
    std::function<void(std::int32_t)> chosen_;
};

/// A check box with its caption, object name and state.
QCheckBox* Check(const QString& caption, const QString& name, bool on);

/// The OK (Command1) and Cancel (Command2) buttons of a property dialog; OK calls ok, Cancel
/// rejects the dialog.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, std::function<void()> ok);

/// The picture of background style 1..16 with two packed colours, as the coordinate system
/// draws it behind a two-dimensional document.
QImage BackgroundThumbnail(int style, std::int32_t color1, std::int32_t color2, const QSize& size);

} // namespace tervane::detail
