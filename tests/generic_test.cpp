// Rules that hold for every class, checked over every class and every
// property through the reflection: a class added to the format is covered
// here without a line of its own.

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "RandomTree.h"
#include "TestSupport.h"
#include "TreeCompare.h"

using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using LtXmlLib3::CXmlObjectBase;
using VantrelLib::Reflection::ClassInfo;
using VantrelLib::Reflection::Property;
using testsupport::AttributesOf;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using testsupport::Unknown;
using Chain = std::vector<std::string>;

namespace {

// An object of `info` with every optional part set and every collection filled.
CSmartPtr<CXmlObjectBase> Full(const ClassInfo& info, std::uint64_t seed = 1) {
    randomtree::Options options;
    options.full = true;
    options.maxItems = 2;
    CSmartPtr<CXmlObjectBase> object = info.Create();
    randomtree::Generator(seed, options).Fill(*object);
    return object;
}

// The chain of messages reading `xml` into a fresh object of `info` fails with.
Chain ReadFailure(const ClassInfo& info, const std::string& xml) {
    return testsupport::ChainOf([&] { info.Create()->FromXml(xml); });
}

// `xml` without the lines of the outermost element's children named `name`
// (the writer puts one element on a line and never breaks a value).
std::string WithoutChildren(const std::string& xml, const std::string& name) {
    std::istringstream lines(xml);
    std::string out, line;
    const std::string open = "  <" + name, close = "  </" + name + ">";
    bool skipping = false;
    while (std::getline(lines, line)) {
        if (skipping) {
            skipping = line != close;
            continue;
        }
        if (line.rfind(open, 0) == 0 && (line[open.size()] == ' ' || line[open.size()] == '/' || line[open.size()] == '>')) {
            skipping = line.compare(line.size() - 2, 2, "/>") != 0;
            continue;
        }
        out += line + '\n';
    }
    return out;
}

// The start tag of the outermost element: from "<Name" to its ">" (values never hold a raw ">").
std::size_t EndOfRootTag(const std::string& xml) {
    return xml.find('>', xml.find('<', xml.find("?>") + 2));
}

}  // namespace

TEST(EveryClass, RoundTripsRandomInstancesBitForBit) {
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        SCOPED_TRACE(info->QualifiedName());
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            randomtree::Options options;
            options.full = seed == 4;
            CSmartPtr<CXmlObjectBase> object = info->Create();
            randomtree::Generator(seed * 7919, options).Fill(*object);
            const std::string text = object->ToXml();
            CSmartPtr<CXmlObjectBase> read = info->Create();
            read->FromXml(text);
            EXPECT_TRUE(treecompare::Equal(*object, *read)) << "seed " << seed;
            EXPECT_EQ(read->ToXml(), text) << "seed " << seed;
        }
    }
}

