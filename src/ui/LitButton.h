#pragma once

#include <QColor>
#include <QPushButton>

namespace veld23 {

// A switch or selector that lights when on ("Mute", "Inv", "Limiter", a record
// selector). A click only reports itself: whoever owns the state decides, and the
// refill lights the button with SetLit.
class LitButton : public QPushButton {
    Q_OBJECT

  public:
    LitButton(const QString& text, QColor litColour, QWidget* parent = nullptr);

    bool Lit() const { return isChecked(); }
    void SetLit(bool lit);
};

} // namespace veld23
