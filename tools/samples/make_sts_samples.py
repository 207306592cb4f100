#!/usr/bin/env python3
"""Writes two made-up STS "Emploi du temps" exports (root STS_EDT) into samples/.

- samples/sts_emp_0123456A_2026.xml: a collège, ISO-8859-1, 30 staff members.
- samples/sts_emp_0234567B_2026.xml: a lycée, ISO-8859-15, 15 staff members, 4 of them
  also in the collège file.

Every name, date and structure below is invented. The output is the same on every run.
"""
import pathlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
OUT_DIR = ROOT / "samples"

# ---------------------------------------------------------------------------
# A tiny XML writer: a node is (tag, attrs, content) where content is
#   None -> <TAG/>, a str -> <TAG>text</TAG> ("" gives <TAG></TAG>), a list -> children.
# ---------------------------------------------------------------------------


def esc_text(s):
    return s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def esc_attr(s):
    return esc_text(s).replace('"', "&quot;")


def E(tag, content=None, **attrs):
    return (tag, attrs, content)


def render(node, depth, out):
    tag, attrs, content = node
    pad = "  " * depth
    head = tag + "".join(f' {k}="{esc_attr(v)}"' for k, v in attrs.items())
    if content is None:
        out.append(f"{pad}<{head}/>")
    elif isinstance(content, str):
        out.append(f"{pad}<{head}>{esc_text(content)}</{tag}>")
    else:
        out.append(f"{pad}<{head}>")
        for child in content:
            render(child, depth + 1, out)
        out.append(f"{pad}</{tag}>")


def document(root, declared, codec):
    lines = [f'<?xml version="1.0" encoding="{declared}"?>']
    render(root, 0, lines)
    return ("\n".join(lines) + "\n").encode(codec)  # strict: fails on any unencodable char


# ---------------------------------------------------------------------------
# Shared building blocks
# ---------------------------------------------------------------------------


def hours(h):
    return f"{h:.2f}"


def parametres(uaj, academie, sigle, denom_princ, denom_compl, nature, adresse, commune,
               code_postal, telephone, year):
    return E("PARAMETRES", [
        E("UAJ", [
            E("ACADEMIE", [E("CODE", academie[0]), E("LIBELLE", academie[1])]),
            E("SIGLE", sigle),
            E("DENOM_PRINC", denom_princ),
            E("DENOM_COMPL", denom_compl),
            E("CODE_NATURE", nature),
            E("CODE_CATEGORIE", sigle),
            E("MENTION_DISTRIBUTION"),
            E("ADRESSE", adresse),
            E("COMMUNE", commune),
            E("CODE_POSTAL", code_postal),
            E("BOITE_POSTALE"),
            E("CEDEX", "N"),
            E("TELEPHONE", telephone),
            E("STATUT", "public"),
            E("ETABLISSEMENT_SENSIBLE", "false"),
        ], CODE=uaj),
        E("ANNEE_SCOLAIRE", [
            E("DATE_DEBUT", f"{year}-09-01"),
            E("DATE_FIN", f"{year + 1}-08-31"),
        ], ANNEE=str(year)),
    ])


CIVILITES = E("CIVILITES", [
    E("CIVILITE", [E("LIBELLE_COURT", "M."), E("LIBELLE_LONG", "M.")], CODE="1"),
    E("CIVILITE", [E("LIBELLE_COURT", "MME"), E("LIBELLE_LONG", "Mme")], CODE="2"),
    E("CIVILITE", [E("LIBELLE_COURT", "MLLE"), E("LIBELLE_LONG", "Mlle")], CODE="3"),
])

MODS_COURS = E("MODS_COURS", [
    E("MOD_COURS", [E("LIBELLE_COURT", "COURS GEN"), E("LIBELLE_LONG", "COURS GENERAL"),
                    E("CO_ENS", "true")], CODE="CG"),
    E("MOD_COURS", [E("LIBELLE_COURT", "TP"), E("LIBELLE_LONG", "TRAVAUX PRATIQUES"),
                    E("CO_ENS", "true")], CODE="TP"),
])


