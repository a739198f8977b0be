#include "link/serial/TCommPortDriver.h"

#include <QMetaObject>

#include <algorithm>
#include <chrono>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace veld23::link {

namespace {

QSerialPort::DataBits ToQt(ComPortDataBits bits) {
    return static_cast<QSerialPort::DataBits>(5 + static_cast<int>(bits));
}

QSerialPort::Parity ToQt(ComPortParity parity) {
    switch (parity) {
    case ComPortParity::ptODD:
        return QSerialPort::OddParity;
    case ComPortParity::ptEVEN:
        return QSerialPort::EvenParity;
    case ComPortParity::ptMARK:
        return QSerialPort::MarkParity;
    case ComPortParity::ptSPACE:
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits ToQt(ComPortStopBits bits) {
    switch (bits) {
    case ComPortStopBits::sb1HALFBITS:
        return QSerialPort::OneAndHalfStop;
    case ComPortStopBits::sb2BITS:
        return QSerialPort::TwoStop;
    default:
        return QSerialPort::OneStop;
    }
}

// Bytes the operating system still holds for sending.
qint64 SystemOutputQueue([[maybe_unused]] const QSerialPort& port) {
#if defined(Q_OS_UNIX) && defined(TIOCOUTQ)
    int queued = 0;
    if (::ioctl(port.handle(), TIOCOUTQ, &queued) == 0 && queued > 0) {
        return queued;
    }
#endif
    return 0;
}

#ifdef Q_OS_UNIX
PortOpenError FromErrno(int error) {
    using Kind = PortOpenError::Kind;
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return {Kind::NotFound, std::strerror(error)};
    case EACCES:
    case EPERM:
        return {Kind::PermissionDenied, std::strerror(error)};
    case EBUSY:
        return {Kind::InUse, std::strerror(error)};
    case EISDIR:
    case ENOTTY:
        return {Kind::NotSerial, "Not a serial port"};
    default:
        return {Kind::Other, std::strerror(error)};
    }
}
#endif

// Why QSerialPort could not open the device. Its error codes lump together a busy
// port and a forbidden one, so on Unix the device is asked directly: the answer
// of a plain open tells them apart (a port another program has locked opens, and
// is a terminal).
PortOpenError DescribeOpenFailure(const std::string& path,
                                  [[maybe_unused]] const QSerialPort& port) {
#ifdef Q_OS_UNIX
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return FromErrno(errno);
    }
    const bool terminal = ::isatty(fd) != 0;
    ::close(fd);
    if (!terminal) {
        return FromErrno(ENOTTY);
    }
    return {PortOpenError::Kind::InUse, "in use by another program"};
#else
    using Kind = PortOpenError::Kind;
    const std::string reason = port.errorString().toStdString();
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return {Kind::NotFound, reason};
    case QSerialPort::PermissionError:
        return {Kind::InUse, reason};
    default:
        return {Kind::Other, reason};
    }
#endif
}

} // namespace

TCommPortDriver::TCommPortDriver() {
    scratch_.assign(inBufSize_, 0);
    for (int i = 0; i < 4; ++i) {
        portPaths_[i] = DefaultPortPath(static_cast<ComPortNumber>(i));
    }
    pollTimer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&pollTimer_, &QTimer::timeout, &port_, [this] { PollReceive(); });
    QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { PollReceive(); });
}

TCommPortDriver::~TCommPortDriver() {
    ClosePort();
}

void TCommPortDriver::UseComm1Values() {
    SetComPort(ComPortNumber::pnCOM1);
    SetComPortSpeed(ComPortSpeed::br19200);
    SetComPortInBufSize(128);
    SetEnableDTROnOpen(false);
    SetOutputTimeout(1000);
}

std::string TCommPortDriver::PortPath(ComPortNumber port) const {
    return portPaths_.at(static_cast<std::size_t>(port));
}

void TCommPortDriver::SetPortPath(ComPortNumber port, std::string path) {
    portPaths_.at(static_cast<std::size_t>(port)) = std::move(path);
}

bool TCommPortDriver::IsOpen() const {
    return port_.isOpen();
}

bool TCommPortDriver::OpenPort() {
    if (IsOpen()) {
        return true;
    }
    lastOpenError_ = {};
    const std::string path = PortPath(comPort_);
    port_.setPortName(QString::fromStdString(path));
    if (!port_.open(QIODevice::ReadWrite)) {
        lastOpenError_ = DescribeOpenFailure(path, port_);
        return false;
    }
#ifdef Q_OS_UNIX
    if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0) {
        lastOpenError_ = {PortOpenError::Kind::InUse, std::strerror(errno)};
        port_.close();
        return false;
    }
#endif
    ApplyLineSettings();
    pollTimer_.start(pollingDelay_);
    return true;
}

void TCommPortDriver::ClosePort() {
    if (!IsOpen()) {
        return;
    }
    pollTimer_.stop();
    port_.close();
}

