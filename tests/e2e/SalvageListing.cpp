// Reading what "nwsim salvage" prints.
#include "SalvageListing.h"

#include <windows.h>

#include <algorithm>
#include <sstream>

namespace
{

// The tool prints in UTF-8.
std::wstring Wide(const std::string& text)
{
    if (text.empty())
        return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

// A folder line: the drive path, two blanks and the server's own name of the folder in parentheses. The
// path uses forward slashes below the volume's root.
bool FolderLine(const std::string& line, std::wstring& folder)
{
    if (line.empty() || line[0] == ' ')
        return false;
    std::string path = line.substr(0, line.find("  ("));
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.empty() || path.back() != '\\')
        path += '\\';
    folder = Wide(path);
    return true;
}

} // namespace

std::wstring Typeless(const std::string& name)
{
    std::wstring result;
    size_t start = 0;
    while (start <= name.size())
    {
        const size_t dot = std::min(name.find('.', start), name.size());
        std::string part = name.substr(start, dot - start);
        if (const size_t equals = part.find('='); equals != std::string::npos)
            part = part.substr(equals + 1);
        if (!result.empty())
            result += L'.';
        result += Wide(part);
        start = dot + 1;
    }
    return result;
}

std::vector<TSalvageEntry> ParseSalvage(const std::string& printed)
{
    std::vector<TSalvageEntry> entries;
    std::istringstream lines(printed);
    std::string line;
    std::wstring folder;
    while (std::getline(lines, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (FolderLine(line, folder))
            continue;
        // An entry line ends in size, date, time and deletor.
        std::vector<size_t> cuts;
        size_t end = line.size();
        for (int field = 0; field < 4 && end > 0; ++field)
        {
            const size_t blank = line.find_last_of(' ', end - 1);
            if (blank == std::string::npos)
                break;
            cuts.push_back(blank);
            end = line.find_last_not_of(' ', blank);
            end = end == std::string::npos ? 0 : end + 1;
        }
        if (cuts.size() < 4)
            continue; // the count line
        std::string name = line.substr(0, end);
        name.erase(0, name.find_first_not_of(' '));
        entries.push_back({folder, Wide(name), Typeless(line.substr(cuts[0] + 1))});
    }
    return entries;
}
