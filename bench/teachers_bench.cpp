// Prints the time and peak memory of each teacher conversion, from loading a
// big STS export (5,000 persons, 2,000 divisions) to the saved file, next to a
// bare libxml2 parse of the same input; then the Vesko conversion on two
// shapes that a division lookup walking its lists would make quadratic; with
// --big, the Vesko conversion of an export of 511 MB.

#include "bench_support.h"
#include "conversions/conversion.h"
#include "conversions/save_result.h"
#include "text/files.h"
#include "text/replace_files.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

// Each figure is the median of this many runs.
constexpr int kRuns = 5;

namespace fs = std::filesystem;

constexpr int kPersons = 5000;
constexpr int kDivisions = 2000;
constexpr int kServicesPerDivision = 10;
constexpr int kFirstId = 10001;
constexpr double kGoal = 0.7;
// Peak memory of a teacher conversion, to its input.
constexpr double kStsMemoryGoal = 1.5;
// The largest export (just under the input bound): converted within this
// memory, or refused within kRefusalSeconds.
constexpr double kBigExportBytes = 511e6;
constexpr double kBigGoalMegabytes = 8192;
constexpr double kRefusalSeconds = 2;
// An export broken at its end, refused.
constexpr double kBrokenExportBytes = 100e6;
// The two shapes: so many co-teachers of one service, or divisions of one
// teacher, each converted within kShapeGoalSeconds.
constexpr int kShapeSize = 100000;
constexpr double kShapeGoalSeconds = 0.5;

// Zero-padded to the width: (7, 4) -> "0007".
std::string Padded(int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    return digits;
}

// "D0001" for the first division.
std::string DivisionCode(int number) {
    std::string code(1, 'D');
    code += Padded(number, 4);
    return code;
}

// Appends one indented element holding text: <name>value</name>.
void Element(std::string& text, const char* indent, const char* name, const std::string& value) {
    text += indent;
    text += '<';
    text += name;
    text += '>';
    text += value;
    text += "</";
    text += name;
    text += ">\n";
}

struct Subject {
    const char* code;
    const char* management;
    const char* label; // ISO-8859-15
};

const Subject kSubjects[] = {
    {"020700", "FRANC",
     "Fran\xE7"
     "ais"},
    {"020100", "LATIN", "Latin"},
    {"061300", "MATHS", "Math\xE9matiques"},
    {"030201", "AGL1", "Anglais LV1"},
    {"030102", "ALL2", "Allemand LV2"},
    {"030602", "ESP2", "Espagnol LV2"},
    {"040600", "HIGEO", "Histoire &amp; g\xE9ographie"},
    {"062900", "SVT", "SVT"},
    {"062300", "PH-CH", "Physique-chimie"},
    {"070800", "TECHN", "Technologie"},
    {"081300", "EDMUS",
     "\xC9"
     "ducation musicale"},
    {"090100", "A-PLA", "Arts plastiques"},
    {"100100", "EPS", "EPS"},
};
constexpr int kSubjectCount = static_cast<int>(sizeof kSubjects / sizeof kSubjects[0]);

