// tests/gamecode/harness/textview_scene.h: the text match view built on the headless host, for
// its tests and its benchmark.
#pragma once

#include "tests/support/menu_loop.h"

// The menu display's prerequisites with the display itself down, so that the view brings it up;
// a seeded match-day block, both sides set out on the pitch, and the view built.
class ScopedTextView {
public:
    ScopedTextView();
    ~ScopedTextView();
    ScopedTextView(const ScopedTextView&) = delete;
    ScopedTextView& operator=(const ScopedTextView&) = delete;

private:
    ScopedMenuDisplay m_display;
};
