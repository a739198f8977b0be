#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace veld23 {

// A number field of the editor windows. It holds no value of its own: the window shows the
// controller's text in it and hands on what the user does, which is typing, Enter, leaving
// the field and, where the field steps, the Up/Down arrow keys and its two small arrow
// buttons.
class StepField : public QWidget {
    Q_OBJECT

  public:
    // UpDown: the arrow keys and two arrow buttons; Keys: the arrow keys alone.
    enum class Steps { None, UpDown, Keys };
    // Where a step came from, for fields whose keys step finer than their buttons.
    enum class StepSource { Key, Button };

    explicit StepField(Steps steps, QWidget* parent = nullptr);

    QLineEdit* Edit() const { return edit_; }
    // Null for a field that does not step.
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

    // Shows the controller's text. Text already shown is left alone, so the cursor stays
    // where the user is typing.
    void ShowText(const QString& text);
    // Tooltip of the field and its buttons.
    void SetHint(const QString& hint);
    // Exactly wide enough for this many digits, whatever the font.
    void SetCharacterWidth(int characters);

  Q_SIGNALS:
    void Edited(const QString& text);
    void Entered();
    // The focus went to another control of the window. Switching to another window or
    // opening a menu is not leaving: a message box raised by the field's own change must
    // not take the field a second time.
    void Left();
    // +1 for Up, -1 for Down.
    void Stepped(int direction, StepField::StepSource source);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Steps steps_;
    QLineEdit* edit_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

} // namespace veld23
