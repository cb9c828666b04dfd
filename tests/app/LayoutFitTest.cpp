// Every window and dialog laid out at the display scale the tests run at: each control's text fits the
// control in the control's own font, no two visible controls overlap, and no control lies outside its window.
// tools/test runs these at 96, 120, 144 and 192 DPI; RETROVE_LAYOUT_DPI names the scale a run expects.
#include "ListColumnLayout.h"
#include "MainCommands.h"
#include "TDpi.h"
#include "TProgramTest.h"
#include "WindowParts.h"

#include <commctrl.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace
{

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool IsClass(HWND window, const wchar_t* name)
{
    return lstrcmpiW(ClassOf(window).c_str(), name) == 0;
}

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (const wchar_t c : text)
        narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

// How a control is named in a finding: its class and text.
std::string Describe(HWND control)
{
    return Narrow(ClassOf(control) + L" \"" + WindowText(control) + L"\"");
}

// The text as a control shows it: "&&" is an ampersand, a lone "&" marks the access key.
std::wstring WithoutPrefix(const std::wstring& text)
{
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

// Measures text in a control's own font.
class TMeasure
{
public:
    explicit TMeasure(HWND control) : control_(control), dc_(GetDC(control))
    {
        old_ = SelectObject(dc_, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    }
    ~TMeasure()
    {
        SelectObject(dc_, old_);
        ReleaseDC(control_, dc_);
    }
    TMeasure(const TMeasure&) = delete;
    TMeasure& operator=(const TMeasure&) = delete;

    SIZE Line(const std::wstring& text) const
    {
        SIZE extent{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &extent);
        if (text.empty())
        {
            TEXTMETRICW metrics{};
            GetTextMetricsW(dc_, &metrics);
            extent.cy = metrics.tmHeight;
        }
        return extent;
    }
    // The rectangle word-wrapped text takes at that width; wider than it when a word does not fit.
    RECT Wrapped(const std::wstring& text, int width, bool prefixes) const
    {
        RECT area{0, 0, width, 0};
        DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &area,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (prefixes ? 0 : DT_NOPREFIX));
        return area;
    }

private:
    HWND control_;
    HDC dc_;
    HGDIOBJ old_;
};

RECT ClientOf(HWND control)
{
    RECT client{};
    GetClientRect(control, &client);
    return client;
}

RECT ScreenRect(HWND window)
{
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds;
}

// Collects what does not fit in one window.
class TLayoutCheck
{
public:
    TLayoutCheck(HWND window, TDpi dpi) : window_(window), dpi_(dpi) {}

    std::vector<std::string> Findings()
    {
        EnumChildWindows(window_, &TLayoutCheck::Visit, reinterpret_cast<LPARAM>(this));
        for (size_t i = 0; i < controls_.size(); ++i)
            for (size_t j = i + 1; j < controls_.size(); ++j)
                CheckOverlap(controls_[i], controls_[j]);
        return findings_;
    }

private:
    static BOOL CALLBACK Visit(HWND control, LPARAM self)
    {
        reinterpret_cast<TLayoutCheck*>(self)->Check(control);
        return TRUE;
    }

    // The parts that controls make of themselves (a list's header, a combo box's edit) are theirs to lay out.
    static bool PartOfAControl(HWND control)
    {
        HWND parent = GetParent(control);
        for (const wchar_t* owner : {L"ComboBoxEx32", L"ComboBox", L"SysListView32", L"SysTreeView32",
                                     L"SysDateTimePick32", L"msctls_statusbar32", L"SysHeader32", L"Edit"})
            if (IsClass(parent, owner))
                return true;
        return false;
    }

    void Check(HWND control)
    {
        if (!IsWindowVisible(control) || PartOfAControl(control))
            return;
        controls_.push_back(control);
        CheckInside(control);
        CheckText(control);
    }

    void Add(HWND control, const std::string& finding)
    {
        findings_.push_back(Describe(control) + ": " + finding);
    }

    void CheckInside(HWND control)
    {
        HWND parent = GetParent(control);
        RECT area = ClientOf(parent);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
        const RECT bounds = ScreenRect(control);
        if (bounds.left < area.left || bounds.top < area.top || bounds.right > area.right ||
            bounds.bottom > area.bottom)
            Add(control, "lies outside " + Describe(parent));
    }

    void CheckText(HWND control)
    {
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        if (IsClass(control, L"Button"))
            CheckButton(control, style);
        else if (IsClass(control, L"Static"))
            CheckLabel(control, style);
        else if (IsClass(control, L"SysTabControl32"))
            CheckTabs(control);
        else if (IsClass(control, L"SysDateTimePick32"))
            CheckDate(control);
        else if (IsClass(control, L"Edit"))
            CheckEdit(control);
    }

    void CheckButton(HWND control, LONG style)
    {
        const LONG kind = style & BS_TYPEMASK;
        if (kind == BS_GROUPBOX || (style & (BS_ICON | BS_BITMAP)) != 0)
            return;
        const std::wstring text = WithoutPrefix(WindowText(control));
        const SIZE needed = TMeasure(control).Line(text);
        const RECT client = ClientOf(control);
        const bool box = kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
                         kind == BS_AUTORADIOBUTTON || kind == BS_3STATE || kind == BS_AUTO3STATE;
        // A push button's text keeps clear of its frame; a box's text starts after the box and a gap.
        const int room = box ? client.right - dpi_(13) - dpi_(4) : client.right - 2 * dpi_(3);
        const int height = box ? client.bottom : client.bottom - 2 * dpi_(2);
        if (needed.cx > room || needed.cy > height)
            Add(control, Sizes(needed, room, height));
    }

    void CheckLabel(HWND control, LONG style)
    {
        const LONG kind = style & SS_TYPEMASK;
        if (kind != SS_LEFT && kind != SS_CENTER && kind != SS_RIGHT && kind != SS_LEFTNOWORDWRAP &&
            kind != SS_SIMPLE)
            return;
        const std::wstring text = WindowText(control);
        const bool prefixes = (style & SS_NOPREFIX) == 0;
        const RECT client = ClientOf(control);
        const TMeasure measure(control);
        // A label that ends its text in an ellipsis may be narrower than its text, never lower.
        const bool ellipsis = (style & SS_ELLIPSISMASK) != 0;
        if (kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE || ellipsis)
        {
            const SIZE needed = measure.Line(prefixes ? WithoutPrefix(text) : text);
            if ((!ellipsis && needed.cx > client.right) || needed.cy > client.bottom)
                Add(control, Sizes(needed, client.right, client.bottom));
            return;
        }
        const RECT needed = measure.Wrapped(text, client.right, prefixes);
        if (needed.right > client.right || needed.bottom > client.bottom)
            Add(control, Sizes({needed.right, needed.bottom}, client.right, client.bottom));
    }

    void CheckTabs(HWND control)
    {
        const int count = TabCtrl_GetItemCount(control);
        const TMeasure measure(control);
        for (int item = 0; item < count; ++item)
        {
            wchar_t caption[80] = {};
            TCITEMW tab{};
            tab.mask = TCIF_TEXT;
            tab.pszText = caption;
            tab.cchTextMax = 80;
            TabCtrl_GetItem(control, item, &tab);
            RECT place{};
            TabCtrl_GetItemRect(control, item, &place);
            const SIZE needed = measure.Line(WithoutPrefix(caption));
            if (needed.cx > place.right - place.left - 2 || needed.cy > place.bottom - place.top)
                Add(control, "tab \"" + Narrow(caption) + "\" " +
                                 Sizes(needed, place.right - place.left - 2, place.bottom - place.top));
        }
    }

    void CheckDate(HWND control)
    {
        SYSTEMTIME day{};
        SendMessageW(control, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day));
        wchar_t text[80] = {};
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &day, nullptr, text, 80);
        const SIZE needed = TMeasure(control).Line(text);
        // The date, and its drop-down button at the right.
        const RECT client = ClientOf(control);
        const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - dpi_(4);
        if (needed.cx > room || needed.cy > client.bottom)
            Add(control, Sizes(needed, room, client.bottom));
    }

    void CheckEdit(HWND control)
    {
        if ((GetWindowLongW(control, GWL_STYLE) & ES_MULTILINE) != 0)
            return;
        const SIZE line = TMeasure(control).Line(L"Ág");
        const RECT client = ClientOf(control);
        if (line.cy > client.bottom)
            Add(control, "a line of text " + std::to_string(line.cy) + " pixels high in " +
                             std::to_string(client.bottom));
    }

    // Controls that lie on one another by design: a tab control under its pages and the labels over it, a
    // group box round its controls.
    static bool MayBeCovered(HWND control)
    {
        return IsClass(control, L"SysTabControl32") ||
               (IsClass(control, L"Button") &&
                (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX);
    }

    void CheckOverlap(HWND first, HWND second)
    {
        if (MayBeCovered(first) || MayBeCovered(second) || IsChild(first, second) || IsChild(second, first))
            return;
        RECT a = ScreenRect(first);
        RECT b = ScreenRect(second);
        RECT common{};
        if (IntersectRect(&common, &a, &b))
            findings_.push_back(Describe(first) + " and " + Describe(second) + " overlap");
    }

    static std::string Sizes(SIZE needed, int width, int height)
    {
        std::ostringstream text;
        text << "needs " << needed.cx << "x" << needed.cy << ", has " << width << "x" << height;
        return text.str();
    }

    HWND window_;
    TDpi dpi_;
    std::vector<HWND> controls_;
    std::vector<std::string> findings_;
};

std::string Joined(const std::vector<std::string>& findings)
{
    std::string text;
    for (const std::string& finding : findings)
        text += "\n  " + finding;
    return text;
}

void ExpectLaidOut(HWND window, const std::string& what, TDpi dpi)
{
    PumpMessages();
    const std::vector<std::string> findings = TLayoutCheck(window, dpi).Findings();
    EXPECT_TRUE(findings.empty()) << what << " at " << dpi.Value() << " DPI:" << Joined(findings);
}

void ExpectLaidOut(HWND window, const std::string& what)
{
    ExpectLaidOut(window, what, TDpi::Of(window));
}

int FontHeight(HWND control)
{
    LOGFONTW look{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(look), &look);
    return std::abs(look.lfHeight);
}

void SelectTab(HWND form, HWND tabs, int index)
{
    TabCtrl_SetCurSel(tabs, index);
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(form, WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

} // namespace

class LayoutFitTest : public TProgramTest
{
protected:
    void SetUp() override
    {
        TProgramTest::SetUp();
        LoadWorld();
        Start();
        Main().ShowFirstTime();
        PumpMessages();
    }

    const TRetroveForms& Forms() { return program_->Forms(); }
};

TEST_F(LayoutFitTest, TheRunIsAtTheScaleItWasStartedFor)
{
    const char* expected = std::getenv("RETROVE_LAYOUT_DPI");
    const int dpi = expected != nullptr ? std::atoi(expected) : TDpi::kStandard;
    EXPECT_EQ(TDpi::OfScreen().Value(), dpi);
    EXPECT_EQ(TDpi::Of(Main().Handle()).Value(), dpi);
}

TEST_F(LayoutFitTest, TheMainWindowInEachViewFindAndTheActionWindow)
{
    for (const int view : {cmMLargeIcons, cmMSmallIcons, cmMList, cmMDetails})
    {
        SendMessageW(Main().Handle(), WM_COMMAND, MAKEWPARAM(view, 0), 0);
        ExpectLaidOut(Main().Handle(), "the main window in view " + std::to_string(view));
    }
    // The tool bar is as high as the location box it carries, and its pictures have the scale's size.
    TToolBar& toolbar = Main().Toolbar();
    EXPECT_EQ(toolbar.PictureSide(), TDpi::Of(Main().Handle()).SmallPictureSide());
    int side = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar.Handle(), TB_GETIMAGELIST, 0, 0)),
                          &side, &height);
    EXPECT_EQ(side, toolbar.PictureSide());

    TFFind& find = *Forms().FFind;
    find.ShowForm(SW_SHOWNA);
    find.FormShow();
    ASSERT_FALSE(find.Expanded());
    for (const int page : {0, 1})
    {
        SelectTab(find.Handle(), find.PageControl(), page);
        ExpectLaidOut(find.Handle(), "Find, collapsed, page " + std::to_string(page));
    }
    find.BFindClick();
    ASSERT_TRUE(find.Expanded());
    for (const int page : {0, 1})
    {
        SelectTab(find.Handle(), find.PageControl(), page);
        ExpectLaidOut(find.Handle(), "Find, expanded, page " + std::to_string(page));
    }
    ShowWindow(find.Handle(), SW_HIDE);

    TFActionMessage& action = *Forms().FActionMessage;
    action.ShowActionMessage();
    action.SetActionMessage(L"Recovering F:\\PROJECTS\\PLAN17.XLS");
    ExpectLaidOut(action.Handle(), "the action window");
    action.HideActionMessage();
}

