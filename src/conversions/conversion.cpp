#include "conversions/conversion.h"

#include "text/replace_files.h"

namespace tressal {

const Conversion* FindConversion(std::string_view cliName) {
    for (const auto& conversion : Conversions())
        if (conversion.cliName == cliName)
            return &conversion;
    return nullptr;
}

std::filesystem::path OutputFolder(const std::filesystem::path& root, const OutputPlan& plan) {
    std::filesystem::path folder = root;
    for (const auto& segment : plan.folder)
        folder /= std::filesystem::path(std::u8string(segment.begin(), segment.end()));
    return folder;
}

void WriteResult(const Converted& result, const OutputPlan& plan,
                 const std::filesystem::path& outputRoot, const std::filesystem::path& chosenFile) {
    SaveTextList(chosenFile, result.lines);
    if (plan.fixedCopy) {
        const auto fixed = OutputFolder(outputRoot, plan) / plan.fileName;
        WriteFileAtomically(fixed, JoinLinesNoFinalEnd(result.lines));
    }
    if (!plan.duplicatesFile.empty())
        SaveTextList(outputRoot / plan.duplicatesFile, result.duplicates);
}

} // namespace tressal
