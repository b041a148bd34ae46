#include "engine/startup.h"

#include <vector>

#include <gtest/gtest.h>

#include "engine/debug.h"
#include "tests/support/support.h"

namespace {

std::string Parse(std::vector<const char*> args)
{
    args.insert(args.begin(), "pelloran");
    testing::internal::CaptureStdout();
    ParseCommandLine(static_cast<int>(args.size()), const_cast<char**>(args.data()));
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST(CommandLine, SwitchesCompareWithoutCaseAndKeepTheirArguments)
{
    ScopedCore core;
    EXPECT_EQ(Parse({"-HEADLESS", "-Seed", "42", "-data", "/d", "-debug", "memory=3"}), "");
    EXPECT_TRUE(CommandLineHas("-headless"));
    EXPECT_FALSE(CommandLineHas("-nosound"));
    EXPECT_STREQ(CommandLineValue("-seed"), "42");
    EXPECT_STREQ(CommandLineValue("-data"), "/d");
    EXPECT_EQ(CommandLineValue("-script"), nullptr);
    EXPECT_EQ(DebugLevel(DBG_MEMORY), 3);
}

TEST(CommandLine, UnknownSwitchWarnsAndIsIgnored)
{
    ScopedCore core;
    EXPECT_EQ(Parse({"-turbo", "-nosound"}),
              "Warning: ParseCommandLine(): unknown switch '-turbo'\n");
    EXPECT_FALSE(CommandLineHas("-turbo"));
    EXPECT_TRUE(CommandLineHas("-nosound"));
}

TEST(CommandLineDeathTest, SwitchWithoutItsArgumentIsFatal)
{
    ScopedCore core;
    EXPECT_FATAL(Parse({"-script"}), "Error: ParseCommandLine(): '-script' needs an argument\n");
    EXPECT_FATAL(Parse({"-seed", "x12"}), "Error: ParseCommandLine(): '-seed' needs an argument\n");
    EXPECT_FATAL(Parse({"-debug"}), "Error: ParseCommandLine(): '-debug' needs an argument\n");
}
