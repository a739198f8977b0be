#pragma once

#include "link/CommPort.h"
#include "link/LinkTypes.h"
#include "link/LinkUi.h"
#include "link/UsbPort.h"

#include <functional>

namespace veld23::link {

// The selected link (`LinkKind`, `UsbLinkActive`) and the operations that
// bring a link up or take it down. The connect dialog calls them; the
// transfers call SelectOffline when the processor stops answering.
class LinkController : private UsbErrorSink {
  public:
    LinkController(CommPort& comm, D2xx& usbDevice, LinkUi& ui);

    LinkKind Kind() const { return kind_; }
    bool UsbLinkActive() const { return usbLinkActive_; }

    // COM 1 or COM 2 (pnCOM1 / pnCOM2). True when the port opened and the
    // caller goes on with the link check; false after "COM Port already in use".
    bool SelectCom(ComPortNumber port);
    // Passes through Offline first; true when the converter was found and set
    // up (the device is closed again afterwards).
    bool SelectUsb();
    void SelectOffline();

    // Enabling has an effect only while a link is selected.
    void SetDeviceCommandsEnabled(bool enabled);
    // Called whenever the link goes Offline (Real Time mode ends there).
    void SetOfflineListener(std::function<void()> listener) {
        offlineListener_ = std::move(listener);
    }

    CommPort& Comm() { return comm_; }
    UsbPort& Usb() { return usb_; }
    LinkUi& Ui() { return ui_; }

    void UsbReportError(const std::string& prefix, FtStatus status) override;

  private:
    void WentOffline();

    CommPort& comm_;
    LinkUi& ui_;
    UsbPort usb_;
    LinkKind kind_ = LinkKind::Offline;
    bool usbLinkActive_ = false;
    std::function<void()> offlineListener_;
};

} // namespace veld23::link
