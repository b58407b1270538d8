// Rules that hold for every class, checked over every class and every
// property through the reflection: a class added to the format is covered
// here without a line of its own. The schemas in schemas/ are the reference
// the declarations themselves are checked against.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <typeindex>
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
using testsupport::ChainOf;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using Chain = std::vector<std::string>;

namespace {

const std::vector<const ClassInfo*>& AllClasses() { return VantrelLib::Reflection::Classes(); }

// An object of `info` filled at random: in full (every optional part set,
// lists of two) or minimal (nothing optional, lists at their minimum).
CSmartPtr<CXmlObjectBase> Filled(const ClassInfo& info, bool full, std::uint64_t seed = 1) {
    randomtree::Options options;
    options.full = full;
    options.maxItems = full ? 2 : 0;
    options.optionalChance = 0;
    CSmartPtr<CXmlObjectBase> object = info.Create();
    randomtree::Generator(seed, options).Fill(*object);
    return object;
}

Chain ReadFailure(const ClassInfo& info, const std::string& xml) {
    return ChainOf([&] { info.Create()->FromXml(xml); });
}

// The writer puts the outermost start tag on the second line and each child
// on lines of its own, two spaces deeper a level; a value holds no raw quote.
std::size_t EndOfRootTag(const std::string& xml) { return xml.find('>', xml.find('\n')); }

// Where the outermost element's attribute `name` stands: from the space
// before it to after its closing quote.
std::pair<std::size_t, std::size_t> AttributeSpan(const std::string& xml, const std::string& name) {
    std::size_t at = xml.find_first_of(" />", xml.find('\n') + 1);
    while (xml[at] == ' ') {
        const std::size_t equals = xml.find('=', at);
        const std::size_t end = xml.find('"', equals + 2) + 1;
        if (xml.compare(at + 1, equals - at - 1, name) == 0) return {at, end};
        at = end;
    }
    ADD_FAILURE() << "no attribute " << name << " in " << xml;
    return {at, at};
}

// `xml` with the outermost element's attributes in reverse order.
std::string WithAttributesReversed(const std::string& xml) {
    const std::size_t first = xml.find_first_of(" />", xml.find('\n') + 1);
    std::size_t at = first;
    std::string reversed;
    while (xml[at] == ' ') {
        const std::size_t end = xml.find('"', xml.find('=', at) + 2) + 1;
        reversed.insert(0, xml, at, end - at);
        at = end;
    }
    return xml.substr(0, first) + reversed + xml.substr(at);
}

// `xml` without the outermost element's children named `name`.
std::string WithoutChildren(const std::string& xml, const std::string& name) {
    std::istringstream lines(xml);
    std::string out, line;
    const std::string open = "  <" + name, close = "  </" + name + ">";
    bool skipping = false;
    while (std::getline(lines, line)) {
        if (skipping) {
            skipping = line != close;
        } else if (line.rfind(open, 0) == 0 && line.find_first_of(" />", open.size()) == open.size()) {
            skipping = line.compare(line.size() - 2, 2, "/>") != 0;
        } else {
            out += line + '\n';
        }
    }
    return out;
}

// --- Declarations against the schemas ------------------------------------------

// A type as lines: "@name type [required]" per attribute, then "name type
// min..max" per element, with "choice(" and ")" around a choice's elements.
using Shape = std::vector<std::string>;

std::string Occurs(long min, long max) {
    return " " + std::to_string(min) + ".." + (max < 0 ? std::string("*") : std::to_string(max));
}

// The complex types of both schemas by name, the gdt ones as "gdt:Point"
// (the schemas give one declaration a line).
std::map<std::string, Shape> SchemaShapes() {
    std::map<std::string, Shape> attributes, elements;
    std::map<std::string, std::string> tokens;
    for (const std::string prefix : {"gdt:", ""}) {
        std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/schemas/" + (prefix.empty() ? "Vantrel" : "gdt") + ".xsd");
        EXPECT_TRUE(in.good());
        std::string line, type, simple;
        const auto value = [&](const std::string& key) {
            const std::size_t at = line.find(" " + key + "=\"");
            if (at == std::string::npos) return std::string();
            const std::size_t begin = at + key.size() + 3;
            return line.substr(begin, line.find('"', begin) - begin);
        };
        const auto typeName = [&] {
            const std::string name = value("type");
            return name.find(':') != std::string::npos ? name : prefix + name;
        };
        const auto has = [&](const char* tag) { return line.find(tag) != std::string::npos; };
        while (std::getline(in, line)) {
            if (has("<xs:complexType ")) {
                type = prefix + value("name");
                elements[type];
            } else if (has("<xs:simpleType ")) {
                simple = prefix + value("name");
            } else if (has("<xs:enumeration ")) {
                tokens[simple] += " " + value("value");
                elements["enum " + simple].push_back(value("value"));
            } else if (has("<xs:extension ")) {
                attributes[type] = attributes[prefix + value("base")];
            } else if (has("<xs:attribute ")) {
                const std::string name = typeName();
                attributes[type].push_back("@" + value("name") + " " +
                                           (tokens.count(name) ? "{" + tokens[name] + " }" : name) +
                                           (value("use") == "required" ? " required" : ""));
            } else if (has("<xs:choice>") || has("</xs:choice>")) {
                elements[type].push_back(has("</") ? ")" : "choice(");
            } else if (has("<xs:element ") && !type.empty()) {
                const std::string min = value("minOccurs"), max = value("maxOccurs");
                elements[type].push_back(value("name") + " " + typeName() +
                                         Occurs(min.empty() ? 1 : std::stol(min),
                                                max == "unbounded" ? -1 : max.empty() ? 1 : std::stol(max)));
            }
        }
    }
    for (auto& [type, shape] : elements) shape.insert(shape.begin(), attributes[type].begin(), attributes[type].end());
    return elements;
}

// A class's type name in the schemas: its name without the C.
std::string TypeKey(const ClassInfo& info) { return (info.IsGdt() ? "gdt:" : "") + std::string(info.ClassName() + 1); }

std::string ValueTypeName(const Property& property) {
    switch (property.GetType()) {
        case Property::Type::Double: return "xs:double";
        case Property::Type::Int64: return "xs:long";
        case Property::Type::UInt64: return "xs:unsignedLong";
        case Property::Type::Bool: return "xs:boolean";
        case Property::Type::String: return property.CollapsesWhitespace() ? "xs:token" : "xs:string";
        case Property::Type::Enumeration: break;
        case Property::Type::Element: return "element";
    }
    std::string names = "{";
    for (const char* token : property.Tokens()) names += std::string(" ") + token;
    return names + " }";
}

Shape ShapeOf(const ClassInfo& info) {
    const auto element = [](const Property& property, long min, long max) {
        // The polymorphic lists hold rest entries of any class.
        const ClassInfo* item = property.ItemClass();
        return std::string(property.Name()) + " " + (item ? TypeKey(*item) : "RestEntry") + Occurs(min, max);
    };
    Shape shape;
    for (const Property& property : info.Properties()) {
        if (property.IsAttribute()) {
            shape.push_back("@" + std::string(property.Name()) + " " + ValueTypeName(property) +
                            (property.IsRequired() ? " required" : ""));
        } else if (property.GetKind() == Property::Kind::Choice) {
            shape.push_back("choice(");
            for (const Property& branch : property.Branches()) shape.push_back(element(branch, 1, 1));
            shape.push_back(")");
        } else {
            shape.push_back(element(property, property.MinOccurs(), property.MaxOccurs()));
        }
    }
    return shape;
}

}  // namespace

