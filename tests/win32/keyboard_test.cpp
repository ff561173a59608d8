// The dialog by keyboard alone: keys typed through SendInput, handled by the dialog manager as in the modal loop.
#include <windows.h>
#include <dbt.h>

#include <gtest/gtest.h>

#include "res/resource.h"
#include "support/dialog_fixture.h"

namespace {

class KeyboardTest : public MainDialogTest {
protected:
    // Each key down (held: `downs` times, the later ones repeats) and up, then the dialog's
    // messages until it has been idle for 50 ms.
    void Type(std::initializer_list<WORD> keys, int downs = 1)
    {
        for (WORD key : keys) {
            INPUT input[2] = {};
            input[0].type = input[1].type = INPUT_KEYBOARD;
            input[0].ki.wVk = input[1].ki.wVk = key;
            input[1].ki.dwFlags = KEYEVENTF_KEYUP;
            for (int i = 1; i < downs; ++i)
                SendInput(1, input, sizeof(INPUT));
            SendInput(2, input, sizeof(INPUT));
        }
        for (int idle = 0; idle < 5; ++idle, Sleep(10))
            for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); idle = 0)
                if (!IsDialogMessageW(dialog_, &message))
                    DispatchMessageW(&message);
    }
};

TEST_F(KeyboardTest, TabOrderToolbarKeysDeleteAndTypedLetters)
{
    const wchar_t letter = TakeFreeLetter(), other = TakeFreeLetter();
    ASSERT_NE(OpenDialog(), nullptr);
    SetForegroundWindow(dialog_);
    SetFocus(Control(IDC_DRIVE_LIST));
    for (int control : {IDC_DRIVE_LIST, IDC_MAIN_TOOLBAR, IDC_LETTER_COMBO, IDC_PATH_EDIT, IDC_BROWSE_TOOLBAR,
                        IDC_AUTOSTART, IDC_CLOSE, IDC_HOMEPAGE_LINK, IDC_DRIVE_LIST}) {
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), control);
        Type({VK_TAB});
    }

    // New, the only enabled button, is hot when the toolbar gets the focus; Enter presses it.
    SetFocus(Control(IDC_LETTER_COMBO));
    Type({other, letter});
    EXPECT_EQ(ComboSelection(), Item(letter));
    SetPath(temp_.Path());
    SetFocus(Control(IDC_MAIN_TOOLBAR));
    Type({VK_RETURN});
    ASSERT_EQ(DeviceTarget(letter), L"\\??\\" + temp_.Path());

    // Selected while the toolbar keeps the focus: New is disabled, Remove hot; the arrows skip New to Save.
    SelectRow(RowOf(letter));
    SetPath(temp_.MakeFolder(L"moved"));
    Type({VK_DOWN, VK_UP, VK_LEFT, VK_SPACE});
    EXPECT_EQ(DeviceTarget(letter), L"\\??\\" + temp_.Path() + L"\\moved");

    // Delete on the selected row removes the drive, once however long the key is held: the row
    // selected in its place stays.
    ASSERT_TRUE(DefineRawTarget(other, L"\\??\\C:\\windows"));
    SendDeviceChange(DBT_DEVICEARRIVAL);
    SetFocus(Control(IDC_DRIVE_LIST));
    Type({VK_DELETE}, 3);
    EXPECT_EQ(DeviceTarget(letter), L"");
    EXPECT_EQ(DeviceTarget(other), L"\\??\\C:\\windows");
}

}  // namespace
