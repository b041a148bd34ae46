// tests/support/front_end_script.cpp: the script lines that every whole-program run shares.
#include "tests/support/front_end_script.h"

#include <cstring>

#include <gtest/gtest.h>

#include "generated/build_paths.h"

std::string SharedScript(const char* name)
{
    return ReadTextFile(PELLORAN_SOURCE_DIR "/tests/e2e/scripts/" + std::string(name));
}

std::string IncludeScript(const char* name)
{
    return "include " PELLORAN_SOURCE_DIR "/tests/e2e/scripts/" + std::string(name) + "\n";
}

std::string ScriptToTitle() { return SharedScript("to_title.txt"); }
std::string ScriptQuitFromBar() { return SharedScript("quit_from_bar.txt"); }

std::vector<int32_t> ScriptPrintedValues(const std::string& out, const std::string& name)
{
    const std::string line = "script: " + name + " = ";
    std::vector<int32_t> values;
    for (size_t at = out.find(line); at != std::string::npos; at = out.find(line, at + 1)) {
        values.push_back(std::stoi(out.substr(at + line.size())));
    }
    return values;
}

int32_t ScriptFirstPrintedValue(const std::string& out, const std::string& name)
{
    const std::vector<int32_t> values = ScriptPrintedValues(out, name);
    return values.empty() ? -1 : values.front();
}

std::string ScriptToMatchDayWatchingFrom(int32_t viewButtonX)
{
    std::string toMatch = SharedScript("to_match_day.txt");
    const std::string commentary = "click 127 450\n";
    toMatch.replace(toMatch.rfind(commentary), commentary.size(),
                    "click " + std::to_string(viewButtonX) + " 450\n");
    return toMatch;
}

bool ReadOptionsRecord(const std::string& file, OptionsBlock* block)
{
    // The record is the file's one block: after the 16-byte header and the block's own 12.
    constexpr size_t RECORD_AT = 28;
    if (file.size() < RECORD_AT + sizeof *block) return false;
    std::memcpy(block, file.data() + RECORD_AT, sizeof *block);
    return true;
}

ProgramResult RunScriptIn(const TempDir& work, const std::string& script, int timeoutSeconds,
                          const std::vector<std::string>& extraArgs)
{
    EXPECT_TRUE(WriteTextFile(work.Path("script.txt"), script));
    std::vector<std::string> args = {"-headless", "-seed", "7", "-script", "script.txt"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return RunProgram(args, {}, "", timeoutSeconds, work.Path());
}

PngImage GrabbedFrame(const TempDir& work, const char* name)
{
    PngImage image;
    std::string error;
    EXPECT_TRUE(ReadPng(work.Path(name), &image, &error)) << name << ": " << error;
    return image;
}
