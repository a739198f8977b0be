#include "commands/ConnectDialog.h"

#include "commands/CommandTexts.h"
#include "commands/DeviceLink.h"
#include "link/Protocol.h"

namespace veld23::commands {

using link::LinkIndicator;
using link::LinkKind;

ConnectDialog::ConnectDialog(DeviceLink& device) : device_(device) {}

void ConnectDialog::Show() {
    shown_ = true;
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
    device_.Presentation().DarkenIndicators();
    device_.Presentation().LightIndicator(selector);
    link::LinkController& link = device_.Link();
    switch (selector) {
    case LinkIndicator::Offline:
        link.SelectOffline();
        break;
    case LinkIndicator::Com1:
    case LinkIndicator::Com2:
        if (!link.SelectCom(selector == LinkIndicator::Com1 ? link::ComPortNumber::pnCOM1
                                                            : link::ComPortNumber::pnCOM2)) {
            return false;
        }
        break;
    case LinkIndicator::Usb:
        link.SelectUsb();
        break;
    }
    CheckLink();
    Close();
    return true;
}

void ConnectDialog::CheckLink() {
    link::LinkController& link = device_.Link();
    LinkPresentation& presentation = device_.Presentation();
    switch (link.Kind()) {
    case LinkKind::Com1:
    case LinkKind::Com2:
        // A missing answer has taken the link Offline already; after a wrong one the
        // link stays selected and the status line keeps what it said.
        if (device_.Engine().RunCommand(link::protocol::kLinkCheck, 0, 0, true) == 0) {
            presentation.SetStatusLine(link.Comm().ComPort() == link::ComPortNumber::pnCOM2
                                           ? texts::kStatusCom2
                                           : texts::kStatusCom1);
        }
        return;
    case LinkKind::Offline:
        presentation.SetStatusLine(texts::kStatusOffline);
        return;
    case LinkKind::Usb:
        if (device_.Engine().RunCommand(link::protocol::kLinkCheck, 0, 0, true) == 0) {
            presentation.SetStatusLine(texts::kStatusUsb);
            return;
        }
        link.Usb().UsbClose();
        presentation.SetStatusLine(texts::kStatusOffline);
        link.SelectOffline();
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
