// tests/menus/textinput_test.cpp: the text field: typing as the player's keyboard layout types,
// its capacity, the cursor keys, Escape and the bell.
#include "menus/textinput.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/keyboard.h"
#include "menus/machine.h"
#include "menus/menupc.h"
#include "menus/menutext.h"
#include "tests/support/menu_loop.h"
#include "tests/support/menu_run.h"
#include "tests/support/support.h"

namespace {

// Key codes: the physical keys.
constexpr int32_t KEY_Q = 0x10;  // "a" on a French keyboard, but the keys themselves type nothing
constexpr int32_t KEY_BACKSPACE = 0x0E;
constexpr int32_t KEY_ENTER = 0x1C;
constexpr int32_t KEY_ESCAPE = 0x01;
constexpr int32_t KEY_HOME = 0xC7;
constexpr int32_t KEY_END = 0xCF;
constexpr int32_t KEY_LEFT = 0xCB;
constexpr int32_t KEY_RIGHT = 0xCD;
constexpr int32_t KEY_DELETE = 0xD3;
constexpr int32_t PASS_LIMIT = 600;

class TextField : public ::testing::Test {
protected:
    TextField()
    {
        SetKeyboardLanguage(4);
        PresentMenuScreen();  // shown once, so no wipe spends the ticks of the keys
        TextInputInit();
    }
    ~TextField() override { TextInputUninit(); }

    void Start(const char* initial, uint16_t maxLength, uint32_t flags)
    {
        std::memset(m_output, 0, sizeof m_output);
        TextInputField field{};
        field.x = 100;
        field.y = 200;
        field.width = 400;
        field.output = m_output;
        field.maxLength = maxLength;
        field.initial = initial;
        field.flags = flags;
        EXTI_InitTextInput(&field);
    }

    // A key pressed, or text the player's layout typed.
    struct Stroke {
        Stroke(int32_t code) : key(code) {}
        Stroke(const char* utf8) : text(utf8) {}
        int32_t key = 0;
        const char* text = nullptr;
    };

    // Types the strokes, one every `spacing` periods (0: all before the field's next pass), and
    // runs the field until it ends or they are spent.
    int32_t Type(const std::vector<Stroke>& keys, uint32_t spacing = 10)
    {
        MenuInputs inputs;
        for (size_t i = 0; i < keys.size(); ++i) {
            const uint32_t tick = 10 + spacing * static_cast<uint32_t>(i);
            if (keys[i].text != nullptr) {
                AddText(&inputs, tick, keys[i].text);
            } else {
                AddKey(&inputs, tick, keys[i].key);
            }
        }
        ScopedMenuScript script(inputs, 100000);
        const uint32_t until = 20 + 10 * static_cast<uint32_t>(keys.size());
        int32_t code = TEXTINPUT_GOES_ON;
        while (code == TEXTINPUT_GOES_ON && ScopedMenuScript::Elapsed() < until) {
            code = EXTI_HandleKeys();
            WaitMenuTick();
        }
        return code;
    }

    ScopedMenuDisplay m_display;
    char m_output[64];
};

}  // namespace

TEST_F(TextField, APaddedFieldKeepsEveryTypedCharacter)
{
    Start("abc       ", 10, TEXTINPUT_PADDED);
    EXPECT_STREQ(EXTI_Text(), "abc");
    EXPECT_EQ(EXTI_Cursor(), 3);
    testing::internal::CaptureStdout();
    Type({"d", "d", "d", "d", "d", "d", "d"});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\a");  // the ninth is the last one taken
    EXPECT_EQ(Type({KEY_ENTER}), TEXTINPUT_ENTERED);
    EXPECT_EQ(EXTI_End(TEXTINPUT_ENTERED), TEXTINPUT_ENTERED);
    EXPECT_STREQ(m_output, "abcdddddd");
}

TEST_F(TextField, EnterPadsTheResultToOneLessThanTheCapacity)
{
    Start("abc       ", 10, TEXTINPUT_PADDED);
    EXPECT_EQ(Type({KEY_ENTER}), TEXTINPUT_ENTERED);
    EXTI_End(TEXTINPUT_ENTERED);
    EXPECT_STREQ(m_output, "abc      ");
}

