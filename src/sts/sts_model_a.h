#pragma once

// STS export model, variant A (Orlane teacher conversions): ENSEIGNANTS is a
// container of every ENSEIGNANT, MEFS_APPARTENANCE shows its first
// MEF_APPARTENANCE only, INDIVIDU has no DISCIPLINES, MEF/SPECIALITE and
// PROGRAMME/CODE_MEF are text.

#include "sts/sts_document.h"
#include "sts/sts_nodes.h"

namespace tressal::sts::a {

using namespace common;

class TXMLMEFType : public detail::MefMembers {
public:
    using MefMembers::MefMembers;
    std::string SPECIALITE() const { return Text("SPECIALITE"); }
};

class TXMLPROGRAMMEType : public detail::ProgrammeMembers {
public:
    using ProgrammeMembers::ProgrammeMembers;
    std::string CODE_MEF() const { return Text("CODE_MEF"); }
};

class TXMLINDIVIDUType : public detail::IndividuMembers {
public:
    using IndividuMembers::IndividuMembers;
};

class TXMLMEFS_APPARTENANCEType : public FirstOf<TXMLMEF_APPARTENANCEType, "MEF_APPARTENANCE"> {
public:
    using FirstOf::FirstOf;
    TXMLMEF_APPARTENANCEType MEF_APPARTENANCE() const { return First(); }
};

using TXMLENSEIGNANTSType = Container<TXMLENSEIGNANTType, "ENSEIGNANT">;

struct Variant {
    using Mef = TXMLMEFType;
    using Programme = TXMLPROGRAMMEType;
    using Individu = TXMLINDIVIDUType;
    using MefsAppartenance = TXMLMEFS_APPARTENANCEType;
    using Enseignants = TXMLENSEIGNANTSType;
};

using TXMLSTS_EDTType = detail::TXMLSTS_EDTType<Variant>;
using TXMLNOMENCLATURESType = detail::TXMLNOMENCLATURESType<Variant>;
using TXMLMEFSType = detail::TXMLMEFSType<Variant>;
using TXMLPROGRAMMESType = detail::TXMLPROGRAMMESType<Variant>;
using TXMLDONNEESType = detail::TXMLDONNEESType<Variant>;
using TXMLINDIVIDUSType = detail::TXMLINDIVIDUSType<Variant>;
using TXMLSTRUCTUREType = detail::TXMLSTRUCTUREType<Variant>;
using TXMLDIVISIONSType = detail::TXMLDIVISIONSType<Variant>;
using TXMLDIVISIONType = detail::TXMLDIVISIONType<Variant>;
using TXMLSERVICESType = detail::TXMLSERVICESType<Variant>;
using TXMLSERVICEType = detail::TXMLSERVICEType<Variant>;
using TXMLGROUPESType = detail::TXMLGROUPESType<Variant>;
using TXMLGROUPEType = detail::TXMLGROUPEType<Variant>;

using StsDocument = TypedStsDocument<TXMLSTS_EDTType>;

} // namespace tressal::sts::a
