#!/usr/bin/env python3
"""Writes samples/ExportXML_ElevesAvecAdresses.zip, a made-up SIECLE student export
(ElevesAvecAdresses.xml, ISO-8859-15) with its nomenclature (Nomenclature.xml), and
samples/ExportXML_ResponsablesAvecAdresses.zip, the export of their legal representatives
(ResponsablesAvecAdresses.xml), describing the students of samples/0123456A.csv: each
student conversion gives the same file from the CSV and from the pair.

One student in four has neither address nor phone of its own in the student export: they
come from its first legal representative (or, one time in two, from the second, the first
having no address), while a contact who is not a legal representative (RESP_LEGAL 0), listed
first, has another address that must not be taken.

The XML is built from the CSV's fields as the program reads them (a short line repeats its
last field), so the two samples cannot drift apart. It adds what only the XML can say: a
student who left before the export date, one who leaves after it, group structures beside
the classes, a usage name, a mobile phone instead of a home phone."""
import pathlib
import zipfile
from xml.sax.saxutils import escape, quoteattr

ROOT = pathlib.Path(__file__).resolve().parents[2]
CSV = ROOT / "samples" / "0123456A.csv"
OUT = ROOT / "samples" / "ExportXML_ElevesAvecAdresses.zip"
OUT_REPRESENTATIVES = ROOT / "samples" / "ExportXML_ResponsablesAvecAdresses.zip"
EXPORT_DATE = "15/09/2026"

# National subject codes and their management codes, as the nomenclature export gives them.
SUBJECTS = [("030201", "AGL1", "ANGLAIS LV1"), ("030202", "AGL2", "ANGLAIS LV2"),
            ("030601", "ESP1", "ESPAGNOL LV1"), ("030602", "ESP2", "ESPAGNOL LV2"),
            ("030101", "ALL1", "ALLEMAND LV1"), ("030102", "ALL2", "ALLEMAND LV2"),
            ("020700", "LATIN", "LATIN")]
NATIONAL = {management: national for national, management, _ in SUBJECTS}


def field_at(parts, n):
    """Field n (from 1) as the program reads it: past the end, the last field."""
    return parts[n - 1] if n <= len(parts) else parts[-1]


def element(name, text):
    return f"<{name}>{escape(text)}</{name}>" if text else ""


def read_students():
    text = CSV.read_bytes().decode("cp1252")
    students = []
    for line in text.splitlines()[1:]:
        parts = line.split(";")
        if len(parts) < 2 or not parts[0]:
            continue
        students.append([field_at(parts, n) for n in range(1, 23)])
    return students


def without_own_address(number):
    return number % 4 == 1


def student_xml(number, f, leaving=""):
    sid, address_id = 9000 + number, 5000 + number
    usage = f[0] if f[0] == "D'ALEMBERT-LEFÈVRE" else ""
    family = "LEFÈVRE" if usage else f[0]
    home, mobile = (f[21], "") if number % 5 else ("", f[21])
    if without_own_address(number):
        home = mobile = ""
    sex = {"M": "1", "F": "2"}.get(f[7], f[7])
    return (f'<ELEVE ELEVE_ID="{sid}" ELENOET={quoteattr(f[5])}>'
            + element("ID_NATIONAL", f[6]) + element("NOM_DE_FAMILLE", family)
            + element("NOM_USAGE", usage) + element("PRENOM", f[1]) + element("PRENOM2", f[2])
            + element("PRENOM3", f[3]) + element("DATE_NAISS", f[4]) + element("CODE_SEXE", sex)
            + element("CODE_REGIME", "2") + element("DATE_ENTREE", "01/09/2026")
            + element("DATE_SORTIE", leaving)
            + ("<ADRESSE_ID/>" if without_own_address(number)
               else f"<ADRESSE_ID>{address_id}</ADRESSE_ID>")
            + element("TEL_PERSONNEL", home) + element("TEL_PORTABLE", mobile)
            + "<SCOLARITE_AN_DERNIER>" + element("CODE_STRUCTURE", f[15])
            + element("CODE_RNE", f[16]) + "</SCOLARITE_AN_DERNIER></ELEVE>\n")


