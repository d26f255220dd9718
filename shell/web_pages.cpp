#include "web_pages.h"

#include "core/platform.h"

#ifndef PRANOTH_SITE
#define PRANOTH_SITE "https://www.example.com"
#endif

namespace pranoth {

std::string_view siteAddress()
{
    return PRANOTH_SITE;
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
