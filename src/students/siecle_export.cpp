#include "students/siecle_export.h"

#include "text/cp1252.h"
#include "text/error.h"
#include "text/text_helpers.h"
#include "text/utf8.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace tressal::students {
namespace {

// A value as one field: trimmed, ";" and line ends replaced so that it cannot
// shift the fields; still UTF-8.
std::string Cleaned(const std::string& value) {
    return AsOneField(TrimBlanks(value), ';');
}

std::string FirstNotEmpty(std::initializer_list<const std::string*> values) {
    for (const std::string* value : values)
        if (std::string text = Cleaned(*value); !text.empty())
            return text;
    return {};
}

// dd/mm/yyyy as yyyymmdd; nothing when the text is not such a date.
std::optional<long> DateKey(const std::string& date) {
    const std::string text = TrimBlanks(date);
    if (CountFields(text, '/') != 3)
        return std::nullopt;
    const Fields part(text, '/');
    long values[3] = {};
    for (unsigned n = 1; n <= 3; ++n) {
        const std::string digits = part(n);
        if (digits.empty() || digits.size() > (n == 3 ? 4u : 2u) ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        values[n - 1] = std::stol(digits);
    }
    if (values[0] < 1 || values[0] > 31 || values[1] < 1 || values[1] > 12 || values[2] < 1000)
        return std::nullopt;
    return values[2] * 10000 + values[1] * 100 + values[0];
}

// A student with a leaving date is gone unless that date is readable and
// after a readable export date.
bool HasLeft(const SiecleStudent& student, const std::optional<long>& exportDate) {
    if (TrimBlanks(student[StudentValue::LeavingDate]).empty())
        return false;
    const auto leaving = DateKey(student[StudentValue::LeavingDate]);
    return !exportDate || !leaving || *leaving <= *exportDate;
}

long OptionOrder(const std::string& number) {
    const std::string text = TrimBlanks(number);
    if (text.empty() || text.size() > 9 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::numeric_limits<long>::max();
    return std::stol(text);
}

// The management codes of the student's first options, by NUM_OPTION: as many
// as the line has option fields.
std::vector<std::string> OptionsOf(const SiecleSchooling& schooling, const OptionCodes& codes) {
    std::vector<std::pair<long, const SiecleOption*>> ordered;
    for (const auto& option : schooling.options)
        ordered.emplace_back(OptionOrder(option.number), &option);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> management;
    for (std::size_t k = 0; k < ordered.size() && k < kOptionFields.size(); ++k)
        management.push_back(
            Cleaned(codes.ManagementCode(TrimBlanks(ordered[k].second->subjectCode))));
    return management;
}

std::string FamilyNameOf(const SiecleStudent& student) {
    return FirstNotEmpty({&student[StudentValue::UsageName], &student[StudentValue::FamilyName],
                          &student[StudentValue::OldName]});
}

std::string SexLetter(const std::string& code) {
    const std::string text = Cleaned(code);
    return text == "1" ? "M" : text == "2" ? "F" : text;
}

void PutAddress(const SiecleAddress& address, StudentLineBuilder& field) {
    using enum StudentField;
    for (const auto& line : address.lines) {
        const std::string text = Cleaned(line);
        if (!text.empty())
            field[Address] += (field[Address].empty() ? "" : " ") + text;
    }
    field[PostalCode] = Cleaned(address.postalCode);
    field[Town] = FirstNotEmpty({&address.town, &address.foreignTown});
}

// A student without an address or a phone of its own takes those of its legal
// representatives.
void PutRepresentativeContact(const RepresentativeContacts& representatives,
                              const std::string& studentId, StudentLineBuilder& field,
                              SiecleLineSources* sources) {
    using enum StudentField;
    if (field[Address].empty() && field[PostalCode].empty() && field[Town].empty())
        if (const SiecleAddress* address = representatives.Address(studentId)) {
            PutAddress(*address, field);
            if (sources)
                ++sources->addressesFromRepresentatives;
        }
    if (field[Phone].empty()) {
        field[Phone] = Cleaned(representatives.Phone(studentId));
        if (sources && !field[Phone].empty())
            ++sources->phonesFromRepresentatives;
    }
}

// The line in UTF-8.
std::string StudentLine(const SiecleExport& data, const SiecleStudent& student,
                        const OptionCodes& codes, const RepresentativeContacts* representatives,
                        SiecleLineSources* sources) {
    using V = StudentValue;
    using enum StudentField;
    StudentLineBuilder field;
    field[LastName] = FamilyNameOf(student);
    field[FirstName] = Cleaned(student[V::FirstName]);
    field[SecondFirstName] = Cleaned(student[V::SecondFirstName]);
    field[ThirdFirstName] = Cleaned(student[V::ThirdFirstName]);
    field[BirthDate] = Cleaned(student[V::BirthDate]);
    field[InternalNumber] = FirstNotEmpty({&student.internalNumber, &student[V::InternalNumber]});
    field[NationalId] = Cleaned(student[V::NationalId]);
    field[Sex] = SexLetter(student[V::SexCode]);
    if (const auto found =
            student.id.empty() ? data.schooling.end() : data.schooling.find(student.id);
        found != data.schooling.end()) {
        field[Division] = Cleaned(found->second.division.value_or(""));
        const auto options = OptionsOf(found->second, codes);
        for (std::size_t k = 0; k < options.size(); ++k)
            field[kOptionFields[k]] = options[k];
    }
    field[PreviousDivision] = Cleaned(student[V::LastYearDivision]);
    field[PreviousSchool] = Cleaned(student[V::LastYearSchool]);
    const std::string addressId = TrimBlanks(student[V::AddressId]);
    if (const auto found =
            addressId.empty() ? data.addresses.end() : data.addresses.find(addressId);
        found != data.addresses.end())
        PutAddress(found->second, field);
    field[Phone] = FirstNotEmpty({&student[V::HomePhone], &student[V::MobilePhone]});
    if (representatives)
        PutRepresentativeContact(*representatives, student.id, field, sources);
    return field.Line();
}

} // namespace

std::string SiecleEstablishmentCode(const SiecleExport& data) {
    const std::string code = TrimBlanks(data.establishment);
    if (!IsEstablishmentCode(code))
        throw Error("L'export des élèves indique le code établissement « " + EscapeControls(code) +
                    " », qui n'est pas un code valide (sept chiffres et une lettre) : refaites "
                    "l'export depuis SIECLE, sans modifier le fichier.");
    return code;
}

TextList SiecleStudentLines(const SiecleExport& data, const OptionCodes& codes,
                            SiecleLineSources* sources,
                            const RepresentativeContacts* representatives) {
    TextList lines{kSconetHeader};
    lines.reserve(data.students.size() + 1);
    if (sources)
        sources->elements.assign(1, StudentPlace());
    const auto exportDate = DateKey(data.exportDate);
    std::size_t position = 0;
    for (const auto& student : data.students) {
        ++position;
        const bool left = HasLeft(student, exportDate);
        std::string line =
            left ? std::string() : StudentLine(data, student, codes, representatives, sources);
        if (!left)
            lines.push_back(Utf8ToCp1252(line));
        if (!sources)
            continue;
        StudentPlace place{student.id, student.id.empty() ? position : 0};
        std::string name = FamilyNameOf(student);
        std::string firstName = Cleaned(student[StudentValue::FirstName]);
        if (left) {
            sources->leavers.push_back({std::move(place), std::move(name), std::move(firstName)});
            continue;
        }
        if (!FirstUnwritable(line).empty())
            sources->unwritable.push_back(
                {lines.size() - 1, std::move(name), std::move(firstName)});
        sources->elements.push_back(std::move(place));
    }
    return lines;
}

} // namespace tressal::students
