#include "ui/MainWindowSignalChain.h"

#include "config/ChannelLabels.h"
#include "ui/IndicatorLamp.h"
#include "ui/QtText.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace veld23 {

namespace {

using commands::EditorWindow;

// Grid columns; arrows sit between the blocks.
constexpr int kInputCaption = 0;
constexpr int kInputLabel = 1;
constexpr int kFirstBlock = 3; // PEQ or loudness; then crossover, gain, delay, dynamics
constexpr int kBlockStep = 2;
constexpr int kOutputCaption = 13;
constexpr int kOutputLabel = 14;
constexpr int kMuteMarker = 15;
constexpr int kMuteCaption = 16;

constexpr int BlockColumn(int block) {
    return kFirstBlock + block * kBlockStep;
}

QLabel* Caption(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLabel* Arrow(QWidget* parent) {
    auto* arrow = new QLabel(FromUtf8("\u2192"), parent);
    arrow->setObjectName("signalArrow");
    arrow->setAlignment(Qt::AlignCenter);
    return arrow;
}

} // namespace

MainWindowSignalChain::MainWindowSignalChain(QWidget* parent) : QFrame(parent) {
    // A frame of its own, so the chain reads as one block diagram.
    setFrameShape(QFrame::StyledPanel);
    grid_ = new QGridLayout(this);
    grid_->setHorizontalSpacing(6);
    grid_->setVerticalSpacing(10);

    const char* labelNames[kLabels] = {"labelIn1", "labelIn2", "labelOut1", "labelOut2",
                                       "labelSub"};
    for (int i = 0; i < kLabels; ++i) {
        labels_[i] = new QLineEdit(this);
        labels_[i]->setObjectName(labelNames[i]);
        labels_[i]->setMaxLength(static_cast<int>(ChannelLabelTexts::kCapacity));
        // Six characters, with room for the frame.
        labels_[i]->setFixedWidth(labels_[i]->fontMetrics().averageCharWidth() * 8 + 12);
    }

    // IN 1 and IN 2.
    for (int input = 1; input <= 2; ++input) {
        const int row = input - 1;
        grid_->addWidget(Caption(tr("IN %1").arg(input), "inputCaption", this), row, kInputCaption);
        grid_->addWidget(labels_[input - 1], row, kInputLabel);
        grid_->addWidget(Arrow(this), row, kFirstBlock - 1);
        const char digit = static_cast<char>('0' + input);
        AddEditorButton(row, BlockColumn(0), tr("PEQ %1").arg(input), EditorWindow::Peq, digit,
                        input, 0);
    }
    // The third row starts from the input mix and the SUB filter.
    grid_->addWidget(RoutePanel(), 2, kInputCaption, 1, 2);
    // Where the third channel is the second full-range output, IN 2 alone feeds it.
    in2Feed_ = Caption(tr("IN 2"), "inputCaption", this);
    in2Feed_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->addWidget(in2Feed_, 2, kInputCaption, 1, 2);
    auto* subArrow = Arrow(this);
    grid_->addWidget(subArrow, 2, kFirstBlock - 1);
    subPath_.push_back(subArrow);
    AddEditorButton(2, BlockColumn(0), tr("SUB Reinforcement"), EditorWindow::Loudness,
                    std::nullopt, 1, 3, true);

    // The output blocks of each row; the dynamics buttons carry '1', '2' and '5'.
    const char dynamicsDigits[kOutputs] = {'1', '2', '5'};
    for (int output = 1; output <= kOutputs; ++output) {
        const int row = output - 1;
        const char digit = static_cast<char>('0' + output);
        AddEditorButton(row, BlockColumn(1), tr("X-OVER"), EditorWindow::Crossover, digit,
                        std::nullopt, output);
        AddEditorButton(row, BlockColumn(2), tr("GAIN"), EditorWindow::Gains, std::nullopt,
                        std::nullopt, output);
        AddEditorButton(row, BlockColumn(3), tr("DELAY"), EditorWindow::Delay, std::nullopt, output,
                        output);
        AddEditorButton(row, BlockColumn(4), tr("DYNAMIC"), EditorWindow::Dynamics,
                        dynamicsDigits[row], std::nullopt, output);
        AddOutputEnd(row, output, output + 2);
    }
    grid_->setColumnStretch(kMuteCaption + 1, 1);
}

QWidget* MainWindowSignalChain::RoutePanel() {
    auto* panel = new QWidget(this);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    routeButton_ = new QPushButton(tr("R&OUTE"), panel);
    routeButton_->setObjectName("routeButton");
    routeButton_->setToolTip(tr("Mix of IN 1 and IN 2 fed to the SUB"));
    routeIn1_ = new QLineEdit(panel);
    routeIn1_->setObjectName("routeAmountIn1");
    routeIn2_ = new QLineEdit(panel);
    routeIn2_->setObjectName("routeAmountIn2");
    for (QLineEdit* field : {routeIn1_, routeIn2_}) {
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        field->setAlignment(Qt::AlignCenter);
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance("0.50") + 16);
    }
    layout->addWidget(routeButton_, 0, 0, 2, 1);
    layout->addWidget(new QLabel(tr("IN 1"), panel), 0, 1);
    layout->addWidget(routeIn1_, 0, 2);
    layout->addWidget(new QLabel(tr("IN 2"), panel), 1, 1);
    layout->addWidget(routeIn2_, 1, 2);
    subPath_.push_back(panel);
    return panel;
}

