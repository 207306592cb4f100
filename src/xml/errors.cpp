#include "xml/errors.h"

namespace tressal::xml {

LoadError::LoadError(const std::string& reason, int line, const std::string& sourceLine)
    : Error(reason + "\r\nLigne: " + std::to_string(line) + "\r\n" + sourceLine), reason_(reason),
      line_(line), sourceLine_(sourceLine) {}

NotFoundError::NotFoundError(const std::string& name)
    : Error("Noeud \"" + name + "\" non trouvé"), name_(name) {}

} // namespace tressal::xml
