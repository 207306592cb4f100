#pragma once

#include "conversions/conversion_report.h"
#include "students/sconet_export.h"
#include "students/siecle_export.h"
#include "text/text_helpers.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tressal {

// Tells the report of a student conversion what happens to each line of the
// export (Windows-1252, a header line first) as the conversion goes.
class StudentReport : public students::ExportLineObserver {
public:
    // elements: for lines built from an XML export, the element of each line
    // (the lines then have no numbers); nullptr for the lines of a file.
    // foldsNames: the target folds names (FoldName); one still accented is told.
    StudentReport(students::LineView lines, const std::vector<students::StudentPlace>* elements,
                  ConversionReport& report, bool foldsNames = false);

    void Duplicate(std::size_t k, std::size_t kept) override;
    void Nameless(std::size_t k) override;
    // Counted in its division, checked for warnings.
    void Written(std::size_t k, const students::StudentFields& field) override;
    // Told when its names lost a character to "?", with both spellings.
    void Unwritable(const students::UnwritableStudent& student);
    // Sorts the divisions into the report.
    void Finish();
    // Lists apart the students written without an address, postal code or town.
    void ListWithoutAddress() { listWithoutAddress_ = true; }

private:
    Origin OriginOf(std::size_t k) const;
    void SetAside(EntryReason reason, std::size_t k, std::size_t kept);
    void Warn(WarningKind kind, std::size_t k, std::string_view name, std::string_view firstName,
              std::string_view value = {}, std::size_t number = 0);

    students::LineView lines_;
    const std::vector<students::StudentPlace>* elements_;
    ConversionReport& report_;
    bool foldsNames_;
    CodeCounter divisions_; // Windows-1252 codes
    bool listWithoutAddress_ = false;
};

// True when the text is a date dd/mm/yyyy with a day from 01 to 31 and a
// month from 01 to 12.
bool IsWholeDate(std::string_view date);

// "ELEVE_ID 4711", or "ELEVE n°3" for a student without identifier; none for
// the header line.
Origin StudentOrigin(const students::StudentPlace& place);

} // namespace tressal
