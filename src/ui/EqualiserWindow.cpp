#include "ui/EqualiserWindow.h"

#include "dsp/PeqRules.h"
#include "editors/EqualiserEditor.h"
#include "ui/ChannelCopyButtons.h"
#include "ui/ChannelSelectors.h"
#include "ui/CoefficientViewerWindow.h"
#include "ui/QtText.h"
#include "ui/ResponsePlotPanel.h"
#include "ui/ResponsePlotWidget.h"
#include "ui/StepField.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace veld23 {

using namespace equaliser;

namespace {

// The window opens at this size on a 1366x768 screen with room for the main window's
// title bar; the plot takes whatever more the user gives it.
constexpr QSize kStartSize(1080, 620);

// Sliders keep their position laws; on screen the high values lie right, and the arrow
// keys move the handle the way they point.
QSlider* LawSlider(int min, int max, int singleStep, int pageStep, const char* name,
                   QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setRange(min, max);
    slider->setSingleStep(singleStep);
    slider->setPageStep(pageStep);
    slider->setInvertedAppearance(true);
    slider->setInvertedControls(true);
    slider->setMinimumWidth(170);
    return slider;
}

} // namespace

EqualiserWindow::EqualiserWindow(EqualiserEditor& editor,
                                 CoefficientViewerWindow* coefficientViewer, QWidget* anchor,
                                 RealTimeToggle realTime, QWidget* parent)
    : EditorWindowFrame(tr("Parametric Equalization"), anchor, std::move(realTime), parent),
      editor_(editor), coefficientViewer_(coefficientViewer) {
    setObjectName("equaliserWindow");
    selectors_ = new ChannelSelectors(EqualiserEditor::kEqualisers, tr("equaliser"), this);
    controls_ = new QVBoxLayout;
    auto* controls = controls_;
    controls->setSpacing(12);
    controls->addWidget(selectors_);
    controls->addWidget(BuildBandControls());
    controls->addWidget(BuildCoefficientPanel());
    // Made after the controls, so the keyboard reaches it after them.
    plotPanel_ = new ResponsePlotPanel(editor_.Plot(), this);
    controls->addStretch(1);
    controls->addWidget(RealTimeButton(), 0, Qt::AlignLeft);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(14);
    layout->addLayout(controls, 0);
    layout->addWidget(plotPanel_, 1);

    BindBandControls();
    BindCoefficientPanel();
    connect(selectors_, &ChannelSelectors::ModifyChosen, this,
            [this](int peq) { Run([this, peq] { editor_.ChooseEqualiser(peq); }); });
    connect(selectors_, &ChannelSelectors::ShowToggled, this,
            [this](int peq) { Run([this, peq] { editor_.ToggleShow(peq); }); });
    connect(plotPanel_, &ResponsePlotPanel::ViewChosen, this, [this](ResponseView view) {
        Run([this, view] {
            view == ResponseView::Magnitude ? editor_.ShowMagnitude() : editor_.ShowPhase();
        });
    });
    // A press, a drag step or a release may have moved the band.
    connect(plotPanel_->Plot(), &ResponsePlotWidget::PointerHandled, this, [this] { Refresh(); });

    resize(kStartSize);
    Refresh();
}

