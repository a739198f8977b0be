#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace veld23::commands {

// The password as the processor takes it: the six key codes, then the active
// flag (0xFF password active, 0x00 not active).
using PasswordRecord = std::array<std::uint8_t, 7>;

// The processor's front-panel controls a password is made of, with their codes.
enum class PasswordKey : std::uint8_t { Right = 1, Left = 2, Push = 3 };

// The password keypad (`TPasswordForm`, heading "PASSWORD") without its window:
// the keys "LEFT", "RIGHT" and "PUSH", the entry that shows one "*" per key, the
// "Password Active" indicator, the clear key and OK, which is enabled once six
// keys have been pressed. The editor keeps no password of its own: the record
// goes only to the processor.
class PasswordKeypad {
  public:
    static constexpr int kKeys = 6;
    static constexpr std::size_t kActiveFlag = 6;
    static constexpr std::uint8_t kActive = 0xFF;

    // Opening the keypad starts from an empty entry with the password inactive.
    void Open();

    // Keys after the sixth change nothing.
    void Press(PasswordKey key);
    // The indicator toggles, and the record's flag with it.
    void ToggleActive();
    // An empty entry again, OK disabled and the password inactive.
    void Clear();

    int KeyCount() const { return keyCount_; }
    // The key codes typed so far, as digits ("3312").
    const std::string& Entry() const { return entry_; }
    // What the entry field shows.
    std::string ShownEntry() const { return std::string(entry_.size(), '*'); }
    bool ActiveLit() const { return activeLit_; }
    bool OkEnabled() const { return keyCount_ == kKeys; }
    const PasswordRecord& Record() const { return record_; }

  private:
    PasswordRecord record_{};
    std::string entry_;
    int keyCount_ = 0;
    bool activeLit_ = false;
};

} // namespace veld23::commands
