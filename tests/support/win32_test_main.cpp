// Entry of the Windows test programs: the program's code runs with this module as its instance.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>

#include "core/app_globals.h"
#include "core/dll_search.h"
#include "import_hook/import_hook.h"
#include "support/drive_letter_fixture.h"

namespace {

DWORD g_mainThread = 0;
decltype(&CreateThread) g_realCreateThread = nullptr;

// GoogleTest gives each thread that asserts a watcher thread, started suspended, that only frees
// the thread's trace and reporter when it ends. Only the main thread asserts here, and it ends
// with the process, so its watcher is not started: under qemu a new 32-bit thread takes the
// whole process down. The caller gets a handle it can set, resume and close: its own thread's.
HANDLE WINAPI CreateThreadExceptTheMainThreadsWatcher(LPSECURITY_ATTRIBUTES security, SIZE_T stack,
                                                      LPTHREAD_START_ROUTINE start, LPVOID parameter,
                                                      DWORD flags, LPDWORD id)
{
    if (flags != CREATE_SUSPENDED || GetCurrentThreadId() != g_mainThread)
        return g_realCreateThread(security, stack, start, parameter, flags, id);
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    if (id != nullptr)
        *id = g_mainThread;
    return self;
}

}  // namespace

int main(int argc, char** argv)
{
    // The program's code runs with the DLL search restricted, as in Morvex.exe.
    RestrictDllSearch();
    // A test process that ended early (under qemu, now and then) leaves its drives in the session.
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter)
        RemoveVirtualDefinitions(letter);
    // Unbuffered, so that a run ended at its time limit shows the test it was in.
    setvbuf(stdout, nullptr, _IONBF, 0);
    g_mainThread = GetCurrentThreadId();
    ImportHook watcher("kernel32.dll", "CreateThread", reinterpret_cast<void*>(&CreateThreadExceptTheMainThreadsWatcher));
    g_realCreateThread = reinterpret_cast<decltype(&CreateThread)>(watcher.Original());
    ::testing::InitGoogleTest(&argc, argv);
    g_hInstance = GetModuleHandleW(nullptr);
    return RUN_ALL_TESTS();
}
