#pragma once

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QLineEdit;

namespace veld23 {

// "Show Filter Coefficients": b0, b1, b2, a1 and a2 of the equaliser band last redesigned,
// as the equaliser editor writes them (six decimals, a1 and a2 with the processor's sign).
// The window reads the texts when it is shown and whenever Refresh is called.
class CoefficientViewerWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kCoefficients = 5;
    static constexpr std::array<const char*, kCoefficients> kCaptions{"b0", "b1", "b2", "a1", "a2"};
    // The text of coefficient k (0 = b0 ... 4 = a2).
    using TextSource = std::function<std::string(int k)>;

    explicit CoefficientViewerWindow(TextSource source, QWidget* parent = nullptr);

    // Reads the texts again; cheap, so an editor can call it after every band edit.
    void Refresh();
    QString FieldText(int k) const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TextSource source_;
    std::array<QLineEdit*, kCoefficients> fields_{};
};

} // namespace veld23
