#pragma once

#include "commands/ApplicationWindows.h"
#include "config/OutputTopology.h"

#include <QFrame>

#include <array>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QGridLayout;

namespace veld23 {

class IndicatorLamp;

// The processor drawn as three rows: IN 1 and IN 2 through their equaliser,
// crossover, level, delay and dynamics to their outputs, and the SUB path from the
// input mix through "SUB Reinforcement". Holds the editor buttons, the five label
// fields, the route button with its two value fields and the MUTE indications;
// the main window binds them.
class MainWindowSignalChain : public QFrame {
    Q_OBJECT

  public:
    // One editor button and what it records when clicked.
    struct EditorButton {
        QPushButton* button;
        commands::EditorWindow window;
        std::optional<char> channel;
        std::optional<int> tag;
        // The output channel whose controls the button belongs to (0: an input's).
        int output;
        // Only on the SUB path of the three-output topology.
        bool subPathOnly;
    };

    static constexpr int kLabels = 5;
    static constexpr int kOutputs = 3;

    explicit MainWindowSignalChain(QWidget* parent = nullptr);

    const std::vector<EditorButton>& EditorButtons() const { return editorButtons_; }
    // Label fields 1..5: IN 1, IN 2, OUT 1, OUT 2, SUB.
    QLineEdit* LabelField(int label) const;
    QPushButton* RouteButton() const { return routeButton_; }

    // The second channel's controls, the loudness and the route button follow the
    // topology; the third row is named after what it is. True when controls came back
    // into view.
    bool ShowTopology(OutputTopology topology);
    void ShowRoute(int routeState, const QString& amountIn1, const QString& amountIn2);
    // Output 1..3 muted: its "MUTE" label and marker shown, its label field locked.
    void ShowMute(int output, bool muted);
    bool MuteShown(int output) const;

  private:
    void AddEditorButton(int row, int column, const QString& caption, commands::EditorWindow window,
                         std::optional<char> channel, std::optional<int> tag, int output,
                         bool subPathOnly = false);
    void AddOutputEnd(int row, int output, int label);
    QWidget* RoutePanel();

    QGridLayout* grid_ = nullptr;
    OutputTopology topology_ = OutputTopology::ThreeOutputs;
    bool topologyShown_ = false;
    std::array<bool, kOutputs> muted_{};
    std::vector<EditorButton> editorButtons_;
    std::array<QLineEdit*, kLabels> labels_{};
    std::array<QLabel*, kOutputs> outputCaptions_{};
    std::array<QLabel*, kOutputs> muteCaptions_{};
    std::array<IndicatorLamp*, kOutputs> muteMarkers_{};
    std::vector<QWidget*> secondChannel_;
    std::vector<QWidget*> subPath_;
    QLabel* in2Feed_ = nullptr;
    QPushButton* routeButton_ = nullptr;
    QLineEdit* routeIn1_ = nullptr;
    QLineEdit* routeIn2_ = nullptr;
};

} // namespace veld23
