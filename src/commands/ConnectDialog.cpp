#include "commands/ConnectDialog.h"

#include "commands/DeviceLink.h"
#include "commands/PortChoice.h"
#include "link/Protocol.h"

namespace veld23::commands {

using link::LinkIndicator;
using link::LinkKind;

ConnectDialog::ConnectDialog(DeviceLink& device, PortChoice& ports)
    : device_(device), ports_(ports) {
    ports_.Refresh();
}

void ConnectDialog::Show() {
    shown_ = true;
    ports_.Refresh();
}

bool ConnectDialog::SelectorsEnabled() const {
    return !device_.Busy();
}

bool ConnectDialog::Lit(LinkIndicator selector) const {
    return device_.Presentation().Lit(selector);
}

bool ConnectDialog::Choose(LinkIndicator selector) {
    if (device_.Busy()) {
        return false;
    }
    DeviceLink::CommandScope scope(device_);
    // Real Time mode followed the processor of the link left now; whatever comes
    // next has to be read again before edits may go to it.
    if (device_.RealTime().RealTimeMode()) {
        device_.RealTime().SwitchOff();
    }
    if (!Select(selector)) {
        return false;
    }
    CheckLink();
    Close();
    return true;
}

bool ConnectDialog::Select(LinkIndicator selector) {
    link::LinkController& link = device_.Link();
    switch (selector) {
    case LinkIndicator::Offline:
        link.SelectOffline();
        return true;
    case LinkIndicator::Com1:
    case LinkIndicator::Com2: {
        const link::ComPortNumber port = selector == LinkIndicator::Com1
                                             ? link::ComPortNumber::pnCOM1
                                             : link::ComPortNumber::pnCOM2;
        link.Comm().SetPortPath(port, ports_.Path(port));
        return link.SelectCom(port);
    }
    case LinkIndicator::Usb:
        link.SelectUsb();
        return true;
    }
    return true;
}

void ConnectDialog::CheckLink() {
    link::LinkController& link = device_.Link();
    switch (link.Kind()) {
    case LinkKind::Com1:
    case LinkKind::Com2:
        // The transfer itself tells the link what came back: the right answers, a
        // wrong one (the link stays, shown as answering wrongly) or none (Offline);
        // there is nothing more to do with its result.
        static_cast<void>(device_.Engine().RunCommand(link::protocol::kLinkCheck, 0, 0, true));
        return;
    case LinkKind::Offline:
        return;
    case LinkKind::Usb:
        if (!device_.Engine().RunCommand(link::protocol::kLinkCheck, 0, 0, true)) {
            link.Usb().UsbClose();
            link.SelectOffline();
        }
        return;
    }
}

void ConnectDialog::Close() {
    shown_ = false;
    if (closed_) {
        closed_();
    }
}

} // namespace veld23::commands
