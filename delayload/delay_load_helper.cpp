// The function that each delay-loaded call goes through the first time: it loads the library by
// name (after wWinMain restricted the search to System32), finds the function and writes its
// address into the import slot. It stands in for the C runtime's, which carries unloading and
// notification hooks that Morvex never uses, at more than three times the size.
#include <windows.h>
#include <delayimp.h>

namespace {

// The C runtime's exception for a library or function that cannot be found: unhandled, it ends
// the process as a missing static import would have.
constexpr DWORD kModuleNotFound = 0xC06D007E;
constexpr DWORD kProcedureNotFound = 0xC06D007F;

}  // namespace

extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* slot)
{
    auto* image = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
    auto* library = reinterpret_cast<HMODULE*>(image + descriptor->rvaHmod);
    if (*library == nullptr)
        *library = LoadLibraryA(reinterpret_cast<const char*>(image + descriptor->rvaDLLName));
    if (*library == nullptr)
        RaiseException(kModuleNotFound, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(image + descriptor->rvaINT) +
                        (slot - reinterpret_cast<FARPROC*>(image + descriptor->rvaIAT));
    const char* name = IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                           ? reinterpret_cast<const char*>(IMAGE_ORDINAL(names->u1.Ordinal))
                           : reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(image + names->u1.AddressOfData)->Name;
    FARPROC function = GetProcAddress(*library, name);
    if (function == nullptr)
        RaiseException(kProcedureNotFound, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    *slot = function;
    return function;
}
