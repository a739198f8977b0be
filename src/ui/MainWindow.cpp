#include "ui/MainWindow.h"

#include "commands/CommandTexts.h"
#include "commands/DeviceLink.h"
#include "commands/MainWindowCommands.h"
#include "config/ProcessorConfiguration.h"
#include "config/SystemInformation.h"
#include "editors/LevelController.h"
#include "editors/TuningWorkflow.h"
#include "ui/ComparisonBar.h"
#include "ui/EditMenuBar.h"
#include "ui/IndicatorLamp.h"
#include "ui/MainWindowCommandBar.h"
#include "ui/MainWindowSignalChain.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace veld23 {

namespace {

namespace texts = commands::texts;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

// Sets a field's text only when it differs, so a field being typed in keeps its cursor.
void ShowText(QLineEdit* field, const QString& text) {
    if (field->text() != text) {
        const QSignalBlocker blocker(field);
        field->setText(text);
    }
}

} // namespace

MainWindow::MainWindow(Bindings bindings, QWidget* parent)
    : QWidget(parent), bindings_(std::move(bindings)) {
    setObjectName("mainWindow");
    commandBar_ = new MainWindowCommandBar(this);
    signalChain_ = new MainWindowSignalChain(this);
    signalChain_->setObjectName("signalChain");

    presetCaption_ = new QLabel(texts::kPresetCaption, this);
    presetCaption_->setObjectName("presetCaption");
    presetCaption_->installEventFilter(this);
    nameField_ = new QLineEdit(this);
    nameField_->setObjectName("nameField");
    nameField_->setMaxLength(
        static_cast<int>(decltype(SystemInformationTexts::SystemName)::kCapacity));
    nameField_->setMinimumWidth(nameField_->fontMetrics().averageCharWidth() * 42);
    presetCaption_->setBuddy(nameField_);
    comparison_ = new ComparisonBar(bindings_.tuning, this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(presetCaption_);
    nameRow->addWidget(nameField_);
    nameRow->addStretch(1);
    nameRow->addWidget(comparison_);

    statusLine_ = new QLabel(this);
    statusLine_->setObjectName("statusLine");
    statusLine_->setToolTip(texts::kStatusHint);

    editMenu_ = new EditMenuBar(bindings_.tuning, this);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(editMenu_);
    layout->addWidget(commandBar_);
    layout->addLayout(nameRow);
    layout->addWidget(signalChain_, 1);
    layout->addWidget(statusLine_);

    BindCommands();
    BindDeviceCommands();
    BindFields();
    BindEditorButtons();
    qApp->installEventFilter(this);
    Refresh();
}

void MainWindow::RefreshTitle() {
    setWindowTitle(FromUtf8(TitleWithSlot(bindings_.commands.Title(), bindings_.tuning.Active())));
}

void MainWindow::ScheduleTitleRefresh() {
    if (titleRefreshScheduled_) {
        return;
    }
    titleRefreshScheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        titleRefreshScheduled_ = false;
        RefreshTitle();
    });
}

void MainWindow::Run(const std::function<void()>& command) {
    command();
    Refresh();
}

