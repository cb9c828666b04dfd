// Directory name forms.
#include "DirectoryNames.h"

#include "TSimWorld.h"

#include <algorithm>

namespace nwsim
{
namespace
{

TNameComponent SplitComponent(const std::string& text)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos)
        return {"", UpperName(text)};
    return {UpperName(text.substr(0, equals)), UpperName(text.substr(equals + 1))};
}

std::vector<std::string> SplitOnDots(const std::string& text)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : text)
    {
        if (c == '.')
        {
            parts.push_back(part);
            part.clear();
        }
        else
            part += c;
    }
    parts.push_back(part);
    return parts;
}

} // namespace

bool IsRootName(const std::string& name)
{
    return name.empty() || UpperName(name) == "[ROOT]";
}

std::vector<TNameComponent> SplitDistinguishedName(const std::string& name)
{
    std::vector<TNameComponent> components;
    if (IsRootName(name))
        return components;
    for (const std::string& part : SplitOnDots(name))
        if (!part.empty())
            components.push_back(SplitComponent(part));
    return components;
}

std::string JoinDistinguishedName(const std::vector<TNameComponent>& components, bool typeless)
{
    std::string name;
    for (const TNameComponent& component : components)
    {
        if (!name.empty())
            name += '.';
        if (!typeless && !component.type.empty())
            name += component.type + "=";
        name += component.value;
    }
    return name;
}

std::optional<std::vector<TNameComponent>> ResolveRelativeName(const std::string& name,
                                                               const std::string& nameContext)
{
    if (IsRootName(name))
        return SplitDistinguishedName(nameContext);
    if (name.front() == '.')
        return SplitDistinguishedName(name.substr(1));

    std::string relative = name;
    std::vector<TNameComponent> context = SplitDistinguishedName(nameContext);
    while (!relative.empty() && relative.back() == '.')
    {
        relative.pop_back();
        if (context.empty())
            return std::nullopt;
        context.erase(context.begin());
    }
    std::vector<TNameComponent> components = SplitDistinguishedName(relative);
    components.insert(components.end(), context.begin(), context.end());
    return components;
}

std::vector<TNameComponent> TypeByPosition(std::vector<TNameComponent> components)
{
    static const std::string top = "O";
    static const std::string leaf = "CN";
    static const std::string between = "OU";
    for (size_t i = 0; i < components.size(); ++i)
    {
        if (!components[i].type.empty())
            continue;
        if (i + 1 == components.size())
            components[i].type = top;
        else if (i == 0)
            components[i].type = leaf;
        else
            components[i].type = between;
    }
    return components;
}

bool NameMatches(const std::vector<TNameComponent>& typed, const std::vector<TNameComponent>& resolved)
{
    if (typed.size() != resolved.size())
        return false;
    for (size_t i = 0; i < typed.size(); ++i)
    {
        if (typed[i].value != resolved[i].value)
            return false;
        if (!resolved[i].type.empty() && resolved[i].type != typed[i].type)
            return false;
    }
    return true;
}

std::string AbbreviateName(const std::string& distinguishedName, const std::string& nameContext,
                           bool typeless)
{
    const std::vector<TNameComponent> name = SplitDistinguishedName(distinguishedName);
    const std::vector<TNameComponent> context = SplitDistinguishedName(nameContext);
    const bool below =
        name.size() > context.size() &&
        std::equal(context.begin(), context.end(), name.end() - static_cast<long>(context.size()),
                   [](const TNameComponent& a, const TNameComponent& b) {
                       return a.type == b.type && a.value == b.value;
                   });
    if (!below)
    {
        // Outside the context the name is shown whole, with the leading dot that marks a full name.
        std::string shown(context.empty() ? 0 : 1, '.');
        shown += JoinDistinguishedName(name, typeless);
        return shown;
    }
    const std::vector<TNameComponent> relative(name.begin(), name.end() - static_cast<long>(context.size()));
    return JoinDistinguishedName(relative, typeless);
}

} // namespace nwsim
