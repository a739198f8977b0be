#include "ui/LitButton.h"

#include <QSignalBlocker>

namespace veld23 {

LitButton::LitButton(const QString& text, QColor litColour, QWidget* parent)
    : QPushButton(text, parent) {
    // Checkable, so that assistive tools and the style read it as a switch; the click
    // toggles it ahead of the owner, and the refill sets it back to the owner's state.
    setCheckable(true);
    const QColor litText = litColour.lightness() > 140 ? QColor(QRgb{0x06222C}) : Qt::white;
    setStyleSheet(QStringLiteral("QPushButton:checked { background-color: %1; color: %2;"
                                 " border: 1px solid %3; border-radius: 3px; }")
                      .arg(litColour.name(), litText.name(), litColour.lighter(140).name()));
}

void LitButton::SetLit(bool lit) {
    if (isChecked() != lit) {
        const QSignalBlocker blocker(this);
        setChecked(lit);
    }
}

} // namespace veld23
