#include "ui/DelayWindow.h"

#include "config/ProcessorConfiguration.h"
#include "editors/DelayController.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/DarkTheme.h"
#include "ui/OutputCaptions.h"
#include "ui/PositionSlider.h"
#include "ui/QtText.h"
#include "ui/StepField.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

StepField* Readout(const QString& tip, QWidget* parent) {
    // Read-only: only the arrow keys change it, a sample at a time.
    auto* field = new StepField(StepField::Steps::Keys, parent);
    field->Edit()->setReadOnly(true);
    field->SetCharacterWidth(6);
    field->SetHint(tip);
    return field;
}

QLabel* Unit(const QString& text, QWidget* parent) {
    auto* unit = new QLabel(text, parent);
    unit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return unit;
}

} // namespace

DelayWindow::DelayWindow(DelayController& delays, const ProcessorConfiguration& config,
                         QWidget* anchor, RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(tr("Output Delay"), anchor, std::move(realTime), parent), delays_(delays),
      config_(config) {
    setObjectName("delayWindow");
    auto* heading = new QLabel(tr("Output Delay"), this);
    MakeHeading(*heading);
    top_ = new QHBoxLayout;
    auto* top = top_;
    top->addWidget(heading);
    top->addStretch(1);
    top->addWidget(RealTimeButton());

    // Built in reading order, which is also the order Tab follows.
    QGridLayout* outputs = BuildDelays();
    QWidget* temperature = BuildTemperature();
    autoAlign_ = new QPushButton(tr("&Auto Align"), this);
    autoAlign_->setObjectName("autoAlignButton");
    autoAlign_->setToolTip(tr("Sets every delay from the distances, allowing for the dynamics' "
                              "look-ahead"));
    connect(autoAlign_, &QPushButton::clicked, this, [this] { Run([&] { delays_.AutoAlign(); }); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(temperature);
    bottom->addStretch(1);
    bottom->addWidget(autoAlign_, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    // One layout for the whole window, so hiding an output's column narrows it at once.
    layout->addLayout(outputs, 1);
    layout->addLayout(bottom);
    for (int output = 1; output <= kOutputs; ++output) {
        Bind(output);
    }
    Refresh();
}

QGridLayout* DelayWindow::BuildDelays() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    const QString units[] = {tr("samples"), tr("ms"), tr("cm")};
    for (int output = 1; output <= kOutputs; ++output) {
        OutputColumn& column = columns_[output - 1];
        const int at = (output - 1) * 2;
        column.name = new QLabel(this);
        QFont bold = column.name->font();
        bold.setBold(true);
        column.name->setFont(bold);
        column.name->setAlignment(Qt::AlignCenter);
        column.label = new QLabel(this);
        column.label->setAlignment(Qt::AlignCenter);
        column.label->setToolTip(tr("The output's channel label, as named on the main window"));

        // No delay at the bottom, the longest at the top.
        column.slider = new PositionSlider(this);
        column.slider->setObjectName(QStringLiteral("delaySlider%1").arg(output));
        column.slider->setPageStep(10);
        column.slider->setMinimumHeight(column.slider->fontMetrics().height() * 9);
        column.slider->setToolTip(
            tr("Delay of the output in whole samples at 48 kHz: up to 164 samples (3.42 ms) for "
               "a full-range output, 143 samples (2.98 ms) for the SUB"));
        column.name->setBuddy(column.slider);

        column.samples = Readout(tr("Delay in samples at 48 kHz; Up and Down add or remove one "
                                    "sample"),
                                 this);
        column.ms = Readout(tr("Delay in milliseconds, 0.00 to 5.43 (3.43 for the third output); "
                               "Up and Down add or remove one sample"),
                            this);
        column.cm = Readout(tr("Sound travel during the delay at the air temperature, 0.0 to "
                               "250.0 cm; Up and Down add or remove one sample"),
                            this);
        column.samples->setObjectName(QStringLiteral("delaySamples%1").arg(output));
        column.ms->setObjectName(QStringLiteral("delayMs%1").arg(output));
        column.cm->setObjectName(QStringLiteral("delayCm%1").arg(output));

        grid->addWidget(column.name, 0, at, 1, 2);
        grid->addWidget(column.label, 1, at, 1, 2);
        grid->addWidget(column.slider, 2, at, 1, 2, Qt::AlignHCenter);
        column.widgets = {column.name, column.label, column.slider};
        StepField* readouts[] = {column.samples, column.ms, column.cm};
        for (int row = 0; row < 3; ++row) {
            QLabel* unit = Unit(units[row], this);
            grid->addWidget(readouts[row], 3 + row, at, Qt::AlignRight);
            grid->addWidget(unit, 3 + row, at + 1);
            column.widgets.push_back(readouts[row]);
            column.widgets.push_back(unit);
        }
    }
    AddDistances(grid, 6);
    grid->setRowStretch(2, 1);
    return grid;
}

QWidget* DelayWindow::BuildTemperature() {
    auto* box = new QGroupBox(tr("Temperature"), this);
    celsius_ = new StepField(StepField::Steps::UpDown, box);
    celsius_->setObjectName("temperatureC");
    celsius_->SetCharacterWidth(3);
    celsius_->SetHint(tr("Air temperature, 0 to 50 \u00B0C: the speed of sound behind the "
                         "centimetres and the distances"));
    fahrenheit_ = new StepField(StepField::Steps::UpDown, box);
    fahrenheit_->setObjectName("temperatureF");
    fahrenheit_->SetCharacterWidth(3);
    fahrenheit_->SetHint(tr("Air temperature, 32 to 122 \u00B0F; the step buttons and Up and "
                            "Down move by one degree Celsius"));
    auto* celsiusCaption = new QLabel(tr("\u00B0&C"), box);
    celsiusCaption->setBuddy(celsius_);
    auto* fahrenheitCaption = new QLabel(tr("\u00B0&F"), box);
    fahrenheitCaption->setBuddy(fahrenheit_);
    auto* grid = new QGridLayout(box);
    grid->addWidget(celsius_, 0, 0);
    grid->addWidget(celsiusCaption, 0, 1);
    grid->addWidget(fahrenheit_, 1, 0);
    grid->addWidget(fahrenheitCaption, 1, 1);

    for (auto taken : {&StepField::Entered, &StepField::Left}) {
        connect(celsius_, taken, this, [this] {
            Run([&] { delays_.EnterTemperatureC(ToUtf8(celsius_->Edit()->text())); });
        });
        connect(fahrenheit_, taken, this, [this] {
            Run([&] { delays_.EnterTemperatureF(ToUtf8(fahrenheit_->Edit()->text())); });
        });
    }
    // The temperature is kept in whole degrees Celsius, so a step in either field is one
    // degree Celsius; a Fahrenheit step of its own would round back where it started.
    for (StepField* field : {celsius_, fahrenheit_}) {
        connect(field, &StepField::Stepped, this, [this](int direction) {
            Run([&] { delays_.SetTemperatureC(delays_.TemperatureC() + direction); });
        });
    }
    return box;
}

void DelayWindow::AddDistances(QGridLayout* grid, int row) {
    // Under each output's delay, so every distance lines up with the delay it sets.
    auto* caption = new QLabel(tr("Relative Distance Between Speakers"), this);
    caption->setObjectName("distanceCaption");
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    grid->addWidget(rule, row, 0, 1, 2 * kOutputs);
    grid->addWidget(caption, row + 1, 0, 1, 2 * kOutputs, Qt::AlignCenter);
    for (int output = 1; output <= kOutputs; ++output) {
        OutputColumn& column = columns_[output - 1];
        const int at = (output - 1) * 2;
        column.distance = new StepField(StepField::Steps::UpDown, this);
        column.distance->setObjectName(QStringLiteral("distance%1").arg(output));
        column.distance->SetCharacterWidth(5);
        column.distance->SetHint(
            tr("How much farther this speaker is from the listener, 0.0 to 200.0 cm; Up and Down "
               "move by one sample of sound travel"));
        auto* unit = Unit(tr("cm"), this);
        grid->addWidget(column.distance, row + 2, at, Qt::AlignRight);
        grid->addWidget(unit, row + 2, at + 1);
        column.widgets.insert(column.widgets.end(), {column.distance, unit});
    }
}

void DelayWindow::Bind(int output) {
    const OutputColumn& column = columns_[output - 1];
    connect(column.slider, &PositionSlider::Moved, this, [this, output](int position) {
        Run([&] { delays_.SetDelayPosition(output, position); });
    });
    for (StepField* readout : {column.samples, column.ms, column.cm}) {
        connect(readout, &StepField::Stepped, this, [this, output](int direction) {
            Run([&] {
                direction > 0 ? delays_.DelayFieldUp(output) : delays_.DelayFieldDown(output);
            });
        });
    }
    StepField* distance = column.distance;
    for (auto taken : {&StepField::Entered, &StepField::Left}) {
        connect(distance, taken, this, [this, output, distance] {
            Run([&] { delays_.EnterDistance(output, ToUtf8(distance->Edit()->text())); });
        });
    }
    connect(distance, &StepField::Stepped, this, [this, output](int direction) {
        Run([&] { direction > 0 ? delays_.DistanceUp(output) : delays_.DistanceDown(output); });
    });
}

void DelayWindow::Run(const std::function<void()>& step) {
    step();
    Refresh();
    Q_EMIT Edited();
}

void DelayWindow::FocusOutput(int output) {
    if (output >= 1 && output <= kOutputs && config_.ChannelOffered(output)) {
        columns_[output - 1].slider->setFocus(Qt::OtherFocusReason);
    }
}

void DelayWindow::AddCopyButtons(ChannelCopyButtons* buttons) {
    copyButtons_ = buttons;
    // Before the stretch and the Real Time switch, which end the row.
    top_->insertWidget(top_->count() - 2, buttons);
    setTabOrder(buttons->Button(0), buttons->Button(1));
    setTabOrder(buttons->Button(1), RealTimeButton());
    Refresh();
}

void DelayWindow::Refresh() {
    if (copyButtons_ != nullptr) {
        copyButtons_->Refresh();
    }
    bool offerChanged = false;
    for (int output = 1; output <= kOutputs; ++output) {
        const OutputColumn& column = columns_[output - 1];
        const bool offered = config_.ChannelOffered(output);
        offerChanged = offerChanged || column.slider->isVisibleTo(this) != offered;
        for (QWidget* widget : column.widgets) {
            widget->setVisible(offered);
        }
        const QString name = OutputName(config_, output);
        column.name->setText(name);
        column.label->setText(OutputRowLabel(config_, output));
        column.slider->SetLastPosition(delays_.SliderMaximum(output));
        column.slider->ShowPosition(delays_.DelayPosition(output));
        column.samples->ShowText(QString::number(delays_.DisplaySamples(output)));
        column.ms->ShowText(FromUtf8(delays_.DelayMsText(output)));
        column.cm->ShowText(FromUtf8(delays_.DelayCmText(output)));
        column.distance->ShowText(FromUtf8(delays_.DistanceText(output)));
    }
    celsius_->ShowText(QString::number(delays_.TemperatureC()));
    fahrenheit_->ShowText(QString::number(delays_.TemperatureF()));
    RefreshRealTime();
    if (offerChanged) {
        // Two outputs leave a narrower window; three give the room back.
        layout()->activate();
        resize(sizeHint());
    }
}

void DelayWindow::showEvent(QShowEvent* event) {
    // Showing the window runs every output's delay again, so Real Time mode sends all
    // three.
    delays_.Activate();
    Refresh();
    EditorWindowFrame::showEvent(event);
}

bool DelayWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        Refresh();
    }
    return EditorWindowFrame::event(event);
}

} // namespace veld23
