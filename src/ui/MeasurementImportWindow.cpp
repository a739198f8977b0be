#include "ui/MeasurementImportWindow.h"

#include "config/ProcessorConfiguration.h"
#include "measure/MeasurementImportController.h"
#include "ui/BringToFront.h"
#include "ui/ProgramDialogs.h"
#include "ui/QtText.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

// Enter in the reference level field only takes the level: no button is the default.
QPushButton* Button(const QString& text, const QString& name, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

void ShowText(QLineEdit& field, const QString& text) {
    if (field.text() != text) {
        field.setText(text);
    }
}

} // namespace

MeasurementImportWindow::MeasurementImportWindow(Bindings bindings, QWidget* parent)
    : QDialog(parent), config_(bindings.config),
      controller_(std::make_unique<MeasurementImportController>(bindings.config.MeasurementImport,
                                                                bindings.speakers, bindings.dialogs,
                                                                bindings.dialogs)) {
    using Controller = MeasurementImportController;
    controller_->SetAfterImport(std::move(bindings.afterImport));
    setObjectName("measurementImportWindow");
    setWindowTitle(FromUtf8(Controller::kTitle));
    setWindowModality(Qt::WindowModal);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(FromUtf8(Controller::kPrompt), this));
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (int slot = 1; slot <= kSlots; ++slot) {
        BuildSlot(slot, *grid);
    }
    layout->addLayout(grid);

    auto* settings = new QHBoxLayout;
    auto* layoutCaption = new QLabel(tr("File &layout:"), this);
    layout_ = new QComboBox(this);
    layout_->setObjectName("layoutSelector");
    layout_->setToolTip(tr("The program that exported the files; it holds for every channel"));
    for (const Controller::LayoutSelector& selector : Controller::Selectors()) {
        layout_->addItem(FromUtf8(selector.caption));
    }
    layoutCaption->setBuddy(layout_);
    connect(layout_, &QComboBox::activated, this, [this](int index) {
        Run([this, index] { controller_->SelectLayout(static_cast<std::size_t>(index)); });
    });
    auto* referenceCaption = new QLabel(FromUtf8(Controller::kReferenceCaption), this);
    reference_ = new QLineEdit(this);
    reference_->setObjectName("referenceLevelField");
    reference_->setToolTip(tr("The sound level drawn as 0 dB: -140.0 to 140.0 dB SPL, one "
                              "decimal; it holds for every channel"));
    reference_->setMaximumWidth(reference_->fontMetrics().horizontalAdvance("-140.00") + 16);
    reference_->setAlignment(Qt::AlignRight);
    referenceCaption->setBuddy(reference_);
    connect(reference_, &QLineEdit::textEdited, this,
            [this](const QString& text) { controller_->SetReferenceLevelText(ToUtf8(text)); });
    connect(reference_, &QLineEdit::editingFinished, this,
            [this] { Run([this] { controller_->ReferenceLevelExit(); }); });
    settings->addWidget(layoutCaption);
    settings->addWidget(layout_);
    settings->addSpacing(24);
    settings->addWidget(referenceCaption);
    settings->addWidget(reference_);
    settings->addWidget(new QLabel(FromUtf8(Controller::kReferenceUnit), this));
    settings->addWidget(new QLabel(FromUtf8(Controller::kReferenceNote), this));
    settings->addStretch(1);
    layout->addLayout(settings);

    auto* buttons = new QHBoxLayout;
    auto* importAll = Button(tr("Import &All"), "importAllButton",
                             tr("Read the files of every channel and close"), this);
    connect(importAll, &QPushButton::clicked, this, [this] { Run([this] { controller_->Ok(); }); });
    auto* close = Button(tr("Close"), "closeButton",
                         tr("Close; files chosen but not imported are forgotten"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch(1);
    buttons->addWidget(importAll);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

MeasurementImportWindow::~MeasurementImportWindow() = default;

void MeasurementImportWindow::BuildSlot(int slot, QGridLayout& grid) {
    SlotRow& row = rows_[static_cast<std::size_t>(slot - 1)];
    row.label = new QLabel(this);
    row.path = new QLineEdit(this);
    row.path->setObjectName(QString("pathField%1").arg(slot));
    row.path->setReadOnly(true);
    row.path->setMinimumWidth(row.path->fontMetrics().averageCharWidth() * 48);
    row.browse = Button(tr("Browse…"), QString("browseButton%1").arg(slot),
                        tr("Choose the measurement file of output channel %1").arg(slot), this);
    row.import = Button(tr("Import"), QString("importButton%1").arg(slot),
                        tr("Read the file into output channel %1 now").arg(slot), this);
    row.clear = Button(tr("Clear"), QString("clearButton%1").arg(slot),
                       tr("No measurement for output channel %1: a flat line").arg(slot), this);
    connect(row.browse, &QPushButton::clicked, this,
            [this, slot] { Run([this, slot] { controller_->ChooseFile(slot); }); });
    connect(row.import, &QPushButton::clicked, this,
            [this, slot] { Run([this, slot] { controller_->ImportSlot(slot); }); });
    connect(row.clear, &QPushButton::clicked, this,
            [this, slot] { Run([this, slot] { controller_->ClearSlot(slot); }); });
    const int line = slot - 1;
    grid.addWidget(row.label, line, 0);
    grid.addWidget(row.path, line, 1);
    grid.addWidget(row.browse, line, 2);
    grid.addWidget(row.import, line, 3);
    grid.addWidget(row.clear, line, 4);
}

void MeasurementImportWindow::Open() {
    std::array<std::string, kSlots> labels;
    for (int slot = 1; slot <= kSlots; ++slot) {
        labels[static_cast<std::size_t>(slot - 1)] = config_.OutputChannelLabel(slot).View();
    }
    controller_->Show(labels);
    Refresh();
    BringToFront(*this);
}

void MeasurementImportWindow::Run(const std::function<void()>& action) {
    action();
    Refresh();
    if (!controller_->Visible()) {
        hide();
    }
}

void MeasurementImportWindow::Refresh() {
    for (int slot = 1; slot <= kSlots; ++slot) {
        SlotRow& row = rows_[static_cast<std::size_t>(slot - 1)];
        row.label->setText(FromWindows1252(controller_->SlotLabel(slot)));
        const QString path = FromUtf8(controller_->SlotPath(slot));
        if (row.path->text() != path) {
            row.path->setText(path);
            // The file's name is at the end of a long path.
            row.path->setCursorPosition(static_cast<int>(path.size()));
        }
        row.path->setToolTip(path);
    }
    {
        const QSignalBlocker block(layout_);
        int checked = -1;
        for (int i = 0; i < layout_->count(); ++i) {
            if (controller_->SelectorChecked(static_cast<std::size_t>(i))) {
                checked = i;
            }
        }
        layout_->setCurrentIndex(checked);
    }
    const QSignalBlocker block(reference_);
    ShowText(*reference_, FromUtf8(controller_->ReferenceLevelText()));
}

void MeasurementImportWindow::reject() {
    controller_->Cancel();
    QDialog::reject();
}

} // namespace veld23
