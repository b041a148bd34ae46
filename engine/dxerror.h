// engine/dxerror.h: the report of a failed display or sound call, and the names of the host's
// result codes.
#pragma once

#include <cstdint>

#include "engine/host/host.h"

// The name of a result code; a code without a name gives "unknown HRESULT (0x%08X)", formatted
// into a static buffer that the next unknown code overwrites.
const char* DXErrorString(HostResult code);

// "Error: [file %s, line %d, func %s()]:\nDirectX call %s() failed: %s\n" through FatalError:
// the source module ("dxdraw"), the line of the check, the calling operation, the call's name
// and DXErrorString(code).
[[noreturn]] void DXReportFailure(const char* file, int32_t line, const char* func,
                                  const char* call, HostResult code);
// The same text with "Warning: " in place of "Error: ", printed; execution goes on.
void DXReportWarning(const char* file, int32_t line, const char* func, const char* call,
                     HostResult code);

// The check at a call site: a failed result is reported with the caller's line and name.
inline void DXCheck(HostResult result, const char* file, const char* call,
                    int32_t line = __builtin_LINE(), const char* func = __builtin_FUNCTION())
{
    if (HostFailed(result)) DXReportFailure(file, line, func, call, result);
}

// The warning form of DXCheck; answers whether the call succeeded.
inline bool DXCheckWarn(HostResult result, const char* file, const char* call,
                        int32_t line = __builtin_LINE(), const char* func = __builtin_FUNCTION())
{
    if (!HostFailed(result)) return true;
    DXReportWarning(file, line, func, call, result);
    return false;
}