def nomenclatures(matieres, mefs, programmes):
    """matieres: (code, gestion, court, long, edition); mefs: (code, formation, long, edition);
    programmes: (code_mef, code_matiere, horaire)."""
    return E("NOMENCLATURES", [
        CIVILITES,
        MODS_COURS,
        E("MATIERES", [
            E("MATIERE", [E("CODE_GESTION", g), E("LIBELLE_COURT", c), E("LIBELLE_LONG", l),
                          E("LIBELLE_EDITION", ed)], CODE=code)
            for code, g, c, l, ed in matieres
        ]),
        E("MEFS", [
            E("MEF", [E("FORMATION", f), E("SPECIALITE"), E("LIBELLE_LONG", l),
                      E("LIBELLE_EDITION", ed)], CODE=code)
            for code, f, l, ed in mefs
        ]),
        E("PROGRAMMES", [
            E("PROGRAMME", [E("CODE_MEF", mef), E("CODE_MATIERE", mat),
                            E("HORAIRE", hours(h))])
            for mef, mat, h in programmes
        ]),
    ])


# A person: ID, SEXE, CIVILITE (None = no element), NOM_USAGE, NOM_PATRONYMIQUE, PRENOM,
# DATE_NAISSANCE, GRADE, FONCTION, disciplines [(code, libelle court, hours)],
# main-teacher divisions [code].
def individu(p, year):
    pid, sexe, civ, usage, patro, prenom, birth, grade, fonction, discs, pp = p
    kids = [E("SEXE", sexe)]
    if civ is not None:
        kids.append(E("CIVILITE", civ))
    kids += [
        E("NOM_USAGE", usage),
        E("NOM_PATRONYMIQUE", patro),
        E("PRENOM", prenom),
        E("DATE_NAISSANCE", birth),
        E("GRADE", grade),
        E("FONCTION", fonction),
    ]
    if pp:
        kids.append(E("PROFS_PRINC", [
            E("PROF_PRINC", [E("CODE_STRUCTURE", code), E("DATE_DEBUT", f"{year}-09-01"),
                             E("DATE_FIN", f"{year + 1}-08-31")])
            for code in pp
        ]))
    if discs:
        kids.append(E("DISCIPLINES", [
            E("DISCIPLINE", [E("LIBELLE_COURT", court), E("NB_HEURES", hours(h))], CODE=code)
            for code, court, h in discs
        ]))
    return E("INDIVIDU", kids, ID=pid, TYPE="epp")


def service(matiere, h, teacher_ids, mod="CG"):
    share = h / len(teacher_ids)
    return E("SERVICE", [
        E("HEURES_STRUCTURE", hours(h)),
        E("CO_ENS", "true" if len(teacher_ids) > 1 else "false"),
        E("ENSEIGNANTS", [
            E("ENSEIGNANT", [E("HEURES_AGENT", hours(share))], ID=t, TYPE="epp")
            for t in teacher_ids
        ]),
    ], CODE_MATIERE=matiere, CODE_MOD_COURS=mod)


# A division: (code, libellé long, effectif, code MEF, [(matière, heures, [ids])] or None).
def division(d):
    code, libelle, effectif, mef, services = d
    kids = [
        E("LIBELLE_LONG", libelle),
        E("EFFECTIF_PREVU", str(effectif)),
        E("EFFECTIF_CALCULE", "0"),
        E("MEFS_APPARTENANCE", [
            E("MEF_APPARTENANCE", [E("EFFECTIF_PREVU", str(effectif)),
                                   E("EFFECTIF_CALCULE", "0")], CODE=mef),
        ]),
    ]
    if services is not None:
        kids.append(E("SERVICES", [service(m, h, ids) for m, h, ids in services]))
    return E("DIVISION", kids, CODE=code)


# A group: (code, libellé long, [(division, effectif)], code MEF, [(matière, heures, [ids])]).
def groupe(g):
    code, libelle, divisions, mef, services = g
    total = sum(n for _, n in divisions)
    return E("GROUPE", [
        E("LIBELLE_LONG", libelle),
        E("EFFECTIF_PREVU", str(total)),
        E("EFFECTIF_CALCULE", "0"),
        E("EFFECTIF_MAX_EDT", "0"),
        E("DIVISIONS_APPARTENANCE", [
            E("DIVISION_APPARTENANCE", [E("EFFECTIF_PREVU", str(n)), E("EFFECTIF_CALCULE", "0")],
              CODE=dcode)
            for dcode, n in divisions
        ]),
        E("MEFS_APPARTENANCE", [
            E("MEF_APPARTENANCE", [E("EFFECTIF_PREVU", "0"), E("EFFECTIF_CALCULE", "0")],
              CODE=mef),
        ]),
        E("SERVICES", [service(m, h, ids) for m, h, ids in services]),
    ], CODE=code)


