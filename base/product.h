#pragma once
// The program's name, version and the maker's web pages.

#include <string>
#include <string_view>

namespace tw {

inline constexpr std::string_view ProductName = "Twinsweep";
inline constexpr std::string_view ProductVersion = "3.4";
inline constexpr std::string_view MainCaption = "Twinsweep v3.4";

// The maker's web address; every page the program links to lies below it.
inline constexpr std::string_view MakerWebAddress = "https://www.twinsweep.org/";

inline std::string FaqPage() { return std::string(MakerWebAddress) + "faq.html"; }
inline std::string HelpOnlinePage() { return std::string(MakerWebAddress) + "help.html"; }
inline std::string UpdatePage() { return std::string(MakerWebAddress) + "update.html?version=" + std::string(ProductVersion); }

inline constexpr std::string_view HelpFileName = "Help.html";

}  // namespace tw
