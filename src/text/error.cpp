#include "text/error.h"

#include "text/files.h"

#include <new>
#include <system_error>

namespace tressal {

std::string UserMessage(const std::exception& error) {
    if (dynamic_cast<const Error*>(&error) != nullptr)
        return error.what();
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return "Mémoire insuffisante pour aller au bout : fermez d'autres programmes et "
               "recommencez, ou vérifiez que le fichier choisi est bien l'export attendu.";
    if (const auto* system = dynamic_cast<const std::system_error*>(&error);
        system != nullptr && (system->code().category() == std::generic_category() ||
                              system->code().category() == std::system_category()))
        return SystemReason(system->code().value());
    return error.what();
}

} // namespace tressal
