#include "editors/CrossoverController.h"

#include "config/OutputTopology.h"
#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"
#include "dsp/CrossoverSubLowPass.h"
#include "dsp/FrequencyGrid.h"
#include "editors/CrossoverSlots.h"
#include "plot/PlotReadout.h"

#include <algorithm>
#include <utility>

namespace veld23 {

namespace {

constexpr int kNoHeldFamily = -1;
const ResponseCurve kFlatResponse{};

bool UsesOwnSections(std::uint8_t family) {
    return family == kSectionsLowPass || family == kSectionsHighPass;
}

} // namespace

CrossoverController::CrossoverController(ProcessorConfiguration& config, RealTimeSender& sender)
    : config_(config), sender_(sender) {
    ConfigurePlot(plot_, PlotKind::Crossover);
    plot_.SetMouseListener(this);
    ForgetHeldFamilies();
    ShowTopology();
    ChooseAllOutputs();
}

CrossoverController::~CrossoverController() {
    plot_.SetMouseListener(nullptr);
}

void CrossoverController::SetRedrawFinalResponse(std::function<void()> redraw) {
    redrawFinalResponse_ = std::move(redraw);
}

// ---- Outputs.

void CrossoverController::ChooseOutput(int output) {
    if (!Valid(output)) {
        return;
    }
    current_ = output;
    plot_.SetTitle(CrossoverPlotTitle(output));
    columnCaption_ = "CrossOver " + std::to_string(output);
    plot_.BringToFront(output);
    Refill();
    DesignBothHalves();
}

std::string_view CrossoverController::SelectorLabel(int output) const {
    return Valid(output) ? config_.OutputChannelLabel(output).View() : std::string_view{};
}

bool CrossoverController::OutputOffered(int output) const {
    return Valid(output) && config_.ChannelOffered(output);
}

void CrossoverController::ChooseAllOutputs() {
    for (int output = 1; output <= kOutputs; ++output) {
        ChooseOutput(output);
    }
}

void CrossoverController::RefreshOutputs() {
    ForgetHeldFamilies();
    ChooseAllOutputs();
}

void CrossoverController::ResetToNew() {
    side_ = XoverSide::HighPass;
    ForgetHeldFamilies();
    for (int output = 1; output <= kOutputs; ++output) {
        plot_.Series(output).SetVisible(true);
    }
    ShowTopology();
    ChooseAllOutputs();
}

void CrossoverController::ApplyTopology() {
    ShowTopology();
    ChooseOutput(3);
}

void CrossoverController::ShowTopology() {
    plot_.Series(2).SetVisible(config_.Topology == OutputTopology::ThreeOutputs);
    plot_.Series(3).SetColour(PlotColour::FromRgb(ThirdCurveColour(config_.Topology)));
}

void CrossoverController::StorePendingParameters() {
    for (XoverSide side : {XoverSide::HighPass, XoverSide::LowPass}) {
        if (Column(side).Enabled() && Column(side).TextPending()) {
            FrequencyEnter(side);
        }
    }
}

// ---- Refill and design.

void CrossoverController::Refill() {
    CrossoverSolo& solo = config_.CrossoverSolos[Index(current_)];
    // At most one half can be used alone; a stored configuration with both flags
    // set keeps solo L, which the window checks first.
    if (solo.HighPassAux && solo.LowPassAux) {
        solo.LowPassAux = false;
    }
    TXOVER& crossover = Crossover();
    if (solo.HighPassAux) {
        crossover.LowPass.Family = kXoverBypass;
    }
    if (solo.LowPassAux) {
        crossover.HighPass.Family = kXoverBypass;
    }
    columnL_.SetEnabled(!solo.LowPassAux);
    columnH_.SetEnabled(!solo.HighPassAux);
    for (XoverSide side : {XoverSide::HighPass, XoverSide::LowPass}) {
        const TXOVERPB& half = Half(side);
        CrossoverColumn& column = MutableColumn(side);
        column.ShowOrder(half.Order);
        column.ShowFamily(half.Family);
        column.ShowFrequency(half.Frequency);
    }
}

void CrossoverController::DesignBothHalves() {
    // The change handler that follows a refill designs only the low-pass half; the
    // high-pass half is designed here from what the controls now hold, so a loaded
    // high-pass half reaches the curve and the processor as it was stored. The
    // coupling is left to the handler, which keeps the high-pass frequency.
    ApplyOrderRule();
    StoreAndDesign(XoverSide::HighPass, columnL_.FrequencyHz());
    Change(XoverSide::LowPass);
}

void CrossoverController::ApplyOrderRule() {
    const CrossoverSolo& solo = config_.CrossoverSolos[Index(current_)];
    if (solo.HighPassAux) {
        columnL_.ShowOrder(std::min(columnL_.Order(), kSoloCrossoverHighestOrder));
        columnH_.ShowOrder(kSharedCrossoverOrder);
    } else if (solo.LowPassAux) {
        columnH_.ShowOrder(std::min(columnH_.Order(), kSoloCrossoverHighestOrder));
        columnL_.ShowOrder(kSharedCrossoverOrder);
    } else {
        columnL_.ShowOrder(kSharedCrossoverOrder);
        columnH_.ShowOrder(kSharedCrossoverOrder);
    }
}

void CrossoverController::Change(XoverSide side) {
    ApplyOrderRule();
    const CrossoverSolo& solo = config_.CrossoverSolos[Index(current_)];
    TXOVER& crossover = Crossover();
    double hz = Column(side).FrequencyHz();
    // With both halves in use the high-pass edge never lies above the low-pass edge:
    // the column being changed gives way to the other half.
    if (side == XoverSide::HighPass) {
        const int lowPassHz = CrossoverColumn::HoldFrequencyHz(crossover.LowPass.Frequency);
        if (hz >= lowPassHz && !solo.HighPassAux) {
            hz = lowPassHz;
        }
    } else {
        const int highPassHz = CrossoverColumn::HoldFrequencyHz(crossover.HighPass.Frequency);
        if (hz <= highPassHz && !solo.LowPassAux) {
            hz = highPassHz;
        }
    }
    StoreAndDesign(side, hz);

    EvaluateCrossover(crossover, responses_[Index(current_)]);
    RedrawCurve(current_);
    if (sender_.CanSend()) {
        SendSlotSections(crossover, sender_);
    }
    if (redrawFinalResponse_) {
        redrawFinalResponse_();
    }
}

void CrossoverController::StoreAndDesign(XoverSide side, double frequencyHz) {
    CrossoverColumn& column = MutableColumn(side);
    TXOVERPB& half = Half(side);
    const TXOVERPB designed = half;
    column.ShowFrequency(frequencyHz);
    half.Frequency = column.FrequencyHz();
    half.Order = column.Order();
    half.Family = column.FamilyFor(half.Family);
    // The sections' own frequencies are the design's starting point, except for the
    // families that are designed from them.
    if (!UsesOwnSections(half.Family)) {
        half.Sections[0].Frequency = half.Frequency;
        half.Sections[1].Frequency = half.Frequency;
    }
    // The controls keep to orders and frequencies every family accepts; were a design
    // still refused, the half would keep its last design rather than new parameters
    // its sections do not match.
    if (half.Design(notifier_) != HalfDesignStatus::Ok) {
        half = designed;
        column.ShowFamily(half.Family);
    }
    // A Bessel low-pass above its limit now sits at the limit, and an odd
    // Linkwitz-Riley order has been raised: the controls show what was designed.
    column.ShowFrequency(half.Frequency);
    column.ShowOrder(half.Order);
}

// ---- Column controls.

void CrossoverController::SetFrequencyText(XoverSide side, std::string_view text) {
    if (Column(side).Enabled()) {
        MutableColumn(side).SetFrequencyText(text);
    }
}

void CrossoverController::FrequencyEnter(XoverSide side) {
    if (Column(side).Enabled() && MutableColumn(side).TakeTypedFrequency()) {
        UserChange(side);
    }
}

void CrossoverController::FrequencyUp(XoverSide side) {
    if (Column(side).Enabled()) {
        MutableColumn(side).StepFrequency(1);
        UserChange(side);
    }
}

void CrossoverController::FrequencyDown(XoverSide side) {
    if (Column(side).Enabled()) {
        MutableColumn(side).StepFrequency(-1);
        UserChange(side);
    }
}

void CrossoverController::ChooseFamily(XoverSide side, int index) {
    if (Column(side).Enabled() && index >= 0 && index < kFamilyListEntries) {
        MutableColumn(side).ChooseFamily(index);
        UserChange(side);
    }
}

void CrossoverController::OrderUp(XoverSide side) {
    if (Column(side).Enabled()) {
        MutableColumn(side).StepOrder(1);
        UserChange(side);
    }
}

void CrossoverController::OrderDown(XoverSide side) {
    if (Column(side).Enabled()) {
        MutableColumn(side).StepOrder(-1);
        UserChange(side);
    }
}

void CrossoverController::UserChange(XoverSide side) {
    side_ = side;
    Change(side);
}

// ---- Solo buttons.

void CrossoverController::ToggleSolo(XoverSide side) {
    const XoverSide other = side == XoverSide::HighPass ? XoverSide::LowPass : XoverSide::HighPass;
    CrossoverSolo& solo = config_.CrossoverSolos[Index(current_)];
    bool& mine = side == XoverSide::HighPass ? solo.HighPassAux : solo.LowPassAux;
    bool& theirs = side == XoverSide::HighPass ? solo.LowPassAux : solo.HighPassAux;
    if (mine) {
        mine = false;
        ReleaseHeldFamily(other);
    } else {
        heldFamily_[Index(current_)][SideIndex(other)] = Half(other).Family;
        mine = true;
        if (theirs) {
            // The half the other solo held at "ByPass" is now the one in use.
            theirs = false;
            ReleaseHeldFamily(side);
        }
    }
    UserChange(side);
    Refill();
    DesignBothHalves();
}

bool CrossoverController::SoloLit(XoverSide side) const {
    const CrossoverSolo& solo = config_.CrossoverSolos[Index(current_)];
    return side == XoverSide::HighPass ? solo.HighPassAux : solo.LowPassAux;
}

void CrossoverController::ReleaseHeldFamily(XoverSide heldSide) {
    int& held = heldFamily_[Index(current_)][SideIndex(heldSide)];
    TXOVERPB& half = Half(heldSide);
    if (held != kNoHeldFamily) {
        half.Family = static_cast<std::uint8_t>(held);
    }
    held = kNoHeldFamily;
    MutableColumn(heldSide).ShowFamily(half.Family);
}

void CrossoverController::ForgetHeldFamilies() {
    for (auto& output : heldFamily_) {
        output.fill(kNoHeldFamily);
    }
}

// ---- Plot.

void CrossoverController::RedrawCurve(int output) {
    plot_.SetPlotting(false);
    FillCurve(output);
    plot_.SetPlotting(true);
}

void CrossoverController::FillCurve(int output) {
    const ResponseCurve& response = responses_[Index(output)];
    // The SUB path also runs the fixed low-pass and the loudness; its curve shows
    // what the output really gets.
    const bool subPath = output == 3 && config_.Topology == OutputTopology::ThreeOutputs;
    const ResponseCurve& fixed = SubLowPassResponse();
    const ResponseCurve& loudness = loudness_ != nullptr ? *loudness_ : kFlatResponse;
    const FrequencyGrid& grid = FrequencyGrid::Shared();
    PlotSeries& series = plot_.Series(output);
    series.Clear();
    for (int i = 0; i <= FrequencyGrid::N; ++i) {
        const auto k = static_cast<std::size_t>(i);
        double magnitudeDb = response.magnitudeDb[k];
        double phaseRad = response.phaseRad[k];
        if (subPath) {
            magnitudeDb += static_cast<double>(fixed.magnitudeDb[k]) + loudness.magnitudeDb[k];
            phaseRad += static_cast<double>(fixed.phaseRad[k]) + loudness.phaseRad[k];
        }
        series.AddPoint(grid.GridHz[k], view_ == ResponseView::Magnitude
                                            ? magnitudeDb
                                            : WrapPhaseDegrees(phaseRad));
    }
}

void CrossoverController::ShowView(ResponseView view) {
    view_ = view;
    ShowResponseView(plot_, PlotKind::Crossover, view);
    plot_.SetPlotting(false);
    for (int output = 1; output <= kOutputs; ++output) {
        FillCurve(output);
    }
    plot_.SetPlotting(true);
}

void CrossoverController::ToggleCurve(int output) {
    if (Valid(output)) {
        PlotSeries& series = plot_.Series(output);
        series.SetVisible(!series.Visible());
    }
}

bool CrossoverController::CurveShown(int output) const {
    const PlotSeries* series = Valid(output) ? plot_.FindSeries(output) : nullptr;
    return series != nullptr && series->Visible();
}

const ResponseCurve& CrossoverController::OutputResponse(int output) const {
    return Valid(output) ? responses_[Index(output)] : kFlatResponse;
}

void CrossoverController::RefreshLoudnessCurve() {
    RedrawCurve(3);
}

void CrossoverController::PlotMouseDown(const PlotPointer&) {}

void CrossoverController::PlotMouseMove(const PlotPointer& pointer) {
    plot_.SetHandPointer(false);
    plot_.SetReadout(CrossoverReadout(plot_, pointer.value, ReadoutUnit()));
}

void CrossoverController::PlotMouseUp(const PlotPointer&) {}

// ---- Records.

TXOVER& CrossoverController::Crossover() {
    return config_.Crossovers[Index(current_)];
}

TXOVERPB& CrossoverController::Half(XoverSide side) {
    TXOVER& crossover = Crossover();
    return side == XoverSide::HighPass ? crossover.HighPass : crossover.LowPass;
}

} // namespace veld23
