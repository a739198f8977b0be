#include "editors/ConfigurationSnapshot.h"

#include "config/ConfigurationFile.h"
#include "config/ConfigurationFileRestore.h"
#include "config/ProcessorConfiguration.h"
#include "config/RealTimeSender.h"
#include "editors/EditorSet.h"

#include <algorithm>

namespace veld23 {

namespace {

// The editors' update steps of a loaded configuration, run only for the blocks that
// changed. A topology change touches every output block, so it refreshes them all.
class ChangedBlockSteps final : public LoadedConfigurationSteps {
  public:
    ChangedBlockSteps(EditorSet& editors, const ConfigurationChanges& changes)
        : editors_(editors), steps_(editors.steps), changes_(changes) {}

    void TopologyApplied(ProcessorConfiguration& config) override {
        if (changes_.topology) {
            steps_.TopologyApplied(config);
        }
    }
    // The changed bands alone are chosen again, after the restore (ShowChangedBands):
    // choosing the others would round their defaults to the fields.
    void RefreshEqualiser(ProcessorConfiguration&, int) override {}
    void RefreshCrossover(ProcessorConfiguration& config, int output) override {
        if (changes_.topology) {
            steps_.RefreshCrossover(config, output);
        } else if (changes_.crossover[Index(output)]) {
            // Only this output: the families the solo buttons hold for the others stay.
            editors_.crossover.ChooseOutput(output);
        }
    }
    void RefreshLoudness(ProcessorConfiguration& config) override {
        if (changes_.loudness || changes_.topology) {
            steps_.RefreshLoudness(config);
        }
    }
    void RefreshDynamics(ProcessorConfiguration& config, int record) override {
        if (changes_.dynamics[Index(record)] || changes_.topology) {
            steps_.RefreshDynamics(config, record);
            // Selecting a record sends nothing; a restored one must reach the processor.
            editors_.dynamics.SendRecord();
            // The speaker settings keep the fields of the record they show and store all
            // of them with their next edit: they read the restored record again.
            SpeakerSettingsController& speaker = editors_.speaker;
            if (speaker.CurrentRecord() == record) {
                for (int button = 1; button <= SpeakerSettingsController::kButtons; ++button) {
                    if (speaker.ButtonLit(button)) {
                        speaker.ChooseOutput(button);
                    }
                }
            }
        }
    }
    void RefreshGainsFromFile(ProcessorConfiguration& config) override {
        if (changes_.levels || changes_.topology) {
            steps_.RefreshGainsFromFile(config);
        }
    }
    void RefreshGainsFromPositions(ProcessorConfiguration& config) override {
        steps_.RefreshGainsFromPositions(config);
    }
    void RefreshDelays(ProcessorConfiguration& config) override { steps_.RefreshDelays(config); }
    void RefreshDistances(ProcessorConfiguration& config) override {
        // Runs once the delay words are in place: the sliders take them again, which
        // sends them, and the look-ahead they include is the restored one.
        if (changes_.delays || changes_.lookAhead || changes_.topology) {
            steps_.RefreshDelays(config);
        }
        if (changes_.distances || changes_.topology) {
            steps_.RefreshDistances(config);
        }
    }
    // The delays are refreshed after their words instead (RefreshDistances).
    void LookAheadChanged(ProcessorConfiguration&) override {}
    void ConfirmMeasurementImport(ProcessorConfiguration& config) override {
        if (changes_.measurement) {
            steps_.ConfirmMeasurementImport(config);
        }
    }

  private:
    static std::size_t Index(int number) { return static_cast<std::size_t>(number - 1); }

    EditorSet& editors_;
    LoadedConfigurationSteps& steps_;
    const ConfigurationChanges& changes_;
};

} // namespace

ConfigurationSnapshot TakeSnapshot(const ProcessorConfiguration& config) {
    return BuildConfigurationRecord(config, {});
}

ConfigurationChanges RestoreSnapshot(ProcessorConfiguration& config, EditorSet& editors,
                                     RealTimeSender& sender,
                                     const ConfigurationSnapshot& snapshot) {
    const ConfigurationFileContent now = CaptureConfiguration(config);
    const ConfigurationFileContent target = DecodeConfigurationRecord(snapshot);
    const ConfigurationChanges changes = CompareConfigurations(now, target);
    if (!changes.Any()) {
        return changes;
    }
    // The topology and route commands of a restore send their routing only when the
    // routing is what changed.
    SilentRealTimeSender silent;
    ChangedBlockSteps steps(editors, changes);
    RestoreConfiguration(config, target, changes.routing || changes.topology ? sender : silent,
                         steps);
    for (int input = 1; input <= ConfigurationFileContent::kInputs; ++input) {
        const auto i = static_cast<std::size_t>(input - 1);
        // Bands drawn before or in the snapshot stay drawn.
        config.Peq[i].UsedBands = std::max(now.Peq[i].UsedBands, target.Peq[i].UsedBands);
    }
    // Opening a file derives the mix from the route state, but the three-output command
    // leaves the even mix whatever the state: the snapshot's own mix is what comes back.
    InputRouting& routing = config.Routing;
    if (routing.RouteC != target.Routing.RouteC || routing.RouteD != target.Routing.RouteD) {
        routing.RouteC = target.Routing.RouteC;
        routing.RouteD = target.Routing.RouteD;
        routing.SendMix(changes.routing || changes.topology ? sender : silent);
    }
    ShowChangedBands(editors.equaliser, changes);
    return changes;
}

void ShowChangedBands(EqualiserEditor& editor, const ConfigurationChanges& changes) {
    // From the last band of PEQ 2 to the first of PEQ 1, so the window ends on the first
    // band that changed.
    for (int input = ConfigurationFileContent::kInputs; input >= 1; --input) {
        for (int band = ConfigurationFileContent::kBands; band >= 1; --band) {
            if (changes.bands[static_cast<std::size_t>(input - 1)]
                             [static_cast<std::size_t>(band - 1)]) {
                editor.ShowBand(input, band);
            }
        }
    }
}

} // namespace veld23
