#include "link/LinkController.h"

#include "link/LinkTexts.h"

namespace veld23::link {

LinkController::LinkController(CommPort& comm, D2xx& usbDevice, LinkUi& ui)
    : comm_(comm), ui_(ui), usb_(usbDevice, *this) {}

void LinkController::SetState(LinkKind kind, LinkCondition condition) {
    if (kind == kind_ && condition == condition_) {
        return;
    }
    kind_ = kind;
    condition_ = condition;
    ui_.LinkChanged(kind_, condition_);
}

void LinkController::GoOffline() {
    usbLinkActive_ = false;
    SetState(LinkKind::Offline, LinkCondition::Offline);
    if (offlineListener_) {
        offlineListener_();
    }
}

void LinkController::ReportOpenFailure(ComPortNumber port) {
    const std::string path = comm_.PortPath(port);
    const std::string name =
        namePortsByPath_ ? path : std::string(ComPortCaption(port)) + " (" + path + ")";
    const std::string message = texts::PortOpenFailure(name, comm_.LastOpenError());
    GoOffline();
    ui_.Beep();
    ui_.ShowError(message);
}

bool LinkController::SelectCom(ComPortNumber port) {
    comm_.ClosePort();
    comm_.SetComPort(port);
    if (!comm_.OpenPort()) {
        ReportOpenFailure(port);
        return false;
    }
    usbLinkActive_ = false;
    SetState(port == ComPortNumber::pnCOM2 ? LinkKind::Com2 : LinkKind::Com1,
             LinkCondition::Checking);
    ui_.ShowMainWindow();
    return true;
}

void LinkController::ReportReopenFailure() {
    ReportOpenFailure(comm_.ComPort());
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
    SetState(LinkKind::Usb, LinkCondition::Checking);
    ui_.ShowMainWindow();
    return true;
}

void LinkController::SelectOffline() {
    ui_.ShowMainWindow();
    GoOffline();
}

void LinkController::NoteAnswer(bool right) {
    if (kind_ != LinkKind::Offline) {
        SetState(kind_, right ? LinkCondition::Answering : LinkCondition::AnsweredWrongly);
    }
}

void LinkController::NoteSilence() {
    if (kind_ != LinkKind::Offline) {
        SetState(kind_, LinkCondition::Silent);
    }
}

void LinkController::UsbReportError(const std::string& prefix, FtStatus status) {
    if (status == ft::kOk) {
        return;
    }
    SelectOffline();
    ui_.ShowError(texts::UsbErrorMessage(prefix, status));
}

} // namespace veld23::link