TEST(EveryClass, IsDeclaredAsTheSchemasTypeOfItsName) {
    std::map<std::string, Shape> schema = SchemaShapes(), declared;
    for (const ClassInfo* info : AllClasses()) {
        declared[TypeKey(*info)] = ShapeOf(*info);
        EXPECT_EQ(info->ClassName() + 1, std::string(info->ElementName()));
        EXPECT_STREQ(info->Namespace(), info->IsGdt() ? VantrelLib::Framework::kGdtNamespace : "");
    }
    // Enumerations: "gdt::CEnumerations::RSymmetry" is the simple type gdt:Symmetry.
    for (const VantrelLib::Framework::EnumTable* table : VantrelLib::Reflection::Enumerations()) {
        const std::string name = table->QualifiedName();
        Shape& tokens = declared["enum " + std::string(name.rfind("gdt::", 0) == 0 ? "gdt:" : "") +
                                 name.substr(name.rfind(":R") + 2)];
        for (int value = 0; value < table->Count(); ++value) tokens.push_back(table->Token(value));
    }
    for (const auto& [type, shape] : schema) EXPECT_EQ(declared[type], shape) << type;
    EXPECT_EQ(declared.size(), schema.size());
}

// A minimal instance without one of its required attributes, children or
// items is refused, naming it; so is a value not of its type, while one with
// whitespace around it is read. A list below its minimum is not written, and
// a required child is never null.
TEST(EveryClass, RefusesWhatIsMissingOrMalformed) {
    int required = 0;
    for (const ClassInfo* info : AllClasses()) {
        const CSmartPtr<CXmlObjectBase> minimal = Filled(*info, false);
        const std::string xml = minimal->ToXml(), full = Filled(*info, true)->ToXml();
        const std::string element = info->ElementName();
        for (const Property& property : info->Properties()) {
            const std::string name = property.Name();
            SCOPED_TRACE(info->QualifiedName() + " " + name);
            const std::string tooFew = "The collection [" + name + "] holds 0 item(s), fewer than the minimum of " +
                                       std::to_string(property.MinOccurs());
            if (property.IsAttribute() && property.IsRequired()) {
                const auto [begin, end] = AttributeSpan(xml, name);
                EXPECT_EQ(ReadFailure(*info, xml.substr(0, begin) + xml.substr(end)),
                          (Chain{AttributesOf(element), "Failed to find the required Attribute [" + name + "]"}));
                ++required;
            } else if (property.GetKind() == Property::Kind::RequiredChild) {
                EXPECT_EQ(ReadFailure(*info, WithoutChildren(xml, name)),
                          (Chain{ChildrenOf(element), "Failed to find a required element [" + name + "]"}));
                CXmlObjectBase* held = property.GetChild(*minimal);
                EXPECT_EQ(ChainOf([&] { property.SetChild(*minimal, nullptr); }),
                          Chain{"The property [" + name + "] cannot be set to null"});
                EXPECT_EQ(property.GetChild(*minimal), held);
                ++required;
            } else if (property.IsCollection() && property.MinOccurs() > 0) {
                EXPECT_EQ(ReadFailure(*info, WithoutChildren(xml, name)), (Chain{ChildrenOf(element), tooFew}));
                CSmartPtr<CXmlObjectBase> emptied = Filled(*info, false);
                static_cast<LtXmlLib3::CXmlCollectionBase*>(property.GetChild(*emptied))->Clear();
                EXPECT_EQ(ChainOf([&] { emptied->ToXml(); }), (Chain{ConvertOf(element), tooFew}));
                ++required;
            }
            if (!property.IsAttribute() || property.GetType() == Property::Type::String) continue;
            const std::pair<std::size_t, std::size_t> span = AttributeSpan(full, name);
            const std::size_t begin = span.first, end = span.second;
            const std::string text = full.substr(begin + name.size() + 3, end - begin - name.size() - 4);
            const auto with = [&](const std::string& value) {
                return full.substr(0, begin) + " " + name + "=\"" + value + "\"" + full.substr(end);
            };
            CSmartPtr<CXmlObjectBase> read = info->Create();
            read->FromXml(with(" " + text + "\t"));
            EXPECT_EQ(property.GetText(*read), text);
            const Chain chain = ReadFailure(*info, with("#"));
            const std::string type = ValueTypeName(property).substr(3), subject = "] of attribute [" + name + "] is ";
            if (property.GetType() == Property::Type::Enumeration) {
                ASSERT_EQ(chain.size(), 2u);
                EXPECT_EQ(chain[0], AttributesOf(element));
                EXPECT_TRUE(chain[1].rfind("Unknown enumeration value for ", 0) == 0 &&
                            chain[1].find(" [#]") == chain[1].size() - 4)
                    << chain[1];
            } else {
                EXPECT_EQ(chain, (Chain{AttributesOf(element), "The value [#" + subject + "not a valid " + type}));
            }
            const std::string huge = "-99999999999999999999";
            if (type == "long" || type == "unsignedLong") {
                EXPECT_EQ(ReadFailure(*info, with(huge)),
                          (Chain{AttributesOf(element), "The value [" + huge + subject + "out of range for " + type}));
            }
        }
    }
    EXPECT_GT(required, 50);  // not vacuous
}

