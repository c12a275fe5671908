#pragma once

#include <QIcon>
#include <QString>

namespace tervane {

/// The picture of a toolbar button, drawn with QPainter from its key (barOpen, barZoomAll, ...);
/// a key without a picture of its own gets a lettered square, never a blank button.
QIcon ToolbarIcon(const QString& key);

} // namespace tervane
