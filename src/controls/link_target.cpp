// What a link hands to the shell.
#include "controls/link_target.h"

const wchar_t* LinkTarget(const wchar_t* storedTarget, const wchar_t* windowText)
{
    return storedTarget[0] != L'\0' ? storedTarget : windowText;
}

bool ShellAcceptedTarget(intptr_t result)
{
    return result > 32;
}
