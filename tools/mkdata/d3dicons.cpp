// tools/mkdata/d3dicons.cpp: the 3D-device view's head-up display icon sets: translucent dark
// panels with light edges, the pointer, cards, the replay bar, and three fonts rasterised from
// DejaVu, white on alpha. The sets must pack into the graphics manager's pages: past them the
// build fails.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tools/mkdata/canvas.h"
#include "tools/mkdata/d3dtextures.h"
#include "tools/mkdata/freetype/raster.h"
#include "tools/mkdata/matchgfx.h"
#include "vxd3d/d3dicon.h"
#include "vxd3d/gfxmgr.h"

namespace {

constexpr MkRgb kPanel = {16, 22, 34};
constexpr MkRgb kEdge = {190, 205, 225};
constexpr float kPanelCover = 0.75f;

struct IconDraft {
    int32_t width;
    int32_t height;
    int32_t count;
    std::function<void(MkCanvas& canvas, int32_t icon)> paint;
};

// A dark see-through panel with a light edge; `ends` closes the left (1), right (2) or both (3)
// sides, so that bar pieces join.
void Panel(MkCanvas& c, int32_t ends)
{
    const int32_t w = c.Width(), h = c.Height();
    c.Rect(0, 0, w, h, kPanel, kPanelCover);
    c.Rect(0, 0, w, 2, kEdge);
    c.Rect(0, h - 2, w, 2, kEdge);
    if (ends & 1) c.Rect(0, 0, 2, h, kEdge);
    if (ends & 2) c.Rect(w - 2, 0, 2, h, kEdge);
}

// Three pieces of a bar: the left end, the middle and the right end.
IconDraft Bar(int32_t width, int32_t height)
{
    return {width, height, 3, [](MkCanvas& c, int32_t icon) {
                Panel(c, icon == 0 ? 1 : icon == 2 ? 2 : 0);
            }};
}

IconDraft Card(MkRgb colour)
{
    return {12, 16, 1, [colour](MkCanvas& c, int32_t) {
                c.RoundRect(1, 0, 11, 16, 1.5f, colour);
                c.Outline(MK_OUTLINE);
            }};
}

std::vector<IconDraft> Drafts()
{
    const IconDraft panel = {0, 0, 1, [](MkCanvas& c, int32_t) { Panel(c, 3); }};
    const auto sized = [](IconDraft d, int32_t w, int32_t h) {
        d.width = w;
        d.height = h;
        return d;
    };
    return {
        {16, 24, 1,
         [](MkCanvas& c, int32_t) {
             c.Polygon({{1, 1}, {1, 18}, {5, 14}, {8, 21}, {11, 20}, {8, 13}, {13, 13}}, MK_WHITE);
             c.Outline(MK_BLACK);
         }},
        {128, 88, 1,
         [](MkCanvas& c, int32_t) {
             MkDrawPitch(c, 128, 88, 3);
             c.Rect(0, 0, 128, 88, kPanel, 0.35f);
         }},
        sized(panel, 256, 40),
        sized(panel, 64, 24),
        Bar(64, 44),
        Bar(32, 24),
        Card({220, 30, 30}),
        Card({245, 215, 20}),
        sized(panel, 32, 32),
        sized(panel, 64, 16),
        {10, 14, 11, [](MkCanvas& c, int32_t icon) { MkDrawDigitalGlyph(c, icon); }},
        {42, 52, 20, [](MkCanvas& c, int32_t icon) { MkDrawReplayButton(c, icon); }},
    };
}

struct IconFile {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::vector<uint32_t>> icons;  // ARGB
    std::vector<uint8_t> widths;               // fonts only
};

IconFile Draw(const IconDraft& draft)
{
    IconFile file{draft.width, draft.height, {}, {}};
    for (int32_t i = 0; i < draft.count; ++i) {
        MkCanvas canvas(draft.width, draft.height);
        draft.paint(canvas, i);
        file.icons.push_back(MkArgbOf(canvas));
    }
    return file;
}

// 256 white glyphs on alpha; the bytes without a character are blank.
IconFile Font(const char* faceName, int32_t cellHeight)
{
    const MkFace face(faceName, MkPixelSizeFor(faceName, cellHeight));
    const MkGlyphSet glyphs = MkRenderGlyphs(face);
    IconFile file{glyphs.cellWidth, cellHeight, {}, std::vector<uint8_t>(ICON_WIDTH_BYTES, 0)};
    for (int32_t b = 0; b < ICON_WIDTH_BYTES; ++b) {
        const MkGlyph& glyph = glyphs.glyphs[b];
        file.widths[b] = static_cast<uint8_t>(std::min(glyph.advance, glyphs.cellWidth));
        std::vector<uint32_t> cell(static_cast<size_t>(file.width) * cellHeight, 0x00FFFFFF);
        MkForEachInkPixel(glyph, glyphs.ascender, file.width, cellHeight,
                          [&](int32_t x, int32_t y, uint8_t coverage) {
                              cell[static_cast<size_t>(y) * file.width + x] =
                                  static_cast<uint32_t>(coverage) << 24 | 0xFFFFFF;
                          });
        file.icons.push_back(std::move(cell));
    }
    return file;
}

std::vector<IconFile> AllSets()
{
    std::vector<IconFile> sets;
    for (const IconDraft& draft : Drafts())
        sets.push_back(Draw(draft));
    sets.push_back(Font("DejaVuSans-Bold.ttf", 12));
    sets.push_back(Font("DejaVuSans-Bold.ttf", 16));
    sets.push_back(Font("DejaVuSans-Bold.ttf", 24));
    return sets;
}

}  // namespace

void MkGenerateHudIcons(MkFileSet* set)
{
    const std::vector<IconFile> sets = AllSets();
    std::vector<GfxMgrPackIcon> packing;
    for (size_t s = 0; s < sets.size(); ++s) {
        const IconFile& file = sets[s];
        const std::string name = std::string(MK_DEVICE_ROOT) + "icons\\" + IconSets[s].name;
        std::vector<uint8_t> bytes =
            MkPictureHeader(file.width, file.height, static_cast<int32_t>(file.icons.size()));
        for (const std::vector<uint32_t>& icon : file.icons) {
            MkPutArgb(&bytes, icon);
            packing.push_back({&icon, file.width, file.height});
        }
        MkAddFile(set, name + ".gfx", std::move(bytes));
        if (IconSets[s].flags & ICON_HAS_WIDTHS) MkAddFile(set, name + ".wid", file.widths);
    }
    const int32_t pages = GfxMgr_PagesFor(packing);
    if (pages < 0 || pages > MAX_TEXTURES) {
        std::fprintf(stderr, "mkdata: the HUD icon sets need %d pages of %d\n", pages,
                     MAX_TEXTURES);
        std::exit(1);
    }
}
