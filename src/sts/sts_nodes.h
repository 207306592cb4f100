#pragma once

// Node types of an STS export (root element STS_EDT), shared by the two
// variants of the model. Each type is a view over one element; each member
// reads the child element or attribute of the same name:
//   - text member:    the element's (or attribute's) text, UTF-8, unchanged;
//   - integer member: that text as a 32-bit integer;
//   - node member:    the first child element of that name;
//   - container:      Count() and Item(i) over the child elements of the
//                     item name, in document order.
// A missing element or attribute raises NotFoundError. The variant-specific
// types live in sts_model_a.h and sts_model_b.h.

#include "sts/xml_node.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tressal::sts {

// An element name usable as a template argument.
template <std::size_t N> struct ElementName {
    constexpr ElementName(const char (&text)[N]) { std::copy_n(text, N, value); }
    constexpr std::string_view View() const { return {value, N - 1}; }
    char value[N];
};

// Container node type: its items are the child elements named ItemName. The
// items are found in one walk over the children, on first use, so a loop over
// Count() and Item(i) stays linear in the number of children.
template <class ItemType, ElementName ItemName> class Container : public XmlNode {
public:
    using XmlNode::Count;
    using XmlNode::Item;
    using XmlNode::XmlNode;

    int Count() const { return static_cast<int>(Items().size()); }
    ItemType Item(int index) const {
        const auto& items = Items();
        if (index < 0 || index >= static_cast<int>(items.size()))
            return ItemAs<ItemType>(ItemName.View(), index); // raises the index error
        return ItemType(items[static_cast<std::size_t>(index)].Raw());
    }

private:
    const std::vector<XmlNode>& Items() const {
        if (!items_)
            items_ = std::make_shared<const std::vector<XmlNode>>(XmlNode::Items(ItemName.View()));
        return *items_;
    }
    mutable std::shared_ptr<const std::vector<XmlNode>> items_;
};

// Group node type whose single member is the first child element named
// ItemName; further children of that name are not reachable through it.
template <class ItemType, ElementName ItemName> class FirstOf : public XmlNode {
public:
    using XmlNode::XmlNode;

protected:
    ItemType First() const { return ChildAs<ItemType>(ItemName.View()); }
};

// Node types identical in both variants; each variant namespace takes them
// in with a using-directive, so a::TXMLENSEIGNANTType is common::TXMLENSEIGNANTType.
namespace common {

// --- PARAMETRES ---

class TXMLACADEMIEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE() const { return Integer("CODE"); }
    std::string LIBELLE() const { return Text("LIBELLE"); }
};

class TXMLUAJType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    TXMLACADEMIEType ACADEMIE() const { return ChildAs<TXMLACADEMIEType>("ACADEMIE"); }
    std::string SIGLE() const { return Text("SIGLE"); }
    std::string DENOM_PRINC() const { return Text("DENOM_PRINC"); }
    std::string DENOM_COMPL() const { return Text("DENOM_COMPL"); }
    std::int32_t CODE_NATURE() const { return Integer("CODE_NATURE"); }
    std::string CODE_CATEGORIE() const { return Text("CODE_CATEGORIE"); }
    std::string MENTION_DISTRIBUTION() const { return Text("MENTION_DISTRIBUTION"); }
    std::string ADRESSE() const { return Text("ADRESSE"); }
    std::string COMMUNE() const { return Text("COMMUNE"); }
    std::int32_t CODE_POSTAL() const { return Integer("CODE_POSTAL"); }
    std::int32_t BOITE_POSTALE() const { return Integer("BOITE_POSTALE"); }
    std::int32_t CEDEX() const { return Integer("CEDEX"); }
    std::int32_t TELEPHONE() const { return Integer("TELEPHONE"); }
    std::string STATUT() const { return Text("STATUT"); }
    std::string ETABLISSEMENT_SENSIBLE() const { return Text("ETABLISSEMENT_SENSIBLE"); }
};

class TXMLANNEE_SCOLAIREType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t ANNEE() const { return AttributeInteger("ANNEE"); }
    std::string DATE_DEBUT() const { return Text("DATE_DEBUT"); }
    std::string DATE_FIN() const { return Text("DATE_FIN"); }
};

