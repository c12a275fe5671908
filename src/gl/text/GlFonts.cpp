#include "gl/text/GlFonts.h"

namespace tervane {

GlFonts::GlFonts()
    : label_(QStringLiteral("Arial"), -6, 400, false),
      title_(QStringLiteral("Arial"), -8, 700, false),
      bitmap_(QStringLiteral("Verdana"), -12, 400) {}

std::vector<std::string> GlFonts::Errors() const {
    std::vector<std::string> errors;
    for (const std::string* error : {&label_.Error(), &title_.Error(), &bitmap_.Error()})
        if (!error->empty()) errors.push_back(*error);
    return errors;
}

} // namespace tervane
