// Entry of the Windows test programs: the program's code runs with this module as its instance.
#include <gtest/gtest.h>

#include "core/app_globals.h"
#include "core/dll_search.h"
#include "support/drive_letter_fixture.h"

int main(int argc, char** argv)
{
    // The program's code runs with the DLL search restricted, as in Morvex.exe.
    RestrictDllSearch();
    // A test process that ended early (under qemu, now and then) leaves its drives in the session.
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
        RemoveVirtualDefinitions(letter);
    ::testing::InitGoogleTest(&argc, argv);
    g_hInstance = GetModuleHandleW(nullptr);
    return RUN_ALL_TESTS();
}