class TXMLPARAMETRESType : public XmlNode {
public:
    using XmlNode::XmlNode;
    TXMLUAJType UAJ() const { return ChildAs<TXMLUAJType>("UAJ"); }
    TXMLANNEE_SCOLAIREType ANNEE_SCOLAIRE() const {
        return ChildAs<TXMLANNEE_SCOLAIREType>("ANNEE_SCOLAIRE");
    }
};

// --- NOMENCLATURES (the parts both variants share) ---

class TXMLTYPE_AHEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE() const { return AttributeInteger("CODE"); }
    std::string LIBELLE_COURT() const { return Text("LIBELLE_COURT"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
};
using TXMLTYPES_AHEType = Container<TXMLTYPE_AHEType, "TYPE_AHE">;

class TXMLCIVILITEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::string LIBELLE_COURT() const { return Text("LIBELLE_COURT"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
};
using TXMLCIVILITESType = Container<TXMLCIVILITEType, "CIVILITE">;

class TXMLMEFSTAT4Type : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::string LIBELLE_COURT() const { return Text("LIBELLE_COURT"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
    std::string INDEMNITE_PP_AUTORISEE() const { return Text("INDEMNITE_PP_AUTORISEE"); }
};
using TXMLMEFSTATS4Type = Container<TXMLMEFSTAT4Type, "MEFSTAT4">;

class TXMLTAUX_PONDType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string TAUX() const { return AttributeText("TAUX"); }
    std::string CPGE_BTS() const { return Text("CPGE_BTS"); }
};
using TXMLTAUX_PONDSType = Container<TXMLTAUX_PONDType, "TAUX_POND">;

class TXMLMOD_COURSType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::string LIBELLE_COURT() const { return Text("LIBELLE_COURT"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
    std::string CO_ENS() const { return Text("CO_ENS"); }
};
using TXMLMODS_COURSType = Container<TXMLMOD_COURSType, "MOD_COURS">;

class TXMLMATIEREType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE() const { return AttributeInteger("CODE"); }
    std::string CODE_GESTION() const { return Text("CODE_GESTION"); }
    std::string LIBELLE_COURT() const { return Text("LIBELLE_COURT"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
    std::string LIBELLE_EDITION() const { return Text("LIBELLE_EDITION"); }
};
using TXMLMATIERESType = Container<TXMLMATIEREType, "MATIERE">;

// --- DONNEES (the parts both variants share) ---

class TXMLPROF_PRINCType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE_STRUCTURE() const { return Text("CODE_STRUCTURE"); }
    std::string DATE_DEBUT() const { return Text("DATE_DEBUT"); }
    std::string DATE_FIN() const { return Text("DATE_FIN"); }
};

class TXMLPROFS_PRINCType : public FirstOf<TXMLPROF_PRINCType, "PROF_PRINC"> {
public:
    using FirstOf::FirstOf;
    TXMLPROF_PRINCType PROF_PRINC() const { return First(); }
};

class TXMLMEF_APPARTENANCEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE() const { return AttributeInteger("CODE"); }
    std::int32_t EFFECTIF_PREVU() const { return Integer("EFFECTIF_PREVU"); }
    std::int32_t EFFECTIF_CALCULE() const { return Integer("EFFECTIF_CALCULE"); }
};

class TXMLENSEIGNANTType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t ID() const { return AttributeInteger("ID"); }
    std::string TYPE() const { return AttributeText("TYPE"); }
    std::string HEURES_AGENT() const { return Text("HEURES_AGENT"); }
};

class TXMLDIVISION_APPARTENANCEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::int32_t EFFECTIF_PREVU() const { return Integer("EFFECTIF_PREVU"); }
    std::int32_t EFFECTIF_CALCULE() const { return Integer("EFFECTIF_CALCULE"); }
};
using TXMLDIVISIONS_APPARTENANCEType =
    Container<TXMLDIVISION_APPARTENANCEType, "DIVISION_APPARTENANCE">;

} // namespace common

