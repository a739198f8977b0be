#include "link/usb/FtdiD2xx.h"

#include <ftdi.h>

#include <chrono>
#include <thread>

namespace veld23::link {

namespace {

// libftdi1 returns a negative number per failure; past the open, every one of
// them is a failed USB transfer or control request.
FtStatus Status(int result) {
    return result < 0 ? ft::kIoError : ft::kOk;
}

} // namespace

FtdiD2xx::~FtdiD2xx() {
    Close();
}

FtStatus FtdiD2xx::Open(std::uint32_t deviceIndex) {
    if (context_ != nullptr) {
        return ft::kDeviceNotOpened;
    }
    // Without a USB subsystem to ask (libusb cannot start) no converter can be there.
    ftdi_context* context = ftdi_new();
    if (context == nullptr) {
        return ft::kDeviceNotFound;
    }
    ftdi_device_list* devices = nullptr;
    const int found = ftdi_usb_find_all(context, &devices, 0, 0);
    if (found < 0) {
        ftdi_free(context);
        return ft::kIoError;
    }
    ftdi_device_list* device = devices;
    for (std::uint32_t i = 0; device != nullptr && i < deviceIndex; ++i) {
        device = device->next;
    }
    if (device == nullptr) {
        ftdi_list_free(&devices);
        ftdi_free(context);
        return ft::kDeviceNotFound;
    }
    const int opened = ftdi_usb_open_dev(context, device->dev);
    ftdi_list_free(&devices);
    if (opened < 0) {
        ftdi_free(context);
        return ft::kDeviceNotOpened;
    }
    context_ = context;
    return ft::kOk;
}

FtStatus FtdiD2xx::Close() {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    const int result = ftdi_usb_close(context_);
    ftdi_free(context_);
    context_ = nullptr;
    return Status(result);
}

FtStatus FtdiD2xx::Read(std::span<std::uint8_t> buffer, std::uint32_t& received) {
    received = 0;
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    // libftdi1 returns what the converter holds; keep asking until all of it
    // came or the read time-out has passed, as a D2XX read does.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs_);
    while (received < buffer.size()) {
        const int result = ftdi_read_data(context_, buffer.data() + received,
                                          static_cast<int>(buffer.size() - received));
        if (result < 0) {
            return ft::kIoError;
        }
        received += static_cast<std::uint32_t>(result);
        if (received < buffer.size()) {
            if (std::chrono::steady_clock::now() >= deadline) {
                break;
            }
            if (result == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }
    return ft::kOk;
}

FtStatus FtdiD2xx::Write(std::span<const std::uint8_t> data, std::uint32_t& written) {
    written = 0;
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    const int result = ftdi_write_data(context_, data.data(), static_cast<int>(data.size()));
    if (result < 0) {
        return ft::kIoError;
    }
    written = static_cast<std::uint32_t>(result);
    return ft::kOk;
}

FtStatus FtdiD2xx::SetBaudRate(std::uint32_t baud) {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    const int result = ftdi_set_baudrate(context_, static_cast<int>(baud));
    return result == -1 ? ft::kInvalidBaudRate : Status(result);
}

FtStatus FtdiD2xx::SetDataCharacteristics(std::uint8_t wordLength, std::uint8_t stopBits,
                                          std::uint8_t parity) {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    if ((wordLength != 7 && wordLength != 8) || stopBits > 2 || parity > 4) {
        return ft::kInvalidParameter;
    }
    return Status(ftdi_set_line_property(context_, static_cast<ftdi_bits_type>(wordLength),
                                         static_cast<ftdi_stopbits_type>(stopBits),
                                         static_cast<ftdi_parity_type>(parity)));
}

FtStatus FtdiD2xx::SetFlowControl(std::uint16_t flowControl, std::uint8_t xon, std::uint8_t xoff) {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    switch (flowControl) {
    case 0x0000:
        return Status(ftdi_setflowctrl(context_, SIO_DISABLE_FLOW_CTRL));
    case 0x0100:
        return Status(ftdi_setflowctrl(context_, SIO_RTS_CTS_HS));
    case 0x0200:
        return Status(ftdi_setflowctrl(context_, SIO_DTR_DSR_HS));
    case 0x0400:
        return Status(ftdi_setflowctrl_xonxoff(context_, xon, xoff));
    default:
        return ft::kInvalidParameter;
    }
}

FtStatus FtdiD2xx::SetDtr() {
    return context_ == nullptr ? ft::kInvalidHandle : Status(ftdi_setdtr(context_, 1));
}

FtStatus FtdiD2xx::SetRts() {
    return context_ == nullptr ? ft::kInvalidHandle : Status(ftdi_setrts(context_, 1));
}

FtStatus FtdiD2xx::SetChars(std::uint8_t eventChar, std::uint8_t eventEnabled,
                            std::uint8_t errorChar, std::uint8_t errorEnabled) {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    const FtStatus event = Status(ftdi_set_event_char(context_, eventChar, eventEnabled));
    if (event != ft::kOk) {
        return event;
    }
    return Status(ftdi_set_error_char(context_, errorChar, errorEnabled));
}

FtStatus FtdiD2xx::SetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    readTimeoutMs_ = readMs;
    context_->usb_read_timeout = static_cast<int>(readMs);
    context_->usb_write_timeout = static_cast<int>(writeMs);
    return ft::kOk;
}

FtStatus FtdiD2xx::Purge(std::uint32_t mask) {
    if (context_ == nullptr) {
        return ft::kInvalidHandle;
    }
    if ((mask & ft::kPurgeRx) != 0 && ftdi_tciflush(context_) < 0) {
        return ft::kIoError;
    }
    if ((mask & ft::kPurgeTx) != 0 && ftdi_tcoflush(context_) < 0) {
        return ft::kIoError;
    }
    return ft::kOk;
}

FtStatus FtdiD2xx::CreateDeviceInfoList(std::uint32_t& count) {
    count = 0;
    ftdi_context* context = ftdi_new();
    if (context == nullptr) {
        return ft::kOk; // no USB subsystem to ask: nothing attached
    }
    ftdi_device_list* devices = nullptr;
    const int found = ftdi_usb_find_all(context, &devices, 0, 0);
    if (found > 0) {
        count = static_cast<std::uint32_t>(found);
    }
    ftdi_list_free(&devices);
    ftdi_free(context);
    return found < 0 ? ft::kIoError : ft::kOk;
}

} // namespace veld23::link
