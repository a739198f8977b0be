#include "ui/FinalResponseWindow.h"

#include "commands/FinalResponseSources.h"
#include "config/ProcessorConfiguration.h"
#include "editors/EditorSet.h"
#include "measure/FinalResponseView.h"
#include "plot/PlotConfigurations.h"
#include "plot/PlotModel.h"
#include "ui/FinalResponseExportActions.h"
#include "ui/MeasurementImportWindow.h"
#include "ui/ProgramDialogs.h"
#include "ui/QtText.h"
#include "ui/ResponsePlotWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

struct SwitchEntry {
    FinalResponseSwitch which;
    const char* caption;
    const char* tip;
};

constexpr std::array<SwitchEntry, 5> kSwitches{{
    {FinalResponseSwitch::SpeakersData, "SPEAKERS DATA", "The imported loudspeaker measurements"},
    {FinalResponseSwitch::Peqs, "PEQS", "The input equalisers and the SUB Reinforcement"},
    {FinalResponseSwitch::Xover, "XOVER", "The crossovers (and the SUB path's fixed low-pass)"},
    {FinalResponseSwitch::Gain, "GAIN", "The output levels and polarities"},
    {FinalResponseSwitch::Delay, "DELAY", "The output delays"},
}};

// A small square in the curve's colour, so a selector names its curve at a glance.
QIcon Swatch(int curve) {
    const PlotColour c = CurveColour(PlotKind::FinalResponse, curve);
    QPixmap square(12, 12);
    square.fill(QColor(c.r, c.g, c.b));
    return QIcon(square);
}

} // namespace

FinalResponseWindow::FinalResponseWindow(Bindings bindings, QWidget* anchor,
                                         RealTimeToggle realTime)
    : EditorWindowFrame("Final Frequency Response", anchor, std::move(realTime)),
      bindings_(bindings), plot_(std::make_unique<PlotModel>()),
      view_(std::make_unique<FinalResponseView>(bindings.config, bindings.config.FinalResponse,
                                                *plot_)) {
    setObjectName("finalResponseWindow");
    view_->SetSources(FinalResponseSourcesOf(bindings.editors, bindings.speakers));
    importWindow_ = new MeasurementImportWindow(
        MeasurementImportWindow::Bindings{bindings.config, bindings.speakers, bindings.dialogs,
                                          [this] { Redraw(); }},
        this);

    plotWidget_ = new ResponsePlotWidget(this);
    plotWidget_->setObjectName("finalResponsePlot");
    plotWidget_->SetModel(plot_.get());
    plotWidget_->setMinimumSize(480, 260);
    readout_ = new QLabel(this);
    readout_->setObjectName("readout");
    readout_->setToolTip(FromUtf8(PlotModel::kReadoutHint));
    readout_->setMinimumWidth(readout_->fontMetrics().horizontalAdvance("00000 Hz , -000.00 dBs"));
    connect(plotWidget_, &ResponsePlotWidget::ReadoutChanged, readout_, &QLabel::setText);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSwitches());
    layout->addWidget(plotWidget_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(readout_, 1);
    bottom->addWidget(BuildCommands());
    layout->addLayout(bottom);
    Redraw();
}

FinalResponseWindow::~FinalResponseWindow() {
    plotWidget_->SetModel(nullptr);
}

