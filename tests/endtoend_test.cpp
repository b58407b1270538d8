// Whole documents, end to end: the bundled sample text byte for byte, a
// document holding every class and optional value through a file, faults deep
// in a document with their whole chain and positions, and the root's own reading.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "RandomTree.h"
#include "SampleShip.h"
#include "TestSupport.h"
#include "TreeCompare.h"

namespace {

using namespace VantrelLib;
using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChildrenOf;

const std::string kSamplePath = std::string(VANTREL_SOURCE_DIR) + "/examples/ship.xml";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The sample without the one occurrence of `part`.
std::string SampleWithout(const std::string& part) {
    std::string text = ReadText(kSamplePath);
    const std::size_t at = text.find(part);
    EXPECT_TRUE(at != std::string::npos && text.find(part, at + 1) == std::string::npos) << part;
    return at == std::string::npos ? text : text.erase(at, part.size());
}

// A fault deep in the sample: the attribute removed, and each level of the
// chain below the root's as "line:column: message" of the element it is about.
struct FaultCase {
    const char* removed;
    std::vector<std::string> levels;
};
const FaultCase kFaults[] = {
    {" y=\"12600\"",  // of the maxima at the sixth longitudinal position
     {"64:3: " + ChildrenOf("LoadcaseData"), "74:5: " + ChildrenOf("LoadEnvelopes"),
      "95:7: " + ChildrenOf("LongitudinalPosition"), "97:9: " + AttributesOf("MaxForces"),
      "97:9: Failed to find the required Attribute [y]"}},
    {" to=\"0.95\"",  // of a range of a factor selection
     {"291:3: " + ChildrenOf("Hydrodynamic"), "292:5: " + ChildrenOf("MassDistribution"),
      "297:7: " + ChildrenOf("Select"), "310:9: " + ChildrenOf("SelectEntry"), "311:11: " + ChildrenOf("Factor"),
      "313:13: " + AttributesOf("RangeXLpp"), "313:13: Failed to find the required Attribute [to]"}},
    {" SpecificWeight=\"2.3\"",  // of a rest entry typed as a tank entry
     {"105:3: " + ChildrenOf("Masses"), "248:5: " + ChildrenOf("MassAssembled"),
      "249:7: " + ChildrenOf("AssembledEntry"), "256:9: " + AttributesOf("BoxEntry"),
      "256:9: Failed to find the required Attribute [SpecificWeight]"}},
};

std::string Expected(const FaultCase& fault, const std::string& path) {
    std::string text = path + ":2:1: " + ChildrenOf("Vantrel") + "\n";
    for (const std::string& level : fault.levels) text += path + ":" + level + "\n";
    return text;
}

}  // namespace

TEST(EndToEndSample, IsWrittenAgainByteForByte) {
    const std::string text = ReadText(kSamplePath);
    ASSERT_FALSE(text.empty());
    CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
    ship->FromXml(text);
    EXPECT_EQ(ship->ToXml(), text);
    const CSmartPtr<CVantrel> built = VantrelSample::BuildSampleShip();
    EXPECT_EQ(built->ToXml(), text) << "examples/ship.xml and BuildSampleShip() have drifted apart";
    EXPECT_TRUE(treecompare::Equal(*built, *ship));
}

// What a full tree lacks: each optional attribute or child not set, each list
// left empty; and the classes it holds.
void Completeness(const LtXmlLib3::CXmlObjectBase& object, const std::string& path, std::vector<std::string>& lacking,
                  std::set<std::string>& classes) {
    const auto* info = VantrelLib::Reflection::ClassOf(object);
    classes.insert(info->ClassName());
    for (const VantrelLib::Reflection::Property& property : info->Properties()) {
        const std::string at = path + "/" + property.Name();
        if (property.IsAttribute() ? !property.IsValid(object)
                                   : property.IsCollection() ? property.Count(object) == 0 : !property.GetChild(object))
            lacking.push_back(at);
        if (!property.IsAttribute())
            for (const LtXmlLib3::CXmlObjectBase* child : property.Children(object))
                Completeness(*child, at, lacking, classes);
    }
}

TEST(EndToEndFullDocument, EveryClassAndValueSurvivesAFile) {
    randomtree::Options full;
    full.full = true;
    const std::string path = VANTREL_BINARY_DIR "/endtoend_full.xml";
    for (std::uint64_t seed = 1; seed <= 3; ++seed) {
        const CSmartPtr<CVantrel> built = randomtree::RandomVantrel(seed, full);
        built->ToXmlFile(path);
        CSmartPtr<CVantrel> read = CVantrel::CreateInstance();
        read->FromXmlFile(path);
        EXPECT_EQ(ReadText(path), built->ToXml());
        EXPECT_TRUE(treecompare::Equal(*built, *read));
        std::vector<std::string> lacking;
        std::set<std::string> classes;
        Completeness(*built, "", lacking, classes);
        EXPECT_EQ(lacking, std::vector<std::string>());
        EXPECT_EQ(classes, treecompare::AllClassNames());
    }
    std::remove(path.c_str());
}

// Every level of the chain is a validation fault carrying the position of its
// element, whether the text comes from memory or from a file.
TEST(EndToEndFaults, ADeepFaultReachesTheCallerWithItsWholeChainAndPositions) {
    const std::string path = VANTREL_BINARY_DIR "/endtoend_fault.xml";
    for (const FaultCase& fault : kFaults) {
        SCOPED_TRACE(fault.removed);
        const std::string document = SampleWithout(fault.removed);
        std::ofstream(path, std::ios::binary) << document;
        for (const bool fromFile : {false, true}) {
            CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
            try {
                fromFile ? root->FromXmlFile(path) : root->FromXml(document);
                ADD_FAILURE() << "no exception";
            } catch (const CLtException& error) {
                for (const CLtException* level = &error; level != nullptr; level = level->GetInnerException())
                    EXPECT_NE(dynamic_cast<const LtXmlLib3::CLtValidationException*>(level), nullptr) << level->what();
                EXPECT_EQ(error.FormatChain(fromFile ? path : "doc"), Expected(fault, fromFile ? path : "doc"));
            }
        }
    }
    std::remove(path.c_str());
}

// A read into a root holding every optional value leaves nothing of them.
TEST(EndToEndRoot, AReadReplacesEverythingTheRootHeld) {
    randomtree::Options full;
    full.full = true;
    for (const std::string& text :
         {std::string("<Vantrel schemaVersion=\"2\"><Hydrodynamic/></Vantrel>"), ReadText(kSamplePath)}) {
        CSmartPtr<CVantrel> root = randomtree::RandomVantrel(1, full), fresh = CVantrel::CreateInstance();
        root->FromXml(text);
        fresh->FromXml(text);
        EXPECT_TRUE(treecompare::Equal(*fresh, *root));
        EXPECT_EQ(root->ToXml(), fresh->ToXml());
    }
}

TEST(EndToEndRoot, ADocumentElementOfAnyNameIsReadAndWrittenUnderIt) {
    std::string text = ReadText(kSamplePath);
    text.replace(text.rfind("</Vantrel>"), 10, "</ShipData>");
    text.replace(text.find("<Vantrel "), 8, "<ShipData");
    CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
    root->FromXml(text);
    EXPECT_EQ(root->GetElementName(), "ShipData");
    EXPECT_EQ(root->ToXml(), text);
}
