// The password keypad's rules, without the command around it.
#include "commands/PasswordKeypad.h"

#include <gtest/gtest.h>

namespace veld23 {
namespace {

using commands::PasswordKey;
using commands::PasswordKeypad;
using commands::PasswordRecord;

TEST(PasswordKeypad, SixKeysMakeThePasswordAndASeventhChangesNothing) {
    PasswordKeypad pad;
    pad.Open();
    const PasswordKey keys[] = {PasswordKey::Right, PasswordKey::Left, PasswordKey::Push,
                                PasswordKey::Push,  PasswordKey::Left, PasswordKey::Right};
    for (int i = 0; i < 5; ++i) {
        pad.Press(keys[i]);
        EXPECT_FALSE(pad.OkEnabled()) << i;
    }
    pad.Press(keys[5]);
    EXPECT_TRUE(pad.OkEnabled());
    EXPECT_EQ(pad.Entry(), "123321");
    EXPECT_EQ(pad.ShownEntry(), "******");
    EXPECT_EQ(pad.Record(), (PasswordRecord{1, 2, 3, 3, 2, 1, 0x00}));
    pad.ToggleActive();
    pad.Press(PasswordKey::Left);
    EXPECT_EQ(pad.KeyCount(), 6);
    EXPECT_EQ(pad.Record(), (PasswordRecord{1, 2, 3, 3, 2, 1, 0xFF}));
    pad.ToggleActive();
    EXPECT_EQ(pad.Record()[6], 0x00);
}

TEST(PasswordKeypad, ClearAndOpenStartAgain) {
    PasswordKeypad pad;
    pad.Open();
    for (int i = 0; i < 6; ++i) {
        pad.Press(PasswordKey::Right);
    }
    pad.ToggleActive();
    pad.Clear();
    EXPECT_EQ(pad.KeyCount(), 0);
    EXPECT_FALSE(pad.OkEnabled());
    EXPECT_EQ(pad.Record()[6], 0x00);
    pad.Press(PasswordKey::Left);
    EXPECT_EQ(pad.Entry(), "2");

    pad.ToggleActive();
    pad.Open();
    EXPECT_EQ(pad.Entry(), "");
    EXPECT_FALSE(pad.ActiveLit());
}

} // namespace
} // namespace veld23
