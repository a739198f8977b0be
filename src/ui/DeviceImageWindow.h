#pragma once

#include "device/DeviceImage.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <span>

class QLabel;
class QPlainTextEdit;

namespace veld23 {

// The device image that Write would send for the configuration as it is now, shown as hex:
// sixteen bytes a line, each line led by the decimal offset of its first byte (the way the
// image's layout is written down) and followed by the bytes that are printable.
class DeviceImageWindow : public QWidget {
    Q_OBJECT

  public:
    // Builds the image of the current configuration.
    using ImageSource = std::function<DeviceImage()>;
    static constexpr int kBytesPerLine = 16;

    explicit DeviceImageWindow(ImageSource source, QWidget* parent = nullptr);

    // Builds the image again and shows it; done on every showing.
    void Refresh();
    QString Text() const;

    static QString HexDump(std::span<const std::uint8_t> bytes);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    ImageSource source_;
    QLabel* summary_;
    QPlainTextEdit* dump_;
};

} // namespace veld23