TEST(EveryClass, RefusesUnknownAttributesAndElements) {
    for (const ClassInfo* info : AllClasses()) {
        SCOPED_TRACE(info->QualifiedName());
        const std::string xml = Filled(*info, true)->ToXml(), element = info->ElementName();
        const std::size_t tagEnd = EndOfRootTag(xml), nameAt = xml.find('<', xml.find('\n')) + 1;
        const std::string written = xml.substr(nameAt, xml.find_first_of(" />", nameAt) - nameAt);  // gdt:Point
        const bool empty = xml[tagEnd - 1] == '/';
        const std::size_t at = empty ? tagEnd - 1 : tagEnd;
        const auto withAttribute = [&](const std::string& name) {
            return xml.substr(0, at) + " " + name + "=\"1\"" + xml.substr(at);
        };
        EXPECT_EQ(ReadFailure(*info, withAttribute("Bogus")),
                  (Chain{AttributesOf(element), "Unexpected Attribute [Bogus] found."}));
        // Names are case-sensitive.
        for (const Property& property : info->Properties()) {
            if (!property.IsAttribute()) continue;
            std::string other = property.Name();
            other[0] = static_cast<char>(other[0] ^ 0x20);
            EXPECT_EQ(ReadFailure(*info, withAttribute(other)),
                      (Chain{AttributesOf(element), "Unexpected Attribute [" + other + "] found."}));
        }
        const std::string withChild = empty ? xml.substr(0, tagEnd - 1) + "><Bogus/></" + written + ">\n"
                                            : xml.substr(0, xml.rfind("</")) + "<Bogus/>" + xml.substr(xml.rfind("</"));
        EXPECT_EQ(ReadFailure(*info, withChild), (Chain{ChildrenOf(element), testsupport::Unknown("Bogus")}));
    }
}

