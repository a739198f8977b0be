#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace veld23 {

// The plot's texts (title, marks, caption) as Qt strings, converted once and reused: a
// plot repaints on every drag step and its few texts rarely change, so converting them on
// each paint would allocate for nothing. A handful of slots, reused in turn.
class PlotTextCache {
  public:
    static constexpr std::size_t kSlots = 12;

    const QString& Get(std::string_view bytes);

  private:
    struct Slot {
        std::string bytes;
        QString text;
        bool used = false;
    };
    std::array<Slot, kSlots> slots_{};
    std::size_t next_ = 0;
};

} // namespace veld23