def options_xml(number, f):
    codes = [(k + 1, NATIONAL.get(code, code)) for k, code in enumerate(f[9:14]) if code]
    if not codes:
        return ""
    # Written last option first: the program orders them by NUM_OPTION.
    entries = "".join(f"<OPTIONS_ELEVE><NUM_OPTION>{n}</NUM_OPTION>"
                      f"<CODE_MODALITE_ELECT>O</CODE_MODALITE_ELECT>"
                      f"{element('CODE_MATIERE', code)}</OPTIONS_ELEVE>"
                      for n, code in reversed(codes))
    return f'<OPTION ELEVE_ID="{9000 + number}">{entries}</OPTION>\n'


def structures_xml(number, f):
    group = f"<STRUCTURE>{element('CODE_STRUCTURE', f[8] + ' G1')}" \
            "<TYPE_STRUCTURE>G</TYPE_STRUCTURE></STRUCTURE>" if number % 3 == 0 else ""
    return (f'<STRUCTURES_ELEVE ELEVE_ID="{9000 + number}">{group}<STRUCTURE>'
            f"{element('CODE_STRUCTURE', f[8])}<TYPE_STRUCTURE>D</TYPE_STRUCTURE>"
            "</STRUCTURE></STRUCTURES_ELEVE>\n")


def address_xml(number, f):
    return (f'<ADRESSE ADRESSE_ID="{5000 + number}">' + element("LIGNE1_ADRESSE", f[18])
            + element("CODE_POSTAL", f[19]) + element("LIBELLE_POSTAL", f[20])
            + "<CODE_PAYS>100</CODE_PAYS></ADRESSE>\n")


def students_document(students):
    # A student who left before the export date: not converted.
    gone = ["LEGRAND", "Paul", "", "", "04/04/2011", "300", "1234567809W", "M", "5ème B",
            "AGL1", "", "", "", "", "", "", "", "", "2 rue Neuve", "21000", "DIJON", ""]
    rows = [(n, f, "07/07/2027" if f[0] == "NGUYEN" else "") for n, f in enumerate(students)]
    rows.insert(3, (len(students), gone, "05/09/2026"))
    parts = ['<?xml version="1.0" encoding="ISO-8859-15"?>\n<BEE_ELEVES VERSION="3.1">\n',
             f"<PARAMETRES><UAJ>0123456A</UAJ><ANNEE_SCOLAIRE>2026</ANNEE_SCOLAIRE>"
             f"<DATE_EXPORT>{EXPORT_DATE}</DATE_EXPORT></PARAMETRES>\n<DONNEES>\n<ELEVES>\n"]
    parts += [student_xml(n, f, leaving) for n, f, leaving in rows]
    parts.append("</ELEVES>\n<OPTIONS>\n")
    parts += [options_xml(n, f) for n, f, _ in rows]
    parts.append("</OPTIONS>\n<STRUCTURES>\n")
    parts += [structures_xml(n, f) for n, f, _ in rows]
    parts.append("</STRUCTURES>\n<ADRESSES>\n")
    parts += [address_xml(n, f) for n, f, _ in rows if not without_own_address(n)]
    parts.append("</ADRESSES>\n</DONNEES>\n</BEE_ELEVES>\n")
    return "".join(parts).encode("iso8859_15")


def nomenclature_document():
    subjects = "".join(f'<MATIERE CODE_MATIERE="{national}"><CODE_GESTION>{management}'
                       f"</CODE_GESTION><LIBELLE_COURT>{label}</LIBELLE_COURT></MATIERE>\n"
                       for national, management, label in SUBJECTS)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n<BEE_NOMENCLATURES VERSION="3.1">\n'
            "<PARAMETRES><UAJ>0123456A</UAJ></PARAMETRES>\n"
            f"<DONNEES>\n<MATIERES>\n{subjects}</MATIERES>\n</DONNEES>\n"
            "</BEE_NOMENCLATURES>\n").encode("utf-8")


