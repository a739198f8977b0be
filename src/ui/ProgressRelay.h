#pragma once

#include "link/LinkUi.h"

#include <functional>
#include <string>
#include <utility>

namespace veld23 {

// The transfer engine's progress window as the link sees it from the start: the
// link is made before the windows, the progress window among them. Showing and
// closing the window also tells the program, which greys out what may not run
// during a transfer.
class ProgressRelay final : public link::TransferView {
  public:
    void SetTarget(link::TransferView* target) { target_ = target; }
    void SetShownListener(std::function<void()> listener) { shown_ = std::move(listener); }

    void ShowProgress() override {
        if (target_ != nullptr) {
            target_->ShowProgress();
        }
        Tell();
    }
    void CloseProgress() override {
        if (target_ != nullptr) {
            target_->CloseProgress();
        }
        Tell();
    }
    void SetInfo(const std::string& text) override {
        if (target_ != nullptr) {
            target_->SetInfo(text);
        }
    }
    void SetPortLabel(const std::string& text) override {
        if (target_ != nullptr) {
            target_->SetPortLabel(text);
        }
    }
    void SetGaugeMax(int maximum) override {
        if (target_ != nullptr) {
            target_->SetGaugeMax(maximum);
        }
    }
    void SetGaugePosition(int position) override {
        if (target_ != nullptr) {
            target_->SetGaugePosition(position);
        }
    }
    void TransferFailed() override {
        if (target_ != nullptr) {
            target_->TransferFailed();
        }
    }

  private:
    void Tell() const {
        if (shown_) {
            shown_();
        }
    }

    link::TransferView* target_ = nullptr;
    std::function<void()> shown_;
};

} // namespace veld23
