#pragma once

#include <string_view>

namespace tw {

enum class Align { Left, Right };

// A list column as the views show it; a width of 0 hides the column.
struct ColumnSpec {
    std::string_view header;
    Align align;
    int widthTwips;
};

}  // namespace tw
