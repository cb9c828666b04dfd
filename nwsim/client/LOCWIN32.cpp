// LOCWIN32.DLL of the stand-in: the locale and Unicode table library.
#include "ClientExport.h"

#include <cstring>

using namespace nw;

NW_LOCWIN32_API(NWSIM_DECLARE_EXPORT)

namespace
{

// The workstation's locale: United States, code page 437.
constexpr int32_t kCountry = 1;
constexpr int32_t kCodePage = 437;

} // namespace

NW_LCONV* NWAPI NWLlocaleconv(NW_LCONV* locale)
{
    NWSIM_ENTER(NWLlocaleconv)
    {
        if (locale == nullptr)
            return nullptr;
        std::memset(locale, 0, sizeof(NW_LCONV));
        std::strcpy(locale->decimalPoint, ".");
        std::strcpy(locale->thousandsSep, ",");
        std::strcpy(locale->currencySymbol, "$");
        std::strcpy(locale->am, "am");
        std::strcpy(locale->pm, "pm");
        locale->codePage = kCodePage;
        locale->countryId = kCountry;
        return locale;
    };
}

NWCCODE NWAPI NWInitUnicodeTables(int32_t, int32_t)
{
    NWSIM_ENTER(NWInitUnicodeTables)
    {
        return 0;
    };
}

NWCCODE NWAPI NWFreeUnicodeTables(void)
{
    NWSIM_ENTER(NWFreeUnicodeTables)
    {
        return 0;
    };
}

NW_LOCWIN32_API(NWSIM_CHECK_EXPORT)