def sts_edt(params, nomencl, persons, divisions, groups, year):
    return E("STS_EDT", [
        params,
        nomencl,
        E("DONNEES", [
            E("INDIVIDUS", [individu(p, year) for p in persons]),
            E("STRUCTURE", [
                E("DIVISIONS", [division(d) for d in divisions]),
                E("GROUPES", [groupe(g) for g in groups]),
            ]),
        ]),
    ])


def check(persons, divisions, groups):
    """Every teacher reference points to a person of the same file; IDs are unique."""
    ids = [p[0] for p in persons]
    assert len(ids) == len(set(ids)), "duplicate INDIVIDU ID"
    known = set(ids)
    div_codes = {d[0] for d in divisions}
    for d in divisions:
        for _, _, teachers in d[4] or []:
            assert set(teachers) <= known, (d[0], teachers)
    for g in groups:
        assert {c for c, _ in g[2]} <= div_codes, g[0]
        for _, _, teachers in g[4]:
            assert set(teachers) <= known, (g[0], teachers)
    for p in persons:
        assert set(p[10]) <= div_codes, (p[0], p[10])


# ---------------------------------------------------------------------------
# Collège 0123456A (ISO-8859-1)
# ---------------------------------------------------------------------------

YEAR = 2026

FR, LAT, MATHS, AGL1, ALL2, ESP2 = "020700", "020100", "061300", "030201", "030102", "030602"
HG, SVT, PC, TECH, MUS, ARTS, EPS = "040600", "062900", "062300", "070800", "081300", "090100", "100100"

A_MATIERES = [
    (FR, "FRANC", "FRANCAIS", "FRANCAIS", "Français"),
    (LAT, "LATIN", "LATIN", "LATIN", "Latin"),
    (MATHS, "MATHS", "MATHEMATIQUES", "MATHEMATIQUES", "Mathématiques"),
    (AGL1, "AGL1", "ANGLAIS LV1", "ANGLAIS LV1", "Anglais LV1"),
    (ALL2, "ALL2", "ALLEMAND LV2", "ALLEMAND LV2", "Allemand LV2"),
    (ESP2, "ESP2", "ESPAGNOL LV2", "ESPAGNOL LV2", "Espagnol LV2"),
    (HG, "HIGEO", "HISTOIRE & GEOGRAPH.", "HISTOIRE & GEOGRAPHIE", "Histoire & géographie"),
    (SVT, "SVT", "SCIENCES VIE & TERRE", "SCIENCES DE LA VIE ET DE LA TERRE", "SVT"),
    (PC, "PH-CH", "PHYSIQUE-CHIMIE", "PHYSIQUE-CHIMIE", "Physique-chimie"),
    (TECH, "TECHN", "TECHNOLOGIE", "TECHNOLOGIE", "Technologie"),
    (MUS, "EDMUS", "EDUCATION MUSICALE", "EDUCATION MUSICALE", "Éducation musicale"),
    (ARTS, "A-PLA", "ARTS PLASTIQUES", "ARTS PLASTIQUES", "Arts plastiques"),
    (EPS, "EPS", "ED.PHYSIQUE & SPORT.", "EDUCATION PHYSIQUE ET SPORTIVE", "EPS"),
]

MEF6, MEF5, MEF4, MEF3 = "10010012110", "10110001110", "10210001110", "10310019110"
A_MEFS = [
    (MEF6, "6EME", "6EME", "6ème"),
    (MEF5, "5EME", "5EME", "5ème"),
    (MEF4, "4EME", "4EME", "4ème"),
    (MEF3, "3EME", "3EME", "3ème"),
]
A_PROGRAMMES = [
    (MEF6, FR, 4.5), (MEF6, MATHS, 4.5), (MEF6, AGL1, 4.0),
    (MEF5, LAT, 1.0), (MEF5, ESP2, 2.5),
    (MEF3, HG, 3.5), (MEF3, SVT, 1.5),
]

