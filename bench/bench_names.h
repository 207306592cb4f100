#pragma once

// Names that the generated exports draw from, accents included: the same
// bytes in Windows-1252 and in ISO-8859-15.
inline constexpr const char* kBenchLastNames[] = {
    "DUPONT",  "MARTIN", "B\xC9RANGER", "O'NEIL",   "GAR\xC7ON",
    "LEFEVRE", "NGUYEN", "M\xDCLLER",   "ROUSSEAU", "FAURE"};
inline constexpr const char* kBenchFirstNames[] = {"Jean",
                                                   "L\xE9"
                                                   "a",
                                                   "No\xEBl",
                                                   "Ma\xEBl",
                                                   "Chlo\xE9",
                                                   "Hugo",
                                                   "Zo\xE9",
                                                   "Th\xE9o",
                                                   "Ana\xEFs",
                                                   "Louis"};
