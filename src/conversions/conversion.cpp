#include "conversions/conversion.h"

#include <ctime>

namespace tressal {

std::tm LocalTime(std::time_t time) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &time);
#else
    localtime_r(&time, &local);
#endif
    return local;
}

std::chrono::year_month_day LocalToday() {
    const std::tm local = LocalTime(std::time(nullptr));
    return std::chrono::year_month_day{std::chrono::year(local.tm_year + 1900),
                                       std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                       std::chrono::day(static_cast<unsigned>(local.tm_mday))};
}

const Conversion* FindConversion(std::string_view cliName) {
    for (const auto& conversion : Conversions())
        if (conversion.cliName == cliName)
            return &conversion;
    return nullptr;
}

} // namespace tressal