void AppendHeader(std::string& text) {
    text += "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n"
            "<STS_EDT>\n"
            "  <PARAMETRES>\n"
            "    <UAJ CODE=\"0123456A\">\n"
            "      <ACADEMIE>\n"
            "        <CODE>099</CODE>\n"
            "        <LIBELLE>EXEMPLE</LIBELLE>\n"
            "      </ACADEMIE>\n"
            "      <SIGLE>LYC</SIGLE>\n"
            "      <DENOM_PRINC>LYCEE</DENOM_PRINC>\n"
            "      <DENOM_COMPL>LES TILLEULS</DENOM_COMPL>\n"
            "      <ADRESSE>12 RUE DES \xC9"
            "COLES</ADRESSE>\n"
            "      <COMMUNE>BOURG-SUR-LOIRE</COMMUNE>\n"
            "      <CODE_POSTAL>99100</CODE_POSTAL>\n"
            "      <STATUT>public</STATUT>\n"
            "    </UAJ>\n"
            "    <ANNEE_SCOLAIRE ANNEE=\"2026\">\n"
            "      <DATE_DEBUT>2026-09-01</DATE_DEBUT>\n"
            "      <DATE_FIN>2027-08-31</DATE_FIN>\n"
            "    </ANNEE_SCOLAIRE>\n"
            "  </PARAMETRES>\n"
            "  <NOMENCLATURES>\n"
            "    <CIVILITES>\n"
            "      <CIVILITE CODE=\"1\">\n"
            "        <LIBELLE_COURT>M.</LIBELLE_COURT>\n"
            "        <LIBELLE_LONG>M.</LIBELLE_LONG>\n"
            "      </CIVILITE>\n"
            "      <CIVILITE CODE=\"2\">\n"
            "        <LIBELLE_COURT>MME</LIBELLE_COURT>\n"
            "        <LIBELLE_LONG>Mme</LIBELLE_LONG>\n"
            "      </CIVILITE>\n"
            "    </CIVILITES>\n"
            "    <MATIERES>\n";
    for (const Subject& subject : kSubjects) {
        text += "      <MATIERE CODE=\"";
        text += subject.code;
        text += "\">\n";
        Element(text, "        ", "CODE_GESTION", subject.management);
        Element(text, "        ", "LIBELLE_COURT", subject.management);
        Element(text, "        ", "LIBELLE_EDITION", subject.label);
        text += "      </MATIERE>\n";
    }
    text += "    </MATIERES>\n"
            "  </NOMENCLATURES>\n"
            "  <DONNEES>\n";
}

void AppendPersons(std::string& text, std::mt19937& random) {
    // ISO-8859-15: 0xC9 É, 0xC8 È, 0xC7 Ç, 0xBC Œ, 0xE9 é, 0xEB ë, 0xEF ï, 0xBD œ.
    static const char* const kLast[] = {
        "DUPONT", "MARTIN",     "B\xC9RANGER",    "D'ARTOIS",   "GAR\xC7ON", "LEF\xC8VRE-MARTIN",
        "NGUYEN", "de la Tour", "SAINT-ANDR\xC9", "\xC9TIENNE", "C\xBCUR",   "MOREAU"};
    static const char* const kFirst[] = {"Jean",
                                         "L\xE9"
                                         "a",
                                         "No\xEBl",
                                         "Ma\xEBlle",
                                         "Chlo\xE9",
                                         "Hugo",
                                         "Zo\xE9",
                                         "J\xE9r\xF4me",
                                         "Ana\xEFs",
                                         "Fran\xE7ois",
                                         "Gr\xE9goire",
                                         "Z\xE9lie"};
    static const char* const kGrades[] = {"CERT. CL N", "AGREGE H CL", "EPS CL N", "PEGC CL.EX",
                                          "CERT. STAG"};
    static const char* const kDisciplines[][2] = {
        {"L0202", "LET MODERN"}, {"L1300", "MATHEMATIQ"}, {"L0422", "ANGLAIS"},
        {"L1000", "HIST. GEO."}, {"L1900", "E. P. S"},    {"L1600", "S. V. T."},
        {"L1500", "PHY.CHIMIE"}, {"L1400", "TECHNOLOGI"}, {"L0426", "ESPAGNOL"}};
    constexpr std::size_t kLastCount = sizeof kLast / sizeof kLast[0];
    constexpr std::size_t kFirstCount = sizeof kFirst / sizeof kFirst[0];
    constexpr std::size_t kGradeCount = sizeof kGrades / sizeof kGrades[0];
    constexpr std::size_t kDisciplineCount = sizeof kDisciplines / sizeof kDisciplines[0];

    text += "    <INDIVIDUS>\n";
    for (int i = 0; i < kPersons; ++i) {
        const bool woman = random() % 2 == 0;
        const std::string last = std::string(kLast[random() % kLastCount]) + Padded(i % 4000, 4);
        const std::string birthName =
            random() % 5 == 0 ? std::string(kLast[random() % kLastCount]) : last;
        text += "      <INDIVIDU ID=\"" + std::to_string(kFirstId + i) + "\" TYPE=\"epp\">\n";
        Element(text, "        ", "SEXE", woman ? "2" : "1");
        Element(text, "        ", "CIVILITE", woman ? "2" : "1");
        Element(text, "        ", "NOM_USAGE", last);
        Element(text, "        ", "NOM_PATRONYMIQUE", birthName);
        Element(text, "        ", "PRENOM", kFirst[random() % kFirstCount]);
        Element(text, "        ", "DATE_NAISSANCE",
                std::to_string(1960 + random() % 40) + "-" + Padded(1 + random() % 12, 2) + "-" +
                    Padded(1 + random() % 28, 2));
        Element(text, "        ", "GRADE", kGrades[random() % kGradeCount]);
        Element(text, "        ", "FONCTION", random() % 20 == 0 ? "DOC" : "ENS");
        if (random() % 8 == 0) {
            text += "        <PROFS_PRINC>\n"
                    "          <PROF_PRINC>\n";
            Element(text, "            ", "CODE_STRUCTURE",
                    DivisionCode(1 + static_cast<int>(random() % kDivisions)));
            text += "            <DATE_DEBUT>2026-09-01</DATE_DEBUT>\n"
                    "            <DATE_FIN>2027-08-31</DATE_FIN>\n"
                    "          </PROF_PRINC>\n"
                    "        </PROFS_PRINC>\n";
        }
        text += "        <DISCIPLINES>\n";
        const int disciplines = random() % 6 == 0 ? 2 : 1;
        for (int d = 0; d < disciplines; ++d) {
            const auto& discipline = kDisciplines[random() % kDisciplineCount];
            text += "          <DISCIPLINE CODE=\"";
            text += discipline[0];
            text += "\">\n";
            Element(text, "            ", "LIBELLE_COURT", discipline[1]);
            Element(text, "            ", "NB_HEURES", disciplines == 1 ? "18.00" : "9.00");
            text += "          </DISCIPLINE>\n";
        }
        text += "        </DISCIPLINES>\n"
                "      </INDIVIDU>\n";
    }
    text += "    </INDIVIDUS>\n";
}

