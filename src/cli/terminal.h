#pragma once

#include "conversions/conversion_report.h"
#include "text/files.h"

#include <cstdio>
#include <ostream>
#include <string>

namespace tressal::cli {

// Prints the report as plain UTF-8 text, one fact a line, each line a keyword
// then tab-separated values, so that a script can read it:
//   resume <summary>          lus <n>          ecrits <n>
//   adresses-responsables|telephones-responsables <n>
//   nombre <reason> <n>       entree <reason> <where> <name> <first name> [<kept>]
//   classe|discipline <code> <n>
//   avertissement <kind> <where> <name> <first name> <text>
//   fichier-existant <path>   inchangees|ajouts|retraits <n>   ajout|retrait <line>
void PrintReport(std::ostream& out, const ConversionReport& report);

// The comparison's lines of the report alone.
void PrintComparison(std::ostream& out, const Comparison& comparison);

// The whole of standard input (or of in) as bytes, at most maxBytes, the
// bound of an input file; throws Error saying what went wrong.
std::string ReadStandardInput(std::FILE* in = stdin, std::size_t maxBytes = kMaxInputBytes);

} // namespace tressal::cli