TEST_F(TextField, TextGoesInAsTheLayoutTypedItAndEscapeRestoresTheStart)
{
    Start("xy", 20, 0);
    // A press and its text arrive together; the key adds nothing of its own.
    MenuInputs inputs;
    AddKey(&inputs, 10, KEY_Q);
    AddText(&inputs, 10, "q");
    {
        ScopedMenuScript script(inputs, 100000);
        while (ScopedMenuScript::Elapsed() < 30) {
            EXTI_HandleKeys();
            WaitMenuTick();
        }
    }
    Type({"\xC3\x89lo\xC3\xAF"
          "se ",
          KEY_Q, "\xC3\x87\xC3\xA0-Dupr\xC3\xA9"});
    EXPECT_STREQ(EXTI_Text(), "xyq\xC9lo\xEFse \xC7\xE0-Dupr\xE9");
    EXPECT_EQ(Type({KEY_ESCAPE}), TEXTINPUT_ESCAPED);
    EXPECT_STREQ(m_output, "xy");
    EXTI_End(TEXTINPUT_ESCAPED);
    EXPECT_EQ(EXTI_IsActive(), 0);
}

// Keys and characters typed between two passes of the field act in the order they came.
TEST_F(TextField, KeysAndCharactersWithinOnePassActInTheOrderTyped)
{
    struct Case {
        std::vector<Stroke> strokes;
        const char* text;
    };
    const Case cases[] = {
        {{KEY_BACKSPACE, "c"}, "ac"},
        {{"c", KEY_BACKSPACE}, "ab"},
        {{KEY_HOME, "x", KEY_END, "y"}, "xaby"},
        {{KEY_LEFT, "x", KEY_RIGHT, "y"}, "axby"},
        {{KEY_HOME, KEY_RIGHT, KEY_DELETE, "x"}, "ax"},
        {{KEY_LEFT, KEY_LEFT, KEY_LEFT, KEY_BACKSPACE, "x"}, "xab"},
        {{"d", KEY_ENTER, "e"}, "abd"},
    };
    for (const Case& c : cases) {
        Start("ab", 20, 0);
        Type(c.strokes, 0);
        EXPECT_STREQ(EXTI_Text(), c.text);
        EXTI_End(TEXTINPUT_ESCAPED);
    }
}

// A masked field shows a star for every character, blanks included: it refuses the character
// that would make the row of stars wider than the field, as it refuses a word too wide.
TEST_F(TextField, AMaskedFieldStopsWhereItsStarsFillTheWidth)
{
    TextInputField field{};
    field.x = 100;
    field.y = 200;
    field.width = 60;
    field.output = m_output;
    field.maxLength = 60;
    field.flags = TEXTINPUT_MASKED;
    EXTI_InitTextInput(&field);
    testing::internal::CaptureStdout();
    std::vector<Stroke> strokes;
    for (int i = 0; i < 30; ++i) {
        strokes.push_back(i % 3 == 2 ? " " : "m");
    }
    Type(strokes, 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, 1), "\a");
    const size_t taken = std::strlen(EXTI_Text());
    EXPECT_GT(taken, 0u);
    EXPECT_LT(taken, 30u);
    int32_t w = 0, h = 0;
    GetTextExtent(std::string(taken, '*').c_str(), &w, &h);
    EXPECT_LE(w, 60);
    EXTI_End(TEXTINPUT_ESCAPED);
}

TEST_F(TextField, KeysThatCannotActRingTheBell)
{
    Start("", 4, 0);
    testing::internal::CaptureStdout();
    Type({KEY_BACKSPACE});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\a");
    EXTI_End(TEXTINPUT_ESCAPED);

    static const char allowed[] = "0123456789";
    TextInputField field{};
    field.output = m_output;
    field.width = 400;
    field.maxLength = 4;
    field.allowed = allowed;
    EXTI_InitTextInput(&field);
    testing::internal::CaptureStdout();
    Type({"a"});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\a");
    EXPECT_STREQ(EXTI_Text(), "");
    EXTI_End(TEXTINPUT_ESCAPED);
}

TEST_F(TextField, AnEmptyPaddedFieldOfNoLengthTakesNothing)
{
    Start("", 0, TEXTINPUT_PADDED);
    testing::internal::CaptureStdout();
    Type({"a"});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\a");
    EXPECT_STREQ(EXTI_Text(), "");
    EXTI_End(TEXTINPUT_ESCAPED);
}

TEST_F(TextField, TheDoneCallbackAnswersForTheField)
{
    static int32_t seen;
    seen = -1;
    TextInputField field{};
    field.output = m_output;
    field.width = 400;
    field.maxLength = 4;
    field.done = [](int32_t code) {
        seen = code;
        return 6;
    };
    EXTI_InitTextInput(&field);
    EXPECT_EQ(EXTI_End(TEXTINPUT_ENTERED), 6);
    EXPECT_EQ(seen, TEXTINPUT_ENTERED);
}

