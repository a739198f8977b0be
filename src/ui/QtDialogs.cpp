#include "ui/QtDialogs.h"

#include "config/PrintableText.h"
#include "ui/QtText.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace veld23 {

namespace {

QMessageBox::StandardButton Box(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape) {
    // Names inside a message come from files and the command line: their control bytes
    // are shown as \xNN, and markup in them stays text.
    QMessageBox box(icon, QtDialogs::kTitle, FromUtf8(PrintableText(text)), buttons, parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(escape);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void OkBox(QWidget* parent, QMessageBox::Icon icon, const std::string& text) {
    Box(parent, icon, text, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace

QWidget* QtDialogs::Parent() const {
    if (parent_ && parent_->isVisible()) {
        return parent_;
    }
    return QApplication::activeWindow();
}

commands::DialogAnswer QtDialogs::AskYesNoCancel(const std::string& text) {
    switch (Box(Parent(), QMessageBox::Warning, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return commands::DialogAnswer::Yes;
    case QMessageBox::No:
        return commands::DialogAnswer::No;
    default:
        // Closing the box without a button is Cancel.
        return commands::DialogAnswer::Cancel;
    }
}

bool QtDialogs::AskOkCancel(const std::string& text) {
    return Box(Parent(), QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Ok;
}

void QtDialogs::ShowError(const std::string& text) {
    OkBox(Parent(), QMessageBox::Critical, text);
}

void QtDialogs::ShowWarning(const std::string& text) {
    OkBox(Parent(), QMessageBox::Warning, text);
}

void QtDialogs::ShowInformation(const std::string& text) {
    OkBox(Parent(), QMessageBox::Information, text);
}

void QtDialogs::ShowMessage(const std::string& text) {
    OkBox(Parent(), QMessageBox::NoIcon, text);
}

void QtDialogs::ShowMessage(Kind kind, const std::string& text) {
    OkBox(Parent(), kind == Kind::Error ? QMessageBox::Critical : QMessageBox::NoIcon, text);
}

void QtDialogs::Beep() {
    QApplication::beep();
}

void QtDialogs::BesselCutoffLimited(double limitHz, int order) {
    OkBox(Parent(), QMessageBox::Information, BesselCutoffMessage(limitHz, order));
}

bool QtDialogs::RunPasswordKeypad(commands::PasswordKeypad& keypad) {
    return keypadRunner_ && keypadRunner_(keypad);
}

QStringList QtDialogs::NameFilters(const commands::FileDialogRequest& request) {
    QStringList filters;
    for (const commands::FileDialogFilter& filter : request.filters) {
        filters << FromUtf8(filter.caption) + " (" + FromUtf8(filter.pattern) + ")";
    }
    return filters;
}

QStringList QtDialogs::NameFilters(const std::string& captionPatternList) {
    const QStringList parts = FromUtf8(captionPatternList).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << parts[i] + " (" + patterns + ")";
    }
    return filters;
}

std::optional<std::string> QtDialogs::RunFileDialog(const commands::FileDialogRequest& request,
                                                    bool save) {
    QFileDialog dialog(Parent(), FromUtf8(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = NameFilters(request);
    dialog.setNameFilters(filters);
    // The captions already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // A name typed without an extension gets the one of the type chosen. The dialog
    // names the type by its caption alone, its details being hidden.
    const auto useFilter = [&dialog, &request, &filters](const QString& filter) {
        std::size_t index = 0;
        for (std::size_t i = 0; i < request.filters.size(); ++i) {
            const qsizetype at = static_cast<qsizetype>(i);
            if (filter == FromUtf8(request.filters[i].caption) || filter == filters.at(at)) {
                index = i;
            }
        }
        dialog.setDefaultSuffix(FromUtf8(request.ExtensionFor(index)));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useFilter);
    useFilter(dialog.selectedNameFilter());
    if (!request.fileName.empty()) {
        dialog.selectFile(FromUtf8(request.fileName));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(dialog.selectedFiles().front());
}

std::optional<std::string> QtDialogs::ChooseFileToOpen(const commands::FileDialogRequest& request) {
    return RunFileDialog(request, false);
}

std::optional<std::string> QtDialogs::ChooseFileToSave(const commands::FileDialogRequest& request) {
    return RunFileDialog(request, true);
}

std::optional<std::string> QtDialogs::ChooseFileToOpen(const std::string& title,
                                                       const std::string& filter) {
    QFileDialog dialog(Parent(), FromUtf8(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(dialog.selectedFiles().front());
}

std::optional<std::string> QtDialogs::ChooseFolder(const std::string& title) {
    QFileDialog dialog(Parent(), FromUtf8(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(dialog.selectedFiles().front());
}

} // namespace veld23