def person_xml(person_id, name, first_name, civility, address_id, phone):
    # TEL_PROFESSIONNEL is never taken for the student.
    phones = element("TEL_PERSONNEL", phone) if phone else element("TEL_PROFESSIONNEL",
                                                                    "0380999999")
    return (f'<PERSONNE PERSONNE_ID="{person_id}">' + element("NOM_DE_FAMILLE", name)
            + element("PRENOM", first_name) + element("LC_CIVILITE", civility) + phones
            + element("MEL", f"{first_name.lower()}@exemple.fr")
            + f"<ADRESSE_ID>{address_id}</ADRESSE_ID></PERSONNE>\n")


def link_xml(number, person_id, level):
    return (f"<RESPONSABLE_ELEVE><ELEVE_ID>{9000 + number}</ELEVE_ID>"
            f"<PERSONNE_ID>{person_id}</PERSONNE_ID><RESP_LEGAL>{level}</RESP_LEGAL>"
            f"<CODE_PARENTE>{'90' if level == 0 else '10'}</CODE_PARENTE>"
            f"<PERS_PAIMENT>{1 if level == 1 else 0}</PERS_PAIMENT>"
            f"<RESP_FINANCIER>{1 if level == 1 else 0}</RESP_FINANCIER></RESPONSABLE_ELEVE>\n")


def representatives_document(students):
    persons, links, addresses = [], [], []
    for n, f in enumerate(students):
        family = f[0]
        first, second, contact = 7000 + 3 * n, 7001 + 3 * n, 7002 + 3 * n
        own, other = 6000 + 2 * n, 6001 + 2 * n
        second_has_it = without_own_address(n) and n % 8 == 5
        persons.append(person_xml(first, family, "Claire", "MME",
                                                   "" if second_has_it else own, f[21]))
        persons.append(person_xml(second, family, "Pierre", "M.", own if second_has_it else other,
                                  f[21]))
        links += [link_xml(n, second, 2), link_xml(n, first, 1)]
        if without_own_address(n):
            persons.append(person_xml(contact, "VOISIN", "Henri", "M.", other, "0380888888"))
            links.insert(len(links) - 2, link_xml(n, contact, 0))
        addresses.append(address_xml(n, f).replace(f'"{5000 + n}"', f'"{own}"'))
        addresses.append(f'<ADRESSE ADRESSE_ID="{other}">'
                         + element("LIGNE1_ADRESSE", f"{n + 1} rue des Autres")
                         + "<CODE_POSTAL>21800</CODE_POSTAL><LIBELLE_POSTAL>QUETIGNY"
                         "</LIBELLE_POSTAL><CODE_PAYS>100</CODE_PAYS></ADRESSE>\n")
    parts = ['<?xml version="1.0" encoding="ISO-8859-15"?>\n<BEE_RESPONSABLES VERSION="3.1">\n',
             f"<PARAMETRES><UAJ>0123456A</UAJ><ANNEE_SCOLAIRE>2026</ANNEE_SCOLAIRE>"
             f"<DATE_EXPORT>{EXPORT_DATE}</DATE_EXPORT></PARAMETRES>\n<DONNEES>\n<PERSONNES>\n",
             *persons, "</PERSONNES>\n<RESPONSABLES>\n", *links,
             "</RESPONSABLES>\n<ADRESSES>\n", *addresses,
             "</ADRESSES>\n</DONNEES>\n</BEE_RESPONSABLES>\n"]
    return "".join(parts).encode("iso8859_15")


def add(archive, name, data):
    info = zipfile.ZipInfo(name, date_time=(2026, 9, 15, 10, 0, 0))
    info.compress_type = zipfile.ZIP_DEFLATED
    archive.writestr(info, data)


students = read_students()
with zipfile.ZipFile(OUT, "w") as archive:
    add(archive, "ElevesAvecAdresses.xml", students_document(students))
    add(archive, "Nomenclature.xml", nomenclature_document())
with zipfile.ZipFile(OUT_REPRESENTATIVES, "w") as archive:
    add(archive, "ResponsablesAvecAdresses.xml", representatives_document(students))
print(f"{OUT}: {len(students)} students and one who left; {OUT_REPRESENTATIVES}")
