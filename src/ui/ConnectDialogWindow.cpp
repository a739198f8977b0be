#include "ui/ConnectDialogWindow.h"

#include "commands/CommandTexts.h"
#include "commands/ConnectDialog.h"
#include "commands/LinkPresentation.h"
#include "ui/DarkTheme.h"
#include "ui/IndicatorLamp.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace veld23 {

namespace {

namespace texts = commands::texts;
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
    // The converter link works, but the dialog does not offer it.
    if (!dialog_.UsbSelectorShown()) {
        lamps_[IndexOf(LinkIndicator::Usb)]->hide();
        selectors_[IndexOf(LinkIndicator::Usb)]->hide();
    }

    status_ = new QLabel(this);
    status_->setObjectName("connectStatus");
    status_->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 18);
    layout->setSpacing(14);
    layout->addWidget(heading);
    layout->addLayout(grid);
    layout->addWidget(status_);
    Refresh();
}

QPushButton* ConnectDialogWindow::Selector(LinkIndicator selector) const {
    return selectors_[IndexOf(selector)];
}

IndicatorLamp* ConnectDialogWindow::Lamp(LinkIndicator selector) const {
    return lamps_[IndexOf(selector)];
}

void ConnectDialogWindow::Choose(LinkIndicator selector) {
    dialog_.Choose(selector);
    Refresh();
    emit choiceEnded();
}

void ConnectDialogWindow::Refresh() {
    const bool enabled = dialog_.SelectorsEnabled();
    for (std::size_t i = 0; i < kSelectors; ++i) {
        lamps_[i]->SetLit(dialog_.Lit(static_cast<LinkIndicator>(i)));
        selectors_[i]->setEnabled(enabled);
    }
    status_->setText(QString::fromStdString(presentation_.StatusLine()));
}

void ConnectDialogWindow::closeEvent(QCloseEvent* event) {
    // The program ends only through its close flow, which may be cancelled.
    event->ignore();
    emit closeRequested();
}

} // namespace veld23