void TCommPortDriver::ApplyLineSettings() {
    if (!IsOpen()) {
        return;
    }
    port_.setBaudRate(static_cast<qint32>(BaudRateOf(speed_)));
    port_.setDataBits(ToQt(dataBits_));
    port_.setParity(ToQt(parity_));
    // One and a half stop bits exist on Windows only; elsewhere the setting stays.
    port_.setStopBits(ToQt(stopBits_));
    if (hwHandshaking_ == ComPortHwHandshaking::hhRTSCTS) {
        port_.setFlowControl(QSerialPort::HardwareControl);
    } else if (swHandshaking_ == ComPortSwHandshaking::shXONXOFF) {
        port_.setFlowControl(QSerialPort::SoftwareControl);
    } else {
        port_.setFlowControl(QSerialPort::NoFlowControl);
    }
    // A pseudo terminal has no DTR line; that is no reason to refuse it.
    port_.setDataTerminalReady(enableDtrOnOpen_);
    port_.clearError();
    PurgeBuffers(true, true);
}

void TCommPortDriver::PurgeBuffers(bool input, bool output) {
    if (!IsOpen() || (!input && !output)) {
        return;
    }
    const QSerialPort::Directions directions =
        input && output ? QSerialPort::AllDirections
                        : (input ? QSerialPort::Input : QSerialPort::Output);
    port_.clear(directions);
}

std::uint16_t TCommPortDriver::OutputFreeSpace() const {
    if (!IsOpen()) {
        return 65535;
    }
    const qint64 waiting = port_.bytesToWrite() + SystemOutputQueue(port_);
    return static_cast<std::uint16_t>(outBufSize_ - std::min<qint64>(waiting, outBufSize_));
}

int TCommPortDriver::SendBlock(std::span<const std::uint8_t> data) {
    if (!IsOpen()) {
        return 0;
    }
    using Clock = std::chrono::steady_clock;
    auto lastProgress = Clock::now();
    std::size_t total = 0;
    while (total < data.size()) {
        const std::uint16_t space = OutputFreeSpace();
        if (space > 0) {
            const std::size_t count = std::min<std::size_t>(space, data.size() - total);
            const qint64 written = port_.write(reinterpret_cast<const char*>(data.data() + total),
                                               static_cast<qint64>(count));
            if (written < 0) {
                return -static_cast<int>(total);
            }
            // Hand the bytes to the system now rather than at the next event.
            port_.flush();
            total += static_cast<std::size_t>(written);
            lastProgress = Clock::now();
            continue;
        }
        if (Clock::now() - lastProgress > std::chrono::milliseconds(outputTimeout_)) {
            return -static_cast<int>(total);
        }
        port_.waitForBytesWritten(10);
    }
    return static_cast<int>(total);
}

void TCommPortDriver::SchedulePoll() {
    if (pollScheduled_) {
        return;
    }
    pollScheduled_ = true;
    QMetaObject::invokeMethod(
        &port_,
        [this] {
            pollScheduled_ = false;
            PollReceive();
        },
        Qt::QueuedConnection);
}

void TCommPortDriver::PollReceive() {
    if (!IsOpen()) {
        return;
    }
    if (delivering_) {
        SchedulePoll();
        return;
    }
    const qint64 count =
        port_.read(reinterpret_cast<char*>(scratch_.data()), static_cast<qint64>(scratch_.size()));
    if (count > 0 && onReceiveData_) {
        delivering_ = true;
        onReceiveData_(
            std::span<const std::uint8_t>(scratch_).first(static_cast<std::size_t>(count)));
        delivering_ = false;
    }
    // One event per pass of the event loop: the rest comes in the next one.
    if (IsOpen() && port_.bytesAvailable() > 0) {
        SchedulePoll();
    }
}

void TCommPortDriver::SetComPort(ComPortNumber port) {
    if (!IsOpen()) {
        comPort_ = port;
    }
}

void TCommPortDriver::SetComPortInBufSize(std::uint16_t bytes) {
    if (IsOpen() || bytes == 0) {
        return;
    }
    inBufSize_ = bytes;
    scratch_.assign(bytes, 0);
}

void TCommPortDriver::SetComPortPollingDelay(std::uint16_t ms) {
    pollingDelay_ = ms;
    if (IsOpen()) {
        pollTimer_.start(pollingDelay_);
    }
}

void TCommPortDriver::SetComPortSpeed(ComPortSpeed speed) {
    speed_ = speed;
    ApplyLineSettings();
}

void TCommPortDriver::SetComPortDataBits(ComPortDataBits bits) {
    dataBits_ = bits;
    ApplyLineSettings();
}

void TCommPortDriver::SetComPortStopBits(ComPortStopBits bits) {
    stopBits_ = bits;
    ApplyLineSettings();
}

void TCommPortDriver::SetComPortParity(ComPortParity parity) {
    parity_ = parity;
    ApplyLineSettings();
}

void TCommPortDriver::SetComPortHwHandshaking(ComPortHwHandshaking handshaking) {
    hwHandshaking_ = handshaking;
    ApplyLineSettings();
}

void TCommPortDriver::SetComPortSwHandshaking(ComPortSwHandshaking handshaking) {
    swHandshaking_ = handshaking;
    ApplyLineSettings();
}

} // namespace veld23::link
