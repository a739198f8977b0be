#pragma once

#include <QGroupBox>

class QLabel;
class QPushButton;

namespace veld23 {

class LevelMeter;
struct PowerCheckResult;

// The dynamics window's power check: the information box with its two lines, the
// power caption, the level meter and the "WARNING!!!" captions, plus the button that
// opens the speaker and amplifier settings behind the check.
class DynamicsPowerPanel : public QGroupBox {
    Q_OBJECT

  public:
    explicit DynamicsPowerPanel(QWidget* parent = nullptr);

    void Show(const PowerCheckResult& check);

    QLabel* InformationBox() const { return information_; }
    QLabel* PowerCaption() const { return power_; }
    LevelMeter* Meter() const { return meter_; }
    QLabel* WarningCaption() const { return warning_; }
    QLabel* ExceededCaption() const { return exceeded_; }
    QPushButton* SpeakerButton() const { return speaker_; }
    // The warning is lit: bright red rather than dark red.
    bool WarningLit() const { return warningLit_; }

  Q_SIGNALS:
    void SpeakerRequested();

  private:
    QLabel* information_ = nullptr;
    QLabel* power_ = nullptr;
    LevelMeter* meter_ = nullptr;
    QLabel* warning_ = nullptr;
    QLabel* exceeded_ = nullptr;
    QPushButton* speaker_ = nullptr;
    bool warningLit_ = false;
};

} // namespace veld23
