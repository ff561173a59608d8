// The command-line grammar.
#include "core/arguments.h"

#include <cwctype>

#include "core/bounded_string.h"
#include "core/drive_letter.h"

namespace {

bool IsLetterArgument(const wchar_t* argument)
{
    if (!IsDriveLetter(argument[0]))
        return false;
    if (argument[1] == L'\0')
        return true;
    if (argument[1] != L':')
        return false;
    if (argument[2] == L'\0')
        return true;
    return argument[2] == L'\\' && argument[3] == L'\0';
}

bool IsBlank(wchar_t unit)
{
    return unit == L' ' || unit == L'\t';
}

void TakeArgument(const wchar_t* argument, ParsedCommandLine* parsed)
{
    wchar_t letter = 0;
    switch (ClassifyArgument(argument, &letter)) {
    case ArgumentKind::StartupSwitch:
        parsed->startup = true;
        break;
    case ArgumentKind::DeleteSwitch:
        parsed->remove = true;
        break;
    case ArgumentKind::QuietSwitch:
        parsed->quiet = true;
        break;
    case ArgumentKind::ListSwitch:
        parsed->list = true;
        break;
    case ArgumentKind::UsageSwitch:
        parsed->usage = true;
        break;
    case ArgumentKind::DriveLetter:
        parsed->letter = letter;
        break;
    case ArgumentKind::DirectoryPath:
        if (parsed->path == nullptr)
            parsed->path = argument;
        break;
    case ArgumentKind::OtherSwitch:
    case ArgumentKind::Ignored:
        break;
    }
}

// The piece of text that starts at rest, cut where it ends: at a blank, or at a quote when it is
// a letter or a directory. Returns where the next piece may start, null after the last.
wchar_t* CutPiece(wchar_t* rest, bool atBlanks)
{
    const bool atQuote = IsDriveLetter(rest[0]);
    while (*rest != L'\0' && !(atBlanks && IsBlank(*rest)) && !(atQuote && *rest == L'"'))
        ++rest;
    if (*rest == L'\0')
        return nullptr;
    *rest = L'\0';
    return rest + 1;
}

}  // namespace

ArgumentKind ClassifyArgument(const wchar_t* argument, wchar_t* letter)
{
    if (argument[0] == L'/' || argument[0] == L'-') {
        if (EqualsIgnoringCase(argument + 1, L"startup"))
            return ArgumentKind::StartupSwitch;
        if (argument[1] == L'\0' || argument[2] != L'\0')
            return ArgumentKind::OtherSwitch;
        switch (std::towupper(static_cast<wint_t>(argument[1]))) {
        case L'D':
            return ArgumentKind::DeleteSwitch;
        case L'Q':
            return ArgumentKind::QuietSwitch;
        case L'L':
            return ArgumentKind::ListSwitch;
        case L'?':
            return ArgumentKind::UsageSwitch;
        default:
            return ArgumentKind::OtherSwitch;
        }
    }
    if (IsLetterArgument(argument)) {
        *letter = NormalizeDriveLetter(argument[0]);
        return ArgumentKind::DriveLetter;
    }
    if (IsDriveLetter(argument[0]))
        return ArgumentKind::DirectoryPath;
    return ArgumentKind::Ignored;
}

ParsedCommandLine ParseArguments(int count, wchar_t* const* arguments)
{
    ParsedCommandLine parsed;
    for (int i = 1; i < count; ++i) {
        // A quote cannot be part of a path: "C:\dir\" reaches the program as C:\dir" (the
        // backslash escapes the quote), and whatever followed on the line has joined it.
        wchar_t* rest = CutPiece(arguments[i], false);
        TakeArgument(arguments[i], &parsed);
        while (rest != nullptr) {
            while (IsBlank(*rest))
                ++rest;
            if (*rest == L'\0')
                break;
            wchar_t* piece = rest;
            rest = CutPiece(piece, true);
            TakeArgument(piece, &parsed);
        }
    }
    return parsed;
}

CommandAction ChooseCommandAction(const ParsedCommandLine& parsed)
{
    if (parsed.usage)
        return CommandAction::ShowUsage;
    if (parsed.list)
        return CommandAction::ListDrives;
    if (parsed.remove && parsed.letter != 0)
        return CommandAction::RemoveDrive;
    if (!parsed.remove && parsed.letter != 0 && parsed.path != nullptr)
        return CommandAction::DefineDrive;
    if (parsed.startup)
        return CommandAction::RunStartup;
    return parsed.quiet ? CommandAction::NoOperation : CommandAction::ShowDialog;
}

int ExitStatusOf(CommandAction action, bool quiet, bool succeeded)
{
    if (action == CommandAction::NoOperation)
        return kExitNoOperation;
    return quiet && !succeeded ? kExitFailed : kExitDone;
}

bool HasArguments(const wchar_t* commandLine)
{
    const wchar_t* rest = commandLine;
    if (*rest == L'"') {
        ++rest;
        while (*rest != L'\0' && *rest != L'"')
            ++rest;
        if (*rest == L'"')
            ++rest;
    } else {
        while (*rest != L'\0' && *rest != L' ' && *rest != L'\t')
            ++rest;
    }
    while (*rest == L' ' || *rest == L'\t')
        ++rest;
    return *rest != L'\0';
}
