#pragma once

#include "link/LinkUi.h"

#include <QWidget>

#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace veld23 {

// The borderless window that follows a framed transfer: the status line `Info` (first
// "Conecting..."), the gauge `ProgressBar` and the port line `Info_Com_Label`. The transfer
// engine drives it through its progress interface; the window only shows what it is told.
// Once failed, a transfer leaves its failure text here with the window open, and a Close
// button (or Escape) dismisses it; it never stands in the way of the next command.
class TransferProgressWindow : public QWidget, public link::TransferView {
    Q_OBJECT

  public:
    static constexpr const char* kInitialInfo = "Conecting...";

    explicit TransferProgressWindow(QWidget* parent = nullptr);

    void ShowProgress() override;
    void CloseProgress() override;
    void SetInfo(const std::string& text) override;
    void SetPortLabel(const std::string& text) override;
    void SetGaugeMax(int maximum) override;
    void SetGaugePosition(int position) override;
    void TransferFailed() override;

    QString InfoText() const;
    QString PortText() const;
    int GaugeMaximum() const { return gaugeMax_; }
    int GaugePosition() const;
    QPushButton* CloseButton() const { return close_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void PlaceOverParent();

    QLabel* info_;
    QProgressBar* gauge_;
    QLabel* port_;
    QPushButton* close_;
    int gaugeMax_ = 0;
    bool placed_ = false;
};

} // namespace veld23