// Optional values are unset after Init and after reading a text without
// them, set by Set, and reset to their default by a change of validity; a
// read replaces everything an object held but leaves a child held elsewhere alone.
TEST(EveryClass, OptionalValuesAreUnsetUntilSetAndReadingReplacesAll) {
    for (const ClassInfo* info : AllClasses()) {
        const CSmartPtr<CXmlObjectBase> fresh = info->Create(), full = Filled(*info, true, 2);
        const CSmartPtr<CXmlObjectBase> minimal = Filled(*info, false, 3);
        for (bool shared : {false, true}) {
            CSmartPtr<CXmlObjectBase> read = Filled(*info, true, 4);
            std::vector<std::pair<CSmartPtr<CXmlObjectBase>, std::string>> held;
            for (const Property& property : info->Properties())
                if (shared && property.GetKind() == Property::Kind::RequiredChild)
                    held.emplace_back(property.GetChild(*read), property.GetChild(*read)->ToXml());
            read->FromXml(minimal->ToXml());
            EXPECT_TRUE(treecompare::Equal(*minimal, *read)) << info->QualifiedName();
            for (auto& [child, text] : held) EXPECT_EQ(child->ToXml(), text) << info->QualifiedName();
        }
        for (const Property& property : info->Properties()) {
            SCOPED_TRACE(info->QualifiedName() + " " + property.Name());
            if (property.GetKind() == Property::Kind::OptionalChild) {
                EXPECT_EQ(property.GetChild(*fresh), nullptr);
            } else if (property.GetKind() == Property::Kind::RequiredChild || property.IsCollection()) {
                EXPECT_EQ(property.GetChild(*fresh)->GetElementName(), property.Name());
            }
            if (!property.IsAttribute() || property.IsRequired()) continue;
            std::string accessor = property.Name();
            accessor[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(accessor[0])));
            EXPECT_FALSE(property.IsValid(*fresh));
            EXPECT_EQ(ChainOf([&] { property.GetText(*fresh); }),
                      Chain{"The Property Get" + accessor + " is not valid. Set" + accessor + " must be called first"});
            property.SetText(*fresh, property.GetText(*full));
            property.SetValid(*fresh, true);  // no change: the value stays
            EXPECT_EQ(property.GetText(*fresh), property.GetText(*full));
            property.SetValid(*fresh, false);
            EXPECT_FALSE(property.IsValid(*fresh));
            // Valid again with the default; a failed conversion leaves it so too.
            const bool text = property.GetType() == Property::Type::String;
            if (text)
                property.SetValid(*fresh, true);
            else
                EXPECT_THROW(property.SetText(*fresh, "#"), CLtException);
            const Property::Type type = property.GetType();
            EXPECT_EQ(property.GetText(*fresh), text                                 ? ""
                                                : type == Property::Type::Bool        ? "false"
                                                : type == Property::Type::Enumeration ? property.Tokens()[0]
                                                                                      : "0");
        }
    }
}

