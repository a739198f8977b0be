#pragma once

#include "link/LinkTypes.h"

#include <string>

namespace veld23::link {

// What the link tells the user and the windows around it. Texts are UTF-8.
class LinkUi {
  public:
    virtual ~LinkUi() = default;

    virtual void Beep() = 0;
    // Error box with a single OK button.
    virtual void ShowError(const std::string& text) = 0;
    // Information box with a single Yes button.
    virtual void ShowInformation(const std::string& text) = 0;
    // Plain message box.
    virtual void ShowMessage(const std::string& text) = 0;

    virtual void ShowMainWindow() = 0;
    // The selected link or what is known of its processor changed: the lamps, the
    // status line and the device commands follow from the two.
    virtual void LinkChanged(LinkKind kind, LinkCondition condition) = 0;
    // The main window's memory number selector.
    virtual int ShownMemoryNumber() const = 0;
    virtual void SetMemorySelector(int memory) = 0;
};

// The transfer progress window: status line, gauge and port line.
class TransferView {
  public:
    virtual ~TransferView() = default;

    virtual void ShowProgress() = 0;
    virtual void CloseProgress() = 0;
    virtual void SetInfo(const std::string& text) = 0;
    virtual void SetPortLabel(const std::string& text) = 0;
    virtual void SetGaugeMax(int maximum) = 0;
    virtual void SetGaugePosition(int position) = 0;
    // The transfer failed and the window, if it is still up, keeps its failure text:
    // from now on the user may dismiss it.
    virtual void TransferFailed() = 0;
};

} // namespace veld23::link
