#include "engine/keyboard.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

#include "engine/host/host.h"
#include "engine/poll.h"
#include "engine/script.h"
#include "engine/timer.h"
#include "engine/winlib.h"
#include "tests/support/host_run.h"
#include "tests/support/support.h"

namespace {

// The keyboard on the headless host's active window.
class Keyboard : public testing::Test {
protected:
    Keyboard()
    {
        WinInit("Pelloran", WIN_FLAG_WINDOWED);
        InitKeyboardInterrupt();
    }
    ~Keyboard() override
    {
        if (KeyIsKeyboardInitialised()) ClearKeyboardInterrupt();
        WinUninit();
    }

    static void Send(uint32_t code, bool down, bool repeat = false)
    {
        HostOnKey(code, down, repeat);
        Dispatch();
    }
    static void Type(const char* utf8)
    {
        HostOnText(utf8);
        Dispatch();
    }
    static void Dispatch()
    {
        while (HostMsgPeek()) {
            HostMessage message{};
            HostMsgGet(&message);
            HostMsgDispatch(message);
        }
    }
    static void Press(uint32_t code)
    {
        Send(code, true);
        Send(code, false);
    }

private:
    ScopedHeadlessHost m_host;
};

using KeyboardDeathTest = Keyboard;

// The languages' tables as written for people: codes 0-88 unshifted and shifted, 0 for none.
struct Expected {
    std::array<uint8_t, KEY_CHAR_CODES> unshifted{};
    std::array<uint8_t, KEY_CHAR_CODES> shifted{};
};

void Set(Expected* e, int code, uint8_t unshifted, uint8_t shifted)
{
    e->unshifted[code] = unshifted;
    e->shifted[code] = shifted;
}

// The keys every language shares.
Expected Common()
{
    Expected e;
    const std::pair<int, char> same[] = {{1, 0x1B}, {14, 0x08}, {15, 0x09}, {28, 0x0D}, {57, ' '},
                                         {55, '*'}, {71, '7'},  {72, '8'},  {73, '9'},  {74, '-'},
                                         {75, '4'}, {76, '5'},  {77, '6'},  {78, '+'},  {79, '1'},
                                         {80, '2'}, {81, '3'},  {82, '0'},  {83, '.'}};
    for (const auto& [code, c] : same) {
        Set(&e, code, static_cast<uint8_t>(c), static_cast<uint8_t>(c));
    }
    const std::pair<int, char> letters[] = {{18, 'e'}, {19, 'r'}, {20, 't'}, {22, 'u'}, {23, 'i'},
                                            {24, 'o'}, {25, 'p'}, {31, 's'}, {32, 'd'}, {33, 'f'},
                                            {34, 'g'}, {35, 'h'}, {36, 'j'}, {37, 'k'}, {38, 'l'},
                                            {45, 'x'}, {46, 'c'}, {47, 'v'}, {48, 'b'}, {49, 'n'}};
    for (const auto& [code, c] : letters) {
        Set(&e, code, static_cast<uint8_t>(c), static_cast<uint8_t>(c - 'a' + 'A'));
    }
    return e;
}

// One language's differing keys: codes 2-13, 16, 17, 21, 26, 27, 30, 39, 40, 41, 43, 44 and
// 50-53 and 86, as pairs of unshifted and shifted characters.
Expected Language(const std::array<std::array<uint8_t, 2>, 28>& pairs)
{
    constexpr int kCodes[28] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 16, 17,
                                21, 26, 27, 30, 39, 40, 41, 43, 44, 50, 51, 52, 53, 86};
    Expected e = Common();
    for (int i = 0; i < 28; ++i) {
        Set(&e, kCodes[i], pairs[i][0], pairs[i][1]);
    }
    return e;
}

