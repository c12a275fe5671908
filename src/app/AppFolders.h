#pragma once

#include <QString>

namespace tervane {

/// A folder or file the program ships (samples, help, the icon), looked for beside the
/// executable (the build tree) and then in ../share/tervane/ beside it (an install). Returns the
/// first that exists, or the path beside the executable when neither does.
QString ShippedPath(const QString& relative);

} // namespace tervane
