// The about box of the running program: opened from the Help menu by the keyboard, it names the version of
// the program's own file, and OK closes it.
#include "TE2ETest.h"

#include <algorithm>
#include <vector>

namespace
{

// The texts of the box's labels.
std::vector<std::wstring> LabelTexts(HWND window)
{
    std::vector<std::wstring> texts;
    for (HWND label : ChildrenOfClass(window, L"Static"))
        texts.push_back(RemoteText(label));
    return texts;
}

} // namespace

class AboutE2ETest : public TE2ETest
{
};

TEST_F(AboutE2ETest, HelpAboutNamesTheProgramsVersionAndOkClosesIt)
{
    const TRunOptions options = OnMappedWorld();
    const std::wstring version = FileVersionOf(options.program);
    ASSERT_TRUE(version.rfind(L"1.0.", 0) == 0 && version.size() > 6 &&
                version.substr(version.size() - 2) == L".0")
        << Utf8(version);
    CreateDemoWorld();
    TProgramRun run(options);
    HWND main = run.WaitForVisible(L"TFMain", kAppearMilliseconds);
    ASSERT_NE(main, nullptr) << run.Describe();

    ASSERT_TRUE(BringToFront(main));
    PressKey('H', {VK_MENU});
    PressKey('A');
    HWND about = run.WaitForVisible(L"TFAbout", kAppearMilliseconds);
    ASSERT_NE(about, nullptr) << "Help, About showed nothing: " << run.Describe();
    EXPECT_EQ(RemoteText(about), L"About");
    const std::vector<std::wstring> labels = LabelTexts(about);
    EXPECT_NE(std::find(labels.begin(), labels.end(), version), labels.end())
        << "the box does not show " << Utf8(version);
    EXPECT_FALSE(IsWindowEnabled(main)) << "the box is modal";

    ASSERT_TRUE(PressButton(about, L"OK"));
    EXPECT_TRUE(run.WaitForWindow(
        [about](const TWindowView& window) { return window.handle == about && !window.visible; },
        kAppearMilliseconds))
        << "OK did not close the box: " << run.Describe();
    EXPECT_TRUE(IsWindowEnabled(main));
    PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::optional<DWORD> exitCode = run.WaitForExit(kAppearMilliseconds);
    ASSERT_TRUE(exitCode.has_value()) << run.Describe();
    EXPECT_EQ(*exitCode, 0u);
}
