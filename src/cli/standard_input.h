#pragma once

#include <string>

namespace tressal::cli {

// The whole of standard input as bytes, under the size bound of an input file;
// throws Error saying what went wrong.
std::string ReadStandardInput();

} // namespace tressal::cli