M, F = "1", "2"
A_PERSONS = [
    ("1201", F, "2", "LEFÈVRE-MARTIN", "MARTIN", "Hélène", "1975-03-14", "CERT. CL N", "ENS",
     [("L0202", "LET MODERN", 18)], ["6A"]),
    ("1202", M, "1", "D'ARTOIS", "D'ARTOIS", "Jérôme", "1968-11-02", "AGREGE H CL", "ENS",
     [("L1300", "MATHEMATIQ", 15)], ["3A1"]),
    ("1203", F, "3", "BÉRARD", "BÉRARD", "Chloé", "1990-06-21", "CERT. CL N", "ENS",
     [("L0422", "ANGLAIS", 18)], []),
    ("1204", M, "1", "GARNIER", "GARNIER", "Noël", "1972-12-25", "CERT. H CL", "ENS",
     [("L1000", "HIST. GEO.", 18)], ["4A"]),
    ("1205", F, "2", "de la Tour", "VASSEUR", "Ève", "1981-04-30", "AGREGE CL N", "ENS",
     [("L0201", "LETT CLASS", 15)], []),
    ("1206", M, "1", "DURAND", "DURAND", "Marc", "1979-08-09", "EPS CL N", "ENS",
     [("L1900", "E. P. S", 20)], []),
    ("1207", F, "2", "Durand", "PERRIN", "Sophie", "1983-01-17", "CERT. CL N", "ENS",
     [("L1600", "S. V. T.", 18)], []),
    ("1208", F, "2", "MOREAU", "MOREAU", "Claire", "1986-05-05", "CERT. CL N", "ENS",
     [("L1500", "PHY.CHIMIE", 18)], []),
    ("1209", M, "1", "MOREAU", "MOREAU", "Julien", "1984-10-11", "CERT. CL N", "ENS",
     [("L1400", "TECHNOLOGI", 18)], []),
    ("1210", M, "1", "ÉTIENNE", "ÉTIENNE", "Loïc", "1977-02-28", "CERT. H CL", "ENS",
     [("L0426", "ESPAGNOL", 18)], []),
    ("1211", F, "3", "EVRARD", "EVRARD", "Maëlle", "1995-09-03", "CERT. STAG", "ENS",
     [("L0421", "ALLEMAND", 9), ("L0422", "ANGLAIS", 9)], []),
    ("1212", M, "1", "ABADIE", "ABADIE", "François", "1965-07-19", "PEGC CL.EX", "ENS",
     [("L1700", "EDU MUSICA", 18)], []),
    ("1213", F, "2", "ZIMMER", "ZIMMER", "Agnès", "1973-03-08", "CERT. CL N", "ENS",
     [("L1800", "ARTS PLAST", 18)], []),
    ("1214", F, "2", "SAINT-ANDRÉ", "SAINT-ANDRÉ", "Anaïs", "1988-11-29", "CERT. CL N", "ENS",
     [("L1300", "MATHEMATIQ", 18)], ["5A"]),
    # Entered without a name: empty NOM_USAGE and NOM_PATRONYMIQUE, a first name only.
    ("1215", M, "1", "", "", "Aurélien", "1992-02-14", "CONTR. CAT2", "ENS",
     [("L1000", "HIST. GEO.", 9)], []),
    # No CIVILITE element at all.
    ("1216", F, None, "N'GUESSAN", "N'GUESSAN", "Aïcha", "1989-06-12", "CERT. CL N", "ENS",
     [("L0422", "ANGLAIS", 18)], []),
    ("1217", M, "1", "LAURENT", "LAURENT", "Benoît", "1970-04-04", "CERT. H CL", "ENS",
     [("L0202", "LET MODERN", 18)], ["4A1"]),
    ("1218", F, "2", "ROUSSEL", "ROUSSEL", "Cécile", "1976-09-22", "AGREGE CL N", "ENS",
     [("L1600", "S. V. T.", 15)], []),
    ("1219", F, "2", "FAUCHER", "FAUCHER", "Thérèse", "1964-01-31", "CERT. CL.EX", "ENS",
     [("L1000", "HIST. GEO.", 18)], ["3A"]),
    ("1220", M, "1", "BLANC", "BLANC", "Gaëtan", "1987-07-07", "EPS CL N", "ENS",
     [("L1900", "E. P. S", 20)], []),
    ("1221", F, "3", "PERRIN", "PERRIN", "Océane", "1994-12-01", "CERT. CL N", "ENS",
     [("L1300", "MATHEMATIQ", 18)], ["6C"]),
    ("1222", M, "1", "ROY", "ROY", "Rémi", "1982-03-16", "CERT. CL N", "ENS",
     [("L1500", "PHY.CHIMIE", 9), ("L1400", "TECHNOLOGI", 9)], []),
    ("1223", M, "1", "LEFEBVRE", "LEFEBVRE", "Yann", "1980-10-10", "CERT. CL N", "ENS",
     [("L0421", "ALLEMAND", 18)], []),
    ("1224", M, "1", "GUÉRIN", "GUÉRIN", "Mathieu", "1985-05-27", "CERT. CL N", "ENS",
     [("L0422", "ANGLAIS", 18)], []),
    ("1225", F, "2", "COLIN", "LEROUX", "Élodie", "1978-08-18", "CERT. CL N", "ENS",
     [("L0202", "LET MODERN", 18)], []),
    # A teacher with no service this year.
    ("1226", F, "2", "HAMON", "HAMON", "Irène", "1969-02-02", "CERT. H CL", "ENS",
     [("L1300", "MATHEMATIQ", 18)], []),
    ("1227", M, "1", "PRÉVOST-LAMBERT", "PRÉVOST", "Jean-Pierre", "1966-06-06", "PERDIR H CL",
     "DIR", [], []),
    ("1228", F, "3", "MERCIER", "MERCIER", "Léonie", "1991-04-15", "CPE CL N", "EDU", [], []),
    ("1229", F, "2", "LACROIX", "LACROIX", "Gisèle", "1971-11-11", "CERT. CL N", "DOC",
     [("L0080", "DOCUMENTAT", 18)], []),
    ("1230", M, "1", "DUPONT", "DUPONT", "Jean", "1974-09-09", "CERT. CL N", "ENS",
     [("L1000", "HIST. GEO.", 18)], []),
]

