// The connect dialog: the port behind each selector, the link check, and the one
// state its lamps, the status line and the device commands are read from.
#include "CommandsTestBench.h"

#include "commands/CommandTexts.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace veld23 {
namespace {

using link::ComPortNumber;
using link::LinkIndicator;
using link::LinkKind;
using testing::CommandsBench;
namespace texts = commands::texts;

// Everything the windows show of the link at once: the lit lamps, the status line and
// whether the device commands are offered.
std::string ShownOf(const CommandsBench& t) {
    std::string shown;
    const std::pair<LinkIndicator, const char*> lamps[] = {{LinkIndicator::Offline, "Offline"},
                                                           {LinkIndicator::Com1, "COM1"},
                                                           {LinkIndicator::Com2, "COM2"},
                                                           {LinkIndicator::Usb, "USB"}};
    for (const auto& [lamp, name] : lamps) {
        shown += t.connect.Lit(lamp) ? std::string(name) + " lit; " : "";
    }
    return shown + t.device.Presentation().StatusLine() +
           (t.device.CommandsAvailable() ? "; commands" : "");
}

const std::string kOffline = std::string("Offline lit; ") + texts::kStatusOffline;

// Each link as the dialog shows it after one choice, and what the user was told. A port
// that will not open keeps the dialog open.
TEST(ConnectDialog, EachChoiceIsCheckedAndShownAsItsAnswerSays) {
    using link::SimStep;
    const std::optional<SimStep> none;
    const struct {
        LinkIndicator selector;
        std::optional<SimStep> silentAt;
        std::optional<SimStep> wrongAt;
        bool portTaken;
        std::string shown;
        std::string told;
    } rows[] = {
        {LinkIndicator::Com1, none, none, false, "COM1 lit; Status : Connected at COM1; commands",
         ""},
        {LinkIndicator::Com2, none, none, true, kOffline,
         "error:COM Port already in use. Select another."},
        {LinkIndicator::Com1, none, SimStep::Command, false,
         "COM1 lit; Status : COM1 answered wrongly", ""},
        {LinkIndicator::Com2, SimStep::Start, none, false, kOffline,
         "error:Comunication ERROR. Please verify that the COM port selected is correct"},
        {LinkIndicator::Usb, none, none, false, "USB lit; Status : USB; commands", ""},
        {LinkIndicator::Usb, none, SimStep::Start, false, kOffline, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << &row - rows);
        CommandsBench t;
        t.processor.Faults().silentAt = row.silentAt;
        t.processor.Faults().wrongAt = row.wrongAt;
        t.port.SetUnavailable(ComPortNumber::pnCOM2, row.portTaken);
        EXPECT_EQ(t.connect.Choose(row.selector), !row.portTaken);
        EXPECT_EQ(t.connect.Shown(), row.portTaken);
        EXPECT_EQ(ShownOf(t), row.shown);
        EXPECT_TRUE(row.told.empty() || t.dialogs.Has(row.told)) << row.told;
        EXPECT_FALSE(t.usb.IsOpen());
    }
}

TEST(ConnectDialog, ChoosingAgainChecksTheLinkAgainAndEndsRealTimeMode) {
    CommandsBench t;
    int closed = 0;
    t.connect.SetCloseListener([&] { ++closed; });
    t.ports.Choose(ComPortNumber::pnCOM1, " /dev/ttyUSB0 ");
    t.processor.Faults().wrongAt = link::SimStep::Command;
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com1));
    EXPECT_EQ(t.port.OpenedPath(), "/dev/ttyUSB0");
    EXPECT_EQ(closed, 1);

    t.processor.Faults() = {};
    t.connect.Show();
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com1));
    EXPECT_EQ(t.processor.Completed().back().command, 0);
    EXPECT_EQ(ShownOf(t), "COM1 lit; Status : Connected at COM1; commands");

    t.device.RealTime().SwitchOn();
    t.connect.Show();
    EXPECT_TRUE(t.connect.Choose(LinkIndicator::Com2));
    EXPECT_FALSE(t.device.RealTime().RealTimeMode());
    EXPECT_EQ(t.port.OpenedPath(), "/dev/ttyS1");
    EXPECT_EQ(t.device.Link().Kind(), LinkKind::Com2);
    EXPECT_EQ(closed, 3);
}

// The system's port list and the one setting the program keeps.
struct FakePortServices : link::SerialPortCatalog, link::PortSettings {
    std::vector<link::SerialPortEntry> ports;
    std::map<ComPortNumber, std::string> stored;
    std::vector<link::SerialPortEntry> AvailablePorts() const override { return ports; }
    std::optional<std::string> StoredPortPath(ComPortNumber port) const override {
        const auto found = stored.find(port);
        return found == stored.end() ? std::nullopt : std::optional(found->second);
    }
    void StorePortPath(ComPortNumber port, const std::string& path) override {
        stored[port] = path;
    }
};

TEST(PortChoice, TheCommandLineWinsThenWhatWasChosenLastThenTheSystemsPort) {
    CommandsBench t;
    FakePortServices services;
    services.ports = {{"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K3XYZ"},
                      {"/dev/ttyS0", "", "", ""}};
    services.stored[ComPortNumber::pnCOM2] = "/dev/ttyACM0";
    commands::PortChoice choice(t.device.Link().Usb(), &services, &services);
    choice.Restore({{ComPortNumber::pnCOM1, "/dev/pts/7"}});
    EXPECT_EQ(choice.Path(ComPortNumber::pnCOM1), "/dev/pts/7");
    EXPECT_EQ(choice.Path(ComPortNumber::pnCOM2), "/dev/ttyACM0");
    EXPECT_TRUE(services.stored.count(ComPortNumber::pnCOM1) == 0); // given, not chosen

    choice.Choose(ComPortNumber::pnCOM1, "/dev/ttyUSB0");
    choice.Choose(ComPortNumber::pnCOM2, "   "); // nothing typed: kept
    EXPECT_EQ(services.stored[ComPortNumber::pnCOM1], "/dev/ttyUSB0");
    EXPECT_EQ(choice.Path(ComPortNumber::pnCOM2), "/dev/ttyACM0");
    commands::PortChoice nextRun(t.device.Link().Usb(), &services, &services);
    nextRun.Restore({});
    EXPECT_EQ(nextRun.Path(ComPortNumber::pnCOM1), "/dev/ttyUSB0");
    commands::PortChoice nothingKept(t.device.Link().Usb(), nullptr, nullptr);
    nothingKept.Restore({});
    EXPECT_EQ(nothingKept.Path(ComPortNumber::pnCOM2), "/dev/ttyS1");

    choice.Refresh();
    ASSERT_EQ(choice.Ports().size(), 2u);
    EXPECT_EQ(commands::PortChoice::EntryText(choice.Ports()[0]),
              "/dev/ttyUSB0  -  FT232R USB UART, FTDI, A10K3XYZ");
    EXPECT_EQ(commands::PortChoice::EntryText(choice.Ports()[1]), "/dev/ttyS0");
}

} // namespace
} // namespace veld23