void MainWindow::BindCommands() {
    commands::MainWindowCommands& commands = bindings_.commands;
    MainWindowCommandBar& bar = *commandBar_;
    TuningWorkflow& tuning = bindings_.tuning;
    connect(bar.newButton, &QPushButton::clicked, this, [this, &commands, &tuning] {
        Run([&] { tuning.RunReplacing("New", [&commands] { return commands.New(); }); });
    });
    connect(bar.openButton, &QPushButton::clicked, this, [this, &commands, &tuning] {
        Run([&] { tuning.RunReplacing("Open", [&commands] { return commands.Open(); }); });
    });
    connect(comparison_, &ComparisonBar::Stored, this, &MainWindow::Refresh);
    connect(bar.saveButton, &QPushButton::clicked, this,
            [this, &commands] { Run([&commands] { commands.Save(); }); });
    connect(bar.aboutButton, &QPushButton::clicked, this, &MainWindow::AboutRequested);
    connect(bar.systemInfoButton, &QPushButton::clicked, this, &MainWindow::SystemInfoRequested);
    connect(bar.deviceImageButton, &QPushButton::clicked, this, &MainWindow::DeviceImageRequested);
    connect(bar.finalResponseButton, &QPushButton::clicked, this, [this, &commands] {
        Run([&commands] {
            commands.OpenEditor(commands::EditorWindow::FinalResponse, std::nullopt, std::nullopt);
        });
    });
    const auto showCoefficients = [this, &commands] {
        Run([&commands] {
            commands.OpenEditor(commands::EditorWindow::CoefficientViewer, std::nullopt,
                                std::nullopt);
        });
    };
    connect(bar.showCoeffButton, &QPushButton::clicked, this, showCoefficients);
    // The button stays out of sight; the viewer is still a key press away.
    auto* coefficientsKey = new QShortcut(QKeySequence(tr("Ctrl+Shift+K")), this);
    connect(coefficientsKey, &QShortcut::activated, this, showCoefficients);
    connect(bar.twoOutputsButton, &QPushButton::clicked, this, [this, &commands] {
        Run([&commands] { commands.ChooseTopology(OutputTopology::TwoOutputs); });
    });
    connect(bar.threeOutputsButton, &QPushButton::clicked, this, [this, &commands] {
        Run([&commands] { commands.ChooseTopology(OutputTopology::ThreeOutputs); });
    });
}

void MainWindow::BindDeviceCommands() {
    commands::DeviceCommands& devices = bindings_.commands.Devices();
    MainWindowCommandBar& bar = *commandBar_;
    connect(bar.connectButton, &QPushButton::clicked, this, &MainWindow::ConnectRequested);
    const std::pair<QPushButton*, commands::CommandOutcome (commands::DeviceCommands::*)()>
        deviceButtons[] = {
            {bar.readButton, &commands::DeviceCommands::Read},
            {bar.writeButton, &commands::DeviceCommands::Write},
            {bar.changeButton, &commands::DeviceCommands::Change},
            {bar.blockButton, &commands::DeviceCommands::Block},
            {bar.unblockButton, &commands::DeviceCommands::Unblock},
            {bar.passwordButton, &commands::DeviceCommands::Password},
            {bar.copyAllButton, &commands::DeviceCommands::CopyAll},
            {bar.realTimeButton, &commands::DeviceCommands::RealTimeButtonClick},
        };
    for (const auto& [button, command] : deviceButtons) {
        if (button == bar.readButton) {
            // What Read brings from the processor starts the history again.
            connect(button, &QPushButton::clicked, this, [this, &devices] {
                Run([this, &devices] {
                    bindings_.tuning.RunReplacing("Read", [&devices] {
                        return devices.Read() == commands::CommandOutcome::Done;
                    });
                });
            });
            continue;
        }
        connect(button, &QPushButton::clicked, this, [this, &devices, command = command] {
            Run([&devices, command] { (devices.*command)(); });
        });
    }
    connect(bar.realTimeLamp, &IndicatorLamp::Clicked, this,
            [this, &devices] { Run([&devices] { devices.RealTimeButtonClick(); }); });
    connect(bar.verifyAfterWrite, &QCheckBox::toggled, this, [this, &devices](bool verify) {
        Run([&devices, verify] { devices.SetVerifyAfterWrite(verify); });
    });
    connect(bar.memorySelector, &QSpinBox::valueChanged, this, [this](int memory) {
        Run([this, memory] { bindings_.commands.SelectProgram(memory); });
    });
}

void MainWindow::BindFields() {
    commands::MainWindowCommands& commands = bindings_.commands;
    connect(nameField_, &QLineEdit::textEdited, this, [this, &commands](const QString& text) {
        commands.SetSystemName(ToUtf8(text));
        RefreshTitle();
        Q_EMIT SystemNameEdited();
    });
    for (int label = 1; label <= MainWindowSignalChain::kLabels; ++label) {
        connect(signalChain_->LabelField(label), &QLineEdit::textEdited, this,
                [this, &commands, label](const QString& text) {
                    commands.SetChannelLabel(label, ToUtf8(text));
                    RefreshTitle();
                });
    }
    connect(signalChain_->RouteButton(), &QPushButton::clicked, this,
            [this, &commands] { Run([&commands] { commands.RouteCommand(); }); });
}

