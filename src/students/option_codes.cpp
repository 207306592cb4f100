#include "students/option_codes.h"

#include "text/error.h"
#include "text/text_helpers.h"
#include "xml/stream.h"

#include <vector>

namespace tressal::students {
namespace {

struct BuiltInCode {
    std::string_view national;
    const char* management;
};

// The languages, which are all that the targets read from the options.
constexpr BuiltInCode kLanguages[] = {
    {"030201", "AGL1"}, {"030202", "AGL2"}, {"030203", "AGL3"}, {"030601", "ESP1"},
    {"030602", "ESP2"}, {"030603", "ESP3"}, {"030101", "ALL1"}, {"030102", "ALL2"},
    {"030103", "ALL3"}, {"030901", "ITA1"}, {"030902", "ITA2"}, {"030903", "ITA3"},
};

// BEE_NOMENCLATURES / DONNEES / MATIERES / MATIERE / CODE_GESTION, by depth.
constexpr std::string_view kPath[] = {"BEE_NOMENCLATURES", "DONNEES", "MATIERES", "MATIERE",
                                      "CODE_GESTION"};
constexpr std::size_t kSubjectDepth = 3;
constexpr std::size_t kCodeDepth = 4;

class NomenclatureEvents : public xml::XmlEvents {
public:
    explicit NomenclatureEvents(std::unordered_map<std::string, std::string>& codes)
        : codes_(codes) {}

    bool StartElement(std::string_view name, const xml::XmlAttributes& attributes) override {
        const std::size_t depth = depth_++;
        if (depth == 0 && name != kPath[0])
            throw Error(
                "Le fichier donné comme nomenclature n'est pas l'export des nomenclatures "
                "de SIECLE (Nomenclature.xml) : remplacez-le par cet export, ou retirez-le.");
        if (depth != matched_ || depth > kCodeDepth || name != kPath[depth])
            return true;
        ++matched_;
        if (depth == kSubjectDepth) {
            subject_ = TrimBlanks(attributes.Value("CODE_MATIERE"));
            code_.clear();
        }
        return true;
    }

    void EndElement() override {
        --depth_;
        if (matched_ > depth_) {
            matched_ = depth_;
            if (depth_ == kSubjectDepth && !subject_.empty() && !TrimBlanks(code_).empty())
                codes_.try_emplace(subject_, TrimBlanks(code_));
        }
    }

    void Text(std::string_view utf8) override {
        if (matched_ == kCodeDepth + 1 && depth_ == kCodeDepth + 1)
            code_.append(utf8);
    }

private:
    std::unordered_map<std::string, std::string>& codes_;
    std::size_t depth_ = 0;   // elements open
    std::size_t matched_ = 0; // of them, how many follow kPath
    std::string subject_;
    std::string code_;
};

} // namespace

OptionCodes OptionCodes::FromNomenclature(std::string_view bytes) {
    OptionCodes codes;
    NomenclatureEvents events(codes.nomenclature_);
    xml::StreamXml(bytes, events);
    return codes;
}

std::string OptionCodes::ManagementCode(const std::string& nationalCode) const {
    if (const auto found = nomenclature_.find(nationalCode); found != nomenclature_.end())
        return found->second;
    for (const auto& language : kLanguages)
        if (language.national == nationalCode)
            return language.management;
    return nationalCode;
}

} // namespace tressal::students
