#pragma once

#include "link/CommPort.h"
#include "link/LinkTypes.h"

#include <QSerialPort>
#include <QTimer>

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace veld23::link {

// The polled serial port driver on QSerialPort. Receptions are read in events
// of at most ComPortInBufSize bytes: at every polling tick and, so that an
// answer is seen at once, as soon as the port reports new bytes.
class TCommPortDriver : public CommPort {
  public:
    TCommPortDriver();
    ~TCommPortDriver() override;
    TCommPortDriver(const TCommPortDriver&) = delete;
    TCommPortDriver& operator=(const TCommPortDriver&) = delete;

    // The one instance the editor uses: COM1, 19200 bit/s, 128-byte input,
    // DTR not raised, 1000 ms output time-out.
    void UseComm1Values();

    // Opens the device behind ComPort() for this program alone: besides QSerialPort's
    // lock file and its TIOCEXCL (which the superuser passes), an flock on the
    // descriptor keeps out any second driver, whoever runs it.
    bool OpenPort() override;
    void ClosePort() override;
    bool IsOpen() const override;
    PortOpenError LastOpenError() const override { return lastOpenError_; }
    void PurgeInput() override { PurgeBuffers(true, false); }
    int SendBlock(std::span<const std::uint8_t> data) override;
    ComPortNumber ComPort() const override { return comPort_; }
    void SetComPort(ComPortNumber port) override;
    void SetOnReceiveData(ReceiveDataHandler handler) override {
        onReceiveData_ = std::move(handler);
    }

    void ApplyLineSettings();
    void PurgeBuffers(bool input, bool output);
    std::uint16_t OutputFreeSpace() const;
    void PollReceive();

    ComPortSpeed ComPortSpeedValue() const { return speed_; }
    void SetComPortSpeed(ComPortSpeed speed);
    ComPortDataBits ComPortDataBitsValue() const { return dataBits_; }
    void SetComPortDataBits(ComPortDataBits bits);
    ComPortStopBits ComPortStopBitsValue() const { return stopBits_; }
    void SetComPortStopBits(ComPortStopBits bits);
    ComPortParity ComPortParityValue() const { return parity_; }
    void SetComPortParity(ComPortParity parity);
    ComPortHwHandshaking ComPortHwHandshakingValue() const { return hwHandshaking_; }
    void SetComPortHwHandshaking(ComPortHwHandshaking handshaking);
    ComPortSwHandshaking ComPortSwHandshakingValue() const { return swHandshaking_; }
    void SetComPortSwHandshaking(ComPortSwHandshaking handshaking);
    std::uint16_t ComPortInBufSize() const { return inBufSize_; }
    void SetComPortInBufSize(std::uint16_t bytes);
    std::uint16_t ComPortOutBufSize() const { return outBufSize_; }
    void SetComPortOutBufSize(std::uint16_t bytes) { outBufSize_ = bytes; }
    std::uint16_t ComPortPollingDelay() const { return pollingDelay_; }
    void SetComPortPollingDelay(std::uint16_t ms);
    bool EnableDTROnOpen() const { return enableDtrOnOpen_; }
    void SetEnableDTROnOpen(bool enable) { enableDtrOnOpen_ = enable; }
    std::uint16_t OutputTimeout() const { return outputTimeout_; }
    void SetOutputTimeout(std::uint16_t ms) { outputTimeout_ = ms; }

    // The operating system's device for a port: DefaultPortPath unless another
    // device stands in for it.
    std::string PortPath(ComPortNumber port) const override;
    void SetPortPath(ComPortNumber port, std::string path) override;

  private:
    void SchedulePoll();

    QSerialPort port_;
    QTimer pollTimer_;
    std::vector<std::uint8_t> scratch_;
    std::array<std::string, 4> portPaths_;
    PortOpenError lastOpenError_;
    ReceiveDataHandler onReceiveData_;
    bool delivering_ = false;
    bool pollScheduled_ = false;

    ComPortNumber comPort_ = ComPortNumber::pnCOM2;
    ComPortSpeed speed_ = ComPortSpeed::br9600;
    ComPortDataBits dataBits_ = ComPortDataBits::db8BITS;
    ComPortStopBits stopBits_ = ComPortStopBits::sb1BITS;
    ComPortParity parity_ = ComPortParity::ptNONE;
    ComPortHwHandshaking hwHandshaking_ = ComPortHwHandshaking::hhNONE;
    ComPortSwHandshaking swHandshaking_ = ComPortSwHandshaking::shNONE;
    std::uint16_t inBufSize_ = 2048;
    std::uint16_t outBufSize_ = 2048;
    std::uint16_t pollingDelay_ = 50;
    bool enableDtrOnOpen_ = true;
    std::uint16_t outputTimeout_ = 4000;
};

} // namespace veld23::link
