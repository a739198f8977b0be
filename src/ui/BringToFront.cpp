#include "ui/BringToFront.h"

#include <QWidget>

namespace veld23 {

void BringToFront(QWidget& window, KeyboardFocus focus) {
    if (window.isMinimized()) {
        window.showNormal();
    } else {
        window.show();
    }
    window.raise();
    if (focus == KeyboardFocus::Take) {
        window.activateWindow();
    }
}

} // namespace veld23
