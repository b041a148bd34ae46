// viewservices/infobar.cpp: the information bar's texts and its slide.
#include "viewservices/infobar.h"

#include <array>
#include <cstdio>
#include <cstring>

#include "engine/fatal.h"
#include "game/textmess.h"
#include "gamecode/matchstate.h"
#include "viewservices/viewflags.h"

InfoBarState InfoBarInfo;

namespace {

constexpr int32_t kKeyFrames = 100;
constexpr int32_t kPitchFrames = 150;
constexpr int32_t kQuickFrames = 50;
constexpr int32_t kSlideStep = 2;

constexpr int32_t TEXT_ON = 1240;
constexpr int32_t TEXT_OFF = 1241;
constexpr int32_t TEXT_SUBSTITUTE = 1332;
constexpr int32_t TEXT_PANORAMIC = 1234;
constexpr int32_t TEXT_NAMES = 1235;
constexpr int32_t TEXT_QUICK_PREVIEW = 828;
constexpr int32_t TEXT_MODEL_DETAIL = 1232;
constexpr auto kDetailTexts = std::to_array<int32_t>({1244, 1243, 1242});  // low, medium, high
constexpr int32_t TEXT_RESTART_BASE = 1640;                                // + type: "Corner" ...
constexpr int32_t TEXT_PAIR_BASE = 1641;  // + type: the word between the two players

// The engine's text for the types that name a person, by type; 0 where the type has none.
constexpr auto kEngineTexts =
    std::to_array<int16_t>({0, 0, 0, 0, 0, 0, 1411, 1410, 633, 914, 0, 1332, 0, 0, 0, 0});

const char* PersonName(int32_t person)
{
    if (person < 0 || person >= MATCH_OBJECT_COUNT) return "";
    return MatchPersons[person].name;
}

const char* OnOff(int16_t flag) { return GetMessageText(flag != 0 ? TEXT_ON : TEXT_OFF); }

void Format(const char* format, const char* first, const char* second)
{
    std::snprintf(InfoBarInfo.text, sizeof(InfoBarInfo.text), format, first, second);
}

void KeyText(int32_t type, int32_t a, int32_t b)
{
    switch (type) {
        case INFOBAR_SUBSTITUTE:
            std::snprintf(InfoBarInfo.text, sizeof(InfoBarInfo.text), "%s",
                          GetMessageText(TEXT_SUBSTITUTE));
            break;
        case INFOBAR_PANORAMIC:
            Format("%s %s", GetMessageText(TEXT_PANORAMIC), OnOff(ViewFlags.panoramic));
            break;
        case INFOBAR_NAMES:
            Format("%s %s", GetMessageText(TEXT_NAMES), OnOff(ViewFlags.showNames));
            break;
        case INFOBAR_QUICK_PREVIEW:
            Format("%s %s", GetMessageText(TEXT_QUICK_PREVIEW), OnOff(ViewFlags.quickPreview));
            break;
        case INFOBAR_MODEL_DETAIL: {
            const int32_t level = ViewFlags.modelDetail;
            if (level < 0 || level >= static_cast<int32_t>(kDetailTexts.size())) break;
            Format("%s %s", GetMessageText(TEXT_MODEL_DETAIL), GetMessageText(kDetailTexts[level]));
            break;
        }
        default: std::snprintf(InfoBarInfo.text, sizeof(InfoBarInfo.text), "%d x %d", a, b); break;
    }
}

bool IsRestart(int32_t type)
{
    return (type >= 0 && type <= 5) || type == 10 || (type >= 13 && type <= 15);
}

}  // namespace

void InfoBar_Init() { InfoBarInfo = {}; }

void InfoBar_Uninit() { InfoBar_Init(); }

void InfoBar(int32_t type, int32_t a, int32_t b, int32_t c)
{
    int32_t frames = kPitchFrames;
    if (type >= INFOBAR_SUBSTITUTE && type <= INFOBAR_SCREEN_SIZE) {
        KeyText(type, a, b);
        frames = kKeyFrames;
    } else if (IsRestart(type)) {
        std::snprintf(InfoBarInfo.text, sizeof(InfoBarInfo.text), "%s",
                      GetMessageText(TEXT_RESTART_BASE + type));
    } else if (type >= 6 && type <= 9) {
        Format("%s %s", GetMessageText(c), PersonName(a));
    } else if (type == 11 || type == 12) {
        std::snprintf(InfoBarInfo.text, sizeof(InfoBarInfo.text), "%s : %s %s : %s",
                      GetMessageText(c), PersonName(b), GetMessageText(TEXT_PAIR_BASE + type),
                      PersonName(a));
    } else {
        FatalError("Error: InfoBar(): unknown type (%d)\n", type);
    }
    InfoBarInfo.type = type;
    InfoBarInfo.framesLeft = ViewFlags.quickPreview != 0 ? kQuickFrames : frames;
}

void InfoBar_FromEngine(int32_t type, int32_t person1, int32_t person2)
{
    const bool named = type >= 0 && type < static_cast<int32_t>(kEngineTexts.size());
    InfoBar(type, person1, person2, named ? kEngineTexts[type] : 0);
}

void InfoBar_Animate()
{
    if (InfoBarInfo.framesLeft > 0) {
        if (InfoBarInfo.offset < INFOBAR_OFFSET_MAX) InfoBarInfo.offset += kSlideStep;
        --InfoBarInfo.framesLeft;
    } else if (InfoBarInfo.offset > 1) {
        InfoBarInfo.offset -= kSlideStep;
    }
}

void InfoBar_Reset()
{
    InfoBarInfo.offset = 0;
    InfoBarInfo.framesLeft = 0;
}

int32_t InfoBar_GetOffset() { return InfoBarInfo.offset; }

const char* InfoBar_GetText() { return InfoBarInfo.text; }

int32_t InfoBar_GetType() { return InfoBarInfo.type; }
