#include "link/LinkController.h"

#include "link/LinkTexts.h"

namespace veld23::link {

LinkController::LinkController(CommPort& comm, D2xx& usbDevice, LinkUi& ui)
    : comm_(comm), ui_(ui), usb_(usbDevice, *this) {}

void LinkController::WentOffline() {
    if (offlineListener_) {
        offlineListener_();
    }
}

bool LinkController::SelectCom(ComPortNumber port) {
    kind_ = port == ComPortNumber::pnCOM2 ? LinkKind::Com2 : LinkKind::Com1;
    comm_.ClosePort();
    comm_.SetComPort(port);
    if (!comm_.OpenPort()) {
        kind_ = LinkKind::Offline;
        usbLinkActive_ = false;
        WentOffline();
        ui_.Beep();
        ui_.ShowError(texts::kComPortInUse);
        return false;
    }
    SetDeviceCommandsEnabled(true);
    usbLinkActive_ = false;
    ui_.ShowMainWindow();
    return true;
}

bool LinkController::SelectUsb() {
    SelectOffline();
    if (usb_.UsbOpen() != ft::kOk) {
        ui_.ShowMainWindow();
        return false;
    }
    // A setting that fails has been reported and took the link Offline; the
    // remaining ones are not tried and the USB link is not selected after it.
    const bool configured =
        usb_.SetBaudRate() == ft::kOk && usb_.SetRts() == ft::kOk && usb_.SetDtr() == ft::kOk &&
        usb_.SetDataCharacteristics() == ft::kOk && usb_.SetFlowControl() == ft::kOk &&
        usb_.SetChars() == ft::kOk &&
        usb_.UsbSetTimeouts(UsbPort::kTimeoutMs, UsbPort::kTimeoutMs) == ft::kOk;
    const bool closed = usb_.UsbClose() == ft::kOk;
    if (!configured || !closed) {
        ui_.ShowMainWindow();
        return false;
    }
    usbLinkActive_ = true;
    kind_ = LinkKind::Usb;
    SetDeviceCommandsEnabled(true);
    ui_.ShowMainWindow();
    return true;
}

void LinkController::SelectOffline() {
    kind_ = LinkKind::Offline;
    usbLinkActive_ = false;
    ui_.ShowMainWindow();
    ui_.SetDeviceCommandsEnabled(false);
    ui_.SetStatusLine(texts::kStatusOffline);
    WentOffline();
}

void LinkController::SetDeviceCommandsEnabled(bool enabled) {
    if (enabled && kind_ == LinkKind::Offline) {
        return;
    }
    ui_.SetDeviceCommandsEnabled(enabled);
}

void LinkController::UsbReportError(const std::string& prefix, FtStatus status) {
    if (status == ft::kOk) {
        return;
    }
    SelectOffline();
    ui_.LightIndicator(LinkIndicator::Offline);
    ui_.LightIndicator(LinkIndicator::Usb);
    ui_.ShowError(texts::UsbErrorMessage(prefix, status));
}

} // namespace veld23::link
