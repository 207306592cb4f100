#include "students/export_kind.h"

#include "sts/content_kind.h"
#include "text/error.h"

namespace tressal::students {

const char* const kChooseStudentExport =
    "choisissez l'export des élèves de SIECLE (ElevesSansAdresses.xml ou ElevesAvecAdresses.xml, "
    "ou l'archive zip qui le contient) ou l'export Sconet des élèves (CSV)";

void CheckStudentExportRoot(const std::string& rootName) {
    if (rootName == "BEE_ELEVES")
        return;
    const std::string kind = sts::OtherExportKind(rootName);
    if (rootName == "STS_EDT")
        throw Error("Ce fichier est " + kind + " : ouvrez-le depuis le menu des enseignants, ou " +
                    kChooseStudentExport + ".");
    if (rootName == "BEE_NOMENCLATURES")
        throw Error("Ce fichier est " + kind +
                    " : placez-le sous le nom Nomenclature.xml dans le dossier de l'export des "
                    "élèves, puis " +
                    kChooseStudentExport + ".");
    if (!kind.empty())
        throw Error("Ce fichier est " + kind + " : " + kChooseStudentExport + ".");
    throw Error("Ce fichier XML n'est pas un export des élèves (son élément principal est « " +
                rootName + " ») : " + kChooseStudentExport + ".");
}

} // namespace tressal::students
