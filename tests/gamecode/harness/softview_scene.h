// tests/gamecode/harness/softview_scene.h: the software 3D view built through its own hooks over
// a seeded match, with stand-ins for the goal parts, the corner flag and the balls, for the view's
// tests and benchmark.
#pragma once

#include <optional>
#include <string>

#include "engine/memory.h"
#include "tests/gamecode/harness/harness.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

// The seeded match both 3D views' scenes show: 300 ticks in, the kits and looks the generated
// textures have, two names for the score line and named players.
void SetUpViewedKickOff();

// The seeded match after 300 ticks, kits and names the generated data has, the presentation's
// modules started and the view built at 640 x 480; taken down at the end.
class ScopedSoftView {
public:
    ScopedSoftView();
    ~ScopedSoftView();
    ScopedSoftView(const ScopedSoftView&) = delete;
    ScopedSoftView& operator=(const ScopedSoftView&) = delete;

    static void Build();  // the init hook's two steps
    static void Tear();   // the destroy hook's two steps
    static void Frame();  // the update and frame hooks, then the present
    const MemoryStatistics& Before() const { return m_before; }  // before the first build

private:
    TempDir m_dir;
    std::string m_folder;
    ScopedMatch m_match;
    std::optional<ScopedMenus> m_menus;
    MemoryStatistics m_before{};
};
