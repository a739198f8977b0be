#include "ui/CoefficientViewerWindow.h"

#include "ui/QtText.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace veld23 {

CoefficientViewerWindow::CoefficientViewerWindow(TextSource source, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(std::move(source)) {
    setWindowTitle("Show Filter Coefficients");
    // Wide enough that a title bar shows the whole title.
    setMinimumWidth(fontMetrics().horizontalAdvance(windowTitle()) + 120);
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(18, 16, 18, 16);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(8);
    QFont digits = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (int k = 0; k < kCoefficients; ++k) {
        auto* field = new QLineEdit(this);
        field->setObjectName(kCaptions[static_cast<std::size_t>(k)]);
        field->setReadOnly(true);
        field->setFont(digits);
        field->setAlignment(Qt::AlignRight);
        // Room for "-1.999999" and a little air.
        field->setMinimumWidth(field->fontMetrics().horizontalAdvance("-0.0000000000") + 12);
        fields_[static_cast<std::size_t>(k)] = field;
        layout->addRow(new QLabel(kCaptions[static_cast<std::size_t>(k)], this), field);
    }
    Refresh();
}

void CoefficientViewerWindow::Refresh() {
    for (int k = 0; k < kCoefficients; ++k) {
        const QString text = source_ ? FromUtf8(source_(k)) : QString();
        QLineEdit* field = fields_[static_cast<std::size_t>(k)];
        if (field->text() != text) {
            field->setText(text);
        }
    }
}

QString CoefficientViewerWindow::FieldText(int k) const {
    return k >= 0 && k < kCoefficients ? fields_[static_cast<std::size_t>(k)]->text() : QString();
}

void CoefficientViewerWindow::showEvent(QShowEvent* event) {
    Refresh();
    QWidget::showEvent(event);
}

} // namespace veld23
