// Entry of the Windows test programs: the program's code runs with this module as its instance.
#include <gtest/gtest.h>

#include "core/app_globals.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    g_hInstance = GetModuleHandleW(nullptr);
    return RUN_ALL_TESTS();
}
