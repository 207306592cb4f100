#include "app/window_table.h"

namespace tressal::app {
namespace {

#define STUDENT_HINT(button)                                                                              \
    "Cliquez sur « " button " » et choisissez l'export des élèves : l'export SIECLE "                  \
    "ExportXML_ElevesSansAdresses.zip ou ExportXML_ElevesAvecAdresses.zip (dans SIECLE Base "             \
    "élèves : Exploitation ▸ Exports standard ▸ Exports XML génériques), ou l'export Sconet qui " \
    "porte le code de votre établissement, par exemple 0123456A.csv.\n\n"                                \
    "Laissez à côté l'export « Responsables avec adresses » (ExportXML_ResponsablesAvecAdresses"     \
    ".zip) : un élève sans adresse ni téléphone prend ceux de son responsable légal.\n\n"            \
    "Vous pouvez aussi faire glisser le fichier dans cette fenêtre."

#define STAFF_HINT(button)                                                                          \
    "Cliquez sur « " button " » et choisissez l'export STS « Emploi du temps » de votre "        \
    "établissement, par exemple sts_emp_0123456A_2026.xml (dans STS-Web : Mise à jour, Exports, " \
    "Emplois du temps).\n\n"                                                                        \
    "Vous pouvez aussi faire glisser le fichier dans cette fenêtre."

// Every form of the export first, selected when the dialog opens, then the Sconet CSV, the
// SIECLE export (XML or zipped) and any file.
#define STUDENT_FILTER(csv)                                                                        \
    "Exports des élèves (*.zip *.xml *.csv);;Fichier csv (" csv                                    \
    ");;Exports SIECLE (*.xml *.zip);;Tous les fichiers (*)"
constexpr const char* kStudentFilter = STUDENT_FILTER("*.csv");
#define STAFF_FILTER(xml) "Exports des enseignants (*.xml *.zip);;" xml
constexpr const char* kXmlFilter = STAFF_FILTER("Fichier XML (*.xml *.zip)");

std::vector<WindowRow> MakeRows() {
    return {
        {.cliName = "eleves-orlane",
         .menu = {"BOrlane", "Beleves", "Elèves", IconId::OrlaneStudents},
         .objectName = "TFEleves",
         .caption = " Sconet vers Orlane : élèves ",
         .toolBarName = "MenuEleves",
         .closeName = "BfermeElv",
         .convertName = "BFormatOrlane",
         .convertCaption = "Tressal Orlane",
         .saveName = "BEnregistre",
         .treeName = "TreeElvOrlane",
         .lineIcon = IconId::OrlaneStudents,
         .input = ExportKind::Students,
         .openFilter = kStudentFilter,
         .saveFilter = "Fichier  texte (*.txt)",
         .hint = STUDENT_HINT("Tressal Orlane")},
        {.cliName = "profs-orlane",
         .menu = {"BProfs", "EtabSeul", "Etablissement unique", IconId::SingleEstablishment},
         .objectName = "TFprofs",
         .caption = "Sconet vers Orlane :  enseignants",
         .toolBarName = "Barre",
         .closeName = "BFerme",
         .convertName = "BExtraire",
         .convertCaption = "Tressal Orlane",
         .saveName = "BSauve",
         .treeName = "TreeAffiche",
         .lineIcon = IconId::OrlaneTeachers,
         .input = ExportKind::Staff,
         .openFilter = kXmlFilter,
         .saveFilter = "",
         .hint = STAFF_HINT("Tressal Orlane")},
        {.cliName = "profs-orlane-cite",
         .menu = {"BProfs", "CiteSco", "Cité scolaire", IconId::CiteScolaire},
         .objectName = "TFprofsCite",
         .caption = "Sconet vers Orlane :  enseignants",
         .toolBarName = "Barre",
         .closeName = "BFerme",
         .convertName = "BExtraire",
         .convertCaption = "Tressal Orlane",
         .saveName = "BSauve",
         .treeName = "TreeAffiche",
         .lineIcon = IconId::OrlaneTeachers,
         .input = ExportKind::StaffFolder,
         .openFilter = "",
         .saveFilter = "",
         .hint = "Cliquez sur « Tressal Orlane » et choisissez le dossier où vous avez mis les "
                 "exports STS « Emploi du temps » de tous les établissements de la cité scolaire "
                 "(leur nom commence par STS).\n\n"
                 "Vous pouvez aussi faire glisser le dossier dans cette fenêtre."},
        {.cliName = "eleves-vesko",
         .menu = {"BVesko", "Elves4", "Elèves", IconId::VeskoStudents},
         .objectName = "TFVeskoElvV2",
         .caption = "Sconet vers Vesko : élèves",
         .toolBarName = "ToolBar1",
         .closeName = "BFermeVesko",
         .convertName = "BFormatVesko",
         .convertCaption = "Tressal Vesko",
         .saveName = "BEnrgVesko",
         .treeName = "TreeElvVesko",
         .lineIcon = IconId::VeskoStudents,
         .input = ExportKind::Students,
         .openFilter = STUDENT_FILTER("*.Csv"),
         .saveFilter = "Fichier texte (*.txt)",
         .hint = STUDENT_HINT("Tressal Vesko"),
         .scrollToLast = false},
        {.cliName = "profs-vesko",
         .menu = {"BVesko", "Enseignants4", "Enseignants", IconId::VeskoTeachers},
         .objectName = "TFVesko",
         .caption = " Sconet vers Vesko : enseignants",
         .toolBarName = "ToolBar1",
         .closeName = "BFermeProfsVesko",
         .convertName = "BExtraitProfsVesko",
         .convertCaption = "Tressal Vesko",
         .saveName = "BSauveProfsVesko",
         .treeName = "TreeProfs",
         .lineIcon = IconId::VeskoTeachers,
         .input = ExportKind::Staff,
         .openFilter = STAFF_FILTER("Fichier xml (*.xml *.zip)"),
         .saveFilter = "Fichiers textes (*.txt)",
         .hint = STAFF_HINT("Tressal Vesko")},
        {.cliName = "eleves-pmb",
         .menu = {"PMB1", "Elves1", "Elèves", IconId::PmbStudents},
         .objectName = "TFElevesPMB",
         .caption = "Sconet vers PMB : élèves",
         .toolBarName = "ToolBar1",
         .closeName = "BFerme",
         .convertName = "Bformat",
         .convertCaption = "Tressal PMB",
         .saveName = "BSauve",
         .treeName = "TreeElvPMB",
         .lineIcon = std::nullopt,
         .input = ExportKind::Students,
         .openFilter = kStudentFilter,
         .saveFilter = "Fichier  texte (*.txt)",
         .hint = STUDENT_HINT("Tressal PMB"),
         .editableLines = true},
        {.cliName = "profs-pmb",
         .menu = {"PMB1", "Enseignants1", "Enseignants", IconId::PmbTeachers},
         .objectName = "TFProfsPMB",
         .caption = "Sconet vers PMB : enseignants",
         .toolBarName = "ToolBar1",
         .closeName = "Bferme",
         .convertName = "BformatPMB",
         .convertCaption = "Tressal PMB",
         .saveName = "BSauvegarde",
         .treeName = "TreeProfsPMB",
         .lineIcon = std::nullopt,
         .input = ExportKind::Staff,
         .openFilter = kXmlFilter,
         .saveFilter = "Fichier texte (*.txt)",
         .hint = STAFF_HINT("Tressal PMB")},
        {.cliName = "eleves-bcdi",
         .menu = {"BCDIElv", "ElvesBCDI1", "Elèves BCDI", IconId::Bcdi},
         .objectName = "TFElevesBCDI",
         .caption = "Sconet vers BCDI  : élèves",
         .toolBarName = "ToolBar1",
         .closeName = "BFerme",
         .convertName = "Bformat",
         .convertCaption = "Tressal BCDI",
         .saveName = "BSauve",
         .treeName = "TreeElvPMB",
         .lineIcon = std::nullopt,
         .input = ExportKind::Students,
         .openFilter = kStudentFilter,
         // The proposed file is a CSV: show it, so the user sees what is replaced.
         .saveFilter = "Fichier csv (*.csv);;Fichier  texte (*.txt)",
         .hint = STUDENT_HINT("Tressal BCDI"),
         .editableLines = true},
    };
}

} // namespace

const std::vector<WindowRow>& WindowRows() {
    static const std::vector<WindowRow> rows = MakeRows();
    return rows;
}

const WindowRow* FindWindowRow(std::string_view cliName) {
    for (const WindowRow& row : WindowRows())
        if (cliName == row.cliName)
            return &row;
    return nullptr;
}

} // namespace tressal::app
