#include "link/UsbPort.h"

#include "link/LinkTexts.h"

#include <algorithm>

namespace veld23::link {

UsbPort::UsbPort(D2xx& device, UsbErrorSink& errors)
    : device_(device), errors_(errors), writeBuffer_(kBufferSize), readBuffer_(kBufferSize) {}

FtStatus UsbPort::Checked(FtStatus status, const char* prefix) {
    if (status != ft::kOk) {
        errors_.UsbReportError(prefix, status);
    }
    return status;
}

FtStatus UsbPort::UsbOpen() {
    const FtStatus status = device_.Open(0);
    if (status == ft::kOk) {
        open_ = true;
    }
    return Checked(status, texts::kUsbOpenPrefix);
}

FtStatus UsbPort::UsbClose() {
    if (!open_) {
        return ft::kOk;
    }
    open_ = false;
    return Checked(device_.Close(), texts::kUsbClosePrefix);
}

FtStatus UsbPort::SetRts() {
    return Checked(device_.SetRts(), texts::kUsbRtsPrefix);
}

FtStatus UsbPort::SetDtr() {
    return Checked(device_.SetDtr(), texts::kUsbDtrPrefix);
}

FtStatus UsbPort::SetBaudRate() {
    return Checked(device_.SetBaudRate(kBaudRate), texts::kUsbBaudPrefix);
}

FtStatus UsbPort::SetDataCharacteristics() {
    return Checked(device_.SetDataCharacteristics(8, 0, 0), texts::kUsbDataPrefix);
}

FtStatus UsbPort::SetFlowControl() {
    return Checked(device_.SetFlowControl(0, 0x11, 0x13), texts::kUsbFlowPrefix);
}

FtStatus UsbPort::SetChars() {
    return Checked(device_.SetChars(0x00, 0, 0x00, 0), texts::kUsbCharsPrefix);
}

FtStatus UsbPort::UsbSetTimeouts(std::uint32_t readMs, std::uint32_t writeMs) {
    return Checked(device_.SetTimeouts(readMs, writeMs), texts::kUsbTimeoutsPrefix);
}

FtStatus UsbPort::UsbPurgeInput() {
    return Checked(device_.Purge(ft::kPurgeRx), texts::kUsbPurgePrefix);
}

std::uint32_t UsbPort::AttachedConverters() {
    std::uint32_t count = 0;
    return device_.CreateDeviceInfoList(count) == ft::kOk ? count : 0;
}

std::uint32_t UsbPort::UsbWrite(std::uint32_t count) {
    count = std::min<std::uint32_t>(count, kBufferSize);
    std::uint32_t written = 0;
    lastStatus_ = device_.Write(std::span(writeBuffer_).first(count), written);
    Checked(lastStatus_, texts::kUsbWritePrefix);
    return written;
}

std::uint32_t UsbPort::UsbRead(std::uint32_t count) {
    count = std::min<std::uint32_t>(count, kBufferSize);
    std::uint32_t received = 0;
    lastStatus_ = device_.Read(std::span(readBuffer_).first(count), received);
    Checked(lastStatus_, texts::kUsbReadPrefix);
    return std::min(received, count);
}

} // namespace veld23::link