A_DIVISIONS = [
    ("6A", "6EME A", 27, MEF6, [
        (FR, 4.5, ["1201"]), (MATHS, 4.5, ["1221"]),
        (AGL1, 4.0, ["1203", "1211"]),  # co-taught
        (HG, 3.0, ["1219"]), (SVT, 1.5, ["1207"]), (TECH, 1.5, ["1209"]),
        (EPS, 4.0, ["1206"]), (MUS, 1.0, ["1212"]), (ARTS, 1.0, ["1213"]),
    ]),
    ("6B", "6EME B", 26, MEF6, [
        (FR, 4.5, ["1201"]), (MATHS, 4.5, ["1221"]), (AGL1, 4.0, ["1203"]),
        (HG, 3.0, ["1230"]), (SVT, 1.5, ["1207"]), (TECH, 1.5, ["1209"]),
        (EPS, 4.0, ["1206"]), (MUS, 1.0, ["1212"]), (ARTS, 1.0, ["1213"]),
    ]),
    # A new division, not timetabled yet: no SERVICES element.
    ("6C", "6EME C", 24, MEF6, None),
    ("5A", "5EME A", 28, MEF5, [
        (FR, 4.5, ["1201"]), (MATHS, 3.5, ["1214"]), (AGL1, 3.0, ["1203"]),
        (ESP2, 2.5, ["1210"]), (HG, 3.0, ["1230"]), (SVT, 1.5, ["1207"]),
        (PC, 1.5, ["1208"]), (TECH, 1.5, ["1209"]), (EPS, 3.0, ["1206"]), (MUS, 1.0, ["1212"]),
    ]),
    ("5B", "5EME B", 27, MEF5, [
        (FR, 4.5, ["1225"]), (MATHS, 3.5, ["1214"]), (AGL1, 3.0, ["1203"]),
        (ALL2, 2.5, ["1211"]), (HG, 3.0, ["1215"]), (SVT, 1.5, ["1218"]),
        (PC, 1.5, ["1208"]), (TECH, 1.5, ["1209"]), (EPS, 3.0, ["1206"]), (ARTS, 1.0, ["1213"]),
    ]),
    ("4A", "4EME A", 25, MEF4, [
        (FR, 4.5, ["1225"]), (MATHS, 3.5, ["1214"]), (AGL1, 3.0, ["1224"]),
        (ESP2, 2.5, ["1210"]), (ALL2, 2.5, ["1211"]), (HG, 3.0, ["1204"]),
        (SVT, 1.5, ["1218"]), (PC, 1.5, ["1208"]), (TECH, 1.5, ["1222"]), (EPS, 3.0, ["1220"]),
    ]),
    ("4A1", "4EME A BILANGUE", 24, MEF4, [
        (FR, 4.5, ["1217"]), (MATHS, 3.5, ["1202"]), (AGL1, 3.0, ["1224"]),
        (ALL2, 2.5, ["1223"]),
        (HG, 3.0, ["1204", "1230"]),  # co-taught
        (SVT, 1.5, ["1218"]), (PC, 1.5, ["1222"]), (EPS, 3.0, ["1220"]), (MUS, 1.0, ["1212"]),
    ]),
    ("3A1", "3EME A EUROPEENNE", 26, MEF3, [
        (FR, 4.0, ["1217"]), (MATHS, 3.5, ["1202"]), (AGL1, 3.0, ["1216"]),
        (ALL2, 2.5, ["1223"]), (HG, 3.5, ["1204"]), (SVT, 1.5, ["1218"]),
        (PC, 1.5, ["1222"]), (EPS, 3.0, ["1220"]),
    ]),
    ("3A", "3EME A", 28, MEF3, [
        (FR, 4.0, ["1205"]), (MATHS, 3.5, ["1202"]), (AGL1, 3.0, ["1216"]),
        (ESP2, 2.5, ["1210"]), (HG, 3.5, ["1219"]),
        (SVT, 3.0, ["1218", "1207", "1222"]),  # co-taught by three
        (PC, 1.5, ["1208"]), (EPS, 3.0, ["1220"]), (ARTS, 1.0, ["1213"]),
    ]),
]

