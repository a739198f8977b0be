#pragma once

#include <string>

namespace veld23 {

// Where the import tells the user what went wrong. The window implements it with
// message boxes (one OK button); tests record the texts.
class MeasurementMessages {
  public:
    enum class Kind {
        Error, // error box: a file that cannot be read or whose data is unusable
        Plain, // plain box: a file that is not of the selected layout
    };

    virtual ~MeasurementMessages() = default;
    virtual void ShowMessage(Kind kind, const std::string& text) = 0;
};

} // namespace veld23
