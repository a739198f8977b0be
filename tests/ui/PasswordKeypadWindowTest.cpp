#include "ui/PasswordKeypadWindow.h"

#include "commands/PasswordKeypad.h"
#include "ui/IndicatorLamp.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <initializer_list>

using namespace veld23;
using commands::PasswordKeypad;
using commands::PasswordRecord;

namespace {

struct Keypad {
    PasswordKeypad logic;
    PasswordKeypadWindow window;

    QPushButton* Button(const char* name) {
        auto* button = window.findChild<QPushButton*>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }
    void Click(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            QTest::mouseClick(Button(name), Qt::LeftButton);
        }
    }
    QString Entry() { return window.findChild<QLineEdit*>("Entry")->text(); }
    bool Lit() { return window.findChild<IndicatorLamp*>()->Lit(); }
};

} // namespace

// The keypad's rules are the keypad's; the window shows them and hands every button on.
TEST(PasswordKeypadWindow, ButtonsReachTheKeypadAndTheWindowShowsIt) {
    Keypad k;
    k.logic.Open();
    k.window.Bind(&k.logic);
    k.Click({"RIGHT", "LEFT", "PUSH", "PUSH", "LEFT"});
    EXPECT_EQ(k.Entry(), "*****");
    EXPECT_FALSE(k.Button("OK")->isEnabled());
    k.Click({"RIGHT", "PasswordActive"});
    EXPECT_EQ(k.logic.Record(), (PasswordRecord{1, 2, 3, 3, 2, 1, 0xFF}));
    EXPECT_TRUE(k.Button("OK")->isEnabled());
    EXPECT_TRUE(k.Lit());
    k.Click({"CLEAR"});
    EXPECT_EQ(k.Entry(), "");
    EXPECT_FALSE(k.Lit());
    EXPECT_EQ(k.logic.KeyCount(), 0);
}

TEST(PasswordKeypadWindow, RunAnswersOkOnlyForACompleteEntryConfirmedWithOk) {
    Keypad k;
    k.logic.Open();
    // Six PUSH presses with the password active, then OK: the record the processor gets.
    QTimer::singleShot(0, &k.window, [&k] {
        k.Click({"PUSH", "PUSH", "PUSH", "PUSH", "PUSH", "PUSH", "PasswordActive", "OK"});
    });
    EXPECT_TRUE(k.window.Run(k.logic));
    EXPECT_EQ(k.logic.Record(), (PasswordRecord{3, 3, 3, 3, 3, 3, 0xFF}));
    EXPECT_FALSE(k.window.isVisible());

    // Enter with five keys cannot confirm; Cancel then declines.
    k.logic.Open();
    QTimer::singleShot(0, &k.window, [&k] {
        k.Click({"LEFT", "LEFT", "LEFT", "LEFT", "LEFT"});
        QTest::keyClick(&k.window, Qt::Key_Return);
        EXPECT_TRUE(k.window.isVisible());
        k.Click({"Cancel"});
    });
    EXPECT_FALSE(k.window.Run(k.logic));

    // Escape declines as well, even with six keys in.
    k.logic.Open();
    QTimer::singleShot(0, &k.window, [&k] {
        k.Click({"RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT", "RIGHT"});
        QTest::keyClick(&k.window, Qt::Key_Escape);
    });
    EXPECT_FALSE(k.window.Run(k.logic));

    // Once Run has returned the keys no longer reach the keypad.
    k.Click({"PUSH"});
    EXPECT_EQ(k.logic.KeyCount(), 6);
}
