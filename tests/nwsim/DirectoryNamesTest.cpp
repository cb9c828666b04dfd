// Directory name forms: names relative to a name context, typed and typeless.
#include "DirectoryNames.h"

#include <gtest/gtest.h>

using nwsim::AbbreviateName;
using nwsim::JoinDistinguishedName;
using nwsim::ResolveRelativeName;

namespace
{

std::string Resolved(const std::string& name, const std::string& context)
{
    const auto components = ResolveRelativeName(name, context);
    return components ? JoinDistinguishedName(*components) : "<fails>";
}

} // namespace

TEST(DirectoryNamesTest, RelativeNamesResolveAgainstTheContext)
{
    EXPECT_EQ(Resolved("CN=BOB", "OU=SALES.O=TARVEX"), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(Resolved("CN=BOB.OU=SALES.O=TARVEX", "[Root]"), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(Resolved(".O=TARVEX", "OU=SALES.O=TARVEX"), "O=TARVEX") << "a leading dot starts at the root";
    EXPECT_EQ(Resolved("CN=X..", "CN=A.OU=B.O=C"), "CN=X.O=C") << "each trailing dot climbs one level";
    EXPECT_EQ(Resolved("CN=X...", "OU=B.O=C"), "<fails>");
    EXPECT_EQ(Resolved("", "OU=B.O=C"), "OU=B.O=C");
    EXPECT_EQ(Resolved("[root]", "[Root]"), "");
    EXPECT_EQ(Resolved("bob", "ou=sales.o=tarvex"), "BOB.OU=SALES.O=TARVEX")
        << "typeless parts stay typeless";
}

TEST(DirectoryNamesTest, TypelessPartsAreTypedByTheirPlace)
{
    EXPECT_EQ(JoinDistinguishedName(nwsim::TypeByPosition(nwsim::SplitDistinguishedName("A.B.C.D"))),
              "CN=A.OU=B.OU=C.O=D");
    EXPECT_EQ(JoinDistinguishedName(nwsim::TypeByPosition(nwsim::SplitDistinguishedName("A.C=US"))),
              "CN=A.C=US");
}

TEST(DirectoryNamesTest, NamesAreShownRelativeToTheContextWhenBelowIt)
{
    EXPECT_EQ(AbbreviateName("CN=BOB.OU=SALES.O=TARVEX", "O=TARVEX", false), "CN=BOB.OU=SALES");
    EXPECT_EQ(AbbreviateName("CN=BOB.OU=SALES.O=TARVEX", "O=TARVEX", true), "BOB.SALES");
    EXPECT_EQ(AbbreviateName("CN=BOB.OU=SALES.O=TARVEX", "[Root]", false), "CN=BOB.OU=SALES.O=TARVEX");
    EXPECT_EQ(AbbreviateName("CN=ERIN.O=NORTHWIND.C=US", "O=TARVEX", false), ".CN=ERIN.O=NORTHWIND.C=US");
    EXPECT_EQ(AbbreviateName("O=TARVEX", "O=TARVEX", false), ".O=TARVEX") << "the context itself";
}
