// What a link hands to the shell, and how the shell's answer is read.
#pragma once
#include <cstdint>

// The stored target, or the link's own text when no target is stored.
const wchar_t* LinkTarget(const wchar_t* storedTarget, const wchar_t* windowText);

// ShellExecuteW's result, read as a signed value: above 32 the shell accepted the target.
bool ShellAcceptedTarget(intptr_t result);
