// engine/dxerror.cpp: the report of a failed display or sound call, and the names of the host's
// result codes.
#include "engine/dxerror.h"

#include <array>
#include <cstdio>

#include "engine/fatal.h"

namespace {

struct ErrorName {
    HostResult code;
    const char* name;
};

// The codes several components share carry their common name and the component alias together.
constexpr auto kErrorNames = std::to_array<ErrorName>({
    {HOST_E_GENERIC, "E_FAIL (D*ERR_GENERIC)"},
    {HOST_E_SURFACE_LOST, "DDERR_SURFACELOST"},
    {HOST_E_NOT_EXCLUSIVE, "DDERR_NOEXCLUSIVEMODE"},
    {HOST_E_BAD_ARGUMENT, "E_INVALIDARG (D*ERR_INVALIDPARAM)"},
    {HOST_E_UNSUPPORTED, "E_NOTIMPL (D*ERR_UNSUPPORTED)"},
    {HOST_E_OUT_OF_MEMORY, "E_OUTOFMEMORY"},
});

char s_unknownName[32];

}  // namespace

const char* DXErrorString(HostResult code)
{
    for (const ErrorName& row : kErrorNames) {
        if (row.code == code) return row.name;
    }
    std::snprintf(s_unknownName, sizeof s_unknownName, "unknown HRESULT (0x%08X)", code);
    return s_unknownName;
}

void DXReportFailure(const char* file, int32_t line, const char* func, const char* call,
                     HostResult code)
{
    FatalError("Error: [file %s, line %d, func %s()]:\nDirectX call %s() failed: %s\n", file, line,
               func, call, DXErrorString(code));
}

void DXReportWarning(const char* file, int32_t line, const char* func, const char* call,
                     HostResult code)
{
    std::printf("Warning: [file %s, line %d, func %s()]:\nDirectX call %s() failed: %s\n", file,
                line, func, call, DXErrorString(code));
}
