#pragma once

#include <QWidget>

#include <vector>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QRadioButton;

namespace veld23 {

// The MODIFY and SHOW rows of a response editor: one radio button per channel chooses the
// channel being edited, one check box per channel shows or hides its curve. Both carry the
// channel labels of the main window. Channels are numbered from 1.
class ChannelSelectors : public QWidget {
    Q_OBJECT

  public:
    // `what` names the block in the tooltips ("equaliser", "crossover").
    ChannelSelectors(int channels, const QString& what, QWidget* parent = nullptr);

    struct Channel {
        QString label;
        bool offered = true;
        bool shown = true;
    };
    // Refills one channel; signals are not emitted.
    void ShowChannel(int channel, const Channel& state);
    void ShowCurrent(int channel);

    QRadioButton* ModifyButton(int channel) const;
    QCheckBox* ShowBox(int channel) const;

  Q_SIGNALS:
    void ModifyChosen(int channel);
    void ShowToggled(int channel);

  private:
    QString what_;
    QButtonGroup* modify_ = nullptr;
    std::vector<QRadioButton*> modifyButtons_;
    std::vector<QCheckBox*> showBoxes_;
};

} // namespace veld23
