// tests/support/front_end_script.cpp: the script lines that every whole-program run shares.
#include "tests/support/front_end_script.h"

#include "tests/support/support.h"

namespace {

std::string SharedScript(const char* name)
{
    return ReadTextFile(std::string(PELLORAN_SOURCE_DIR) + "/tests/e2e/scripts/" + name);
}

}  // namespace

std::string ScriptToTitle() { return SharedScript("to_title.txt"); }
std::string ScriptQuitFromBar() { return SharedScript("quit_from_bar.txt"); }
