#include "text/error.h"

#include "text/files.h"
#include "text/text_helpers.h"

#include <new>
#include <system_error>

namespace tressal {
namespace {

std::string WindowText(const std::string& reason, int line, const std::string& sourceLine,
                       const std::string& advice) {
    return reason + "\r\nLigne: " + std::to_string(line) + "\r\n" + sourceLine + advice;
}

// Each line ended by '\n' alone, without the empty lines at the end.
std::string TerminalLines(const std::string& message) {
    TextList lines = SplitLines(message);
    while (!lines.empty() && lines.back().empty())
        lines.pop_back();
    std::string text;
    for (const auto& line : lines)
        text += line + '\n';
    return text;
}

} // namespace

FileError::FileError(const std::string& reason, int line, const std::string& sourceLine, int column,
                     const std::string& advice)
    : Error(WindowText(reason, line, sourceLine, advice)), reason_(reason), line_(line),
      column_(column), sourceLine_(sourceLine), advice_(advice) {}

void ThrowWithin(const Error& error, const std::string& before, const std::string& after) {
    if (const auto* file = dynamic_cast<const FileError*>(&error))
        throw FileError(before + file->Reason(), file->Line(), file->SourceLine(), file->Column(),
                        file->Advice() + after);
    throw Error(before + error.what() + after);
}

std::string UserMessage(const std::exception& error) {
    if (const auto* file = dynamic_cast<const FileError*>(&error))
        return WindowText(file->Reason(), file->Line(), file->SourceLine(), file->Advice());
    if (dynamic_cast<const Error*>(&error) != nullptr)
        return error.what();
    if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
        return "Mémoire insuffisante pour aller au bout : fermez d'autres programmes et "
               "recommencez, ou vérifiez que le fichier choisi est bien l'export attendu.";
    if (const auto* system = dynamic_cast<const std::system_error*>(&error);
        system != nullptr && (system->code().category() == std::generic_category() ||
                              system->code().category() == std::system_category()))
        return SystemReason(system->code().value());
    return error.what();
}

std::string TerminalMessage(const std::exception& error) {
    const auto* file = dynamic_cast<const FileError*>(&error);
    if (file == nullptr)
        return TerminalLines(UserMessage(error));
    const std::string place = file->Line() > 0 ? "\nLigne: " + std::to_string(file->Line()) : "";
    return TerminalLines(file->Reason() + place + "\n" + file->SourceLine() + file->Advice());
}

} // namespace tressal
