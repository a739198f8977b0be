#include "ui/ConnectDialogWindow.h"

#include "commands/CommandTexts.h"
#include "commands/ConnectDialog.h"
#include "commands/LinkPresentation.h"
#include "commands/PortChoice.h"
#include "ui/DarkTheme.h"
#include "ui/IndicatorLamp.h"
#include "ui/QtText.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

namespace {

namespace texts = commands::texts;
using link::ComPortNumber;
using link::LinkIndicator;

std::size_t IndexOf(LinkIndicator selector) {
    return static_cast<std::size_t>(selector);
}

} // namespace

ConnectDialogWindow::ConnectDialogWindow(commands::ConnectDialog& dialog,
                                         const commands::LinkPresentation& presentation,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window), dialog_(dialog), presentation_(presentation) {
    setObjectName("connectWindow");
    setWindowTitle(texts::kConnectTitle);
    auto* heading = new QLabel(texts::kConnectHeading, this);
    MakeHeading(*heading);
    heading->setAlignment(Qt::AlignCenter);

    struct Choice {
        LinkIndicator selector;
        const char* caption;
        const char* name;
    };
    const Choice choices[kSelectors] = {
        {LinkIndicator::Offline, "&Offline", "selectOffline"},
        {LinkIndicator::Com1, "COM &1", "selectCom1"},
        {LinkIndicator::Com2, "COM &2", "selectCom2"},
        {LinkIndicator::Usb, "&USB", "selectUsb"},
    };
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    for (int row = 0; row < kSelectors; ++row) {
        const Choice& choice = choices[row];
        const std::size_t i = IndexOf(choice.selector);
        lamps_[i] = new IndicatorLamp(this);
        selectors_[i] = new QPushButton(tr(choice.caption), this);
        selectors_[i]->setObjectName(choice.name);
        selectors_[i]->setMinimumHeight(34);
        selectors_[i]->setMinimumWidth(selectors_[i]->fontMetrics().averageCharWidth() * 18);
        selectors_[i]->setAutoDefault(false);
        grid->addWidget(lamps_[i], row, 0);
        grid->addWidget(selectors_[i], row, 1);
        const LinkIndicator selector = choice.selector;
        connect(selectors_[i], &QPushButton::clicked, this, [this, selector] { Choose(selector); });
        connect(lamps_[i], &IndicatorLamp::Clicked, this, [this, selector] { Choose(selector); });
    }
    grid->addWidget(MakePortField(ComPortNumber::pnCOM1, "portCom1"), 1, 2);
    grid->addWidget(MakePortField(ComPortNumber::pnCOM2, "portCom2"), 2, 2);
    usbNote_ = new QLabel(this);
    usbNote_->setObjectName("usbNote");
    grid->addWidget(usbNote_, 3, 2);
    refresh_ = new QPushButton(tr("&Refresh"), this);
    refresh_->setObjectName("refreshPorts");
    refresh_->setToolTip(texts::kRefreshPortsHint);
    refresh_->setAutoDefault(false);
    grid->addWidget(refresh_, 4, 2, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    connect(refresh_, &QPushButton::clicked, this, [this] {
        dialog_.Ports().Refresh();
        Refresh();
    });

    status_ = new QLabel(this);
    status_->setObjectName("connectStatus");
    status_->setAlignment(Qt::AlignCenter);
    status_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 18);
    layout->setSpacing(14);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addWidget(status_);
    setTabOrder(selectors_[IndexOf(LinkIndicator::Offline)],
                selectors_[IndexOf(LinkIndicator::Com1)]);
    setTabOrder(selectors_[IndexOf(LinkIndicator::Com1)], portFields_[0]);
    setTabOrder(portFields_[0], selectors_[IndexOf(LinkIndicator::Com2)]);
    setTabOrder(selectors_[IndexOf(LinkIndicator::Com2)], portFields_[1]);
    setTabOrder(portFields_[1], selectors_[IndexOf(LinkIndicator::Usb)]);
    setTabOrder(selectors_[IndexOf(LinkIndicator::Usb)], refresh_);
    Refresh();
}