TEST_F(LayoutFitTest, TheDialogs)
{
    TFFilter& filter = *Forms().FFilter;
    filter.ShowForm(SW_SHOWNA);
    ExpectLaidOut(filter.Handle(), "Filter");
    ShowWindow(filter.Handle(), SW_HIDE);

    TFBrowseDirectory& picker = *Forms().FBrowseDirectory;
    picker.ShowForm(SW_SHOWNA);
    for (const int page : {0, 1})
    {
        SelectTab(picker.Handle(), picker.PMain(), page);
        ExpectLaidOut(picker.Handle(), "the user picker, page " + std::to_string(page));
    }
    ShowWindow(picker.Handle(), SW_HIDE);

    TFRename& rename = *Forms().FRename;
    rename.ShowForm(SW_SHOWNA);
    ExpectLaidOut(rename.Handle(), "Rename");
    ShowWindow(rename.Handle(), SW_HIDE);

    TFAbout& about = *Forms().FAbout;
    about.ShowForm(SW_SHOWNA);
    ExpectLaidOut(about.Handle(), "About");
    ShowWindow(about.Handle(), SW_HIDE);
}

TEST_F(LayoutFitTest, PropertiesShowALongNameInATipAndEveryDateWhole)
{
    TFProperties& properties = *Forms().FProperties;
    const std::wstring name = L"QUARTERLY " + std::wstring(110, L'W');
    ASSERT_EQ(name.size(), 120u);
    nw::TNWDeletedFileInfoX info{};
    info.Size = 123456789;
    info.DeletedBy = "ADMINISTRATOR.ENGINEERING.TARVEX";
    info.Owner = "CAROL.ENGINEERING.TARVEX";
    // A Wednesday in September: the longest day and month names in English.
    const nw::TDateTime longest = nw::EncodeDate(2026, 9, 30) + nw::EncodeTime(23, 59, 59, 0);
    info.Deleted = info.Created = info.Accessed = longest;
    properties.FillProperties(name, info, L"F:\\PROJECTS\\ARCHIVE\\2026");
    properties.ShowForm(SW_SHOWNA);
    ExpectLaidOut(properties.Handle(), "Properties");
    // The name is cut short with an ellipsis and shows whole in its tip; a date fits whole, with no tip.
    EXPECT_EQ(properties.Tips().TipText(properties.LName()), name);
    EXPECT_EQ(properties.Tips().TipText(properties.LDeleted()), L"");
    EXPECT_EQ(properties.Tips().TipText(properties.LLocation()), L"");
    ShowWindow(properties.Handle(), SW_HIDE);
}

