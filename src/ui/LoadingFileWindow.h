#pragma once

#include <QWidget>

namespace veld23 {

// The "INFO" window with "Loading File...", up while a configuration file is read.
class LoadingFileWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr const char* kTitle = "INFO";
    static constexpr const char* kText = "Loading File...";

    explicit LoadingFileWindow(QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace veld23
