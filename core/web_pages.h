#pragma once

#include <string>
#include <string_view>

namespace pranoth {

class Platform;

// The pages of the maker's site that the program opens, by page key.
namespace page {
inline constexpr std::string_view HomePage = "home-page";
inline constexpr std::string_view Help = "help-web-page";
inline constexpr std::string_view Download = "download-web-page";
inline constexpr std::string_view Donate = "donate";
inline constexpr std::string_view CoBrand = "co-brand";
inline constexpr std::string_view FullyBranded = "fully-branded";
} // namespace page

// The maker's site, without a trailing slash.
std::string_view siteAddress();

// "<site>/pranoth/ssd.php?page=<key>".
std::string pageAddress(std::string_view pageKey);

// Opens a page in the default browser; the outcome is not examined.
void openPage(Platform &platform, std::string_view pageKey);

} // namespace pranoth
