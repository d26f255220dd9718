#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pranoth {

class Platform;

// Key names and values are never stored as they are: each character (one
// byte) is stored 85 codes higher. A character that would leave 0..255 is
// left out (codes 171 and up when storing, below 85 when reading back).
std::string shiftedForm(std::string_view text);
std::string unshiftedForm(std::string_view stored);

// The program's settings, in section "Settings" of the per-user store. None
// when the key is absent or holds the empty text; a stored value of which
// nothing is left once shifted back reads as the empty text.
std::optional<std::string> readSetting(Platform &platform, std::string_view key);
void saveSetting(Platform &platform, std::string_view key, std::string_view value);

} // namespace pranoth
