#include "conversions/conversion.h"

namespace tressal {

const Conversion* FindConversion(std::string_view cliName) {
    for (const auto& conversion : Conversions())
        if (conversion.cliName == cliName)
            return &conversion;
    return nullptr;
}

} // namespace tressal