namespace detail {

using namespace common;

// Members of MEF, PROGRAMME and INDIVIDU that both variants have.

class MefMembers : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE() const { return AttributeInteger("CODE"); }
    std::string FORMATION() const { return Text("FORMATION"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
    std::string LIBELLE_EDITION() const { return Text("LIBELLE_EDITION"); }
    std::int32_t MEFSTAT11() const { return Integer("MEFSTAT11"); }
    std::int32_t MEFSTAT4() const { return Integer("MEFSTAT4"); }
};

class ProgrammeMembers : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE_MATIERE() const { return Integer("CODE_MATIERE"); }
    std::string HORAIRE() const { return Text("HORAIRE"); }
};

class IndividuMembers : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t ID() const { return AttributeInteger("ID"); }
    std::string TYPE() const { return AttributeText("TYPE"); }
    std::int32_t SEXE() const { return Integer("SEXE"); }
    std::int32_t CIVILITE() const { return Integer("CIVILITE"); }
    std::string NOM_USAGE() const { return Text("NOM_USAGE"); }
    std::string NOM_PATRONYMIQUE() const { return Text("NOM_PATRONYMIQUE"); }
    std::string PRENOM() const { return Text("PRENOM"); }
    std::string DATE_NAISSANCE() const { return Text("DATE_NAISSANCE"); }
    std::string GRADE() const { return Text("GRADE"); }
    std::string FONCTION() const { return Text("FONCTION"); }
    TXMLPROFS_PRINCType PROFS_PRINC() const { return ChildAs<TXMLPROFS_PRINCType>("PROFS_PRINC"); }
};

// Node types that reach a variant-specific type somewhere below them. V names
// the variant's own types: Mef, Programme, Individu, MefsAppartenance and
// Enseignants.

template <class V> using TXMLMEFSType = Container<typename V::Mef, "MEF">;
template <class V> using TXMLPROGRAMMESType = Container<typename V::Programme, "PROGRAMME">;

template <class V> class TXMLNOMENCLATURESType : public XmlNode {
public:
    using XmlNode::XmlNode;
    TXMLTYPES_AHEType TYPES_AHE() const { return ChildAs<TXMLTYPES_AHEType>("TYPES_AHE"); }
    TXMLCIVILITESType CIVILITES() const { return ChildAs<TXMLCIVILITESType>("CIVILITES"); }
    TXMLMEFSTATS4Type MEFSTATS4() const { return ChildAs<TXMLMEFSTATS4Type>("MEFSTATS4"); }
    TXMLTAUX_PONDSType TAUX_PONDS() const { return ChildAs<TXMLTAUX_PONDSType>("TAUX_PONDS"); }
    TXMLMODS_COURSType MODS_COURS() const { return ChildAs<TXMLMODS_COURSType>("MODS_COURS"); }
    TXMLMATIERESType MATIERES() const { return ChildAs<TXMLMATIERESType>("MATIERES"); }
    TXMLMEFSType<V> MEFS() const { return ChildAs<TXMLMEFSType<V>>("MEFS"); }
    TXMLPROGRAMMESType<V> PROGRAMMES() const {
        return ChildAs<TXMLPROGRAMMESType<V>>("PROGRAMMES");
    }
};

template <class V> class TXMLSERVICEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::int32_t CODE_MATIERE() const { return AttributeInteger("CODE_MATIERE"); }
    std::string CODE_MOD_COURS() const { return AttributeText("CODE_MOD_COURS"); }
    std::string HEURES_STRUCTURE() const { return Text("HEURES_STRUCTURE"); }
    std::string CO_ENS() const { return Text("CO_ENS"); }
    typename V::Enseignants ENSEIGNANTS() const {
        return ChildAs<typename V::Enseignants>("ENSEIGNANTS");
    }
};
template <class V> using TXMLSERVICESType = Container<TXMLSERVICEType<V>, "SERVICE">;

template <class V> class TXMLDIVISIONType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
    std::int32_t EFFECTIF_PREVU() const { return Integer("EFFECTIF_PREVU"); }
    std::int32_t EFFECTIF_CALCULE() const { return Integer("EFFECTIF_CALCULE"); }
    typename V::MefsAppartenance MEFS_APPARTENANCE() const {
        return ChildAs<typename V::MefsAppartenance>("MEFS_APPARTENANCE");
    }
    TXMLSERVICESType<V> SERVICES() const { return ChildAs<TXMLSERVICESType<V>>("SERVICES"); }
};
template <class V> using TXMLDIVISIONSType = Container<TXMLDIVISIONType<V>, "DIVISION">;