TEST_F(LayoutFitTest, AMoveToAMonitorOfTwiceTheScaleLaysTheMainWindowOutAgainAndStoresWhatItMeans)
{
    TFMain& main = Main();
    const TDpi from = TDpi::Of(main.Handle());
    const TDpi to(from.Value() * 2);
    const int split = main.SplitMain().Position();
    const int nameWidth = main.ExplorerList().ColumnWidth(0);
    const int toolbarHeight = main.Toolbar().Height();
    const int statusFont = FontHeight(main.StatusBar());
    RECT suggested{};
    GetWindowRect(main.Handle(), &suggested);
    suggested.right = suggested.left + to.From(from, suggested.right - suggested.left);
    suggested.bottom = suggested.top + to.From(from, suggested.bottom - suggested.top);

    SendMessageW(main.Handle(), WM_DPICHANGED, MAKEWPARAM(to.Value(), to.Value()),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpMessages();

    EXPECT_EQ(main.SplitMain().Position(), to.From(from, split));
    EXPECT_EQ(main.SplitTitle().Position(), main.SplitMain().Position());
    EXPECT_EQ(main.ExplorerList().ColumnWidth(0), to.From(from, nameWidth));
    EXPECT_EQ(main.Toolbar().Height(), to.From(from, toolbarHeight));
    EXPECT_EQ(main.Toolbar().PictureSide(), to.SmallPictureSide());
    EXPECT_EQ(static_cast<int>(TreeView_GetIndent(main.TreeDel().Handle())), to(19));
    EXPECT_NEAR(FontHeight(main.StatusBar()), to.From(from, statusFont), 1);
    ExpectLaidOut(main.Handle(), "the main window moved to twice the scale", to);

    // Widths are kept at 96 DPI, so that they mean the same share of the window at any scale.
    main.ExplorerList().SaveLayout();
    const std::vector<std::optional<int32_t>> widths = ReadColumnSizes(TFMain::kListRegistryKey);
    ASSERT_FALSE(widths.empty());
    ASSERT_TRUE(widths[0].has_value());
    EXPECT_NEAR(*widths[0], from.Unscaled(nameWidth), 1);
}
