#include "link/serial/QtPortServices.h"

#include <QSerialPortInfo>
#include <QSettings>

namespace veld23::link {

namespace {

QString KeyOf(ComPortNumber port) {
    return QStringLiteral("Ports/") + QString::fromLatin1(ComPortLabel(port));
}

} // namespace

std::vector<SerialPortEntry> QtSerialPortCatalog::AvailablePorts() const {
    std::vector<SerialPortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        ports.push_back({info.systemLocation().toStdString(), info.description().toStdString(),
                         info.manufacturer().toStdString(), info.serialNumber().toStdString()});
    }
    return ports;
}

std::string QtPortSettings::DefaultFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "VELD23", "veld23")
        .fileName()
        .toStdString();
}

QtPortSettings::QtPortSettings(std::string file) : file_(std::move(file)) {}

std::optional<std::string> QtPortSettings::StoredPortPath(ComPortNumber port) const {
    const QSettings settings(QString::fromStdString(file_), QSettings::IniFormat);
    const QVariant value = settings.value(KeyOf(port));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void QtPortSettings::StorePortPath(ComPortNumber port, const std::string& path) {
    QSettings settings(QString::fromStdString(file_), QSettings::IniFormat);
    settings.setValue(KeyOf(port), QString::fromStdString(path));
}

} // namespace veld23::link