TEST(EveryClass, MissingRequiredAttributesAreNamed) {
    int checked = 0;
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        const std::string xml = Full(*info)->ToXml();
        for (const Property& property : info->Properties()) {
            if (!property.IsAttribute() || !property.IsRequired()) continue;
            SCOPED_TRACE(info->QualifiedName() + "@" + property.Name());
            const std::string tag = xml.substr(0, EndOfRootTag(xml));
            const std::size_t at = tag.find(std::string(" ") + property.Name() + "=\"");
            ASSERT_NE(at, std::string::npos);
            const std::size_t end = xml.find('"', xml.find('"', at) + 1);
            EXPECT_EQ(ReadFailure(*info, xml.substr(0, at) + xml.substr(end + 1)),
                      (Chain{AttributesOf(info->ElementName()),
                             std::string("Failed to find the required Attribute [") + property.Name() + "]"}));
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(EveryClass, UnknownAttributesAndElementsAreRefused) {
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        SCOPED_TRACE(info->QualifiedName());
        std::string xml = Full(*info)->ToXml();
        const std::size_t tagEnd = EndOfRootTag(xml);
        const std::size_t attributeAt = xml[tagEnd - 1] == '/' ? tagEnd - 1 : tagEnd;
        EXPECT_EQ(ReadFailure(*info, xml.substr(0, attributeAt) + " Bogus=\"1\"" + xml.substr(attributeAt)),
                  (Chain{AttributesOf(info->ElementName()), "Unexpected Attribute [Bogus] found."}));
        const std::size_t nameAt = xml.find('<', xml.find("?>") + 2) + 1;
        const std::string rootName = xml.substr(nameAt, xml.find_first_of(" />", nameAt) - nameAt);
        const std::string withChild = xml[tagEnd - 1] == '/'
                                          ? xml.substr(0, tagEnd - 1) + "><Bogus/></" + rootName + ">\n"
                                          : xml.substr(0, xml.rfind("</")) + "<Bogus/>" + xml.substr(xml.rfind("</"));
        EXPECT_EQ(ReadFailure(*info, withChild), (Chain{ChildrenOf(info->ElementName()), Unknown("Bogus")}));
    }
}

TEST(EveryClass, CollectionsBelowTheirMinimumAreRefusedBothWays) {
    int checked = 0;
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        for (const Property& property : info->Properties()) {
            if (!property.IsCollection() || property.MinOccurs() < 1) continue;
            SCOPED_TRACE(info->QualifiedName() + "/" + property.Name());
            CSmartPtr<CXmlObjectBase> object = Full(*info);
            const std::string count = std::string("The collection [") + property.Name() +
                                      "] holds 0 item(s), fewer than the minimum of " +
                                      std::to_string(property.MinOccurs());
            EXPECT_EQ(ReadFailure(*info, WithoutChildren(object->ToXml(), property.Name())),
                      (Chain{ChildrenOf(info->ElementName()), count}));
            static_cast<LtXmlLib3::CXmlCollectionBase*>(property.GetChild(*object))->Clear();
            EXPECT_EQ(testsupport::ChainOf([&] { object->ToXml(); }), (Chain{ConvertOf(info->ElementName()), count}));
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);  // not vacuous: some collections need an item
}

TEST(EveryClass, OptionalValuesAreInvalidUntilSet) {
    for (const ClassInfo* info : VantrelLib::Reflection::Classes()) {
        CSmartPtr<CXmlObjectBase> object = info->Create();
        for (const Property& property : info->Properties()) {
            if (!property.IsAttribute() || property.IsRequired()) continue;
            SCOPED_TRACE(info->QualifiedName() + "@" + property.Name());
            EXPECT_FALSE(property.IsValid(*object));
            std::string accessor = property.Name();
            accessor[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(accessor[0])));
            const Chain chain = testsupport::ChainOf([&] { property.GetText(*object); });
            EXPECT_EQ(chain, Chain{"The Property Get" + accessor + " is not valid. Set" + accessor +
                                   " must be called first"});
            property.SetValid(*object, true);
            EXPECT_TRUE(property.IsValid(*object));
            property.SetValid(*object, false);
            EXPECT_FALSE(property.IsValid(*object));
        }
    }
}

TEST(EveryClass, BothFactoriesMakeEveryIdAndRefuseTheRest) {
    std::size_t made = 0;
    for (int id = 0; id < 100; ++id) {
        const ClassInfo* gdtInfo = VantrelLib::Reflection::FindClass(static_cast<gdt::CClassFactory::gdt_Classes>(id));
        const ClassInfo* info = VantrelLib::Reflection::FindClass(static_cast<VantrelLib::CClassFactory::VantrelLib_Classes>(id));
        try {
            auto object = gdt::CClassFactory::CreateClass(static_cast<gdt::CClassFactory::gdt_Classes>(id));
            EXPECT_EQ(VantrelLib::Reflection::ClassOf(*object), gdtInfo) << id;
            ++made;
        } catch (const CLtException& error) {
            EXPECT_EQ(gdtInfo, nullptr) << id;
            EXPECT_STREQ(error.what(), id == 0 ? "Invalid Class (NONE)" : "Unknown Class id");
        }
        try {
            auto object = VantrelLib::CClassFactory::CreateClass(static_cast<VantrelLib::CClassFactory::VantrelLib_Classes>(id));
            EXPECT_EQ(VantrelLib::Reflection::ClassOf(*object), info) << id;
            EXPECT_EQ(object->GetElementName(), info->ElementName());
            ++made;
        } catch (const CLtException& error) {
            EXPECT_EQ(info, nullptr) << id;
            EXPECT_STREQ(error.what(), id == 0 ? "Invalid Class (NONE)" : "Unknown Class id");
        }
    }
    EXPECT_EQ(made, VantrelLib::Reflection::Classes().size());
}
