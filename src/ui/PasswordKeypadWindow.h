#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace veld23::commands {
class PasswordKeypad;
}

namespace veld23 {

class IndicatorLamp;

// The password keypad ("PASSWORD"): the processor's three front-panel keys "LEFT", "RIGHT"
// and "PUSH", the entry that shows one "*" per key, the "Password Active" light, CLEAR, OK
// (usable once six keys are in) and Cancel. Every key goes to the keypad logic; the window
// shows the keypad's state after each one.
class PasswordKeypadWindow : public QDialog {
    Q_OBJECT

  public:
    explicit PasswordKeypadWindow(QWidget* parent = nullptr);

    // Shows the window modally over `keypad` (cleared by the caller); true when it was
    // closed with OK.
    bool Run(commands::PasswordKeypad& keypad);
    // The keypad the keys act on, for a window shown without Run (none: keys do nothing).
    void Bind(commands::PasswordKeypad* keypad);

  private:
    void Refresh();
    void Act(void (*action)(commands::PasswordKeypad&));

    commands::PasswordKeypad* keypad_ = nullptr;
    QLineEdit* entry_;
    IndicatorLamp* activeLamp_;
    QPushButton* activeButton_;
    QPushButton* ok_;
};

} // namespace veld23
