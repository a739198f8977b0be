#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace veld23 {

// A numeric field as the block editors use it: the text belongs to the controller
// behind it, so the field only reports what the user does. Typing reports the text;
// Enter or leaving the field after typing takes it; the Up and Down keys step; the
// optional step buttons step too. A field with typing off still takes the keys and
// the buttons, so it stays reachable from the keyboard.
class StepField : public QWidget {
    Q_OBJECT

  public:
    enum class Typing { Allowed, Off };
    enum class Buttons { None, Step };

    StepField(Typing typing, Buttons buttons, QWidget* parent = nullptr);

    QLineEdit* Edit() const { return edit_; }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

    // The refill: shows the controller's text, except while the user is typing into
    // the field, whose text the controller has not taken yet.
    void ShowText(const QString& text);
    // Room for this many characters of text.
    void SetCharacters(int characters);
    void setToolTip(const QString& tip);

  signals:
    void Typed(const QString& text);
    void Taken(const QString& text);
    void ArrowUp();
    void ArrowDown();
    void StepUp();
    void StepDown();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* edit_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
};

} // namespace veld23