void MainWindow::BindEditorButtons() {
    for (const MainWindowSignalChain::EditorButton& editor : signalChain_->EditorButtons()) {
        connect(editor.button, &QPushButton::clicked, this, [this, editor] {
            Run([this, &editor] {
                bindings_.commands.OpenEditor(editor.window, editor.channel, editor.tag);
            });
        });
    }
}

void MainWindow::Refresh() {
    const commands::MainWindowCommands& commands = bindings_.commands;
    const commands::DeviceLink& device = bindings_.device;
    const ProcessorConfiguration& config = bindings_.config;
    MainWindowCommandBar& bar = *commandBar_;

    RefreshTitle();
    editMenu_->Refresh();
    comparison_->Refresh();
    ShowText(nameField_, FromWindows1252(config.SystemInformation.SystemName.View()));
    for (int label = 1; label <= MainWindowSignalChain::kLabels; ++label) {
        ShowText(signalChain_->LabelField(label), FromUtf8(commands.ChannelLabel(label)));
    }

    const bool fileCommands = commands.FileCommandsAvailable();
    for (QPushButton* button : {bar.newButton, bar.openButton, bar.saveButton}) {
        button->setEnabled(fileCommands);
    }
    bar.connectButton->setEnabled(!device.Busy());
    const bool deviceCommands = device.CommandsAvailable();
    for (QWidget* control : std::initializer_list<QWidget*>{
             bar.readButton, bar.writeButton, bar.changeButton, bar.memorySelector, bar.blockButton,
             bar.unblockButton, bar.passwordButton, bar.copyAllButton}) {
        control->setEnabled(deviceCommands);
    }
    bar.copyAllButton->setVisible(device.Presentation().Controls().CopyAllShown());
    {
        const QSignalBlocker blocker(bar.verifyAfterWrite);
        bar.verifyAfterWrite->setChecked(commands.Devices().VerifyAfterWrite());
    }
    bar.verifyAfterWrite->setEnabled(!device.Busy());
    const bool realTime = device.RealTime().RealTimeMode();
    bar.realTimeButton->setChecked(realTime);
    bar.realTimeButton->setEnabled(device.RealTimeSwitchAvailable());
    bar.realTimeLamp->SetLit(realTime);
    {
        const QSignalBlocker blocker(bar.memorySelector);
        bar.memorySelector->setValue(config.ProgramNumber);
    }
    statusLine_->setText(FromUtf8(device.Presentation().StatusLine()));

    if (signalChain_->ShowTopology(config.Topology)) {
        // The rows came back: the window grows to hold them rather than squeezing them.
        layout()->activate();
        resize(size().expandedTo(sizeHint()));
    }
    const auto captions = config.Routing.RouteCaptions();
    signalChain_->ShowRoute(config.Routing.ShownRouteState(), FromWindows1252(captions[0].View()),
                            FromWindows1252(captions[1].View()));
    for (int output = 1; output <= MainWindowSignalChain::kOutputs; ++output) {
        signalChain_->ShowMute(output, bindings_.levels.MainMuteShown(output));
    }
    for (const MainWindowSignalChain::EditorButton& editor : signalChain_->EditorButtons()) {
        editor.button->setEnabled(bindings_.editorAvailable &&
                                  bindings_.editorAvailable(editor.window));
    }
    bar.finalResponseButton->setEnabled(
        bindings_.editorAvailable &&
        bindings_.editorAvailable(commands::EditorWindow::FinalResponse));
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        bindings_.commands.Activate();
        Refresh();
    }
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing the main window is closing the program; the close flow may refuse.
    event->ignore();
    Q_EMIT CloseRequested();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (IsUserInput(event->type())) {
        ScheduleTitleRefresh();
    }
    // The second click of a quick pair arrives as a double-click: it counts as well.
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (watched == presetCaption_ && press &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        bindings_.commands.PresetCaptionClick();
        Refresh();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace veld23