A_GROUPS = [
    ("5LAT", "Latin 5ème", [("5A", 9), ("5B", 7)], MEF5, [(LAT, 1.0, ["1205"])]),
    ("3LAT", "Latin 3ème", [("3A1", 6), ("3A", 8)], MEF3, [(LAT, 2.0, ["1205"])]),
    ("4ALL2", "Allemand LV2 4ème", [("4A", 10), ("4A1", 24)], MEF4, [(ALL2, 2.5, ["1223"])]),
]

# ---------------------------------------------------------------------------
# Lycée 0234567B (ISO-8859-15)
# ---------------------------------------------------------------------------

PHILO, SES, SNT, ESCI = "013000", "076700", "073900", "064500"

B_MATIERES = [
    (FR, "FRANC", "FRANCAIS", "FRANCAIS", "Français"),
    (PHILO, "PHILO", "PHILOSOPHIE", "PHILOSOPHIE", "Philosophie"),
    (MATHS, "MATHS", "MATHEMATIQUES", "MATHEMATIQUES", "Mathématiques"),
    (AGL1, "AGL1", "ANGLAIS LV1", "ANGLAIS LV1", "Anglais LV1"),
    (ESP2, "ESP2", "ESPAGNOL LV2", "ESPAGNOL LV2", "Espagnol LV2"),
    (HG, "HIGEO", "HISTOIRE & GEOGRAPH.", "HISTOIRE & GEOGRAPHIE", "Histoire & géographie"),
    (SES, "SES", "SC. ECONO. & SOCIALES", "SCIENCES ECONOMIQUES ET SOCIALES", "SES"),
    (PC, "PH-CH", "PHYSIQUE-CHIMIE", "PHYSIQUE-CHIMIE", "Physique-chimie"),
    (SVT, "SVT", "SCIENCES VIE & TERRE", "SCIENCES DE LA VIE ET DE LA TERRE", "SVT"),
    (SNT, "SNT", "SC. NUMERIQ. & TECHNO", "SCIENCES NUMERIQUES ET TECHNOLOGIE", "SNT"),
    (ESCI, "ESCIE", "ENSEIGNEMENT SCIENT.", "ENSEIGNEMENT SCIENTIFIQUE", "Enseignement scientifique"),
    (EPS, "EPS", "ED.PHYSIQUE & SPORT.", "EDUCATION PHYSIQUE ET SPORTIVE", "EPS"),
]