// Random instances of every class, and random documents, come back from
// their text with the same values, bit for bit, and the same text, whatever
// the order of the attributes.
TEST(EveryClass, RandomInstancesRoundTripBitForBit) {
    const auto expectRoundTrip = [](CXmlObjectBase& object, const std::string& what) {
        const std::string text = object.ToXml();
        const ClassInfo* info = VantrelLib::Reflection::ClassOf(object);
        CSmartPtr<CXmlObjectBase> read = info->Create(), reversed = info->Create();
        read->FromXml(text);
        EXPECT_TRUE(treecompare::Equal(object, *read)) << what;
        EXPECT_EQ(read->ToXml(), text) << what;
        reversed->FromXml(WithAttributesReversed(text));
        EXPECT_TRUE(treecompare::Equal(object, *reversed)) << what << " reversed";
    };
    for (const ClassInfo* info : AllClasses()) {
        for (std::uint64_t seed = 1; seed <= 4; ++seed) {
            randomtree::Options options;
            options.full = seed == 4;
            CSmartPtr<CXmlObjectBase> object = info->Create();
            randomtree::Generator(seed * 7919, options).Fill(*object);
            expectRoundTrip(*object, info->QualifiedName() + " seed " + std::to_string(seed));
        }
    }
    for (std::uint64_t seed = 1; seed <= 200 && !HasFailure(); ++seed) {
        randomtree::Options options;
        options.full = seed % 50 == 0;
        options.maxItems = 1 + static_cast<int>(seed % 4);
        options.optionalChance = static_cast<double>(seed % 5) / 4.0;
        expectRoundTrip(*randomtree::RandomVantrel(seed, options), "document seed " + std::to_string(seed));
    }
}

// The random trees hold what the round trips rely on: every rest entry class
// in the polymorphic lists, both branches, special doubles, escaped text.
TEST(EveryClass, RandomTreesHoldTheHardForms) {
    std::string all;
    for (std::uint64_t seed = 1; seed <= 100; ++seed) all += randomtree::RandomVantrel(seed)->ToXml();
    for (const char* form : {"xs:type=\"RestEntry\"", "xs:type=\"TankEntry\"", "xs:type=\"ContainerEntry\"", "<Factor",
                             "<Wave", "\"NaN\"", "\"INF\"", "\"-INF\"", "\"-0\"", "&#10;", "&#13;", "&#9;", "&amp;",
                             "&lt;", "&quot;", "\xF0\x9D\x84\x9E", "18446744073709551615", "-9223372036854775808"})
        EXPECT_NE(all.find(form), std::string::npos) << form;
}

