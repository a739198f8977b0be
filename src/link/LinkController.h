#pragma once

#include "link/CommPort.h"
#include "link/D2xx.h"
#include "link/LinkTypes.h"
#include "link/LinkUi.h"
#include "link/UsbPort.h"

#include <functional>
#include <string>
#include <utility>

namespace veld23::link {

// The selected link (`LinkKind`, `UsbLinkActive`), what is known of the processor
// behind it, and the operations that bring a link up or take it down. The connect
// dialog calls them; the transfers tell how the processor answered and call
// SelectOffline when it stops answering.
class LinkController : private UsbErrorSink {
  public:
    LinkController(CommPort& comm, D2xx& usbDevice, LinkUi& ui);

    LinkKind Kind() const { return kind_; }
    LinkCondition Condition() const { return condition_; }
    bool UsbLinkActive() const { return usbLinkActive_; }
    // A link is selected and its processor answered as it should: the device
    // commands may run.
    bool CommandsUsable() const { return link::CommandsUsable(kind_, condition_); }

    // COM 1 or COM 2 (pnCOM1 / pnCOM2). True when the port opened and the caller
    // goes on with the link check; false after the port's failure was told, with
    // the link Offline.
    bool SelectCom(ComPortNumber port);
    // Passes through Offline first; true when the converter was found and set
    // up (the device is closed again afterwards).
    bool SelectUsb();
    // The Offline selector: the main window comes up.
    void SelectOffline();

    // What a transfer learned of the processor. Nothing changes while Offline.
    void NoteAnswer(bool right);
    void NoteSilence();
    // A serial transfer could not reopen the selected port: told, and the link
    // goes Offline.
    void ReportReopenFailure();

    // Failure messages name a port by its path alone, for a program that was
    // given the path rather than a COM number.
    void NamePortsByPath(bool byPath) { namePortsByPath_ = byPath; }

    // Called whenever the link goes Offline (Real Time mode ends there).
    void SetOfflineListener(std::function<void()> listener) {
        offlineListener_ = std::move(listener);
    }

    CommPort& Comm() { return comm_; }
    UsbPort& Usb() { return usb_; }
    LinkUi& Ui() { return ui_; }

    void UsbReportError(const std::string& prefix, FtStatus status) override;

  private:
    void GoOffline();
    void SetState(LinkKind kind, LinkCondition condition);
    void ReportOpenFailure(ComPortNumber port);

    CommPort& comm_;
    LinkUi& ui_;
    UsbPort usb_;
    LinkKind kind_ = LinkKind::Offline;
    LinkCondition condition_ = LinkCondition::NotConnected;
    bool usbLinkActive_ = false;
    bool namePortsByPath_ = false;
    std::function<void()> offlineListener_;
};

} // namespace veld23::link
