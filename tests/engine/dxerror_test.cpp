#include "engine/dxerror.h"

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "engine/dxdraw.h"
#include "engine/dxenum.h"
#include "engine/gfx.h"
#include "engine/host/inject.h"
#include "engine/winlib.h"
#include "generated/build_paths.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

// The line of the check that reports a call, found in the display module's own source.
int LineOfCheck(const std::string& callName)
{
    std::ifstream source(PELLORAN_SOURCE_DIR "/engine/dxdraw.cpp");
    int checkLine = 0;
    int number = 0;
    for (std::string line; std::getline(source, line);) {
        ++number;
        if (line.find("DXCheck(") != std::string::npos) checkLine = number;
        if (line.find('"' + callName + '"') != std::string::npos) return checkLine;
    }
    return -1;
}

void SetModeWithFailingPrimary()
{
    WinInit("Pelloran", WIN_FLAG_WINDOWED);
    DXEnumDisplay();
    DXSelectDevice(0, -1);
    DDrawInit(0);
    HostInjectFailNext(HOST_CALL_SURFACE_CREATE, HOST_E_GENERIC);
    DDrawSetMode(DDrawModes[GfxFindMode(640, 480, DDRAW_KIND_16BIT)], 0);
}

}  // namespace

TEST(DXError, NamesTheHostCodesAndPrintsOthersInHex)
{
    EXPECT_STREQ(DXErrorString(0x887600E1), "DDERR_NOEXCLUSIVEMODE");
    EXPECT_STREQ(DXErrorString(0x80004005), "E_FAIL (D*ERR_GENERIC)");
    EXPECT_STREQ(DXErrorString(0x887601C2), "DDERR_SURFACELOST");
    EXPECT_STREQ(DXErrorString(HOST_E_BAD_ARGUMENT), "E_INVALIDARG (D*ERR_INVALIDPARAM)");
    EXPECT_STREQ(DXErrorString(HOST_E_UNSUPPORTED), "E_NOTIMPL (D*ERR_UNSUPPORTED)");
    EXPECT_STREQ(DXErrorString(HOST_E_OUT_OF_MEMORY), "E_OUTOFMEMORY");
    EXPECT_STREQ(DXErrorString(0x12345678), "unknown HRESULT (0x12345678)");
    EXPECT_STREQ(DXErrorString(0x8000FFFF), "unknown HRESULT (0x8000FFFF)");
}

TEST(DXErrorDeathTest, FailedCallEndsWithTheSourceLineFunctionAndCodeName)
{
    ScopedHeadlessHost host;
    const int line = LineOfCheck("primary DD7_CreateSurface");
    ASSERT_GT(line, 0);
    const std::string text =
        "Error: [file dxdraw, line " + std::to_string(line)
        + ", func CreateSurfaces()]:\nDirectX call primary DD7_CreateSurface() "
          "failed: E_FAIL (D*ERR_GENERIC)\n";
    EXPECT_EXIT(SetModeWithFailingPrimary(), testing::ExitedWithCode(1),
                "^" + FatalPattern(text) + "$");
}
