#pragma once
// The columns of the result list, in display order. Cells 6, 7 and 8 are the
// hidden sort keys.

#include "base/column.h"

#include <array>

namespace tw {

inline constexpr std::array<ColumnSpec, 10> ResultColumns = {{
    {"File Name", Align::Left, 3500},
    {"Size(Bytes)", Align::Right, 1200},
    {"Last Modified.", Align::Left, 2000},
    {"File Version", Align::Left, 1000},
    {"Group", Align::Left, 1000},
    {"In Folder", Align::Left, 3500},
    {"sortSize", Align::Left, 0},
    {"sortDate", Align::Left, 0},
    {"sortGrpno", Align::Left, 0},
    {"Ext", Align::Left, 700},
}};

}  // namespace tw