void AppendTeacher(std::string& text, int id, const char* hours) {
    text += "                <ENSEIGNANT ID=\"" + std::to_string(id) + "\" TYPE=\"epp\">\n";
    Element(text, "                  ", "HEURES_AGENT", hours);
    text += "                </ENSEIGNANT>\n";
}

void AppendDivisions(std::string& text, std::mt19937& random) {
    text += "    <STRUCTURE>\n"
            "      <DIVISIONS>\n";
    for (int i = 1; i <= kDivisions; ++i) {
        const std::string code = DivisionCode(i);
        const std::string headcount = std::to_string(20 + random() % 15);
        text += "        <DIVISION CODE=\"" + code + "\">\n";
        Element(text, "          ", "LIBELLE_LONG", "DIVISION " + code);
        Element(text, "          ", "EFFECTIF_PREVU", headcount);
        Element(text, "          ", "EFFECTIF_CALCULE", "0");
        text += "          <MEFS_APPARTENANCE>\n"
                "            <MEF_APPARTENANCE CODE=\"10010012110\">\n";
        Element(text, "              ", "EFFECTIF_PREVU", headcount);
        Element(text, "              ", "EFFECTIF_CALCULE", "0");
        text += "            </MEF_APPARTENANCE>\n"
                "          </MEFS_APPARTENANCE>\n"
                "          <SERVICES>\n";
        for (int s = 0; s < kServicesPerDivision; ++s) {
            const bool coTeaching = random() % 4 == 0;
            text += "            <SERVICE CODE_MATIERE=\"";
            text += kSubjects[(i + s) % kSubjectCount].code;
            text += "\" CODE_MOD_COURS=\"CG\">\n";
            Element(text, "              ", "HEURES_STRUCTURE", coTeaching ? "3.00" : "1.50");
            Element(text, "              ", "CO_ENS", coTeaching ? "true" : "false");
            text += "              <ENSEIGNANTS>\n";
            AppendTeacher(text, kFirstId + static_cast<int>(random() % kPersons), "1.50");
            if (coTeaching)
                AppendTeacher(text, kFirstId + static_cast<int>(random() % kPersons), "1.50");
            text += "              </ENSEIGNANTS>\n"
                    "            </SERVICE>\n";
        }
        text += "          </SERVICES>\n"
                "        </DIVISION>\n";
    }
    text += "      </DIVISIONS>\n"
            "    </STRUCTURE>\n";
}

