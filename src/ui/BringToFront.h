#pragma once

class QWidget;

namespace veld23 {

// Whether a window brought up takes the keyboard: a progress or loading window only
// shows what is happening and leaves the keys where the user works.
enum class KeyboardFocus { Take, Leave };

// Shows a top-level window in front of the others; a minimised one comes back at its
// size first. Every window the program brings up comes up this way.
void BringToFront(QWidget& window, KeyboardFocus focus = KeyboardFocus::Take);

} // namespace veld23
