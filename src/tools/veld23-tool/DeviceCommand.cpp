// veld23-tool device (--port PATH | --usb) COMMAND: the processor commands
// without the editor, over any serial device (a pseudo terminal of veld23-sim
// included) or the first FTDI USB converter.
#include "CommandArguments.h"
#include "CommandRegistry.h"
#include "ConfigurationSession.h"

#include "device/DeviceImage.h"
#include "link/LinkController.h"
#include "link/LinkTexts.h"
#include "link/Protocol.h"
#include "link/TransferEngine.h"
#include "link/serial/QtEventLoopWaiter.h"
#include "link/serial/TCommPortDriver.h"
#include "link/usb/FtdiD2xx.h"

#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <optional>

namespace veld23::tool {

namespace {

using namespace veld23::link;

// The user interface of a command line: messages and progress are kept, and
// the last failure is told on stderr at the end.
class CommandLineLinkUi : public LinkUi, public TransferView {
  public:
    int memory = 1;
    std::string lastText;

    void Beep() override {}
    void ShowError(const std::string& text) override { lastText = text; }
    void ShowInformation(const std::string& text) override { lastText = text; }
    void ShowMessage(const std::string&) override {}
    void ShowMainWindow() override {}
    void LinkChanged(LinkKind, LinkCondition) override {}
    int ShownMemoryNumber() const override { return memory; }
    void SetMemorySelector(int selected) override { memory = selected; }
    void ShowProgress() override {}
    void CloseProgress() override {}
    void SetInfo(const std::string& text) override { lastText = text; }
    void SetPortLabel(const std::string&) override {}
    void SetGaugeMax(int) override {}
    void SetGaugePosition(int) override {}
    void TransferFailed() override {}
};

struct DeviceRequest {
    std::optional<std::string> port; // else the USB converter
    std::string command;
    int memory = 0;
    std::array<std::uint8_t, 7> password{};
    std::string path; // the configuration written, or the file a read memory goes to
    bool verify = true;
};

// KEYS: six of L (LEFT, code 2), R (RIGHT, 1) and P (PUSH, 3).
bool ParsePassword(const std::string& keys, std::array<std::uint8_t, 7>& record) {
    if (keys.size() != 6) {
        return false;
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        switch (keys[i]) {
        case 'L':
        case 'l':
            record[i] = 2;
            break;
        case 'R':
        case 'r':
            record[i] = 1;
            break;
        case 'P':
        case 'p':
            record[i] = 3;
            break;
        default:
            return false;
        }
    }
    return true;
}

// Results of a request: 0 done, 1 the transfer failed (the last text the link showed
// says why), or:
constexpr int kToldAlready = 2; // failed, and the reason is on stderr already

int ExitCode(const Result<>& transfer) {
    return transfer ? 0 : 1;
}

// Write: the configuration's image into the memory (command 3), read back and
// compared unless --no-verify, then made the running memory (command 7), as the
// editor's Write does. Says what it did on stdout.
int WriteConfiguration(const DeviceRequest& request, ConfigurationSession& session,
                       TransferEngine& engine) {
    const DeviceImage image = BuildDeviceImage(session.Configuration());
    const WriteOutcome written =
        engine.WriteMemory(static_cast<std::uint8_t>(request.memory), image, request.verify);
    if (!written.Succeeded()) {
        return 1;
    }
    std::printf("%s\n", texts::MemoryWritten(request.memory,
                                             written.result == WriteOutcome::Result::Verified)
                            .c_str());
    return 0;
}

// Read: the memory into a new configuration, as the editor's Read does, then saved.
int ReadConfiguration(const DeviceRequest& request, ConfigurationSession& session,
                      TransferEngine& engine) {
    bool applied = false;
    const std::string origin = "memory " + std::to_string(request.memory);
    engine.SetImageHandler(
        [&](std::span<const std::uint8_t> image) { applied = session.ApplyImage(image, origin); });
    if (!engine.ReceiveMemory(static_cast<std::uint8_t>(request.memory))) {
        return 1;
    }
    if (!applied || !session.Save(request.path)) {
        return kToldAlready;
    }
    return 0;
}

int RunRequest(const DeviceRequest& request, ConfigurationSession& session,
               TransferEngine& engine) {
    const std::string& c = request.command;
    if (c == "write") {
        return WriteConfiguration(request, session, engine);
    }
    if (c == "read") {
        return ReadConfiguration(request, session, engine);
    }
    if (c == "check") {
        return ExitCode(engine.RunCommand(protocol::kLinkCheck, 0, 0, true));
    }
    if (c == "change") {
        return ExitCode(engine.RunCommand(protocol::kLoadMemory,
                                          static_cast<std::uint8_t>(request.memory), 0, true));
    }
    if (c == "query") {
        const Result<> queried = engine.RunCommand(protocol::kQueryProgram, 0, 0, true);
        if (queried) {
            std::printf("%d\n", engine.CurrentProgram());
        }
        return ExitCode(queried);
    }
    if (c == "lock" || c == "unlock") {
        engine.TransmitBuffer()[0] = c == "lock" ? 0xFF : 0x00;
        return ExitCode(engine.RunCommand(protocol::kKeyboard, 0, 1, true));
    }
    std::copy(request.password.begin(), request.password.end(), engine.TransmitBuffer().begin());
    return ExitCode(engine.RunCommand(protocol::kPassword, 0, 7, true));
}

int RunDevice(const DeviceRequest& request) {
    int argc = 1;
    char name[] = "veld23-tool";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    // A configuration that cannot be loaded fails before the processor is addressed.
    ConfigurationSession session;
    if (request.command == "write" && !session.Load(request.path)) {
        return kExitFailed;
    }

    CommandLineLinkUi ui;
    ui.memory = request.memory == 0 ? 1 : request.memory;
    TCommPortDriver comm;
    comm.UseComm1Values();
    FtdiD2xx converter;
    LinkController link(comm, converter, ui);
    link.NamePortsByPath(true);
    QtEventLoopWaiter waiter;
    TransferEngine engine(link, waiter, ui);

    bool selected = false;
    if (request.port) {
        comm.SetPortPath(ComPortNumber::pnCOM1, *request.port);
        selected = link.SelectCom(ComPortNumber::pnCOM1);
    } else {
        selected = link.SelectUsb();
    }
    const int result = selected ? RunRequest(request, session, engine) : 1;
    comm.ClosePort();
    link.Usb().UsbClose();
    if (result == kToldAlready) {
        return kExitFailed;
    }
    if (result != 0) {
        PrintMessage(ui.lastText);
        return kExitFailed;
    }
    return kExitOk;
}

CLI::Validator PasswordKeys() {
    return CLI::Validator(
        [](std::string& keys) -> std::string {
            std::array<std::uint8_t, 7> record{};
            return ParsePassword(keys, record) ? "" : keys + " is not six of L, R and P";
        },
        "", "KEYS");
}

// The link option, then one request as a subcommand of its own.
CommandRun DefineDevice(CLI::App& command) {
    auto request = std::make_shared<DeviceRequest>();
    auto port = std::make_shared<std::string>();
    auto usb = std::make_shared<bool>(false);
    CLI::Option_group* link = command.add_option_group("Link", "one of");
    link->add_option("--port", *port, "a serial device, such as a veld23-sim terminal")
        ->type_name("PATH")
        ->check(NotEmpty());
    link->add_flag("--usb", *usb, "the first FTDI USB converter");
    link->require_option(1);
    command.require_subcommand(1);

    const auto add = [&command, request](const char* name, const char* summary) {
        CLI::App* sub = command.add_subcommand(name, summary);
        sub->parse_complete_callback([request, name] { request->command = name; });
        return sub;
    };
    add("check", "the link check");
    add("query", "print the running memory");
    AddMemory(*add("change", "make memory N the running one"), request->memory);
    add("lock", "lock the processor's keyboard");
    add("unlock", "unlock the processor's keyboard");
    CLI::App* password = add("password", "set the keyboard password");
    auto keys = std::make_shared<std::string>();
    auto active = std::make_shared<bool>(false);
    password->add_option("KEYS", *keys, "six of L (LEFT), R (RIGHT) and P (PUSH)")
        ->required()
        ->check(PasswordKeys());
    password->add_flag("--active", *active, "switch the password on");
    CLI::App* write = add("write", "write the configuration into memory N, read it back to "
                                   "compare, then make it the running one");
    AddMemory(*write, request->memory);
    write->add_option("CONFIG", request->path, "the configuration (.v23, .v13, .json or .bin)")
        ->required()
        ->check(NotEmpty());
    auto noVerify = std::make_shared<bool>(false);
    write->add_flag("--no-verify", *noVerify, "do not read the memory back");
    CLI::App* read = add("read", "read memory N into the file OUT");
    AddMemory(*read, request->memory);
    read->add_option("OUT", request->path, "the file to save (.v23, .v13, .json or .bin)")
        ->required()
        ->check(NotEmpty());

    return [request, port, usb, keys, active, noVerify] {
        request->verify = !*noVerify;
        if (!*usb) {
            request->port = *port;
        }
        if (request->command == "password") {
            ParsePassword(*keys, request->password);
            request->password[6] = *active ? 0xFF : 0x00;
        }
        return RunDevice(*request);
    };
}

const CommandRegistration registration(
    "device",
    "device (--port PATH | --usb) check|change N|query|lock|unlock|password KEYS [--active]|"
    "write N CONFIG [--no-verify]|read N OUT (CONFIG, OUT: .v23, .v13, .json or .bin)",
    "talks to a processor over a serial device or the first FTDI USB converter", DefineDevice);

} // namespace

} // namespace veld23::tool
