#pragma once
// The columns of the search folder list.

#include "base/column.h"

#include <array>

namespace tw {

inline constexpr std::array<ColumnSpec, 7> SearchListColumns = {{
    {"Search Locations ", Align::Left, 3000},
    {"Sub Folders", Align::Left, 1000},
    {"File Type", Align::Left, 1200},
    {"Min Size", Align::Left, 900},
    {"Max Size", Align::Left, 900},
    {"Min Date", Align::Left, 1100},
    {"Max Date", Align::Left, 1100},
}};

}  // namespace tw
