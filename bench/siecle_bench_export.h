#pragma once

// A generated SIECLE student export (ISO-8859-15) of a given number of
// students, with the elements a real export carries beside those Tressal
// reads, zipped with a small nomenclature as SIECLE delivers it.

#include "bench_names.h"
#include "zip_maker.h"

#include <random>
#include <string>

inline std::string MakeSiecleStudents(int students) {
    static const char* const kSubjects[] = {"030201", "030602", "030101", "020700", "100100"};
    std::mt19937 random(42);
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-15\"?>\n"
        "<BEE_ELEVES VERSION=\"3.1\">\n<PARAMETRES>\n<UAJ>0123456A</UAJ>\n"
        "<ANNEE_SCOLAIRE>2026</ANNEE_SCOLAIRE>\n<DATE_EXPORT>15/09/2026</DATE_EXPORT>\n"
        "<HORODATAGE>15/09/2026 10:00:00</HORODATAGE>\n</PARAMETRES>\n<DONNEES>\n"
        "<ELEVES>\n";
    for (int i = 0; i < students; ++i) {
        const std::string id = std::to_string(100000 + i);
        xml +=
            "<ELEVE ELEVE_ID=\"" + id + "\" ELENOET=\"" + std::to_string(i) + "\">\n" +
            "<ID_NATIONAL>" + std::to_string(1234560000 + i) + "A</ID_NATIONAL>\n" +
            "<NOM_DE_FAMILLE>" + kBenchLastNames[random() % 10] + std::to_string(i % 3000) +
            "</NOM_DE_FAMILLE>\n<NOM_USAGE></NOM_USAGE>\n<PRENOM>" +
            kBenchFirstNames[random() % 10] + "</PRENOM>\n<PRENOM2>Marie</PRENOM2>\n<DATE_NAISS>" +
            std::to_string(10 + random() % 18) + "/0" + std::to_string(1 + random() % 9) + "/20" +
            std::to_string(10 + random() % 5) + "</DATE_NAISS>\n<CODE_SEXE>" +
            std::to_string(1 + random() % 2) +
            "</CODE_SEXE>\n<CODE_PAYS>100</CODE_PAYS>\n<CODE_REGIME>2</CODE_REGIME>\n"
            "<DATE_ENTREE>01/09/2026</DATE_ENTREE>\n" +
            (i % 50 == 0 ? "<DATE_SORTIE>01/09/2026</DATE_SORTIE>\n" : "") + "<ADRESSE_ID>" +
            std::to_string(500000 + i) + "</ADRESSE_ID>\n" +
            "<TEL_PERSONNEL>0380000000</TEL_PERSONNEL>\n<TEL_PORTABLE>0600000000</TEL_PORTABLE>\n"
            "<SCOLARITE_AN_DERNIER>\n<CODE_STRUCTURE>5A</CODE_STRUCTURE>\n"
            "<CODE_RNE>0210001A</CODE_RNE>\n<SIGLE>CLG</SIGLE>\n</SCOLARITE_AN_DERNIER>\n"
            "</ELEVE>\n";
    }
    xml += "</ELEVES>\n<OPTIONS>\n";
    for (int i = 0; i < students; ++i) {
        xml += "<OPTION ELEVE_ID=\"" + std::to_string(100000 + i) + "\" ELENOET=\"" +
               std::to_string(i) + "\">\n";
        for (int n = 3; n >= 1; --n)
            xml += "<OPTIONS_ELEVE>\n<NUM_OPTION>" + std::to_string(n) +
                   "</NUM_OPTION>\n<CODE_MODALITE_ELECT>O</CODE_MODALITE_ELECT>\n<CODE_MATIERE>" +
                   kSubjects[random() % 5] + "</CODE_MATIERE>\n</OPTIONS_ELEVE>\n";
        xml += "</OPTION>\n";
    }
    xml += "</OPTIONS>\n<STRUCTURES>\n";
    for (int i = 0; i < students; ++i) {
        const std::string division =
            std::to_string(3 + random() % 4) + "\xE8me " + static_cast<char>('A' + random() % 4);
        xml += "<STRUCTURES_ELEVE ELEVE_ID=\"" + std::to_string(100000 + i) + "\" ELENOET=\"" +
               std::to_string(i) + "\">\n<STRUCTURE>\n<CODE_STRUCTURE>" + division +
               " G1</CODE_STRUCTURE>\n<TYPE_STRUCTURE>G</TYPE_STRUCTURE>\n</STRUCTURE>\n"
               "<STRUCTURE>\n<CODE_STRUCTURE>" +
               division +
               "</CODE_STRUCTURE>\n<TYPE_STRUCTURE>D</TYPE_STRUCTURE>\n</STRUCTURE>\n"
               "</STRUCTURES_ELEVE>\n";
    }
    xml += "</STRUCTURES>\n<ADRESSES>\n";
    for (int i = 0; i < students; ++i)
        xml += "<ADRESSE ADRESSE_ID=\"" + std::to_string(500000 + i) + "\">\n<LIGNE1_ADRESSE>" +
               std::to_string(i % 90) +
               " rue des Lilas</LIGNE1_ADRESSE>\n"
               "<LIGNE2_ADRESSE>B\xE2timent B</LIGNE2_ADRESSE>\n<CODE_POSTAL>21000</CODE_POSTAL>\n"
               "<LIBELLE_POSTAL>DIJON</LIBELLE_POSTAL>\n<CODE_COMMUNE_INSEE>21231"
               "</CODE_COMMUNE_INSEE>\n<CODE_PAYS>100</CODE_PAYS>\n</ADRESSE>\n";
    return xml + "</ADRESSES>\n</DONNEES>\n</BEE_ELEVES>\n";
}

inline std::string MakeSiecleZip(int students) {
    const std::string nomenclature =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<BEE_NOMENCLATURES><DONNEES><MATIERES>"
        "<MATIERE CODE_MATIERE=\"030201\"><CODE_GESTION>AGL1</CODE_GESTION></MATIERE>"
        "<MATIERE CODE_MATIERE=\"020700\"><CODE_GESTION>LATIN</CODE_GESTION></MATIERE>"
        "</MATIERES></DONNEES></BEE_NOMENCLATURES>\n";
    return tressal::test::MakeZip(
        {{"ElevesAvecAdresses.xml", MakeSiecleStudents(students), true, false, std::nullopt},
         {"Nomenclature.xml", nomenclature, true, false, std::nullopt}});
}
