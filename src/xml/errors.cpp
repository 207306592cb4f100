#include "xml/errors.h"

namespace tressal::xml {

NotFoundError::NotFoundError(const std::string& name)
    : Error("Noeud \"" + name + "\" non trouvé"), name_(name) {}

} // namespace tressal::xml