QWidget* EqualiserWindow::BuildBandControls() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);

    band_ = new QSpinBox(box);
    band_->setObjectName("band");
    band_->setRange(1, EqualiserEditor::kBands);
    band_->setToolTip(tr("Band being edited, 1 to 7; choosing a band above those in use brings "
                         "it into use"));
    auto* bandCaption = new QLabel(tr("&Band"), box);
    bandCaption->setBuddy(band_);
    grid->addWidget(bandCaption, 0, 0);
    grid->addWidget(band_, 0, 1, Qt::AlignLeft);

    type_ = new QComboBox(box);
    type_->setObjectName("type");
    for (const EqTypeEntry& entry : EqTypeList()) {
        type_->addItem(QString::fromLatin1(entry.caption));
    }
    type_->setToolTip(tr("Filter type of the band; the controls a type does not use are "
                         "disabled"));
    auto* typeCaption = new QLabel(tr("&Type"), box);
    typeCaption->setBuddy(type_);
    grid->addWidget(typeCaption, 1, 0);
    grid->addWidget(type_, 1, 1, 1, 3);

    struct Row {
        QString caption;
        QString unit;
        QString hint;
        int min, max, singleStep, pageStep;
        const char* name;
        StepField::Steps steps;
        int characters;
    };
    const Row rows[kParameters] = {
        {tr("&Frequency"), tr("Hz"), tr("Frequency of the band, 10 to 20000 Hz"),
         kFrequencyMinPosition, kFrequencyMaxPosition, 20, 400, "frequency", StepField::Steps::None,
         5},
        {tr("&Gain"), tr("dB"),
         tr("Gain of the band, -15.0 to +12.0 dB (shelving types up to +6.0 dB); Up and Down "
            "step 0.1 dB"),
         kGainMinPosition, kGainMaxPosition, 1, 10, "gain", StepField::Steps::UpDown, 5},
        {tr("&Q"), QString(),
         tr("Q of the band, 0.5 to 20.0 (two characters can be typed); Up and Down step 0.1"),
         kQMinPosition, kQMaxPosition, 1, 10, "q", StepField::Steps::UpDown, 5},
    };
    for (int p = 0; p < kParameters; ++p) {
        const Row& row = rows[p];
        sliders_[p] = LawSlider(row.min, row.max, row.singleStep, row.pageStep, row.name, box);
        sliders_[p]->setToolTip(row.hint);
        fields_[p] = new StepField(row.steps, box);
        fields_[p]->setObjectName(QStringLiteral("%1Field").arg(row.name));
        fields_[p]->SetHint(row.hint);
        fields_[p]->SetCharacterWidth(row.characters);
        captions_[p] = new QLabel(row.caption, box);
        captions_[p]->setBuddy(fields_[p]);
        units_[p] = new QLabel(row.unit, box);
        // "IIR Coeff" hides the captions; the controls stay where they are.
        for (QLabel* label : {captions_[p], units_[p]}) {
            QSizePolicy policy = label->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            label->setSizePolicy(policy);
        }
        grid->addWidget(captions_[p], 2 + p, 0);
        grid->addWidget(sliders_[p], 2 + p, 1);
        grid->addWidget(fields_[p], 2 + p, 2, Qt::AlignLeft);
        grid->addWidget(units_[p], 2 + p, 3);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QGroupBox* EqualiserWindow::BuildCoefficientPanel() {
    coefficientPanel_ = new QGroupBox(tr("&IIR Coeff"), this);
    coefficientPanel_->setObjectName("coefficientPanel");
    auto* grid = new QGridLayout(coefficientPanel_);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    grid->setColumnStretch(1, 1);
    for (int k = 0; k < 5; ++k) {
        const QString name = QString::fromLatin1(CoefficientViewerWindow::kCaptions[k]);
        auto* field = new StepField(StepField::Steps::None, coefficientPanel_);
        field->setObjectName(name);
        field->SetCharacterWidth(10);
        field->SetHint(tr("Coefficient %1 of the band, -2 to 2 (a1 and a2 with the processor's "
                          "sign); Enter takes the nearest step of the processor, 2^-20")
                           .arg(name));
        coefficients_[static_cast<std::size_t>(k)] = field;
        grid->addWidget(new QLabel(name, coefficientPanel_), k, 0);
        grid->addWidget(field, k, 1, Qt::AlignLeft);
    }
    // Its room is kept while it is hidden, so changing the type never moves the plot.
    QSizePolicy policy = coefficientPanel_->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    coefficientPanel_->setSizePolicy(policy);
    coefficientPanel_->hide();
    return coefficientPanel_;
}

void EqualiserWindow::BindBandControls() {
    connect(band_, &QSpinBox::valueChanged, this,
            [this](int band) { Run([this, band] { editor_.SelectBand(band); }); });
    connect(type_, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { editor_.ChooseType(index); }); });

    using PositionAction = void (EqualiserEditor::*)(int);
    using TextAction = void (EqualiserEditor::*)(std::string_view);
    using Action = void (EqualiserEditor::*)();
    const struct {
        PositionAction position;
        TextAction text;
        Action enter, up, down;
    } actions[kParameters] = {
        {&EqualiserEditor::SetFrequencyPosition, &EqualiserEditor::SetFrequencyText,
         &EqualiserEditor::FrequencyEnter, nullptr, nullptr},
        {&EqualiserEditor::SetGainPosition, &EqualiserEditor::SetGainText,
         &EqualiserEditor::GainEnter, &EqualiserEditor::GainUp, &EqualiserEditor::GainDown},
        {&EqualiserEditor::SetQPosition, &EqualiserEditor::SetQText, &EqualiserEditor::QEnter,
         &EqualiserEditor::QUp, &EqualiserEditor::QDown},
    };
    for (int p = 0; p < kParameters; ++p) {
        const auto a = actions[p];
        // Each action captures the one member it calls and the editor's address, not
        // the row: the sanitizer build of g++ 12 reported reads outside the stack frame
        // for inner lambdas that copied the whole row from the outer one.
        connect(sliders_[p], &QSlider::valueChanged, this,
                [this, setPosition = a.position](int position) {
                    Run([editor = &editor_, setPosition, position] {
                        (editor->*setPosition)(position);
                    });
                });
        connect(fields_[p], &StepField::Edited, this,
                [this, setText = a.text](const QString& text) {
                    Run([editor = &editor_, setText, typed = ToUtf8(text)] {
                        (editor->*setText)(typed);
                    });
                });
        // Enter and leaving the field take its text alike.
        for (auto signal : {&StepField::Entered, &StepField::Left}) {
            connect(fields_[p], signal, this, [this, enter = a.enter] {
                Run([editor = &editor_, enter] { (editor->*enter)(); });
            });
        }
        if (a.up != nullptr) {
            connect(fields_[p], &StepField::Stepped, this,
                    [this, up = a.up, down = a.down](int direction) {
                        Run([editor = &editor_, step = direction > 0 ? up : down] {
                            (editor->*step)();
                        });
                    });
        }
    }
}