void MainWindowSignalChain::AddEditorButton(int row, int column, const QString& caption,
                                            EditorWindow window, std::optional<char> channel,
                                            std::optional<int> tag, int output, bool subPathOnly) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QStringLiteral("editorButton%1_%2").arg(row + 1).arg(column));
    grid_->addWidget(button, row, column);
    editorButtons_.push_back({button, window, channel, tag, output, subPathOnly});
    if (subPathOnly) {
        subPath_.push_back(button);
    } else if (output == 2) {
        secondChannel_.push_back(button);
    }
    if (column > kFirstBlock) {
        auto* arrow = Arrow(this);
        grid_->addWidget(arrow, row, column - 1);
        if (output == 2) {
            secondChannel_.push_back(arrow);
        }
    }
}

void MainWindowSignalChain::AddOutputEnd(int row, int output, int label) {
    auto* arrow = Arrow(this);
    grid_->addWidget(arrow, row, kOutputCaption - 1);
    outputCaptions_[output - 1] =
        Caption(output == 3 ? tr("SUB") : tr("OUT %1").arg(output), "outputCaption", this);
    grid_->addWidget(outputCaptions_[output - 1], row, kOutputCaption);
    grid_->addWidget(labels_[label - 1], row, kOutputLabel);
    muteMarkers_[output - 1] = new IndicatorLamp(this, QColor(0xFF, 0x40, 0x40));
    muteMarkers_[output - 1]->setObjectName(QStringLiteral("muteMarker%1").arg(output));
    muteMarkers_[output - 1]->SetLit(true);
    muteCaptions_[output - 1] = Caption(tr("MUTE"), "muteCaption", this);
    grid_->addWidget(muteMarkers_[output - 1], row, kMuteMarker);
    grid_->addWidget(muteCaptions_[output - 1], row, kMuteCaption);
    if (output == 2) {
        for (QWidget* widget :
             {static_cast<QWidget*>(arrow), static_cast<QWidget*>(outputCaptions_[1]),
              static_cast<QWidget*>(labels_[label - 1])}) {
            secondChannel_.push_back(widget);
        }
    }
    ShowMute(output, false);
}

QLineEdit* MainWindowSignalChain::LabelField(int label) const {
    return label >= 1 && label <= kLabels ? labels_[label - 1] : nullptr;
}

bool MainWindowSignalChain::ShowTopology(OutputTopology topology) {
    const bool grows = topologyShown_ && topology_ == OutputTopology::TwoOutputs &&
                       topology == OutputTopology::ThreeOutputs;
    topologyShown_ = true;
    topology_ = topology;
    for (QWidget* widget : secondChannel_) {
        widget->setVisible(ChannelOffered(topology, 2));
    }
    for (QWidget* widget : subPath_) {
        widget->setVisible(SubPathControlsOffered(topology));
    }
    in2Feed_->setVisible(!SubPathControlsOffered(topology));
    outputCaptions_[2]->setText(FromUtf8(ThirdCurveName(topology)));
    // The mute indication of channel 2 goes with its other indicator pictures.
    ShowMute(2, MuteShown(2));
    return grows;
}

void MainWindowSignalChain::ShowRoute(int routeState, const QString& amountIn1,
                                      const QString& amountIn2) {
    static const char* const kStates[] = {"IN 1 + IN 2", "IN 1", "IN 2"};
    routeButton_->setText(
        tr("R&OUTE\n%1").arg(kStates[routeState < 0 || routeState > 2 ? 0 : routeState]));
    routeIn1_->setText(amountIn1);
    routeIn2_->setText(amountIn2);
}

void MainWindowSignalChain::ShowMute(int output, bool muted) {
    if (output < 1 || output > kOutputs) {
        return;
    }
    // A channel out of use shows none of its pictures; its state is kept for later.
    const bool channelShown = ChannelOffered(topology_, output);
    muted_[output - 1] = muted;
    muteMarkers_[output - 1]->setVisible(muted && channelShown);
    muteCaptions_[output - 1]->setVisible(muted && channelShown);
    labels_[output + 1]->setEnabled(!muted);
}

bool MainWindowSignalChain::MuteShown(int output) const {
    return output >= 1 && output <= kOutputs && muted_[output - 1];
}

} // namespace veld23
