#pragma once

#include "config/ChannelLabels.h"
#include "editors/PowerCheck.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace veld23 {

class ProcessorConfiguration;
class TDYNAMIC;

// What the speaker settings ask of the dynamics editor, which shows the power check
// and shares the current record. The application connects the two editors.
class SpeakerSettingsListener {
  public:
    virtual ~SpeakerSettingsListener() = default;
    // A power check ran; the dynamics window shows its figures, meter and warnings.
    virtual void PowerChecked(const PowerCheckResult& result) = 0;
    // An output was chosen: the dynamics editor selects this record and lights its
    // selector.
    virtual void DynamicsRecordChosen(int record) = 0;
    // The balanced switch changed: the dynamics editor runs its threshold change.
    virtual void BalancedSwitched(int record) = 0;
};

// The speaker and amplifier settings editor ("Speaker and Amplifier Parameters")
// without its window. The settings live in the two dynamics records: output
// buttons 1 ("OUTPUT 1:") and 2 ("OUTPUT 2:") both edit record 1, button 3
// ("OUT SUB   ") record 2. Every change writes the current record and runs its
// power check. Nothing here is sent to the processor.
class SpeakerSettingsController {
  public:
    static constexpr int kButtons = 3;
    static constexpr std::string_view kCaption = "Speaker and Amplifier Parameters";
    static constexpr std::string_view kSelectorHeading = "CONFIGURE";
    static constexpr std::array<std::string_view, kButtons> kButtonCaptions = {
        "OUTPUT 1:", "OUTPUT 2:", "OUT SUB   "};
    // Record 2's heading where it is the second full-range output.
    static constexpr std::string_view kSecondOutputHeading = "OUTPUT 2";
    static constexpr std::array<std::string_view, 5> kImpedanceItems = {"2", "2.67", "4", "8",
                                                                        "16"};
    static constexpr std::array<std::string_view, 4> kSpeakerCountItems = {"1", "2", "3", "4"};

    explicit SpeakerSettingsController(ProcessorConfiguration& config,
                                       SpeakerSettingsListener* listener = nullptr);

    // Window activation: the caption first shows OUT 1's label, then the output of
    // the current record is chosen again (button 1 for record 1, 3 for record 2).
    void Activate();

    // Output button 1..3 (others are ignored): makes its record current, loads the
    // fields from it, runs the power check and selects the record in the dynamics
    // editor.
    void ChooseOutput(int button);
    int CurrentRecord() const { return record_; }
    int ChosenButton() const { return button_; }
    bool ButtonLit(int button) const { return button == button_; }
    // Button 2 is hidden in the two-output topology, where channel 2 is out of use.
    bool ButtonOffered(int button) const;
    std::string_view Heading() const;
    // The main window's label of the chosen output.
    const ChannelLabelTexts::Label& ChannelCaption() const;

    // "Box Impedance": item 0..4 of kImpedanceItems.
    int ImpedanceItem() const { return impedanceItem_; }
    void SelectImpedance(int item);

    // "Maximum Box Power", whole watts 5..4000, step buttons only: 100 W steps from
    // 1000 W up, 1 W steps below 25 W, 25 W steps between.
    int BoxPower() const { return boxPower_; }
    int BoxPowerStep() const;
    void BoxPowerUp();
    void BoxPowerDown();

    // "Maximum Amplifier Power", whole watts 25..4000, step buttons only: 100 W
    // steps from 1000 W up, 25 W steps below.
    int AmpPower() const { return ampPower_; }
    int AmpPowerStep() const;
    void AmpPowerUp();
    void AmpPowerDown();

    // "Amplifier Gain (linear)", whole numbers 5..200, step 1; may also be typed.
    // Typed text that is not a whole number leaves the value as it was; a number
    // outside the range is held to the nearer end.
    int AmpGain() const { return ampGain_; }
    void AmpGainUp();
    void AmpGainDown();
    void EnterAmpGain(std::string_view text);

    // "Balanced Signal": lit means balanced (bridged); unbalanced quarters the power.
    bool BalancedLit() const { return balanced_; }
    void ToggleBalanced();

    // The hidden speaker-count choice: item 0..3, kept in the record as it is.
    int SpeakerCountItem() const { return speakerCountItem_; }
    void SelectSpeakerCount(int item);

    const PowerCheckResult& LastPowerCheck() const { return lastCheck_; }

  private:
    TDYNAMIC& Record();
    void LoadFields();
    void StoreFields();
    void CheckPower();

    ProcessorConfiguration& config_;
    SpeakerSettingsListener* listener_;
    int record_ = 1;
    int button_ = 1;
    int impedanceItem_ = 3;
    int boxPower_ = 400;
    int ampPower_ = 600;
    int ampGain_ = 41;
    bool balanced_ = true;
    int speakerCountItem_ = 1;
    PowerCheckResult lastCheck_;
};

} // namespace veld23
