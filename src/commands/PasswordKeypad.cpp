#include "commands/PasswordKeypad.h"

namespace veld23::commands {

void PasswordKeypad::Open() {
    Clear();
}

void PasswordKeypad::Press(PasswordKey key) {
    if (keyCount_ >= kKeys) {
        return;
    }
    const auto code = static_cast<std::uint8_t>(key);
    record_[static_cast<std::size_t>(keyCount_)] = code;
    entry_ += static_cast<char>('0' + code);
    ++keyCount_;
}

void PasswordKeypad::ToggleActive() {
    activeLit_ = !activeLit_;
    record_[kActiveFlag] = activeLit_ ? kActive : 0x00;
}

void PasswordKeypad::Clear() {
    entry_.clear();
    keyCount_ = 0;
    // The indicator goes dark with the flag: a lit indicator over an inactive
    // record would tell the user the opposite of what is sent.
    activeLit_ = false;
    record_[kActiveFlag] = 0x00;
}

} // namespace veld23::commands
