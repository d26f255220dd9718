#include "web_pages.h"

#include "core/config.h"
#include "core/platform.h"

namespace pranoth {

std::string_view siteAddress()
{
    return config::Site;
}

std::string pageAddress(std::string_view pageKey)
{
    std::string address(siteAddress());
    address += "/pranoth/ssd.php?page=";
    address += pageKey;
    return address;
}

void openPage(Platform &platform, std::string_view pageKey)
{
    platform.openUrl(pageAddress(pageKey));
}

} // namespace pranoth