// clang-format off
const Expected kLanguages[KEY_LANGUAGES] = {
    Language({{{'1','!'},{'2','"'},{'3',0x9C},{'4','$'},{'5','%'},{'6','^'},{'7','&'},{'8','*'},{'9','('},{'0',')'},{'-','_'},{'=','+'},{'q','Q'},{'w','W'},{'y','Y'},{'[','{'},{']','}'},{'a','A'},{';',':'},{'\'','@'},{0x60,0x60},{'#','~'},{'z','Z'},{'m','M'},{',','<'},{'.','>'},{'/','?'},{0x5C,0x7C}}}),
    Language({{{'1','!'},{'2','@'},{'3','#'},{'4','$'},{'5','%'},{'6','^'},{'7','&'},{'8','*'},{'9','('},{'0',')'},{'-','_'},{'=','+'},{'q','Q'},{'w','W'},{'y','Y'},{'[','{'},{']','}'},{'a','A'},{';',':'},{'\'','"'},{0x60,'~'},{0x5C,0x7C},{'z','Z'},{'m','M'},{',','<'},{'.','>'},{'/','?'},{0,0}}}),
    Language({{{'1','!'},{'2','"'},{'3',0},{'4','$'},{'5','%'},{'6','&'},{'7','/'},{'8','('},{'9',')'},{'0','='},{0,'?'},{'\'',0x60},{'q','Q'},{'w','W'},{'z','Z'},{0,0},{'+','*'},{'a','A'},{0,0},{0,0},{0x5C,0},{'#',0},{'y','Y'},{'m','M'},{',',';'},{'.',':'},{'-','_'},{'<','>'}}}),
    Language({{{'1','!'},{'2','"'},{'3',0x9C},{'4','$'},{'5','%'},{'6','^'},{'7','&'},{'8','*'},{'9','('},{'0',')'},{'\'',0},{0,0},{'q','Q'},{'w','W'},{'y','Y'},{'[','{'},{']','}'},{'a','A'},{0,0},{0,0},{0x5C,0},{0,0},{'z','Z'},{'m','M'},{',',';'},{'.',':'},{'-','_'},{'<','>'}}}),
    Language({{{'1','&'},{'2',0xE9},{'3',0x95},{'4',','},{'5','('},{'6','-'},{'7',0xE8},{'8','_'},{'9',0xE7},{'0',0xE0},{0xBA,')'},{'+','='},{'a','A'},{'z','Z'},{'y','Y'},{0x22,'^'},{0xA3,'$'},{'q','Q'},{'m','M'},{'%',0xF9},{0xB2,0},{0xB5,'*'},{'w','W'},{'?',','},{'.',';'},{'/',':'},{0xA7,'!'},{'>','<'}}}),
    Language({{{'1','!'},{'2','"'},{'3','#'},{'4','$'},{'5','%'},{'6','&'},{'7','/'},{'8','('},{'9',')'},{'0','='},{'\'','?'},{0xAB,0xBB},{'q','Q'},{'w','W'},{'y','Y'},{'+','*'},{'\'',0x60},{'a','A'},{0xE7,0xC7},{0xB0,0xAA},{0x5C,0x7C},{'~','^'},{'z','Z'},{'m','M'},{',',';'},{'.',':'},{'-','_'},{'<','>'}}}),
    Language({{{'1','!'},{'2','"'},{'3',0xB7},{'4','$'},{'5','%'},{'6','&'},{'7','/'},{'8','('},{'9',')'},{'0','='},{'\'','?'},{0xA1,0xBF},{'q','Q'},{'w','W'},{'y','Y'},{0x60,'^'},{'+','*'},{'a','A'},{0xF1,0xD1},{'\'',0},{0xB0,0xAA},{0xE7,0xC7},{'z','Z'},{'m','M'},{',',';'},{'.',':'},{'-','_'},{'<','>'}}}),
};
// clang-format on

}  // namespace