// A big STS export, in ISO-8859-15 bytes.
std::string MakeExport() {
    std::mt19937 random(20260901);
    std::string text;
    text.reserve(32u << 20);
    AppendHeader(text);
    AppendPersons(text, random);
    AppendDivisions(text, random);
    text += "  </DONNEES>\n"
            "</STS_EDT>\n";
    return text;
}

// The shapes hold only what the Vesko conversion reads: a few persons, then
// the structure, one element per line.
std::string ShapeHeader() {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n<STS_EDT><DONNEES><INDIVIDUS>\n";
    for (int i = 0; i < 3; ++i) {
        text += "<INDIVIDU ID=\"" + std::to_string(kFirstId + i) + "\"><CIVILITE>2</CIVILITE>" +
                "<NOM_USAGE>B\xC9RANGER" + Padded(i, 4) + "</NOM_USAGE><PRENOM>Z\xE9lie</PRENOM>" +
                "<DATE_NAISSANCE>1970-05-31</DATE_NAISSANCE></INDIVIDU>\n";
    }
    return text + "</INDIVIDUS><STRUCTURE><DIVISIONS>\n";
}

const char* const kShapeFooter = "</DIVISIONS></STRUCTURE></DONNEES></STS_EDT>\n";

std::string ShapeTeacher(int id) {
    return "<ENSEIGNANT ID=\"" + std::to_string(id) + "\"/>\n";
}

// One division whose one service has `teachers` co-teachers.
std::string ManyCoTeachers(int teachers) {
    std::string text = ShapeHeader() + "<DIVISION CODE=\"3A\"><SERVICES><SERVICE><ENSEIGNANTS>\n";
    for (int t = 0; t < teachers; ++t)
        text += ShapeTeacher(kFirstId + t);
    return text + "</ENSEIGNANTS></SERVICE></SERVICES></DIVISION>\n" + kShapeFooter;
}

// `divisions` divisions, each with one service of the same teacher.
std::string OneTeacherManyDivisions(int divisions) {
    std::string text = ShapeHeader();
    for (int d = 1; d <= divisions; ++d) {
        text += "<DIVISION CODE=\"D" + Padded(d, 6) + "\"><SERVICES><SERVICE><ENSEIGNANTS>" +
                ShapeTeacher(kFirstId) + "</ENSEIGNANTS></SERVICE></SERVICES></DIVISION>\n";
    }
    return text + kShapeFooter;
}

// Reads the file and builds its libxml2 tree, as a loader at the least must.
void BareParse(const fs::path& file) {
    const std::string bytes = tressal::ReadWholeFile(file);
    if (bytes.size() > static_cast<std::size_t>(INT_MAX))
        throw std::runtime_error("too big");
    xmlDocPtr doc = xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                                  XML_PARSE_NONET | XML_PARSE_NOBLANKS);
    if (doc == nullptr)
        throw std::runtime_error("parse failed");
    xmlFreeDoc(doc);
}

void PrintStsMemoryGoal(const Measure& measure, double inputMegabytes) {
    const double ratio = inputMegabytes > 0 ? measure.workMegabytes / inputMegabytes : 0;
    std::printf("%-24s memory x%.2f of the input, STS goal x%.1f %s\n", "", ratio, kStsMemoryGoal,
                measure.ok && ratio <= kStsMemoryGoal ? "met" : "MISSED");
}

