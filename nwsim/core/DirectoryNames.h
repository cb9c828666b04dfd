// Directory (NDS) names: distinguished names, names relative to a name context, typed and typeless forms.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nwsim
{

// One component of a distinguished name: "OU=SALES" has type "OU" and value "SALES"; a typeless component has
// an empty type.
struct TNameComponent
{
    std::string type;
    std::string value;
};

constexpr const char* kRootName = "[Root]";

// Whether the text names the root of the tree: "[Root]" in any case, or empty.
bool IsRootName(const std::string& name);

// Splits "CN=BOB.OU=SALES.O=TARVEX" into its components, leaf first; upper-cases.
std::vector<TNameComponent> SplitDistinguishedName(const std::string& name);
std::string JoinDistinguishedName(const std::vector<TNameComponent>& components, bool typeless = false);

// The full distinguished name (components, leaf first) that a name means in a name context: a leading dot
// starts from the root, each trailing dot climbs one level of the context, anything else is relative to the
// context. Typeless components keep an empty type. Fails when the trailing dots climb above the root.
std::optional<std::vector<TNameComponent>> ResolveRelativeName(const std::string& name,
                                                               const std::string& nameContext);

// Types a typeless component by its place: the leaf CN, the top O, the ones between OU.
std::vector<TNameComponent> TypeByPosition(std::vector<TNameComponent> components);

// Whether a typed distinguished name matches a resolved name whose components may be typeless.
bool NameMatches(const std::vector<TNameComponent>& typed, const std::vector<TNameComponent>& resolved);

// A full distinguished name as the context shows it: relative to the name context when it lies below it
// (else with a leading dot), without types when typeless.
std::string AbbreviateName(const std::string& distinguishedName, const std::string& nameContext,
                           bool typeless);

} // namespace nwsim