MEF2, MEF1, MEFT = "20010018110", "20110019110", "20210019110"
B_MEFS = [
    (MEF2, "2NDE GT", "2NDE GENERALE ET TECHNO", "2nde générale et technologique"),
    (MEF1, "1ERE G", "1ERE GENERALE", "1ère générale"),
    (MEFT, "TLE G", "TERMINALE GENERALE", "Terminale générale"),
]
B_PROGRAMMES = [
    (MEF2, FR, 4.0), (MEF2, SNT, 1.5), (MEF1, ESCI, 2.0), (MEFT, PHILO, 4.0), (MEFT, MATHS, 6.0),
]

B_PERSONS = [
    ("2401", F, "2", "MARCHAND", "MARCHAND", "Édith", "1967-05-12", "PERDIR H CL", "DIR", [], []),
    ("2402", M, "1", "RIVIÈRE", "RIVIÈRE", "Hervé", "1980-01-23", "CPE CL N", "EDU", [], []),
    # Also in the collège file, same ID.
    ("1202", M, "1", "D'ARTOIS", "D'ARTOIS", "Jérôme", "1968-11-02", "AGREGE H CL", "ENS",
     [("L1300", "MATHEMATIQ", 15)], []),
    # Also in the collège file (ID 1203).
    ("2403", F, "3", "BÉRARD", "BÉRARD", "Chloé", "1990-06-21", "CERT. CL N", "ENS",
     [("L0422", "ANGLAIS", 18)], []),
    # Mixed-case usage name with a lower-case "œ" (byte 0xBD in ISO-8859-15).
    ("2404", F, "2", "Cœur", "CŒUR", "Bérénice", "1979-02-17", "CERT. CL N", "ENS",
     [("L0426", "ESPAGNOL", 18)], []),
    # Also in the collège file (ID 1205).
    ("2405", F, "2", "de la Tour", "VASSEUR", "Ève", "1981-04-30", "AGREGE CL N", "ENS",
     [("L0201", "LETT CLASS", 15)], ["2A"]),
    ("2406", M, "1", "FONTAINE", "FONTAINE", "Raphaël", "1986-08-30", "CERT. CL N", "ENS",
     [("L1300", "MATHEMATIQ", 18)], []),
    ("2407", F, "2", "HUET", "HUET", "Mélanie", "1990-03-03", "CERT. CL N", "ENS",
     [("L1500", "PHY.CHIMIE", 18)], []),
    ("2408", M, "1", "OLLIVIER", "OLLIVIER", "Grégoire", "1962-12-12", "AGREGE CL.EX", "ENS",
     [("L0100", "PHILOSOPHI", 15)], ["TA"]),
    ("2409", F, "3", "SÉGUIN", "SÉGUIN", "Inès", "1993-07-21", "CERT. CL N", "ENS",
     [("L8011", "SC ECO SOC", 18)], []),
    # Also in the collège file (ID 1230, written "DUPONT" / "Jean" there).
    ("2410", M, "1", "Dupont", "DUPONT", "JEAN", "1974-09-09", "CERT. CL N", "ENS",
     [("L1000", "HIST. GEO.", 18)], []),
    ("2411", M, "1", "TESSIER", "TESSIER", "Joël", "1975-10-05", "CERT. H CL", "ENS",
     [("L1600", "S. V. T.", 18)], []),
    ("2412", F, "2", "VIDAL", "VIDAL", "Françoise", "1971-06-25", "EPS H CL", "ENS",
     [("L1900", "E. P. S", 20)], []),
    ("2413", M, "1", "LE GOFF", "LE GOFF", "Yannick", "1983-04-01", "CERT. CL N", "ENS",
     [("L0422", "ANGLAIS", 18)], []),
    ("2414", F, "2", "BAILLY", "BAILLY", "Léa", "1988-09-14", "CERT. CL N", "DOC",
     [("L0080", "DOCUMENTAT", 18)], []),
]