// Each factory makes every class of its ids, named after its element or as
// asked, and a collection of every collection id, with the limits asked; it
// refuses every other id.
TEST(EveryClass, BothFactoriesMakeEveryIdAndRefuseTheRest) {
    // The collections the classes hold, by type.
    std::map<std::type_index, const Property*> held;
    for (const ClassInfo* info : AllClasses()) {
        CSmartPtr<CXmlObjectBase> object = info->Create();
        for (const Property& property : info->Properties())
            if (property.IsCollection()) {
                const CXmlObjectBase& collection = *property.GetChild(*object);
                held.emplace(typeid(collection), &property);
            }
    }
    std::size_t classes = 0;
    std::set<std::type_index> collections;
    const auto check = [&](auto factory, int id, const ClassInfo* info) {
        using Factory = decltype(factory);
        using Id = decltype(Factory::NONE);
        const auto refused = [&](const Chain& chain, const char* unknown) {
            EXPECT_EQ(chain, Chain{id == 0 ? "Invalid Class (NONE)" : unknown}) << id;
        };
        if (info != nullptr) {
            EXPECT_EQ(VantrelLib::Reflection::ClassOf(*Factory::CreateClass(Id(id))), info);
            EXPECT_EQ(Factory::CreateClass(Id(id))->GetElementName(), info->ElementName());
            EXPECT_EQ(Factory::CreateClass(Id(id), "Named")->GetElementName(), "Named");
            ++classes;
        } else {
            refused(ChainOf([&] { Factory::CreateClass(Id(id)); }), "Unknown Class id");
        }
        CSmartPtr<LtXmlLib3::CXmlCollectionBase> made;
        try {
            made = Factory::CreateClassCollection(Id(id), "Item", 1, 2);
        } catch (const CLtException& error) {
            refused(testsupport::Chain(error), "Unknown Collection Class id");
            return;
        }
        const CXmlObjectBase& collection = *made;
        const auto found = held.find(typeid(collection));
        ASSERT_NE(found, held.end()) << id;
        collections.insert(found->first);
        auto& list = dynamic_cast<VantrelLib::Framework::CCollection&>(*made);
        const std::string counts = "The collection [Item] holds ";
        EXPECT_EQ(ChainOf([&] { list.ValidateCount(); }), Chain{counts + "0 item(s), fewer than the minimum of 1"});
        const ClassInfo* item = found->second->ItemClass();
        for (int i = 0; i < 3; ++i)
            list.AddObject((item ? item : VantrelLib::Reflection::PolymorphicTypes()[0])->Create());
        EXPECT_EQ(list.ItemObject(2)->GetElementName(), "Item");
        EXPECT_EQ(ChainOf([&] { list.ValidateCount(); }), Chain{counts + "3 item(s), more than the maximum of 2"});
    };
    for (int id = 0; id < 100; ++id) {
        check(gdt::CClassFactory(), id,
              VantrelLib::Reflection::FindClass(static_cast<gdt::CClassFactory::gdt_Classes>(id)));
        check(VantrelLib::CClassFactory(), id,
              VantrelLib::Reflection::FindClass(static_cast<VantrelLib::CClassFactory::VantrelLib_Classes>(id)));
    }
    EXPECT_EQ(classes, AllClasses().size());
    EXPECT_EQ(collections.size(), held.size());
}

// The number conversions on random bit patterns: doubles come back with the
// same bits (any NaN as a NaN), integers exactly, over their whole ranges.
TEST(EveryValue, NumbersRoundTripThroughText) {
    using LtXmlLib3::CConversions;
    std::mt19937_64 engine(42);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = engine();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        const double back = CConversions::r8FromString(CConversions::r8ToString(value), 2);
        ASSERT_TRUE(std::isnan(value) ? std::isnan(back) : treecompare::Bits(back) == bits) << value;
        const auto signedValue = static_cast<std::int64_t>(bits);
        ASSERT_EQ(CConversions::i8FromString(CConversions::i8ToString(signedValue), 2), signedValue);
        ASSERT_EQ(CConversions::ui8FromString(CConversions::ui8ToString(bits), 2), bits);
    }
}
