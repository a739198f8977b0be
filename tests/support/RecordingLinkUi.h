#pragma once

#include "link/LinkUi.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace veld23::testing {

// Plays the connect dialog, the main window and the progress window for link
// tests: every call is kept in one ordered log ("error:...", "info:...").
class RecordingLinkUi : public link::LinkUi, public link::TransferView {
  public:
    std::vector<std::string> log;
    int shownMemory = 1;
    bool progressShown = false;
    std::string infoText;
    int selector = 0;
    int gaugeMax = 0;
    int gaugePosition = 0;
    // Runs inside ShowInformation, for checks on what the link does around it.
    std::function<void()> onInformation;

    void Beep() override { log.push_back("beep"); }
    void ShowError(const std::string& text) override { log.push_back("error:" + text); }
    void ShowInformation(const std::string& text) override {
        log.push_back("information:" + text);
        if (onInformation) {
            onInformation();
        }
    }
    void ShowMessage(const std::string& text) override { log.push_back("message:" + text); }
    void ShowMainWindow() override { log.push_back("main"); }
    void LinkChanged(link::LinkKind, link::LinkCondition) override {}
    int ShownMemoryNumber() const override { return shownMemory; }
    void SetMemorySelector(int memory) override {
        selector = memory;
        log.push_back("selector:" + std::to_string(memory));
    }

    void ShowProgress() override { progressShown = true; }
    void CloseProgress() override {
        progressShown = false;
        log.push_back("close");
    }
    void SetInfo(const std::string& text) override {
        infoText = text;
        log.push_back("info:" + text);
    }
    void SetPortLabel(const std::string& text) override { log.push_back("port:" + text); }
    void SetGaugeMax(int maximum) override { gaugeMax = maximum; }
    void SetGaugePosition(int position) override {
        gaugePosition = position;
        gaugePositions.push_back(position);
    }
    void TransferFailed() override { log.push_back("failed"); }
    std::vector<int> gaugePositions;

    bool Has(const std::string& entry) const {
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
};

} // namespace veld23::testing
