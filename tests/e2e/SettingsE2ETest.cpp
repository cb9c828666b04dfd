// What the real program writes to the registry in a run, value by value: a run on the demo network that
// lists a folder, switches the view, hides the status bar and accepts the filter writes exactly the settings
// below, and nothing else. A change in how the forms store their settings must not change a single one.
#include "TDemoListingTest.h"

#include <map>

namespace
{

using TSettings = std::map<std::wstring, std::wstring>;

// Every value below the key, by its path below the program's key ("Columns\Order"); strings as they are,
// other types by their type alone.
void ReadValues(HKEY key, const std::wstring& prefix, TSettings& settings)
{
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        DWORD type = 0;
        BYTE data[4096] = {};
        DWORD size = sizeof(data) - sizeof(wchar_t);
        if (RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        settings[prefix + name] = type == REG_SZ ? std::wstring(reinterpret_cast<const wchar_t*>(data))
                                                 : L"<type " + std::to_wstring(type) + L">";
    }
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256] = {};
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY subKey = nullptr;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, &subKey) != ERROR_SUCCESS)
            continue;
        ReadValues(subKey, prefix + name + L"\\", settings);
        RegCloseKey(subKey);
    }
}

TSettings ProgramSettings()
{
    TSettings settings;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return settings;
    ReadValues(key, L"", settings);
    RegCloseKey(key);
    return settings;
}

std::string Described(const TSettings& settings)
{
    std::string text;
    for (const auto& [name, value] : settings)
    {
        std::string escaped;
        for (const char c : Utf8(name))
            escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        text += "        {L\"" + escaped + "\", L\"" + Utf8(value) + "\"},\n";
    }
    return text;
}

} // namespace

class SettingsE2ETest : public TDemoListingTest
{
};

TEST_F(SettingsE2ETest, ARunWritesExactlyTheseSettings)
{
    const std::vector<TSalvageRow> listed = Salvage(kProjects);
    {
        TProgramRun run(OnMappedWorld());
        HWND list = ListProjects(run, listed.size());
        ASSERT_NE(list, nullptr);
        SetWindowPos(main_, nullptr, 100, 80, 760, 540, SWP_NOZORDER);
        ASSERT_TRUE(BringToFront(main_));
        // View, List; View, Status Bar.
        PressKey('V', {VK_MENU});
        PressKey('L');
        PressKey('V', {VK_MENU});
        PressKey('B');
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(FindChild(main_, STATUSCLASSNAMEW)); },
                            kAppearMilliseconds));
        PressKey(VK_F7);
        HWND filter = run.WaitForVisible(L"TFFilter", kAppearMilliseconds);
        ASSERT_NE(filter, nullptr) << run.Describe();
        ASSERT_TRUE(PressButton(filter, L"OK"));
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(filter); }, kAppearMilliseconds));
        CloseProgram(run);
    }
    const TSettings expected{
        {L"BDetails_Down", L"False"},
        {L"BLargeIcons_Down", L"False"},
        {L"BList_Down", L"True"},
        {L"BSmallIcons_Down", L"False"},
        {L"Columns\\Order", L"0,1,2,3,4,5,6,7,8,9,10,11"},
        {L"Columns\\Sizes", L"100,100,100,100,100,100,100,100,100,100,100,100"},
        {L"ExplorerList_ViewStyle", L"vsList"},
        {L"FFilter\\Flags", L"0"},
        {L"FFilter\\MinMaxPos", L"-1,-1,-1,-1"},
        {L"FFilter\\MinMaxPos(1024x768)", L"-1,-1,-1,-1"},
        {L"FFilter\\NormPos", L"339,195,684,573"},
        {L"FFilter\\NormPos(1024x768)", L"339,195,684,573"},
        {L"FFilter\\ShowCmd", L"1"},
        {L"FFilter\\Visible", L"0"},
        {L"Flags", L"0"},
        {L"MContents_Checked", L"True"},
        {L"MDetails_Checked", L"False"},
        {L"MLargeIcons_Checked", L"False"},
        {L"MList_Checked", L"True"},
        {L"MRename_Checked", L"True"},
        {L"MSkip_Checked", L"False"},
        {L"MSmallIcons_Checked", L"False"},
        {L"MStatusBar_Checked", L"False"},
        {L"MToolBar_Checked", L"True"},
        {L"MUpper_Checked", L"True"},
        {L"MinMaxPos", L"-1,-1,-1,-1"},
        {L"MinMaxPos(1024x768)", L"-1,-1,-1,-1"},
        {L"NormPos", L"100,80,860,620"},
        {L"NormPos(1024x768)", L"100,80,860,620"},
        {L"ShowCmd", L"1"},
        {L"SplitMain_Position", L"162"},
        {L"StatusBar_Visible", L"False"},
        {L"Toolbar_Visible", L"True"},
        {L"Visible", L"0"},
    };
    const TSettings written = ProgramSettings();
    EXPECT_EQ(written, expected) << "the run wrote:\n" << Described(written);
}