QComboBox* ConnectDialogWindow::MakePortField(ComPortNumber port, const char* name) {
    auto* field = new QComboBox(this);
    field->setObjectName(name);
    field->setEditable(true);
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setToolTip(texts::kPortPathHint);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 34);
    field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    portFields_[static_cast<std::size_t>(port)] = field;
    connect(field, &QComboBox::activated, this, [this, port, field](int index) {
        ChoosePortText(port, field->itemData(index).toString());
    });
    connect(field->lineEdit(), &QLineEdit::editingFinished, this,
            [this, port, field] { ChoosePortText(port, field->currentText()); });
    return field;
}

void ConnectDialogWindow::ChoosePortText(ComPortNumber port, const QString& text) {
    QComboBox* field = PortField(port);
    // A listed port shows its description too; what is chosen is its path.
    const int listed = field->findText(text);
    const QString path = listed >= 0 ? field->itemData(listed).toString() : text;
    dialog_.Ports().Choose(port, ToUtf8(path));
    field->lineEdit()->setModified(false);
    Refresh();
}

QPushButton* ConnectDialogWindow::Selector(LinkIndicator selector) const {
    return selectors_[IndexOf(selector)];
}

IndicatorLamp* ConnectDialogWindow::Lamp(LinkIndicator selector) const {
    return lamps_[IndexOf(selector)];
}

QComboBox* ConnectDialogWindow::PortField(ComPortNumber port) const {
    return portFields_.at(static_cast<std::size_t>(port));
}

void ConnectDialogWindow::Choose(LinkIndicator selector) {
    // A path typed but not yet confirmed is the one meant.
    for (const ComPortNumber port : {ComPortNumber::pnCOM1, ComPortNumber::pnCOM2}) {
        if (PortField(port)->lineEdit()->isModified()) {
            ChoosePortText(port, PortField(port)->currentText());
        }
    }
    dialog_.Choose(selector);
    Refresh();
    Q_EMIT ChoiceEnded();
}

void ConnectDialogWindow::RefreshPortField(ComPortNumber port) {
    QComboBox* field = PortField(port);
    const commands::PortChoice& ports = dialog_.Ports();
    const QSignalBlocker blocker(field);
    QStringList listed;
    for (const link::SerialPortEntry& entry : ports.Ports()) {
        listed << FromUtf8(commands::PortChoice::EntryText(entry));
    }
    QStringList shown;
    for (int i = 0; i < field->count(); ++i) {
        shown << field->itemText(i);
    }
    if (listed != shown) {
        field->clear();
        for (const link::SerialPortEntry& entry : ports.Ports()) {
            field->addItem(FromUtf8(commands::PortChoice::EntryText(entry)), FromUtf8(entry.path));
        }
    }
    // A path being typed stays as it is until it is confirmed.
    const QString path = FromUtf8(ports.Path(port));
    if (!field->lineEdit()->isModified() && field->currentText() != path) {
        field->setCurrentIndex(field->findData(path));
        field->setEditText(path);
    }
}

void ConnectDialogWindow::Refresh() {
    const bool enabled = dialog_.SelectorsEnabled();
    for (std::size_t i = 0; i < kSelectors; ++i) {
        lamps_[i]->SetLit(dialog_.Lit(static_cast<LinkIndicator>(i)));
        selectors_[i]->setEnabled(enabled);
    }
    for (const ComPortNumber port : {ComPortNumber::pnCOM1, ComPortNumber::pnCOM2}) {
        RefreshPortField(port);
        PortField(port)->setEnabled(enabled);
    }
    refresh_->setEnabled(enabled);
    usbNote_->setText(dialog_.Ports().UsbProcessorFound() ? texts::kUsbProcessorFound
                                                          : texts::kNoUsbProcessor);
    status_->setText(FromUtf8(presentation_.StatusLine()));
}

void ConnectDialogWindow::closeEvent(QCloseEvent* event) {
    // The program ends only through its close flow, which may be cancelled.
    event->ignore();
    Q_EMIT CloseRequested();
}

} // namespace veld23
