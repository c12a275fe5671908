#include "gl/text/detail/FontFaces.h"

#include "gl/headless/GuiApplication.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>

#include <stdexcept>

namespace tervane::detail {

namespace {

struct FaceFiles {
    const char* face;
    const char* family;
    const char* regular;
    const char* bold;
};

// Where Debian's fonts-liberation2 and fonts-dejavu-core put the stand-ins; used when fontconfig
// does not list them (for example a minimal container without a font cache).
constexpr FaceFiles kStandIns[] = {
    {"arial", "Liberation Sans", "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
     "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"},
    {"verdana", "DejaVu Sans", "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
     "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
};

const FaceFiles* FindStandIn(const QString& face) {
    for (const FaceFiles& entry : kStandIns)
        if (face.compare(QLatin1String(entry.face), Qt::CaseInsensitive) == 0) return &entry;
    return nullptr;
}

QRawFont FromFamily(const QString& family, double pixelSize, int weight, bool italic, bool hinted) {
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setItalic(italic);
    font.setHintingPreference(hinted ? QFont::PreferFullHinting : QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName().compare(family, Qt::CaseInsensitive) != 0) return {};
    raw.setPixelSize(pixelSize);
    return raw;
}

} // namespace

QString ResolveFontFamily(const QString& face) {
    const FaceFiles* standIn = FindStandIn(face);
    return standIn != nullptr ? QString::fromLatin1(standIn->family) : face;
}

QRawFont LoadRawFont(const QString& face, double pixelSize, int weight, bool italic, bool hinted) {
    const QString family = ResolveFontFamily(face);
    QRawFont raw = FromFamily(family, pixelSize, weight, italic, hinted);
    if (raw.isValid()) return raw;

    if (const FaceFiles* standIn = FindStandIn(face)) {
        const char* file = weight >= QFont::DemiBold ? standIn->bold : standIn->regular;
        if (QFile::exists(QString::fromLatin1(file))) {
            raw = QRawFont(QString::fromLatin1(file), pixelSize,
                           hinted ? QFont::PreferFullHinting : QFont::PreferNoHinting);
            if (raw.isValid()) return raw;
        }
    }
    throw std::runtime_error("font not found: " + face.toStdString() + " (as " +
                             family.toStdString() + ")");
}

} // namespace tervane::detail

namespace tervane::detail {

std::string PrepareGlyphFont(QRawFont& raw, GlListRange& lists, const QString& face,
                             double pixelSize, int weight, bool italic, bool hinted) {
    try {
        EnsureGuiApplication();
        raw = LoadRawFont(face, pixelSize, weight, italic, hinted);
    } catch (const std::exception& error) {
        return std::string("Unable to create font: ") + error.what();
    }
    lists = GlListRange(128);
    if (lists.Base() == 0) return "Unable to create font: no display lists available";
    return {};
}

} // namespace tervane::detail