void EqualiserWindow::BindCoefficientPanel() {
    for (int k = 0; k < 5; ++k) {
        StepField* field = coefficients_[static_cast<std::size_t>(k)];
        connect(field, &StepField::Edited, this, [this, k](const QString& text) {
            Run([this, k, &text] { editor_.SetCoefficientText(k, ToUtf8(text)); });
        });
        connect(field, &StepField::Entered, this,
                [this, k] { Run([this, k] { editor_.CoefficientEnter(k); }); });
        connect(field, &StepField::Left, this,
                [this] { Run([this] { editor_.CoefficientsLeave(); }); });
    }
}

template <typename Action> void EqualiserWindow::Run(Action action) {
    if (refilling_) {
        return;
    }
    action();
    Refresh();
}

void EqualiserWindow::Open(int peq) {
    editor_.Show();
    if (peq != editor_.CurrentEqualiser()) {
        editor_.ChooseEqualiser(peq);
    }
    Refresh();
}

void EqualiserWindow::showEvent(QShowEvent* event) {
    Refresh();
    EditorWindowFrame::showEvent(event);
}

void EqualiserWindow::AddCopyButtons(ChannelCopyButtons* buttons) {
    copyButtons_ = buttons;
    controls_->insertWidget(1, buttons);
    // In reading order: after the selectors, before the block's controls.
    setTabOrder(selectors_->ShowBox(EqualiserEditor::kEqualisers), buttons->Button(0));
    setTabOrder(buttons->Button(0), buttons->Button(1));
    Refresh();
}

void EqualiserWindow::Refresh() {
    refilling_ = true;
    if (copyButtons_ != nullptr) {
        copyButtons_->Refresh();
    }
    for (int peq = 1; peq <= EqualiserEditor::kEqualisers; ++peq) {
        selectors_->ShowChannel(
            peq, {FromWindows1252(editor_.SelectorLabel(peq)), true, editor_.CurveShown(peq)});
    }
    selectors_->ShowCurrent(editor_.CurrentEqualiser());
    {
        const QSignalBlocker block(band_);
        band_->setValue(editor_.CurrentBand());
    }
    {
        const QSignalBlocker block(type_);
        type_->setCurrentIndex(editor_.TypeIndex());
    }

    const EqualiserControls& controls = editor_.Controls();
    const bool enabled[kParameters] = {controls.frequency, controls.gain, controls.q};
    const int positions[kParameters] = {editor_.FrequencyPosition(), editor_.GainPosition(),
                                        editor_.QPosition()};
    const EqualiserField* values[kParameters] = {&editor_.FrequencyField(), &editor_.GainField(),
                                                 &editor_.QField()};
    for (int p = 0; p < kParameters; ++p) {
        {
            const QSignalBlocker block(sliders_[p]);
            sliders_[p]->setValue(positions[p]);
        }
        fields_[p]->ShowText(FromUtf8(values[p]->text));
        sliders_[p]->setEnabled(enabled[p]);
        fields_[p]->setEnabled(enabled[p]);
        captions_[p]->setVisible(controls.captions);
        units_[p]->setVisible(controls.captions);
    }
    coefficientPanel_->setVisible(controls.coefficientPanel);
    for (int k = 0; k < 5; ++k) {
        coefficients_[static_cast<std::size_t>(k)]->ShowText(
            FromUtf8(editor_.CoefficientField(k).text));
    }
    plotPanel_->ShowView(editor_.View());
    RefreshRealTime();
    if (coefficientViewer_ != nullptr) {
        coefficientViewer_->Refresh();
    }
    refilling_ = false;
}

} // namespace veld23