TEST_F(Keyboard, EveryLanguageTypesTheCharactersOfItsTables)
{
    for (int32_t language = 0; language < KEY_LANGUAGES; ++language) {
        SCOPED_TRACE(testing::Message() << "language " << language);
        SetKeyboardLanguage(language);
        const Expected& expected = kLanguages[language];
        for (int32_t code = 0; code < KEY_CHAR_CODES; ++code) {
            EXPECT_EQ(KeyCodeToAscii(code, false), expected.unshifted[code]) << "code " << code;
            EXPECT_EQ(KeyCodeToAscii(code, true), expected.shifted[code]) << "shifted " << code;
            EXPECT_EQ(KeyCodeToAsciiIn(language, code, true), expected.shifted[code]);
        }
        EXPECT_EQ(KeyCodeToAscii(89, false), 0);
        EXPECT_EQ(KeyCodeToAscii(157, true), 0);
    }
}

TEST_F(Keyboard, AutoRepeatFillsTheRingToSixtyTwoAndDropsTheRest)
{
    Send(30, true);
    Type("a");
    for (int i = 0; i < 70; ++i) {
        Send(30, true, true);
        Type("a");
    }
    EXPECT_EQ(KeyAsciiAvailable(), 62);
    for (int i = 0; i < 62; ++i) {
        ASSERT_EQ(KeyAsciiRead(), 'a');
    }
    EXPECT_EQ(KeyAsciiAvailable(), 0);
    EXPECT_EQ(KeyIsDown(30), 1);
    Send(30, false);
    EXPECT_EQ(KeyIsDown(30), 0);
}

TEST_F(Keyboard, ExtendedKeysSetTheirHighCodesAndTypeNothing)
{
    Press(HOST_KEY_EXTENDED | 0x1D);  // right Ctrl
    EXPECT_EQ(KeyWasPressed(157), 1);
    EXPECT_EQ(KeyWasPressed(157), 0);
    EXPECT_EQ(KeyGetLast(), 157);
    EXPECT_EQ(KeyGetLast(), -1);
    EXPECT_EQ(KeyAsciiAvailable(), 0);
    Send(HOST_KEY_EXTENDED | 0x4D, true);  // right arrow: 0xCD
    EXPECT_EQ(KeyIsDown(0xCD), 1);
    EXPECT_EQ(KeyAsciiAvailable(), 0);
    EXPECT_EQ(KeyIsDown(-1), 0);
    EXPECT_EQ(KeyIsDown(257), 0);
    EXPECT_EQ(KeyWasPressed(100000), 0);
}

TEST_F(Keyboard, EitherShiftSelectsTheShiftedTableAndCapsLockDoesNothing)
{
    SetKeyboardLanguage(4);
    std::string typed;
    const auto press = [&typed](uint32_t code) {
        Press(code);
        typed.push_back(static_cast<char>(KeyCodeToAscii(KeyGetLast(), KeyLastWasShifted())));
    };
    press(2);
    Send(KEY_LEFT_SHIFT, true);
    for (uint32_t code : {2, 3, 4, 5, 6}) {
        press(code);
    }
    Send(KEY_LEFT_SHIFT, false);
    Press(0x3A);  // Caps Lock
    press(16);
    Send(KEY_RIGHT_SHIFT, true);
    press(16);
    Send(KEY_RIGHT_SHIFT, false);
    EXPECT_EQ(typed, std::string("1&\xE9\x95,(aA"));
    EXPECT_EQ(KeyAsciiAvailable(), 0);  // keys alone type nothing: the layout's characters do
}

// The window system's text, in UTF-8, reaches the ring in the game's character set.
TEST_F(Keyboard, TypedTextArrivesAsWindows1252AndWhatItLacksIsDropped)
{
    const struct {
        const char* utf8;
        std::string ring;
    } cases[] = {
        {"\xC3\x89lo\xC3\xAF"
         "se \xC3\x87\xC3\xA0-Dupr\xC3\xA9",
         "\xC9lo\xEFse \xC7\xE0-Dupr\xE9"},
        {"\xE2\x82\xAC\xC5\x93\xE2\x80\x99", "\x80\x9C\x92"},  // euro, oe, right quote
        {"a\xE4\xB8\xAD"
         "b\xF0\x9F\x98\x80"
         "c",
         "abc"},  // CJK and an emoji dropped
        {"a\tb\x7F"
         "c\xC2\x85",
         "abc"},  // control characters dropped
        {"ab\xFF"
         "cd",
         "ab"},          // bad UTF-8 ends the text
        {"a\xC3", "a"},  // so does a cut one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        Type(c.utf8);
        std::string typed;
        while (KeyAsciiAvailable() > 0) {
            typed.push_back(static_cast<char>(KeyAsciiRead()));
        }
        EXPECT_EQ(typed, c.ring);
    }
}

