#!/usr/bin/env python3
"""Writes samples/0123456A.csv, a made-up Sconet student export (Windows-1252)."""
import pathlib

HEADER = ("NOM;PRENOM;PRENOM 2;PRENOM 3;DATE NAISS;NUM INTERNE;INE;SEXE;DIVISION;"
          "OPTION 1;OPTION 2;OPTION 3;OPTION 4;OPTION 5;REGIME;GROUPE;ETAB ORIGINE;"
          "DATE ENTREE;ADRESSE;CODE POSTAL;COMMUNE;TELEPHONE")

# last, first, first2, first3, birth, internal, INE, sex, division, options, group, origin,
# address, postcode, town, phone
STUDENTS = [
    ("MARTIN", "Léa", "Marie", "", "03/02/2012", "42", "1234567890A", "F", "6ème A",
     ("AGL1", "", "", "", ""), "6A G1", "0210001A", "12 rue des Lilas", "21000", "DIJON", "0380000001"),
    ("D'ALEMBERT-LEFÈVRE", "Noël", "", "", "15/11/2011", "7", "1234567891B", "M", "5ème B",
     ("AGL1", "ESP2", "", "", ""), "", "", "3 allée Émile Zola", "21000", "DIJON", "0380000002"),
    ("O'NEIL", "Siobhán", "", "", "28/07/2010", "123456", "1234567892C", "F", "4ème A",
     ("ALL1", "AGL2", "LATIN", "", ""), "4A LV2", "0210002B", "8 place du Marché", "21121", "FONTAINE-LÈS-DIJON", ""),
    ("GARÇON", "Jérôme", "Luc", "Paul", "01/09/2009", "1001", "1234567893D", "M", "3ème C",
     ("AGL1", "", "", "", ""), "", "", "1 impasse des Œillets", "21240", "TALANT", "0380000004"),
    ("DUPONT", "Jean", "", "", "12/03/2012", "15", "1234567894E", "M", "6ème A",
     ("AGL1", "", "", "", ""), "", "", "5 rue Neuve", "21000", "DIJON", "0380000005"),
    ("DUPONT", "Jean", "", "", "12/03/2012", "15", "1234567894E", "M", "6ème A",
     ("AGL1", "", "", "", ""), "", "", "5 rue Neuve", "21000", "DIJON", "0380000005"),
    ("DUPONTEL", "Marc", "", "", "30/06/2011", "16", "1234567895F", "M", "5ème A",
     ("ESP1", "", "", "", ""), "", "", "9 rue Berbisey", "21000", "DIJON", ""),
    ("Ørsted", "Ånna", "", "", "14/02/2010", "200", "1234567896G", "F", "4ème B",
     ("AGL1", "ALL2", "", "", ""), "", "0750001Z", "2 quai Nicolas Rolin", "21000", "DIJON", ""),
    ("BÉRANGER", "Chloé", "Inès", "", "09/10/2012", "201", "1234567897H", "F", "6ème B",
     ("", "", "", "", ""), "", "", "14 boulevard Carnot", "21000", "DIJON", "0380000008"),
    ("NGUYEN", "Minh", "", "", "21/12/2009", "202", "1234567898J", "M", "3ème A",
     ("AGL1", "ESP2", "", "", ""), "3A LV2", "", "7 rue Monge", "21000", "DIJON", ""),
    ("LEBRUN", "Zoé", "", "", "05/05/2011", "203", "1234567899K", "F", "5ème B",
     ("agl1", "esp2", "", "", ""), "", "", "22 rue Chabot-Charny", "21000", "DIJON", ""),
    ("ÉTIENNE", "Maël", "", "", "17/08/2010", "204", "1234567800L", "M", "4ème A",
     ("AGL1", "", "", "", ""), "", "", "3 rue Jeannin", "21000", "DIJON", ""),
    ("MÜLLER", "Anaïs", "", "", "23/01/2012", "205", "1234567801M", "F", "6ème A",
     ("ALL1", "AGL1", "", "", ""), "", "0670001X", "11 rue de la Liberté", "21000", "DIJON", ""),
    ("BENALI", "Yasmine", "", "", "11/04/2009", "206", "1234567802N", "F", "3ème C",
     ("AGL1", "", "", "", ""), "", "", "4 rue Verrerie", "21000", "DIJON", ""),
    ("ROUSSEAU", "Théo", "", "", "29/02/2012", "207", "1234567803P", "M", "6ème B",
     ("AGL1", "", "", "", ""), "", "", "6 rue Musette", "21000", "DIJON", ""),
    ("FAURE", "Camille", "", "", "02/12/2010", "208", "1234567804R", "F", "4ème B",
     ("ESP1", "AGL2", "", "", ""), "", "", "10 rue Vauban", "21000", "DIJON", ""),
    ("LEROY", "Hugo", "", "", "19/03/2011", "209", "1234567805S", "M", "5ème A",
     ("AGL1", "", "", "", ""), "", "", "18 rue Buffon", "21000", "DIJON", ""),
    ("DUPONT", "Jeanne", "", "", "07/07/2012", "210", "1234567806T", "F", "6ème B",
     ("AGL1", "", "", "", ""), "", "", "5 rue Neuve", "21000", "DIJON", ""),
    ("CŒUR", "Élise", "", "", "25/09/2009", "211", "1234567807U", "F", "3ème A",
     ("AGL1", "ALL2", "", "", ""), "", "", "1 rue Amiral Roussin", "21000", "DIJON", ""),
]

def line(s):
    (last, first, f2, f3, birth, num, ine, sex, div, opts, group, origin,
     address, postcode, town, phone) = s
    return ";".join([last, first, f2, f3, birth, num, ine, sex, div, *opts, "DP", group,
                     origin, "01/09/2026", address, postcode, town, phone])

rows = [HEADER] + [line(s) for s in STUDENTS]
# A short line: an arrival whose export stops at the division.
rows.insert(12, "PETIT;Louis;;;18/06/2011;212;1234567808V;M;5ème A")
# A line that is not a student.
rows.append("")
text = "\r\n".join(rows) + "\r\n"
out = pathlib.Path(__file__).resolve().parents[2] / "samples" / "0123456A.csv"
out.write_bytes(text.encode("cp1252", errors="replace"))
print(f"{out}: {len(STUDENTS) + 1} students")
