#pragma once
// The list of files the engines read: entries at positions 1..Count() with
// the file hive's slots Item to Item3 (see find_same.h). The scan hands the
// engines its own compact list; HiveEntries reads a file hive.

#include "engine/hive.h"
#include "platform/file_reader.h"

#include <optional>
#include <string>
#include <string_view>

namespace tw {

class FileEntries {
public:
    virtual ~FileEntries() = default;

    virtual int32_t Count() const = 0;
    // Slot 0 to 3 of the entry as text; scratch holds the text when the list has to make it.
    virtual std::string_view text(int32_t position, int slot, std::string& scratch) const = 0;
    // Slot 0 to 3 of the entry as it is written to the result hive.
    virtual HiveValue value(int32_t position, int slot) const = 0;
    // Whether the engines' run search takes the two entries' Item as equal
    // (trimmed of blanks, letter case ignored), when the list can tell without
    // making the texts; nothing has the engine compare the texts.
    virtual std::optional<bool> sameKey(int32_t, int32_t) const { return std::nullopt; }
    // What the walker saw of the file; nothing has the engine examine its path.
    virtual std::optional<platform::FileIdentity> walkedIdentity(int32_t) const { return std::nullopt; }
};

// A file hive as the engines' list.
class HiveEntries : public FileEntries {
public:
    explicit HiveEntries(const CHive& hive) : hive_(hive) {}

    int32_t Count() const override { return hive_.Count(); }
    std::string_view text(int32_t position, int slot, std::string& scratch) const override;
    HiveValue value(int32_t position, int slot) const override { return slotAt(position, slot); }

private:
    const HiveValue& slotAt(int32_t position, int slot) const;

    const CHive& hive_;
};

}  // namespace tw