TEST_F(Keyboard, TheLastKeyKeepsTheShiftOfItsPressAfterShiftIsReleased)
{
    Send(KEY_LEFT_SHIFT, true);
    Press(16);
    Send(KEY_LEFT_SHIFT, false);
    EXPECT_EQ(KeyGetLast(), 16);
    EXPECT_TRUE(KeyLastWasShifted());
    Press(17);
    EXPECT_EQ(KeyGetLast(), 17);
    EXPECT_FALSE(KeyLastWasShifted());
    Send(KEY_RIGHT_SHIFT, true);
    Send(18, true);
    KeyClearBuffer();
    EXPECT_FALSE(KeyLastWasShifted());
}

TEST_F(Keyboard, ReadingAByteAboveSevenBitsGivesItSignExtended)
{
    Type("\xC3\xA9");
    EXPECT_EQ(KeyAsciiRead(), -23);
}

TEST_F(Keyboard, ClearBufferForgetsKeysTheLastKeyAndTheRing)
{
    Send(30, true);
    Type("a");
    Send(HOST_KEY_EXTENDED | 0x53, true);
    KeyClearBuffer();
    for (int32_t code = 0; code < KEY_CODES; ++code) {
        ASSERT_EQ(KeyIsDown(code), 0) << code;
        ASSERT_EQ(KeyWasPressed(code), 0) << code;
    }
    EXPECT_EQ(KeyGetLast(), -1);
    EXPECT_EQ(KeyAsciiAvailable(), 0);
}

TEST_F(Keyboard, TypedScriptLeavesExactlyItsCharactersWhateverTheLanguage)
{
    SetKeyboardLanguage(0);
    PollInit();
    TimerInit();
    std::string error;
    ASSERT_TRUE(ScriptParse("type.txt",
                            "type \"\xC3\x89lo\xC3\xAF"
                            "se \xC3\x87\xC3\xA0-Dupr\xC3\xA9 1&~\"\n",
                            &error))
        << error;
    ScriptStart(false);
    for (int i = 0; i < 60; ++i) {
        Poll();
    }
    ScriptStop();
    std::string typed;
    while (KeyAsciiAvailable() > 0) {
        typed.push_back(static_cast<char>(KeyAsciiRead()));
    }
    EXPECT_EQ(typed, "\xC9lo\xEFse \xC7\xE0-Dupr\xE9 1&~");
    TimerUninit();
    PollUninit();
}

TEST_F(KeyboardDeathTest, WrongStateCallsEndWithTheirTexts)
{
    EXPECT_FATAL(InitKeyboardInterrupt(),
                 "Error: InitKeyboardInterrupt(): Cannot set keyboard interrupt if already "
                 "running\n");
    EXPECT_FATAL(SetKeyboardLanguage(7), "Error: SetKeyboardLanguage(): unknown language\n");
    ClearKeyboardInterrupt();
    EXPECT_FATAL(ClearKeyboardInterrupt(),
                 "Error: ClearKeyboardInterrupt(): Cannot stop keyboard interrupt if not "
                 "running\n");
    EXPECT_FATAL(KeyAsciiRead(), "Error: KeyAsciiRead(): keyboard not initialised\n");
    EXPECT_FATAL(KeyAsciiAvailable(), "Error: KeyAsciiAvailable(): keyboard not initialised\n");
}
