// The INI-like registry wrapper on a fresh HKEY_CURRENT_USER.
#include "TRegistryIni.h"
#include "TGuiTest.h"
#include "TRegistrySandbox.h"

class TRegistryIniTest : public TGuiTest
{
protected:
    TRegistrySandbox sandbox_;
};

TEST_F(TRegistryIniTest, StringsAreWrittenIntoSubkeysAndReadWithDefaults)
{
    TRegistryIni ini(L"Software\\Tarvex");
    EXPECT_EQ(ini.ReadString(L"Retrove", L"Missing", L"fallback"), L"fallback") << "no subkey yet";
    ASSERT_TRUE(ini.WriteString(L"Retrove\\FFind", L"Name", L"value"));
    EXPECT_EQ(TRegistrySandbox::Value(L"Software\\Tarvex\\Retrove\\FFind", L"Name"), L"value");
    EXPECT_EQ(ini.ReadString(L"Retrove\\FFind", L"Name", L"fallback"), L"value");
    EXPECT_EQ(ini.ReadString(L"Retrove\\FFind", L"Other", L"fallback"), L"fallback") << "no value";
}

TEST_F(TRegistryIniTest, IntegersAndBooleansAreTexts)
{
    TRegistryIni ini(L"Software\\Tarvex");
    ini.WriteInteger(L"S", L"Width", -162);
    ini.WriteBool(L"S", L"On", true);
    EXPECT_EQ(TRegistrySandbox::Value(L"Software\\Tarvex\\S", L"Width"), L"-162");
    EXPECT_EQ(TRegistrySandbox::Value(L"Software\\Tarvex\\S", L"On"), L"1");
    EXPECT_EQ(ini.ReadInteger(L"S", L"Width", 0), -162);
    EXPECT_TRUE(ini.ReadBool(L"S", L"On", false));
    TRegistrySandbox::SetValue(L"Software\\Tarvex\\S", L"Hex", L"0x1A");
    TRegistrySandbox::SetValue(L"Software\\Tarvex\\S", L"Bad", L"twelve");
    EXPECT_EQ(ini.ReadInteger(L"S", L"Hex", 0), 26);
    EXPECT_EQ(ini.ReadInteger(L"S", L"Bad", 7), 7);
    EXPECT_FALSE(ini.ReadBool(L"S", L"Missing", false));
}