template <class V> class TXMLGROUPEType : public XmlNode {
public:
    using XmlNode::XmlNode;
    std::string CODE() const { return AttributeText("CODE"); }
    std::string LIBELLE_LONG() const { return Text("LIBELLE_LONG"); }
    std::int32_t EFFECTIF_PREVU() const { return Integer("EFFECTIF_PREVU"); }
    std::int32_t EFFECTIF_CALCULE() const { return Integer("EFFECTIF_CALCULE"); }
    std::int32_t EFFECTIF_MAX_EDT() const { return Integer("EFFECTIF_MAX_EDT"); }
    TXMLDIVISIONS_APPARTENANCEType DIVISIONS_APPARTENANCE() const {
        return ChildAs<TXMLDIVISIONS_APPARTENANCEType>("DIVISIONS_APPARTENANCE");
    }
    typename V::MefsAppartenance MEFS_APPARTENANCE() const {
        return ChildAs<typename V::MefsAppartenance>("MEFS_APPARTENANCE");
    }
    TXMLSERVICESType<V> SERVICES() const { return ChildAs<TXMLSERVICESType<V>>("SERVICES"); }
};
template <class V> using TXMLGROUPESType = Container<TXMLGROUPEType<V>, "GROUPE">;

template <class V> class TXMLSTRUCTUREType : public XmlNode {
public:
    using XmlNode::XmlNode;
    TXMLDIVISIONSType<V> DIVISIONS() const { return ChildAs<TXMLDIVISIONSType<V>>("DIVISIONS"); }
    TXMLGROUPESType<V> GROUPES() const { return ChildAs<TXMLGROUPESType<V>>("GROUPES"); }
};

template <class V> using TXMLINDIVIDUSType = Container<typename V::Individu, "INDIVIDU">;

template <class V> class TXMLDONNEESType : public XmlNode {
public:
    using XmlNode::XmlNode;
    TXMLINDIVIDUSType<V> INDIVIDUS() const { return ChildAs<TXMLINDIVIDUSType<V>>("INDIVIDUS"); }
    TXMLSTRUCTUREType<V> STRUCTURE() const { return ChildAs<TXMLSTRUCTUREType<V>>("STRUCTURE"); }
};

template <class V> class TXMLSTS_EDTType : public XmlNode {
public:
    using XmlNode::XmlNode;
    TXMLPARAMETRESType PARAMETRES() const { return ChildAs<TXMLPARAMETRESType>("PARAMETRES"); }
    TXMLNOMENCLATURESType<V> NOMENCLATURES() const {
        return ChildAs<TXMLNOMENCLATURESType<V>>("NOMENCLATURES");
    }
    TXMLDONNEESType<V> DONNEES() const { return ChildAs<TXMLDONNEESType<V>>("DONNEES"); }
};

} // namespace detail

} // namespace tressal::sts

// The node types built on a variant's own types, and its document object, declared
// in the variant's namespace under their element names.
#define TRESSAL_STS_VARIANT_NODE_TYPES(V)                                                          \
    using TXMLSTS_EDTType = detail::TXMLSTS_EDTType<V>;                                            \
    using TXMLNOMENCLATURESType = detail::TXMLNOMENCLATURESType<V>;                                \
    using TXMLMEFSType = detail::TXMLMEFSType<V>;                                                  \
    using TXMLPROGRAMMESType = detail::TXMLPROGRAMMESType<V>;                                      \
    using TXMLDONNEESType = detail::TXMLDONNEESType<V>;                                            \
    using TXMLINDIVIDUSType = detail::TXMLINDIVIDUSType<V>;                                        \
    using TXMLSTRUCTUREType = detail::TXMLSTRUCTUREType<V>;                                        \
    using TXMLDIVISIONSType = detail::TXMLDIVISIONSType<V>;                                        \
    using TXMLDIVISIONType = detail::TXMLDIVISIONType<V>;                                          \
    using TXMLSERVICESType = detail::TXMLSERVICESType<V>;                                          \
    using TXMLSERVICEType = detail::TXMLSERVICEType<V>;                                            \
    using TXMLGROUPESType = detail::TXMLGROUPESType<V>;                                            \
    using TXMLGROUPEType = detail::TXMLGROUPEType<V>;                                              \
    using StsDocument = TypedStsDocument<TXMLSTS_EDTType>;