// After every edit the field shows exactly what a field started on its text shows: no word that
// wrapped to the next line stays drawn on the line it left, and no cursor bar stays where it was.
TEST_F(TextField, EachEditLeavesTheFieldAsAWholeRedrawDrawsIt)
{
    constexpr int32_t kWidth = 90;
    const auto start = [this](const char* initial) {
        TextInputField field{};
        field.x = 100;
        field.y = 200;
        field.width = kWidth;
        field.output = m_output;
        field.maxLength = 40;
        field.initial = initial;
        EXTI_InitTextInput(&field);
        EXTI_HandleKeys();  // its first full drawing
    };
    const auto fieldPixels = [] {
        std::vector<uint32_t> pixels;
        for (int32_t y = 196; y < 290; ++y) {
            for (int32_t x = 96; x < 100 + kWidth + 20; ++x) {
                pixels.push_back(WorkPixel(x, y));
            }
        }
        return pixels;
    };
    struct Case {
        const char* initial;
        std::vector<Stroke> strokes;
    };
    const Case cases[] = {
        {"aa bb cc", {"d", "d", "d", "d", "d", "d"}},             // "ccdddddd" wraps to a new line
        {"aa bb cc dddddd", {KEY_BACKSPACE, KEY_BACKSPACE}},      // a word fits back on the line
        {"aa bb cc dddddd", {KEY_HOME, KEY_END}},                 // the bar goes back to the end
        {"aa bb cc dddddd", {KEY_HOME, "x", "x", "x", KEY_END}},  // words pushed down the lines
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.initial);
        PresentMenuScreen();
        start(c.initial);
        Type(c.strokes);
        const std::string text = EXTI_Text();
        const std::vector<uint32_t> edited = fieldPixels();
        EXTI_End(TEXTINPUT_ESCAPED);
        PresentMenuScreen();
        start(text.c_str());
        EXPECT_TRUE(fieldPixels() == edited) << text;
        EXTI_End(TEXTINPUT_ESCAPED);
    }
}

// A field of InitTextInput keeps to one line: it refuses the character that would wrap, and its
// cursor bar turns to the full colour once nothing more can be typed.
TEST_F(TextField, AOneLineFieldStopsAtItsWidthAndShowsWhereItStops)
{
    constexpr int32_t kWidth = 100;
    char text[] = "ab                  ";  // 19 characters may be typed
    InitTextInput(100, 200, kWidth, MENU_ALIGN_TL, text, m_output, nullptr, nullptr);
    const auto barColour = [] {
        int32_t w = 0, h = 0;
        GetTextExtent(EXTI_Text(), &w, &h);
        return WorkPixel(100 + w + 1, 200 + h - 1);
    };
    Type({"m"});
    const uint32_t typing = barColour();
    testing::internal::CaptureStdout();
    Type(std::vector<Stroke>(19, Stroke("m")), 2);
    EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, 1), "\a");
    int32_t w = 0, h = 0;
    GetTextExtent(EXTI_Text(), &w, &h);
    EXPECT_LE(w, kWidth);
    EXPECT_LT(std::strlen(EXTI_Text()), 19u);
    EXPECT_NE(barColour(), typing);
    Type({KEY_BACKSPACE});
    EXPECT_EQ(barColour(), typing);
    EXTI_End(TEXTINPUT_ESCAPED);

    // A wide field stops at its capacity: its bar turns with the last character it takes.
    char shortText[] = "ab  ";
    InitTextInput(100, 200, 400, MENU_ALIGN_TL, shortText, m_output, nullptr, nullptr);
    Type({KEY_BACKSPACE});
    EXPECT_EQ(barColour(), typing);
    Type({"c"});
    EXPECT_EQ(barColour(), typing);
    Type({"c"});
    EXPECT_STREQ(EXTI_Text(), "acc");
    EXPECT_NE(barColour(), typing);
    EXTI_End(TEXTINPUT_ESCAPED);
}

TEST(TextFieldDeathTest, AnAlignmentOtherThanTopLeftIsFatal)
{
    char out[8];
    EXPECT_FATAL(InitTextInput(0, 0, 100, 10, "abc", out, nullptr, nullptr),
                 "InitTextInput(): only M_ALIGN_TL is supported");
}
