#include "engine/file_entries.h"

namespace tw {

const HiveValue& HiveEntries::slotAt(int32_t position, int slot) const {
    switch (slot) {
    case 0: return hive_.Item(Position{position});
    case 1: return hive_.Item1(Position{position});
    case 2: return hive_.Item2(Position{position});
    default: return hive_.Item3(Position{position});
    }
}

std::string_view HiveEntries::text(int32_t position, int slot, std::string& scratch) const {
    const HiveValue& value = slotAt(position, slot);
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    scratch = ValueText(value);
    return scratch;
}

}  // namespace tw
