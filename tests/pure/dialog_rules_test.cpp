// The dialog's rules: drive records, the directory line, letter combo edits, toolbar buttons.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>

#include "mainwindow/dialog_rules.h"

namespace {

uint32_t Letters(const std::string& letters)
{
    uint32_t mask = 0;
    for (char letter : letters)
        mask |= LetterBit(static_cast<wchar_t>(letter));
    return mask;
}

std::string Names(uint32_t mask)
{
    std::string letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (mask & LetterBit(static_cast<wchar_t>(letter)))
            letters += letter;
    }
    return letters;
}

TEST(PlanLetterCombo, OffersFreeLettersAndKeepsWhatStays)
{
    const std::string all = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    const struct {
        std::string used, present;
        wchar_t keep, select;
        std::string remove, add;
        bool changeSelection;
        wchar_t selected;
    } cases[] = {
        // First fill: every free letter is added, nothing selected.
        {"CZ", "", 0, 0, "", "ABDEFGHIJKLMNOPQRSTUVWXY", false, 0},
        // A letter that came into use goes; letters that stay are not touched (their selection survives).
        {"CXZ", "ABDEFGHIJKLMNOPQRSTUVWXY", 0, 0, "X", "", false, 0},
        // A letter that became free comes back.
        {"CZ", "ABDEFGHIJKLMNOPQRSTUVWY", 0, 0, "", "X", false, 0},
        // The selected drive's own letter is offered although in use, and selected.
        {"CXZ", "ABDEFGHIJKLMNOPQRSTUVWY", L'X', L'X', "", "X", true, L'X'},
        // Present and kept: left where it is, so that a refresh does not disturb it.
        {"CXZ", "ABDEFGHIJKLMNOPQRSTUVWXY", L'X', L'X', "", "", true, L'X'},
        // Selecting a letter that is not offered clears the selection.
        {"CZ", "ABDEFGHIJKLMNOPQRSTUVWXY", 0, L'Z', "", "", true, L'Z'},
        // Anything outside A..Z means none.
        {"CZ", "ABDEFGHIJKLMNOPQRSTUVWXY", L'x', L'1', "", "", false, 0},
        {"", all, 0, 0, "", "", false, 0},
        {all, all, 0, 0, all, "", false, 0},
    };
    for (const auto& c : cases) {
        LetterComboEdit edit = PlanLetterCombo(Letters(c.used), Letters(c.present), c.keep, c.select);
        std::string label = c.used + "/" + c.present;
        EXPECT_EQ(Names(edit.remove), c.remove) << label;
        EXPECT_EQ(Names(edit.add), c.add) << label;
        EXPECT_EQ(edit.changeSelection, c.changeSelection) << label;
        if (c.changeSelection) {
            EXPECT_EQ(edit.select, c.selected) << label;
        }
    }
}

TEST(PlanLetterCombo, IgnoresBitsBeyondZ)
{
    LetterComboEdit edit = PlanLetterCombo(0xFC000000u, 0xFC000000u, 0, 0);
    EXPECT_EQ(edit.remove, 0u);
    EXPECT_EQ(Names(edit.add), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

TEST(ButtonRules, FollowTheSelectionAndThePick)
{
    const ButtonState on = ButtonState::Enabled, off = ButtonState::Disabled, same = ButtonState::Unchanged;
    const struct {
        const char* event;
        ToolbarStates states;
        ButtonState remove, save, create;
    } cases[] = {
        {"created", StatesAtCreation(), off, off, on},
        {"row selected", StatesForSelection(true), on, on, off},
        {"row not connected selected", StatesForSelection(true, false), on, on, on},
        {"selection lost", StatesForSelection(false), off, off, on},
        {"own letter picked", StatesForLetterPick(L'X', L'X'), same, same, off},
        {"other letter picked", StatesForLetterPick(L'X', L'Y'), same, same, on},
        {"pick without selection", StatesForLetterPick(0, L'Y'), same, same, on},
        {"selection without pick", StatesForLetterPick(L'X', 0), same, same, on},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.states.remove, c.remove) << c.event;
        EXPECT_EQ(c.states.save, c.save) << c.event;
        EXPECT_EQ(c.states.create, c.create) << c.event;
    }
}

TEST(FillDriveRecord, StoresTheListForm)
{
    const struct {
        std::wstring directory;
        std::wstring stored;
    } cases[] = {
        {L"C:\\Data", L"C:\\Data\\"},
        {L"c:\\data\\", L"C:\\data\\"},
        {L"C:", L"C:\\"},
        {L"", L"\\"},
        {L"C:\\" + std::wstring(255, L'a'), L"C:\\" + std::wstring(255, L'a') + L"\\"},   // 258 units
        {L"C:\\" + std::wstring(256, L'a'), L"C:\\" + std::wstring(256, L'a')},           // 259 units
        {L"C:\\" + std::wstring(2000, L'a'), L"C:\\" + std::wstring(1020, L'a')},         // cut to 1023
    };
    for (const auto& c : cases) {
        DriveRecord record;
        FillDriveRecord(&record, L'X', c.directory.c_str());
        EXPECT_EQ(record.letter, L'X');
        EXPECT_EQ(std::wstring(record.directory), c.stored) << c.directory.size();
    }
}

TEST(AddTrailingBackslash, BrowseResultsInTheMaxPathBuffer)
{
    const struct {
        std::wstring chosen;
        std::wstring shown;
    } cases[] = {
        {L"C:\\Data", L"C:\\Data\\"},
        {L"C:\\", L"C:\\"},                                                      // a root keeps its one backslash
        {L"C:\\" + std::wstring(255, L'a'), L"C:\\" + std::wstring(255, L'a') + L"\\"},   // 258 units
        {L"C:\\" + std::wstring(256, L'a'), L"C:\\" + std::wstring(256, L'a')},           // 259 units: full
    };
    for (const auto& c : cases) {
        wchar_t buffer[260] = {};
        c.chosen.copy(buffer, 259);
        AddTrailingBackslash(buffer, 260);
        EXPECT_EQ(std::wstring(buffer), c.shown) << c.chosen.size();
    }
}

TEST(DropTrailingBackslash, OnlyTheLastOneAndNeverARoot)
{
    const struct {
        const wchar_t* directory;
        const wchar_t* line;
    } cases[] = {
        {L"D:\\Archive\\Final\\", L"D:\\Archive\\Final"},
        {L"D:\\Archive\\Final", L"D:\\Archive\\Final"},
        {L"D:\\a\\\\", L"D:\\a\\"},
        {L"D:\\a\\", L"D:\\a"},
        {L"C:\\", L"C:\\"},
        {L"C:", L"C:"},
        {L"\\", L"\\"},
        {L"", L""},
        {L"D:\\\x8d44\x6599\\", L"D:\\\x8d44\x6599"},
    };
    for (const auto& c : cases) {
        wchar_t text[64];
        std::wcscpy(text, c.directory);
        DropTrailingBackslash(text);
        EXPECT_STREQ(text, c.line) << c.directory;
    }
}

}  // namespace
