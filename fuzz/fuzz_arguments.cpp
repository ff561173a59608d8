// Command-line classification: arguments of arbitrary units, split at NUL units.
#include <cstdlib>
#include <cwchar>

#include "core/arguments.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<wchar_t> units = ToUnits(data, size);
    units.push_back(0);
    wchar_t program[] = L"Morvex.exe";
    std::vector<wchar_t*> arguments = {program};
    size_t start = 0;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] == 0) {
            arguments.push_back(units.data() + start);
            start = i + 1;
        }
    }
    for (size_t i = 1; i < arguments.size(); ++i) {
        wchar_t letter = 0;
        ArgumentKind kind = ClassifyArgument(arguments[i], &letter);
        if (kind == ArgumentKind::DriveLetter ? (letter < L'A' || letter > L'Z') : letter != 0)
            std::abort();
    }
    ParsedCommandLine parsed = ParseArguments(static_cast<int>(arguments.size()), arguments.data());
    if (parsed.letter != 0 && (parsed.letter < L'A' || parsed.letter > L'Z'))
        std::abort();
    // The directory lies in the arguments' own text, and a quote has ended it.
    if (parsed.path != nullptr &&
        (parsed.path < units.data() || parsed.path >= units.data() + units.size() || std::wcschr(parsed.path, L'"')))
        std::abort();
    CommandAction action = ChooseCommandAction(parsed);
    if (action == CommandAction::DefineDrive && (parsed.path == nullptr || parsed.remove))
        std::abort();
    return 0;
}
