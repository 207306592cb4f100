#pragma once

#include <string_view>

namespace tressal {

// True when the Windows-1252 text holds a well-formed UTF-8 sequence beyond
// ASCII: UTF-8 text read as Windows-1252 ("Ã©" for "é").
bool HoldsUtf8Sequence(std::string_view text);

} // namespace tressal
