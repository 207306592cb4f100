#pragma once

#include "text/file_read.h"

#include <cstdio>
#include <string>

namespace tressal::cli {

// The whole of standard input (or of in) as bytes, at most maxBytes, the
// bound of an input file; throws Error saying what went wrong.
std::string ReadStandardInput(std::FILE* in = stdin, std::size_t maxBytes = kMaxInputBytes);

} // namespace tressal::cli
