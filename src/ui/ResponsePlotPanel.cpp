#include "ui/ResponsePlotPanel.h"

#include "plot/PlotModel.h"
#include "ui/QtText.h"
#include "ui/ResponsePlotWidget.h"

#include <QButtonGroup>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace veld23 {

ResponsePlotPanel::ResponsePlotPanel(PlotModel& model, QWidget* parent)
    : QWidget(parent), plot_(new ResponsePlotWidget(this)),
      magnitude_(new QRadioButton(tr("&Mag"), this)), phase_(new QRadioButton(tr("&Phase"), this)),
      readout_(new QLabel(this)) {
    plot_->setObjectName("plot");
    plot_->SetModel(&model);
    plot_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    magnitude_->setObjectName("magnitudeView");
    magnitude_->setToolTip(tr("Show the magnitude response in dB"));
    phase_->setObjectName("phaseView");
    phase_->setToolTip(tr("Show the phase response in degrees, -180 to 180"));
    auto* views = new QButtonGroup(this);
    views->addButton(magnitude_);
    views->addButton(phase_);

    readout_->setObjectName("readout");
    readout_->setToolTip(FromUtf8(PlotModel::kReadoutHint));
    readout_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits of one width and room for the longest readout, so the row never jumps.
    readout_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    readout_->setMinimumWidth(
        readout_->fontMetrics().horizontalAdvance(QStringLiteral("20000 Hz , -180.00 dBs ")));
    connect(plot_, &ResponsePlotWidget::ReadoutChanged, readout_, &QLabel::setText);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(magnitude_);
    row->addWidget(phase_);
    row->addStretch(1);
    row->addWidget(readout_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(plot_, 1);
    layout->addLayout(row);

    connect(magnitude_, &QRadioButton::clicked, this,
            [this] { Q_EMIT ViewChosen(ResponseView::Magnitude); });
    connect(phase_, &QRadioButton::clicked, this,
            [this] { Q_EMIT ViewChosen(ResponseView::Phase); });
}

void ResponsePlotPanel::ShowView(ResponseView view) {
    QRadioButton* lit = view == ResponseView::Magnitude ? magnitude_ : phase_;
    if (!lit->isChecked()) {
        const QSignalBlocker block(lit);
        lit->setChecked(true);
    }
}

} // namespace veld23
