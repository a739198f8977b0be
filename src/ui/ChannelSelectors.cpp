#include "ui/ChannelSelectors.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace veld23 {

namespace {

// A channel label is the user's text: an ampersand in it is a character, not a mnemonic.
QString Caption(const QString& label) {
    QString caption = label;
    return caption.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

ChannelSelectors::ChannelSelectors(int channels, const QString& what, QWidget* parent)
    : QWidget(parent), what_(what), modify_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    auto* modifyCaption = new QLabel(tr("MO&DIFY"), this);
    auto* showCaption = new QLabel(tr("SHO&W"), this);
    QFont bold = modifyCaption->font();
    bold.setBold(true);
    modifyCaption->setFont(bold);
    showCaption->setFont(bold);
    grid->addWidget(modifyCaption, 0, 0);
    grid->addWidget(showCaption, 1, 0);
    // Made row by row, so the keyboard meets them in reading order.
    for (int channel = 1; channel <= channels; ++channel) {
        auto* modify = new QRadioButton(this);
        modify->setObjectName(QStringLiteral("modify%1").arg(channel));
        modify_->addButton(modify, channel);
        grid->addWidget(modify, 0, channel);
        modifyButtons_.push_back(modify);
    }
    for (int channel = 1; channel <= channels; ++channel) {
        auto* show = new QCheckBox(this);
        show->setObjectName(QStringLiteral("show%1").arg(channel));
        grid->addWidget(show, 1, channel);
        showBoxes_.push_back(show);
        connect(show, &QCheckBox::clicked, this, [this, channel] { Q_EMIT ShowToggled(channel); });
    }
    grid->setColumnStretch(channels + 1, 1);
    modifyCaption->setBuddy(modifyButtons_.front());
    showCaption->setBuddy(showBoxes_.front());
    connect(modify_, &QButtonGroup::idClicked, this, &ChannelSelectors::ModifyChosen);
}

void ChannelSelectors::ShowChannel(int channel, const Channel& state) {
    QRadioButton* modify = ModifyButton(channel);
    QCheckBox* show = ShowBox(channel);
    if (modify == nullptr) {
        return;
    }
    const QSignalBlocker blockModify(modify);
    const QSignalBlocker blockShow(show);
    modify->setText(Caption(state.label));
    modify->setToolTip(tr("Edit the %1 of %2").arg(what_, state.label));
    modify->setVisible(state.offered);
    show->setText(Caption(state.label));
    show->setToolTip(tr("Show or hide the %1 curve of %2").arg(what_, state.label));
    show->setChecked(state.shown);
    show->setVisible(state.offered);
}

void ChannelSelectors::ShowCurrent(int channel) {
    if (QRadioButton* modify = ModifyButton(channel)) {
        const QSignalBlocker block(modify);
        modify->setChecked(true);
    }
}

QRadioButton* ChannelSelectors::ModifyButton(int channel) const {
    return channel >= 1 && channel <= static_cast<int>(modifyButtons_.size())
               ? modifyButtons_[static_cast<std::size_t>(channel - 1)]
               : nullptr;
}

QCheckBox* ChannelSelectors::ShowBox(int channel) const {
    return channel >= 1 && channel <= static_cast<int>(showBoxes_.size())
               ? showBoxes_[static_cast<std::size_t>(channel - 1)]
               : nullptr;
}

} // namespace veld23