QWidget* FinalResponseWindow::BuildSwitches() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* blocks = new QGroupBox(tr("Blocks"), row);
    auto* blockLayout = new QHBoxLayout(blocks);
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
        auto* box = new QCheckBox(kSwitches[i].caption, blocks);
        box->setObjectName(QString("switch%1").arg(i + 1));
        box->setToolTip(tr("%1 take part in every curve").arg(kSwitches[i].tip));
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            view_->SetSelected(kSwitches[i].which, on);
            Refresh();
        });
        blockLayout->addWidget(box);
        switches_[i] = box;
    }
    layout->addWidget(blocks);

    auto* shown = new QGroupBox(tr("Curves"), row);
    auto* shownLayout = new QHBoxLayout(shown);
    for (int curve = 1; curve <= FinalResponseView::kCurves; ++curve) {
        auto* box = new QCheckBox(shown);
        box->setObjectName(QString("curve%1").arg(curve));
        box->setIcon(Swatch(curve));
        box->setToolTip(curve == FinalResponseView::kCurves
                            ? tr("Shows the acoustic sum of the outputs")
                            : tr("Shows output channel %1").arg(curve));
        connect(box, &QCheckBox::toggled, this, [this, curve](bool on) {
            view_->SetCurveShown(curve, on);
            Refresh();
        });
        shownLayout->addWidget(box);
        curves_[static_cast<std::size_t>(curve - 1)] = box;
    }
    layout->addWidget(shown);

    auto* view = new QGroupBox(tr("View"), row);
    auto* viewLayout = new QHBoxLayout(view);
    magnitude_ = new QRadioButton(tr("&Mag"), view);
    magnitude_->setObjectName("magnitudeView");
    magnitude_->setToolTip(tr("Magnitude in dB, -20 to 20"));
    phase_ = new QRadioButton(tr("&Phase"), view);
    phase_->setObjectName("phaseView");
    phase_->setToolTip(tr("Phase in degrees, -180 to 180"));
    auto* group = new QButtonGroup(view);
    group->addButton(magnitude_);
    group->addButton(phase_);
    connect(magnitude_, &QRadioButton::clicked, this, [this] {
        view_->SetView(ResponseView::Magnitude);
        Refresh();
    });
    connect(phase_, &QRadioButton::clicked, this, [this] {
        view_->SetView(ResponseView::Phase);
        Refresh();
    });
    viewLayout->addWidget(magnitude_);
    viewLayout->addWidget(phase_);
    layout->addWidget(view);
    layout->addStretch(1);
    return row;
}

QWidget* FinalResponseWindow::BuildCommands() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    importButton_ = new QPushButton(tr("&Import…"), row);
    importButton_->setObjectName("importButton");
    importButton_->setToolTip(tr("Import the loudspeakers' measured frequency responses"));
    connect(importButton_, &QPushButton::clicked, this, [this] { importWindow_->Open(); });

    exportButton_ = new QPushButton(tr("&Export"), row);
    exportButton_->setObjectName("exportButton");
    exportButton_->setToolTip(tr("Write what the editor predicts for other audio tools"));
    auto* menu = new QMenu(exportButton_);
    ProgramDialogs& dialogs = bindings_.dialogs;
    const ProcessorConfiguration& config = bindings_.config;
    menu->addAction(tr("Final response as &FRD files…"), this, [this, &dialogs, &config] {
        ExportFinalResponseFrd(dialogs, config,
                               FinalResponseSourcesOf(bindings_.editors, bindings_.speakers));
    });
    menu->addAction(tr("&Biquads…"), this, [&dialogs, &config] { ExportBiquads(dialogs, config); });
    menu->addAction(tr("Filter &settings…"), this,
                    [&dialogs, &config] { ExportFilterSettings(dialogs, config); });
    exportButton_->setMenu(menu);

    layout->addWidget(importButton_);
    layout->addWidget(exportButton_);
    layout->addWidget(RealTimeButton());
    return row;
}

void FinalResponseWindow::Redraw() {
    view_->DibujaFinalResponse();
    Refresh();
}

void FinalResponseWindow::Refresh() {
    for (std::size_t i = 0; i < kSwitches.size(); ++i) {
        const QSignalBlocker block(switches_[i]);
        switches_[i]->setChecked(view_->Selected(kSwitches[i].which));
    }
    for (int curve = 1; curve <= FinalResponseView::kCurves; ++curve) {
        QCheckBox* box = curves_[static_cast<std::size_t>(curve - 1)];
        const QSignalBlocker block(box);
        box->setText(FromWindows1252(view_->CurveCaption(curve)));
        box->setChecked(view_->CurveShown(curve));
    }
    {
        const QSignalBlocker blockMagnitude(magnitude_);
        const QSignalBlocker blockPhase(phase_);
        magnitude_->setChecked(view_->View() == ResponseView::Magnitude);
        phase_->setChecked(view_->View() == ResponseView::Phase);
    }
    readout_->setText(plotWidget_->ReadoutText());
    RefreshRealTime();
}

void FinalResponseWindow::showEvent(QShowEvent* event) {
    // The look-ahead is read again whenever the view comes up.
    view_->Activate();
    Refresh();
    EditorWindowFrame::showEvent(event);
}

} // namespace veld23
