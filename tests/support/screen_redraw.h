// tests/support/screen_redraw.h: a seeded career (country 6, seed 7) whose human runs the first
// club of the top division, with the front end and the menu display up, for the tests and
// benchmarks of the management screens.
#pragma once

#include <cstdint>
#include <functional>

#include "menus/exm.h"
#include "tests/support/day_loop.h"
#include "tests/support/menu_loop.h"

struct MenuItem;

class ScopedScreenRedraw {
public:
    // `setUp` runs once the career exists and the human's team is picked.
    explicit ScopedScreenRedraw(const std::function<void()>& setUp = {});
    ~ScopedScreenRedraw();
    ScopedScreenRedraw(const ScopedScreenRedraw&) = delete;
    ScopedScreenRedraw& operator=(const ScopedScreenRedraw&) = delete;

    int32_t HumanClub() const { return m_human; }
    // The first row of the fixture table that the human's club plays in.
    int32_t HumanFixture() const;

    // Pushes the table and runs the menu loop: `settled` once its first build is on the screen,
    // then the inputs (ticks counted from the script's start); Escape leaves once they are spent.
    void Run(const MenuItem* table, const std::function<void()>& settled, MenuInputs inputs = {});

private:
    ScopedDayLoop m_loop;
    int32_t m_human = -1;
};

// Releases players of the club, never `kept`, until it has `count` left.
void ReleaseDownTo(int32_t club, int32_t count, int32_t kept);

// For the benchmarks: runs the screen in a fresh career and times full redraws from inside its
// loop, as many as the benchmark's state asks for; Escape then leaves.
template <typename BenchmarkState>
void TimeScreenRedraws(BenchmarkState& state, const MenuItem* table,
                       const std::function<void()>& setUp = {})
{
    ScopedScreenRedraw career(setUp);
    int64_t redraws = 0;
    career.Run(table, [&] {
        for (auto _ : state) {
            EXM_RedrawNow();
            ++redraws;
        }
    });
    state.SetItemsProcessed(redraws);
}

// Runs `fn`, clicking away every message box it shows and answering its questions "Oui" (or,
// with `yes` false, "Non").
int32_t ClickingBoxesAway(const std::function<int32_t()>& fn, bool yes = true);
