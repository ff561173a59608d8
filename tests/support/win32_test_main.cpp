// Entry of the Windows test programs: the program's code runs with this module as its instance.
#include <gtest/gtest.h>

#include "core/app_globals.h"
#include "core/dll_search.h"

int main(int argc, char** argv)
{
    // The program's code runs with the DLL search restricted, as in Morvex.exe.
    RestrictDllSearch();
    ::testing::InitGoogleTest(&argc, argv);
    g_hInstance = GetModuleHandleW(nullptr);
    return RUN_ALL_TESTS();
}
