#pragma once

#include "conversions/conversion_report.h"

#include <ostream>

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

} // namespace tressal::cli
