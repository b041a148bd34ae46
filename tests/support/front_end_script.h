// tests/support/front_end_script.h: the script lines that every whole-program run shares: from
// the start to the title screen, and quitting through the menu bar.
#pragma once

#include <string>

// Both splash screens and the credits cut short by clicks and Escape, then a wait until the
// title screen is up.
std::string ScriptToTitle();
// "Fichier", "Quitter", "Oui" on a screen with the menu bar: the program ends with code 0.
std::string ScriptQuitFromBar();