// The persons of the big export again and again, up to size bytes; broken:
// cut short in its last closing tag, as a copy that stopped.
void WriteBigExport(const std::string& bytes, const fs::path& file, double size = kBigExportBytes,
                    bool broken = false) {
    const std::size_t begin = bytes.find("<INDIVIDUS>") + 11;
    const std::size_t end = bytes.find("</INDIVIDUS>");
    const std::string_view persons(bytes.data() + begin, end - begin);
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr)
        throw std::runtime_error("cannot write");
    std::fwrite(bytes.data(), 1, begin, out);
    const std::size_t rest = bytes.size() - end;
    for (std::size_t written = bytes.size() - persons.size();
         static_cast<double>(written + persons.size() + rest) < size; written += persons.size())
        std::fwrite(persons.data(), 1, persons.size(), out);
    std::fwrite(bytes.data() + end, 1, broken ? rest - 4 : rest, out);
    if (std::fclose(out) != 0)
        throw std::runtime_error("cannot write");
}

void PrintCompared(const char* name, const Measure& measure, const Measure& reference,
                   const char* referenceName) {
    const double timeRatio = reference.seconds > 0 ? measure.seconds / reference.seconds : 0;
    const double memoryRatio =
        reference.peakMegabytes > 0 ? measure.peakMegabytes / reference.peakMegabytes : 0;
    std::printf("%-24s %s %8.3f s  %7.1f MB peak  ratio %.2f (%s)  memory x%.2f  %s\n", name,
                measure.ok ? "ok    " : "FAILED", measure.seconds, measure.peakMegabytes, timeRatio,
                referenceName, memoryRatio,
                measure.ok && timeRatio <= kGoal ? "goal met" : "GOAL MISSED");
}

// Converts the input and saves the result below root.
void ConvertAndSave(const tressal::Conversion& conversion, const fs::path& source,
                    const fs::path& root) {
    tressal::SaveResult(conversion, conversion.convert(source, {}), root);
}

// The export of 511 MB: converted within 8 GB, or refused at once.
void BigExport(const tressal::Conversion& conversion, const fs::path& folder) {
    const fs::path big = folder / "sts_emp_0000003C_2026.xml";
    if (!MeasureInChild([&] { WriteBigExport(MakeExport(), big); }).ok)
        return;
    const Measure measure =
        MeasureInChild([&] { ConvertAndSave(conversion, big, folder / "out-big"); });
    const double megabytes = static_cast<double>(fs::file_size(big)) / 1e6;
    std::printf("%.0f MB export, %s: %s in %.1f s, %.0f MB peak (x%.2f of the input)\n", megabytes,
                conversion.cliName.c_str(), measure.ok ? "converted" : "refused", measure.seconds,
                measure.peakMegabytes, measure.peakMegabytes / megabytes);
    const bool met = measure.ok ? measure.peakMegabytes <= kBigGoalMegabytes
                                : measure.seconds <= kRefusalSeconds;
    std::printf("%-24s goal: within %.0f MB, or refused within %.0f s: %s\n", "", kBigGoalMegabytes,
                kRefusalSeconds, met ? "met" : "MISSED");
    fs::remove(big);
}

// A big export broken at its end: refused, its error worded without holding
// the document; within the memory goal of any input.
void BrokenExport(const tressal::Conversion& conversion, const fs::path& folder) {
    const fs::path broken = folder / "sts_emp_0000004D_2026.xml";
    if (!MeasureInChild([&] { WriteBigExport(MakeExport(), broken, kBrokenExportBytes, true); }).ok)
        return;
    const Measure measure =
        MeasureInChild([&] { ConvertAndSave(conversion, broken, folder / "out-broken"); });
    const double megabytes = static_cast<double>(fs::file_size(broken)) / 1e6;
    std::printf("%.0f MB export broken at its end, %s:\n", megabytes, conversion.cliName.c_str());
    PrintRefusal("refusing it", measure, megabytes);
    fs::remove(broken);
}

} // namespace

