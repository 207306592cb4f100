#pragma once

// A generated Sconet student export of that many students: a header of 22
// fields, then one line per student, Windows-1252, CR LF.

#include "bench_names.h"

#include <random>
#include <string>

inline std::string MakeSconetExport(int students) {
    static const char* const kOptions[] = {"AGL1", "ESP2", "ALL1", "LATIN", ""};
    std::mt19937 random(42);
    std::string text = "NOM";
    for (int i = 2; i <= 22; ++i)
        text += ";C" + std::to_string(i);
    text += "\r\n";
    for (int i = 0; i < students; ++i) {
        text += std::string(kBenchLastNames[random() % 10]) + std::to_string(i % 3000) + ";" +
                kBenchFirstNames[random() % 10] + ";Marie;;" + std::to_string(1 + random() % 28) +
                "/0" + std::to_string(1 + random() % 9) + "/20" +
                std::to_string(10 + random() % 5) + ";" + std::to_string(i) + ";12345678" +
                std::to_string(i % 100) + "A;" + (random() % 2 ? "M" : "F") + ";" +
                std::to_string(3 + random() % 4) + "\xE8me " + char('A' + random() % 4) + ";" +
                kOptions[random() % 5] + ";" + kOptions[random() % 5] +
                ";;;;DP;G1;0210001A;01/09/2026;" + std::to_string(i % 90) +
                " rue des Lilas;21000;DIJON;0380000000\r\n";
    }
    return text;
}
