#include "ui/PlotTextCache.h"

#include "ui/QtText.h"

namespace veld23 {

const QString& PlotTextCache::Get(std::string_view bytes) {
    for (const Slot& slot : slots_) {
        if (slot.used && slot.bytes == bytes) {
            return slot.text;
        }
    }
    Slot& slot = slots_[next_];
    next_ = (next_ + 1) % kSlots;
    slot.bytes.assign(bytes);
    slot.text = FromWindows1252(bytes);
    slot.used = true;
    return slot.text;
}

} // namespace veld23