// --big: also the export of 511 MB (a minute or more).
int main(int argc, char** argv) {
    const bool withBig = argc > 1 && std::string_view(argv[1]) == "--big";
    xmlInitParser();
    const fs::path folder =
        fs::temp_directory_path() / ("tressal-teachers-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path input = folder / "sts_emp_0123456A_2026.xml";
    const fs::path citeFolder = folder / "cite";
    const fs::path coTeachers = folder / "sts_emp_0000001A_2026.xml";
    const fs::path manyDivisions = folder / "sts_emp_0000002B_2026.xml";
    // Built in a child, so the text never weighs on the measured processes.
    const Measure generated = MeasureInChild([&] {
        const std::string bytes = MakeExport();
        tressal::WriteFileAtomically(input, bytes);
        fs::create_directories(citeFolder);
        tressal::WriteFileAtomically(citeFolder / "STS_a.xml", bytes);
        tressal::WriteFileAtomically(citeFolder / "STS_b.xml", bytes);
        tressal::WriteFileAtomically(coTeachers, ManyCoTeachers(kShapeSize));
        tressal::WriteFileAtomically(manyDivisions, OneTeacherManyDivisions(kShapeSize));
    });
    if (!generated.ok) {
        std::fprintf(stderr, "could not write the export below %s\n", folder.c_str());
        return 1;
    }
    std::printf("STS export of %d persons, %d divisions: %.1f MB (ISO-8859-15)\n", kPersons,
                kDivisions, static_cast<double>(fs::file_size(input)) / 1e6);
    std::printf("goal: ratio <= %.1f (conversion time / bare libxml2 parse time of its input)\n",
                kGoal);

    const Measure single = MeasureMedianOf(kRuns, [&] { BareParse(input); });
    PrintMeasure("bare libxml2 parse", single);
    // The folder conversion reads two copies of the file: its reference is two
    // separate single-file parses.
    Measure twoParses = single;
    twoParses.seconds = 2 * single.seconds;

    const tressal::Conversion* vesko = nullptr;
    for (const auto& conversion : tressal::Conversions()) {
        if (!conversion.cliName.starts_with("profs-"))
            continue;
        if (conversion.cliName == "profs-vesko")
            vesko = &conversion;
        const bool isFolder = conversion.input == tressal::InputKind::Folder;
        const fs::path source = isFolder ? citeFolder : input;
        const fs::path root = folder / ("out-" + conversion.cliName);
        const Measure measure =
            MeasureMedianOf(kRuns, [&] { ConvertAndSave(conversion, source, root); });
        PrintCompared(conversion.cliName.c_str(), measure, isFolder ? twoParses : single,
                      isFolder ? "vs 2 parses" : "vs parse");
        const double inputMegabytes =
            static_cast<double>(fs::file_size(input)) / 1e6 * (isFolder ? 2 : 1);
        PrintMemoryGoal(measure, inputMegabytes);
        PrintStsMemoryGoal(measure, inputMegabytes);
    }

    if (vesko != nullptr) {
        std::printf("Vesko shapes, goal: under %.1f s each (ratio: to a bare parse of the shape)\n",
                    kShapeGoalSeconds);
        const std::pair<const char*, fs::path> shapes[] = {
            {"100,000 co-teachers", coTeachers}, {"1 teacher, 100,000 div.", manyDivisions}};
        for (const auto& [name, source] : shapes) {
            const Measure parse = MeasureMedianOf(kRuns, [&] { BareParse(source); });
            const Measure measure = MeasureMedianOf(
                kRuns, [&] { ConvertAndSave(*vesko, source, folder / "out-shapes"); });
            PrintRatio(name, measure, parse.seconds, "of parse");
            std::printf("%-24s %s\n", "",
                        measure.ok && measure.seconds < kShapeGoalSeconds ? "goal met"
                                                                          : "GOAL MISSED");
        }
    }
    if (vesko != nullptr)
        BrokenExport(*vesko, folder);
    if (withBig && vesko != nullptr)
        BigExport(*vesko, folder);
    fs::remove_all(folder);
    return 0;
}