B_DIVISIONS = [
    ("2A", "2NDE A", 35, MEF2, [
        (FR, 4.0, ["2405"]), (MATHS, 4.0, ["1202"]), (AGL1, 3.0, ["2403"]),
        (ESP2, 2.5, ["2404"]), (HG, 3.0, ["2410"]), (SES, 1.5, ["2409"]),
        (SVT, 1.5, ["2411"]),
        (SNT, 1.5, ["2406", "2407"]),  # co-taught
        (EPS, 2.0, ["2412"]),
    ]),
    ("2B", "2NDE B", 34, MEF2, [
        (FR, 4.0, ["2405"]), (MATHS, 4.0, ["2406"]), (AGL1, 3.0, ["2403"]),
        (ESP2, 2.5, ["2404"]), (HG, 3.0, ["2410"]), (SES, 1.5, ["2409"]),
        (PC, 3.0, ["2407"]), (SVT, 1.5, ["2411"]), (EPS, 2.0, ["2412"]),
    ]),
    ("1A", "1ERE GENERALE A", 33, MEF1, [
        (FR, 4.0, ["2405"]), (AGL1, 2.5, ["2413"]), (ESP2, 2.0, ["2404"]),
        (HG, 3.0, ["2410"]), (PC, 2.0, ["2407"]), (EPS, 2.0, ["2412"]),
    ]),
    ("1B", "1ERE GENERALE B", 32, MEF1, [
        (FR, 4.0, ["2405"]), (AGL1, 2.5, ["2413"]), (HG, 3.0, ["2410"]),
        (SVT, 2.0, ["2411"]), (EPS, 2.0, ["2412"]),
    ]),
    ("TA", "TERMINALE GENERALE A", 30, MEFT, [
        (PHILO, 4.0, ["2408"]), (MATHS, 6.0, ["1202"]), (AGL1, 2.0, ["2413"]),
        (ESP2, 2.0, ["2404"]),
        (ESCI, 2.0, ["2407", "2411", "2406"]),  # co-taught by three
    ]),
]

B_GROUPS = [
    ("1SPE-SES", "Spécialité SES 1ère", [("1A", 14), ("1B", 12)], MEF1, [(SES, 4.0, ["2409"])]),
    ("1SPE-MATHS", "Spécialité mathématiques 1ère", [("1A", 18), ("1B", 16)], MEF1,
     [(MATHS, 4.0, ["1202"])]),
    ("2EURO-AGL", "Section européenne anglais 2nde", [("2A", 12), ("2B", 10)], MEF2,
     [(AGL1, 2.0, ["2413"])]),
]

# ---------------------------------------------------------------------------


def write(name, declared, codec, params, nomencl, persons, divisions, groups):
    check(persons, divisions, groups)
    data = document(sts_edt(params, nomencl, persons, divisions, groups, YEAR), declared, codec)
    out = OUT_DIR / name
    out.write_bytes(data)
    print(f"{out}: {len(persons)} persons, {len(divisions)} divisions, {len(groups)} groups")


def main():
    OUT_DIR.mkdir(exist_ok=True)
    write("sts_emp_0123456A_2026.xml", "ISO-8859-1", "iso8859_1",
          parametres("0123456A", ("099", "EXEMPLE"), "CLG", "COLLEGE", "LES TILLEULS", "340",
                     "12 RUE DES ÉCOLES", "BOURG-SUR-LOIRE", "99100", "0300000000", YEAR),
          nomenclatures(A_MATIERES, A_MEFS, A_PROGRAMMES),
          A_PERSONS, A_DIVISIONS, A_GROUPS)
    write("sts_emp_0234567B_2026.xml", "ISO-8859-15", "iso8859_15",
          parametres("0234567B", ("099", "EXEMPLE"), "LYC", "LYCEE GENERAL", "JEANNE-D'ARC",
                     "300", "3 AVENUE DES ŒILLETS", "SAINT-PRIX-SUR-MER", "99200", "0300000001",
                     YEAR),
          nomenclatures(B_MATIERES, B_MEFS, B_PROGRAMMES),
          B_PERSONS, B_DIVISIONS, B_GROUPS)


if __name__ == "__main__":
    main()
