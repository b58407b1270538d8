// Whole documents, end to end: a document with every class and every optional
// property, built with values that are hard to carry through text, written
// and read back value by value; the bundled sample file; faults deep in a
// document with their whole chain of messages and lines; and the root's own
// behaviour when reading.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>

#include <VantrelLib/VantrelLib.h>

#include "SampleShip.h"
#include "TestSupport.h"
#include "TreeCompare.h"

namespace {

using namespace VantrelLib;
using LtXmlLib3::CLtException;
using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChildrenOf;
using treecompare::Differences;
using treecompare::AllClassNames;
using treecompare::TreeComparer;

const std::string kSamplePath = std::string(VANTREL_SOURCE_DIR) + "/examples/ship.xml";

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

// A scratch file in the build tree, named after the running test.
std::string ScratchPath(const std::string& suffix) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(VANTREL_BINARY_DIR) + "/endtoend_" + test->test_suite_name() + "_" + test->name() + suffix;
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + '\n';
    return text;
}

// ---------------------------------------------------------------------------
// A document with every class and every optional property set, its values
// taken in turn from lists of values that text does not carry easily.

class HardValues {
public:
    double Double() { return Next(kDoubles, m_double); }
    std::int64_t Int64() { return Next(kInt64s, m_int64); }
    std::uint64_t UInt64() { return Next(kUInt64s, m_uint64); }
    std::string Text() { return Next(kTexts, m_text); }
    bool Bool() { return (m_bool++ % 2) == 0; }

    // True once every value of every list has been handed out at least once.
    bool AllHandedOut() const {
        return m_double >= std::size(kDoubles) && m_int64 >= std::size(kInt64s) && m_uint64 >= std::size(kUInt64s) &&
               m_text >= std::size(kTexts) && m_bool >= 2;
    }

private:
    template <class T, std::size_t N>
    static T Next(const T (&list)[N], std::size_t& index) {
        return list[index++ % N];
    }

    static constexpr double kDoubles[] = {
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        -0.0,
        std::numeric_limits<double>::max(),                 // the largest finite
        -std::numeric_limits<double>::max(),
        std::numeric_limits<double>::denorm_min(),          // the smallest subnormal
        std::numeric_limits<double>::min() - std::numeric_limits<double>::denorm_min(),  // the largest subnormal
        -std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::min(),                 // the smallest normal
        0.1,
        -1.0 / 3.0,
        1e23,                                                // shortest text "1e+23", not 9.999...e22
        9007199254740993.0,                                  // 2^53 + 1, rounds to 2^53
        123456.789,
        0.0,
    };
    static constexpr std::int64_t kInt64s[] = {std::numeric_limits<std::int64_t>::min(),
                                               std::numeric_limits<std::int64_t>::max(), -1, 0, 42};
    static constexpr std::uint64_t kUInt64s[] = {std::numeric_limits<std::uint64_t>::max(), 0, 1};
    static inline const std::string kTexts[] = {
        "\ttab\tseparated\t",
        "line one\nline two\n",
        "carriage\r\nreturn\r",
        "  leading and trailing  ",
        "<markup> & \"quotes\" 'apostrophes' ]]> &amp; &#65;",
        "\xC3\x86r\xC3\xB8, G\xC3\xB6teborg, \xE6\x97\xA5\xE6\x9C\xAC\xE4\xB8\xB8, \xF0\x9F\x9A\xA2",  // Ærø, Göteborg, 日本丸, 🚢
        "",
        "   ",
        " \t mixed \r\n whitespace \n\t ",
    };

    std::size_t m_double = 0, m_int64 = 0, m_uint64 = 0, m_text = 0, m_bool = 0;
};

void Fill(gdt::CPoint* point, HardValues& v) {
    point->SetX(v.Double());
    point->SetY(v.Double());
    point->SetZ(v.Double());
}
void Fill(gdt::CRangeDouble* range, HardValues& v) {
    range->SetFrom(v.Double());
    range->SetTo(v.Double());
}
void Fill(gdt::CBox* box, HardValues& v) {
    Fill(box->GetMin(), v);
    Fill(box->GetMax(), v);
}
void Fill(gdt::CFrame* frame, HardValues& v) {
    frame->SetId(v.Text());
    frame->SetCoordinate(v.Double());
}
void Fill(gdt::CLoadcase* loadcase, HardValues& v) {
    loadcase->SetLoadcaseId(v.UInt64());
    loadcase->SetName(v.Text());
}
CSmartPtr<gdt::CAttachedFile> NewAttachedFile(HardValues& v) {
    CSmartPtr<gdt::CAttachedFile> file = gdt::CAttachedFile::CreateInstance();
    file->SetAbsolutePath(v.Text());
    file->SetRelativePath(v.Text());
    return file;
}
void Fill(CMassNodeSelectionData* selection, CEnumerations::RMassNodeSelection how, HardValues& v) {
    selection->SetUseSelected(how);
    selection->SetAttribute(v.Text());
}
template <class Entry>
CSmartPtr<Entry> NewRestEntry(HardValues& v) {
    CSmartPtr<Entry> entry = Entry::CreateInstance();
    entry->SetValue(v.Double());
    entry->SetFix(v.Bool());
    entry->SetMassId(v.Int64());
    return entry;
}
CSmartPtr<CContainerEntry> NewContainerEntry(HardValues& v) {
    CSmartPtr<CContainerEntry> entry = NewRestEntry<CContainerEntry>(v);
    entry->SetCoGzParameter(v.Double());
    return entry;
}
CSmartPtr<CTankEntry> NewTankEntry(HardValues& v) {
    CSmartPtr<CTankEntry> entry = NewRestEntry<CTankEntry>(v);
    entry->SetSpecificWeight(v.Double());
    return entry;
}

CSmartPtr<CGeneralData> FullGeneralData(HardValues& v) {
    CSmartPtr<CGeneralData> general = CGeneralData::CreateInstance();
    CSmartPtr<CPrincipalDimension> d = CPrincipalDimension::CreateInstance();
    for (void (CPrincipalDimension::*set)(double) :
         {&CPrincipalDimension::SetLpp, &CPrincipalDimension::SetB, &CPrincipalDimension::SetH,
          &CPrincipalDimension::SetTmax, &CPrincipalDimension::SetCb, &CPrincipalDimension::SetVmax,
          &CPrincipalDimension::SetLightShipWeight, &CPrincipalDimension::SetDeadWeight,
          &CPrincipalDimension::SetBMHogging, &CPrincipalDimension::SetBMSagging, &CPrincipalDimension::SetL,
          &CPrincipalDimension::SetLwl})
        ((*d).*set)(v.Double());
    general->SetPrincipalDimension(d);

    CSmartPtr<CGeneralConstants> c = CGeneralConstants::CreateInstance();
    c->SetRho(v.Double());
    c->SetGravitationalConstant(v.Double());
    c->SetNeutralFibre(v.Double());
    c->SetShearCentre(v.Double());
    general->SetGeneralConstants(c);

    CSmartPtr<CAttachedFiles> files = CAttachedFiles::CreateInstance();
    files->SetFrameTable(NewAttachedFile(v));
    files->SetFiniteElement(NewAttachedFile(v));
    files->SetHullformDescription(NewAttachedFile(v));
    files->SetFiniteElementExport(NewAttachedFile(v));
    general->SetAttachedFiles(files);

    CSmartPtr<CFrameTableData> frames = CFrameTableData::CreateInstance();
    frames->SetKeepAft(v.Bool());
    frames->SetSpacingSign(v.Int64());
    for (auto mould : {gdt::CEnumerations::RDirection_Aft, gdt::CEnumerations::RDirection_Forward}) {
        CSmartPtr<CFrameTableEntry> entry = frames->GetFrameEntry()->Add();
        entry->SetNo(v.Double());
        entry->SetSpacing(v.Double());
        entry->SetMould(mould);
    }
    Fill(frames->GetFrameNoPP1(), v);
    Fill(frames->GetFrameNoPP2(), v);
    general->SetFrameTable(frames);
    return general;
}

CSmartPtr<CLoadcaseData> FullLoadcaseData(HardValues& v) {
    CSmartPtr<CLoadcaseData> loadcases = CLoadcaseData::CreateInstance();
    CSmartPtr<CLoadcaseInputData> input = CLoadcaseInputData::CreateInstance();
    input->SetLoadComponent(CEnumerations::RLoadComponents_BMmaxZ);
    input->SetNoOfIntervals(v.UInt64());
    input->SetIsHalfModel(v.Bool());
    Fill(input->GetBaseLoadCase(), v);
    for (int i = 0; i < 3; ++i) Fill(input->GetUnitLoadCase()->Add(), v);
    Fill(input->GetOrigin(), v);
    loadcases->SetLoadcaseInput(input);

    CSmartPtr<CLoadEnvelopeData> envelopes = CLoadEnvelopeData::CreateInstance();
    for (int i = 0; i < 2; ++i) {
        CSmartPtr<CLongitudinalPosition> position = envelopes->GetLongitudinalPosition()->Add();
        position->SetXPosition(v.Double());
        for (CLoadEnvelopeForce* forces : {position->GetMinForces().get(), position->GetMaxForces().get()}) {
            forces->SetX(v.Double());
            forces->SetY(v.Double());
            forces->SetZ(v.Double());
            forces->SetXx(v.Double());
            forces->SetYy(v.Double());
            forces->SetZz(v.Double());
        }
    }
    loadcases->SetLoadEnvelopes(envelopes);
    return loadcases;
}

CSmartPtr<CMasses> FullMasses(HardValues& v) {
    CSmartPtr<CMasses> masses = CMasses::CreateInstance();

    CSmartPtr<CMassBoxes> boxes = CMassBoxes::CreateInstance();
    for (auto how : {CEnumerations::RMassNodeSelection_Hard, CEnumerations::RMassNodeSelection_Selection}) {
        CSmartPtr<CMassBoxData> item = boxes->GetBoxEntry()->Add();
        item->SetId(v.Double());
        item->SetTitle(v.Text());
        item->SetMass(v.Double());
        Fill(item->GetInterval()->Add(), v);
        Fill(item->GetInterval()->Add(), v);
        Fill(item->GetCoG(), v);
        Fill(item->GetNodeSelection(), how, v);
    }
    masses->SetMassBoxes(boxes);

    CSmartPtr<CMassElementGroups> groups = CMassElementGroups::CreateInstance();
    for (int i = 0; i < 3; ++i) {
        CSmartPtr<CElementgroupData> group = groups->GetElementGroupEntry()->Add();
        group->SetId(v.Int64());
        group->SetTitle(v.Text());  // collapsed by the setter; compared as stored
        group->SetBuoyancy(v.Bool());
    }
    masses->SetMassElementGroups(groups);

    CSmartPtr<CMassTanks> tanks = CMassTanks::CreateInstance();
    for (auto code : {CEnumerations::RMassInputCode_In_Box, CEnumerations::RMassInputCode_TWE}) {
        CSmartPtr<CMassTankData> tank = tanks->GetTankEntry()->Add();
        tank->SetId(v.Int64());
        tank->SetTitle(v.Text());
        tank->SetInputCode(code);
        tank->SetRequiredVolume(v.Double());
        Fill(tank->GetNodeSelection(), CEnumerations::RMassNodeSelection_Selection, v);
        Fill(tank->GetInterval()->Add(), v);
        Fill(tank->GetInterval()->Add(), v);
    }
    masses->SetMassTanks(tanks);

    CSmartPtr<CMassContainer> containers = CMassContainer::CreateInstance();
    for (int i = 0; i < 2; ++i) {
        CSmartPtr<CMassContainerData> block = containers->GetContainerEntry()->Add();
        block->SetId(v.Int64());
        block->SetTitle(v.Text());
        block->SetCoGx(v.Double());
        Fill(block->GetAft(), v);
        Fill(block->GetForward(), v);
        for (auto symmetry : {gdt::CEnumerations::RSymmetry_P, gdt::CEnumerations::RSymmetry_S,
                              gdt::CEnumerations::RSymmetry_P_S}) {
            CSmartPtr<CRow> row = block->GetRow()->Add();
            row->SetNumber(v.Int64());
            row->SetSymmetry(symmetry);
            row->SetTierUpper(v.Double());
            row->SetTierLower(v.Double());
            row->SetCoGyVertical(v.Double());
            row->SetCoGyHorizontal(v.Double());
            row->SetGuidedAft(v.Bool());
            row->SetGuidedForward(v.Bool());
        }
    }
    masses->SetMassContainer(containers);

    // Each polymorphic list holds all three classes of rest entry.
    CSmartPtr<CMassAssembled> assembled = CMassAssembled::CreateInstance();
    for (int i = 0; i < 2; ++i) {
        CSmartPtr<CMassAssembledData> item = assembled->GetAssembledEntry()->Add();
        item->SetId(v.Int64());
        item->SetTitle(v.Text());
        item->SetMass(v.Double());
        Fill(item->GetCoG(), v);
        item->GetContainerEntry()->Add(NewContainerEntry(v));
        item->GetContainerEntry()->Add(NewContainerEntry(v));
        item->GetTankEntry()->Add(NewTankEntry(v));
        item->GetTankEntry()->Add(NewTankEntry(v));
        for (CIRestEntryCol* list : {item->GetBoxEntry().get(), item->GetElementgroupEntry().get(),
                                     item->GetAssembledEntry().get()}) {
            list->Add(NewTankEntry(v));
            list->Add(NewRestEntry<CRestEntry>(v));
            list->Add(NewContainerEntry(v));
        }
    }
    masses->SetMassAssembled(assembled);
    return masses;
}

CSmartPtr<CHydrodynamic> FullHydrodynamic(HardValues& v) {
    CSmartPtr<CHydrodynamic> hydrodynamic = CHydrodynamic::CreateInstance();
    for (int i = 0; i < 2; ++i) {
        CSmartPtr<CHydroData> set = hydrodynamic->GetMassDistribution()->Add();
        set->SetId(v.Int64());
        set->SetMassAssembledIdRef(v.Int64());
        for (int j = 0; j < 2; ++j) {
            CSmartPtr<CHydroScanBlockEntry> block = set->GetScan()->GetScanBlock()->Add();
            block->SetId(v.Int64());
            block->SetWaveHeight(v.Text());
            block->SetShipsSpeed(v.Text());
            block->SetHeelingAngle(v.Text());
            block->SetWaveLengthLpp(v.Text());
            block->SetAnglesOfEncounter(v.Text());
            block->SetWavePhase(v.Text());
        }
        CSmartPtr<CHydroSelectEntry> factorEntry = set->GetSelect()->GetSelectEntry()->Add();
        factorEntry->SetTitle(v.Text());
        factorEntry->SetType(i == 0 ? CEnumerations::RHydroSelectType_Max : CEnumerations::RHydroSelectType_Min);
        CSmartPtr<CHydroSelectFactorEntry> factor = CHydroSelectFactorEntry::CreateInstance();
        factor->SetShearHorizontal(v.Double());
        factor->SetShearVertical(v.Double());
        factor->SetTorsion(v.Double());
        factor->SetBendingMomentHorizontal(v.Double());
        factor->SetBendingMomentVertical(v.Double());
        Fill(factor->GetRangeDirection(), v);
        Fill(factor->GetRangeXLpp(), v);
        factorEntry->SetFactor(factor);

        CSmartPtr<CHydroSelectEntry> waveEntry = set->GetSelect()->GetSelectEntry()->Add();
        waveEntry->SetTitle(v.Text());
        waveEntry->SetType(CEnumerations::RHydroSelectType_Fix);
        CSmartPtr<CHydroSelectWaveEntry> wave = CHydroSelectWaveEntry::CreateInstance();
        wave->SetAmpl(v.Double());
        wave->SetLtoLpp(v.Double());
        wave->SetDirection(v.Double());
        wave->SetPhase(v.Double());
        wave->SetHeel(v.Double());
        waveEntry->SetWave(wave);
    }
    return hydrodynamic;
}

CSmartPtr<CVantrel> BuildFullDocument(HardValues& v) {
    CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
    root->SetSchemaVersion(v.Text());
    root->SetGeneralData(FullGeneralData(v));
    root->SetLoadcaseData(FullLoadcaseData(v));
    root->SetMasses(FullMasses(v));
    root->SetHydrodynamic(FullHydrodynamic(v));
    return root;
}

CSmartPtr<CVantrel> BuildFullDocument() {
    HardValues v;
    return BuildFullDocument(v);
}

// ---------------------------------------------------------------------------
// The full document

TEST(EndToEndFullDocument, EveryValueSurvivesWritingAndReading) {
    HardValues values;
    const CSmartPtr<CVantrel> built = BuildFullDocument(values);
    EXPECT_TRUE(values.AllHandedOut()) << "some hard value never went into the document";
    const std::string text = built->ToXml();
    CSmartPtr<CVantrel> read = CVantrel::CreateInstance();
    read->FromXml(text);

    // Every optional value set, every class present, every value equal.
    TreeComparer comparer(TreeComparer::Mode::SourceComplete);
    comparer.Compare(*built, *read);
    EXPECT_TRUE(comparer.Mismatches().empty()) << Lines(comparer.Mismatches());
    EXPECT_EQ(comparer.ClassesSeen(), AllClassNames());

    EXPECT_EQ(read->ToXml(), text) << "a second writing differs from the first";
}

TEST(EndToEndFullDocument, EveryValueSurvivesAFile) {
    const CSmartPtr<CVantrel> built = BuildFullDocument();
    const std::string path = ScratchPath(".xml");
    built->ToXmlFile(path);
    CSmartPtr<CVantrel> read = CVantrel::CreateInstance();
    read->FromXmlFile(path);
    EXPECT_EQ(ReadText(path), built->ToXml());
    std::remove(path.c_str());

    const std::vector<std::string> differences = Differences(*built, *read);
    EXPECT_TRUE(differences.empty()) << Lines(differences);
}

// The comparer must see a difference of each kind, or the tests above prove nothing.
TEST(EndToEndFullDocument, TheComparerReportsEachKindOfDifference) {
    const CSmartPtr<CVantrel> built = BuildFullDocument();
    const std::string text = built->ToXml();
    const struct {
        const char* what;
        std::function<void(CVantrel&)> change;
        const char* where;
    } cases[] = {
        {"the sign of a double (also of 0 and NaN)",
         [](CVantrel& r) {
             auto d = r.GetGeneralData()->GetPrincipalDimension();
             d->SetCb(-d->GetCb());
         },
         "Vantrel/GeneralData/PrincipalDimension@Cb: "},
        {"a trailing space of a text",
         [](CVantrel& r) {
             auto entry = r.GetHydrodynamic()->GetMassDistribution()->Item(1)->GetSelect()->GetSelectEntry()->Item(1);
             entry->SetTitle(entry->GetTitle() + " ");
         },
         "Vantrel/Hydrodynamic/MassDistribution[1]/Select/SelectEntry[1]@Title: "},
        {"the validity of an optional value",
         [](CVantrel& r) { r.GetLoadcaseData()->GetLoadcaseInput()->GetOrigin()->SetValidZ(false); },
         "Vantrel/LoadcaseData/LoadcaseInput/Origin@z: valid in one tree only"},
        {"the number of items",
         [](CVantrel& r) { r.GetLoadcaseData()->GetLoadcaseInput()->GetUnitLoadCase()->Remove(2); },
         "Vantrel/LoadcaseData/LoadcaseInput/UnitLoadCase#count: [3] vs [2]"},
        {"the class of a rest entry",
         [](CVantrel& r) {
             auto list = r.GetMasses()->GetMassAssembled()->GetAssembledEntry()->Item(0)->GetBoxEntry();
             CSmartPtr<IRestEntry> last = list->Item(2);
             CSmartPtr<CRestEntry> plain = CRestEntry::CreateInstance();
             plain->SetValue(last->GetValue());
             plain->SetFix(last->GetFix());
             plain->SetMassId(last->GetMassId());
             list->Remove(2);
             list->Add(plain);
         },
         "Vantrel/Masses/MassAssembled/AssembledEntry[0]/BoxEntry[2]: class "},
        {"an element name",
         [](CVantrel& r) {
             auto files = r.GetGeneralData()->GetAttachedFiles();
             files->SetFiniteElement(files->GetFrameTable());  // one object, renamed "FiniteElement"
         },
         "Vantrel/GeneralData/AttachedFiles/FrameTable#element: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CSmartPtr<CVantrel> read = CVantrel::CreateInstance();
        read->FromXml(text);
        c.change(*read);
        const std::vector<std::string> differences = Differences(*built, *read);
        ASSERT_FALSE(differences.empty());
        EXPECT_EQ(differences.front().rfind(c.where, 0), 0u) << Lines(differences);
    }
}

// ---------------------------------------------------------------------------
// The bundled sample

TEST(EndToEndSample, TheFileIsWrittenAgainByteForByte) {
    const std::string text = ReadText(kSamplePath);
    ASSERT_FALSE(text.empty());
    CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
    ship->FromXml(text);
    EXPECT_EQ(ship->ToXml(), text);
}

TEST(EndToEndSample, TheFileIsTheDocumentTheSampleBuilds) {
    const CSmartPtr<CVantrel> built = VantrelSample::BuildSampleShip();
    EXPECT_EQ(built->ToXml(), ReadText(kSamplePath))
        << "examples/ship.xml and BuildSampleShip() have drifted apart; write the file again from the builder";

    CSmartPtr<CVantrel> read = CVantrel::CreateInstance();
    read->FromXmlFile(kSamplePath);
    const std::vector<std::string> differences = Differences(*built, *read);
    EXPECT_TRUE(differences.empty()) << Lines(differences);
}

TEST(EndToEndSample, SurvivesWritingAndReadingAFile) {
    CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
    ship->FromXmlFile(kSamplePath);
    const std::string path = ScratchPath(".xml");
    ship->ToXmlFile(path);
    CSmartPtr<CVantrel> again = CVantrel::CreateInstance();
    again->FromXmlFile(path);
    EXPECT_EQ(ReadText(path), ReadText(kSamplePath));
    std::remove(path.c_str());
    const std::vector<std::string> differences = Differences(*ship, *again);
    EXPECT_TRUE(differences.empty()) << Lines(differences);
}

// Trees share nothing: threads that each read, write and compare their own
// trees at the same time all get the document back exactly, and so do reads
// that fail part-way.
TEST(EndToEndSample, SeparateTreesInSeparateThreads) {
    const std::string text = ReadText(kSamplePath);
    ASSERT_FALSE(text.empty());
    const std::string broken = text.substr(0, text.size() / 2);
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < failures.size(); ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 20; ++round) {
                CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
                ship->FromXml(text);
                if (ship->ToXml() != text) ++failures[t];
                try {
                    CVantrel::CreateInstance()->FromXml(broken);
                    ++failures[t];
                } catch (const CLtException&) {
                }
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int count : failures) EXPECT_EQ(count, 0);
}

// The sample is what new users copy from: its references resolve, its masses
// add up and its positions lie on the ship.
TEST(EndToEndSample, IsConsistent) {
    const CSmartPtr<CVantrel> ship = VantrelSample::BuildSampleShip();
    const double lpp = ship->GetGeneralData()->GetPrincipalDimension()->GetLpp();
    const auto frames = ship->GetGeneralData()->GetFrameTable();
    EXPECT_EQ(frames->GetFrameNoPP1()->GetCoordinate(), 0.0);
    EXPECT_EQ(frames->GetFrameNoPP2()->GetCoordinate(), lpp);
    EXPECT_GE(frames->GetFrameEntry()->GetCount(), 24);

    double previous = 0;
    for (CSmartPtr<CLongitudinalPosition> position :
         *ship->GetLoadcaseData()->GetLoadEnvelopes()->GetLongitudinalPosition()) {
        EXPECT_GT(position->GetXPosition(), previous);
        EXPECT_LT(position->GetXPosition(), lpp);
        previous = position->GetXPosition();
        EXPECT_LT(position->GetMinForces()->GetYy(), position->GetMaxForces()->GetYy());
    }

    const auto masses = ship->GetMasses();
    std::set<double> boxIds;
    for (CSmartPtr<CMassBoxData> box : *masses->GetMassBoxes()->GetBoxEntry()) {
        boxIds.insert(box->GetId());
        const auto interval = box->GetInterval()->Item(0);
        EXPECT_LE(interval->GetMin()->GetX(), box->GetCoG()->GetX()) << box->GetTitle();
        EXPECT_GE(interval->GetMax()->GetX() + 1e-9, box->GetCoG()->GetX()) << box->GetTitle();
    }
    std::set<std::int64_t> groupIds, tankIds, blockIds, assembledIds;
    for (CSmartPtr<CElementgroupData> group : *masses->GetMassElementGroups()->GetElementGroupEntry())
        groupIds.insert(group->GetId());
    for (CSmartPtr<CMassTankData> tank : *masses->GetMassTanks()->GetTankEntry()) tankIds.insert(tank->GetId());
    for (CSmartPtr<CMassContainerData> block : *masses->GetMassContainer()->GetContainerEntry()) {
        blockIds.insert(block->GetId());
        EXPECT_GT(block->GetCoGx(), block->GetAft()->GetCoordinate());
        EXPECT_LT(block->GetCoGx(), block->GetForward()->GetCoordinate());
    }
    for (CSmartPtr<CMassAssembledData> item : *masses->GetMassAssembled()->GetAssembledEntry())
        assembledIds.insert(item->GetId());

    for (CSmartPtr<CMassAssembledData> item : *masses->GetMassAssembled()->GetAssembledEntry()) {
        SCOPED_TRACE(item->GetTitle());
        double sum = 0;
        for (CSmartPtr<CContainerEntry> e : *item->GetContainerEntry()) {
            EXPECT_EQ(blockIds.count(e->GetMassId()), 1u) << e->GetMassId();
            sum += e->GetValue();
        }
        for (CSmartPtr<CTankEntry> e : *item->GetTankEntry()) {
            EXPECT_EQ(tankIds.count(e->GetMassId()), 1u) << e->GetMassId();
            sum += e->GetValue();
        }
        for (CSmartPtr<IRestEntry> e : *item->GetBoxEntry()) {
            EXPECT_EQ(boxIds.count(static_cast<double>(e->GetMassId())), 1u) << e->GetMassId();
            sum += e->GetValue();
        }
        for (CSmartPtr<IRestEntry> e : *item->GetElementgroupEntry()) {
            EXPECT_EQ(groupIds.count(e->GetMassId()), 1u) << e->GetMassId();
            sum += e->GetValue();
        }
        for (CSmartPtr<IRestEntry> e : *item->GetAssembledEntry()) {
            EXPECT_EQ(assembledIds.count(e->GetMassId()), 1u) << e->GetMassId();
            EXPECT_NE(e->GetMassId(), item->GetId());
            sum += e->GetValue();
        }
        EXPECT_DOUBLE_EQ(sum, item->GetMass());
    }

    for (CSmartPtr<CHydroData> set : *ship->GetHydrodynamic()->GetMassDistribution())
        EXPECT_EQ(assembledIds.count(set->GetMassAssembledIdRef()), 1u) << set->GetMassAssembledIdRef();
}

// The sample, and the written full document, are valid against the bundled
// schemas (when xmllint is installed).
TEST(EndToEndSample, DocumentsValidateAgainstTheSchema) {
    if (std::system("xmllint --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "xmllint is not installed";
    const std::string full = ScratchPath(".xml");
    BuildFullDocument()->ToXmlFile(full);
    for (const std::string& document : {kSamplePath, full}) {
        const std::string command = "xmllint --noout --schema '" + std::string(VANTREL_SOURCE_DIR) +
                                    "/schemas/Vantrel.xsd' '" + document + "' 2>&1";
        std::string output;
        if (std::FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[512];
            while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
            EXPECT_EQ(pclose(pipe), 0) << output;
        } else {
            ADD_FAILURE() << "cannot run xmllint";
        }
    }
    std::remove(full.c_str());
}

// ---------------------------------------------------------------------------
// Faults deep in a document

// A small whole document; each fault case removes one attribute from it.
const std::string kFaultDocument = R"(<?xml version="1.0" encoding="UTF-8"?>
<Vantrel xmlns:xs="http://www.w3.org/2001/XMLSchema-instance" schemaVersion="1.0">
  <GeneralData>
    <PrincipalDimension Lpp="172" B="27.8"/>
    <FrameTable KeepAft="true" SpacingSign="1">
      <FrameEntry No="0" Spacing="0.7" Mould="Aft"/>
      <FrameNoPP1 Id="0" Coordinate="0"/>
      <FrameNoPP2 Id="220" Coordinate="172"/>
    </FrameTable>
  </GeneralData>
  <LoadcaseData>
    <LoadcaseInput LoadComponent="BMmaxY" NoOfIntervals="40" IsHalfModel="false">
      <BaseLoadCase LoadcaseId="100"/>
      <UnitLoadCase LoadcaseId="101"/>
      <Origin x="0" y="0"/>
    </LoadcaseInput>
    <LoadEnvelopes>
      <LongitudinalPosition XPosition="43">
        <MinForces x="-11" y="-12" z="-13" xx="-14" yy="-15" zz="-16"/>
        <MaxForces x="11" y="12" z="13" xx="14" yy="15" zz="16"/>
      </LongitudinalPosition>
      <LongitudinalPosition XPosition="86">
        <MinForces x="-21" y="-22" z="-23" xx="-24" yy="-25" zz="-26"/>
        <MaxForces x="21" y="22" z="23" xx="24" yy="25" zz="26"/>
      </LongitudinalPosition>
      <LongitudinalPosition XPosition="129">
        <MinForces x="-31" y="-32" z="-33" xx="-34" yy="-35" zz="-36"/>
        <MaxForces x="31" y="32" z="33" xx="34" yy="35" zz="36"/>
      </LongitudinalPosition>
    </LoadEnvelopes>
  </LoadcaseData>
  <Masses>
    <MassElementGroups>
      <ElementGroupEntry Id="10" Buoyancy="false"/>
    </MassElementGroups>
    <MassAssembled>
      <AssembledEntry Id="1001" Title="Lightship" Mass="8200">
        <CoG x="78.4" y="0"/>
        <BoxEntry xs:type="RestEntry" Value="1480" MassId="1"/>
        <ElementgroupEntry Value="3255" MassId="10"/>
      </AssembledEntry>
      <AssembledEntry Id="1004" Title="Full load departure" Mass="14868">
        <CoG x="82.6" y="0"/>
        <AssembledEntry xs:type="RestEntry" Value="8200" Fix="true" MassId="1001"/>
        <AssembledEntry xs:type="TankEntry" Value="1880" MassId="1003" SpecificWeight="1"/>
      </AssembledEntry>
    </MassAssembled>
  </Masses>
  <Hydrodynamic>
    <MassDistribution Id="1" MassAssembledIdRef="1001">
      <Scan/>
      <Select/>
    </MassDistribution>
    <MassDistribution Id="2" MassAssembledIdRef="1004">
      <Scan>
        <ScanBlock Id="1" WaveHeight="2.0 4.0"/>
      </Scan>
      <Select>
        <SelectEntry Type="Fix">
          <Wave Ampl="4.2"/>
        </SelectEntry>
        <SelectEntry Title="Hogging" Type="Max">
          <Factor BendingMomentVertical="1">
            <RangeDirection from="150" to="210"/>
            <RangeXLpp from="0.4" to="0.6"/>
          </Factor>
        </SelectEntry>
      </Select>
    </MassDistribution>
  </Hydrodynamic>
</Vantrel>
)";

// `text` without the one occurrence of `part`.
std::string Without(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << part;
    EXPECT_EQ(text.find(part, at + 1), std::string::npos) << part << " occurs more than once";
    std::string result = text;
    if (at != std::string::npos) result.erase(at, part.size());
    return result;
}

// The line (from 1) of the one occurrence of `part` in `text`.
int LineOf(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    EXPECT_NE(at, std::string::npos) << part;
    EXPECT_EQ(text.find(part, at + 1), std::string::npos) << part << " occurs more than once";
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
}

// "line:column" of `part`, as FormatChain prints a position.
std::string PositionOf(const std::string& text, const std::string& part) {
    const std::size_t at = text.find(part);
    const std::size_t lineStart = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
    return std::to_string(LineOf(text, part)) + ":" + std::to_string(at - lineStart + 1);
}

struct Level {
    std::string message;
    std::string elementStart;  // the start of the element whose line the level carries
};

struct FaultCase {
    const char* what;
    const char* removed;
    std::vector<Level> chain;  // outermost first
};

const std::vector<FaultCase>& FaultCases() {
    static const std::vector<FaultCase> cases = {
        {"a component of the third position's maxima",
         " y=\"32\"",
         {{ChildrenOf("Vantrel"), "<Vantrel"},
          {ChildrenOf("LoadcaseData"), "<LoadcaseData"},
          {ChildrenOf("LoadEnvelopes"), "<LoadEnvelopes"},
          {ChildrenOf("LongitudinalPosition"), "<LongitudinalPosition XPosition=\"129\""},
          {AttributesOf("MaxForces"), "<MaxForces x=\"31\""},
          {"Failed to find the required Attribute [y]", "<MaxForces x=\"31\""}}},
        {"a range of a factor selection of the second data set",
         " to=\"0.6\"",
         {{ChildrenOf("Vantrel"), "<Vantrel"},
          {ChildrenOf("Hydrodynamic"), "<Hydrodynamic"},
          {ChildrenOf("MassDistribution"), "<MassDistribution Id=\"2\""},
          {ChildrenOf("Select"), "<Select>"},
          {ChildrenOf("SelectEntry"), "<SelectEntry Title=\"Hogging\""},
          {ChildrenOf("Factor"), "<Factor"},
          {AttributesOf("RangeXLpp"), "<RangeXLpp"},
          {"Failed to find the required Attribute [to]", "<RangeXLpp"}}},
        {"a typed rest entry of an assembled mass",
         " SpecificWeight=\"1\"",
         {{ChildrenOf("Vantrel"), "<Vantrel"},
          {ChildrenOf("Masses"), "<Masses"},
          {ChildrenOf("MassAssembled"), "<MassAssembled"},
          {ChildrenOf("AssembledEntry"), "<AssembledEntry Id=\"1004\""},
          {AttributesOf("AssembledEntry"), "<AssembledEntry xs:type=\"TankEntry\""},
          {"Failed to find the required Attribute [SpecificWeight]", "<AssembledEntry xs:type=\"TankEntry\""}}},
    };
    return cases;
}

// Checks every level's class, message and line against `expected`.
void ExpectChain(const CLtException& error, const std::string& document, const std::vector<Level>& expected) {
    const CLtException* level = &error;
    for (const Level& want : expected) {
        ASSERT_NE(level, nullptr) << "the chain ends before [" << want.message << "]";
        EXPECT_NE(dynamic_cast<const LtXmlLib3::CLtValidationException*>(level), nullptr) << level->what();
        EXPECT_EQ(level->what(), want.message);
        EXPECT_EQ(level->GetLine(), LineOf(document, want.elementStart)) << want.message;
        level = level->GetInnerException();
    }
    EXPECT_EQ(level, nullptr) << "the chain goes on below the expected fault: " << level->what();
}

TEST(EndToEndFaults, TheFaultDocumentIsSoundWithoutAFault) {
    CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
    ASSERT_NO_THROW(root->FromXml(kFaultDocument));
    EXPECT_EQ(root->GetLoadcaseData()->GetLoadEnvelopes()->GetLongitudinalPosition()->GetCount(), 3);
    auto rest = root->GetMasses()->GetMassAssembled()->GetAssembledEntry()->Item(1)->GetAssembledEntry()->Item(1);
    EXPECT_NE(dynamic_cast<CTankEntry*>(rest.get()), nullptr);
}

TEST(EndToEndFaults, ADeepFaultReachesTheCallerWithItsWholeChainAndLines) {
    for (const FaultCase& fault : FaultCases()) {
        SCOPED_TRACE(fault.what);
        const std::string document = Without(kFaultDocument, fault.removed);
        CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
        try {
            root->FromXml(document);
            ADD_FAILURE() << "no exception";
        } catch (const CLtException& error) {
            ExpectChain(error, document, fault.chain);
        }
    }
}

TEST(EndToEndFaults, AFileReaderGetsTheSameChainAndCanPrintItWithLines) {
    const std::string path = ScratchPath(".xml");
    for (const FaultCase& fault : FaultCases()) {
        SCOPED_TRACE(fault.what);
        const std::string document = Without(kFaultDocument, fault.removed);
        WriteText(path, document);
        CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
        try {
            root->FromXmlFile(path);
            ADD_FAILURE() << "no exception";
        } catch (const CLtException& error) {
            ExpectChain(error, document, fault.chain);
            std::string expected;
            for (const Level& level : fault.chain)
                expected += path + ":" + PositionOf(document, level.elementStart) + ": " + level.message +
                            "\n";
            EXPECT_EQ(error.FormatChain(path), expected);
        }
    }
    std::remove(path.c_str());
}

// ---------------------------------------------------------------------------
// The root

TEST(EndToEndRoot, AReadReplacesEverythingTheRootHeld) {
    // Into a root holding every optional value, read a document with one empty part.
    CSmartPtr<CVantrel> root = BuildFullDocument();
    const std::string small = "<Vantrel schemaVersion=\"2\"><Hydrodynamic/></Vantrel>";
    root->FromXml(small);
    EXPECT_EQ(root->GetSchemaVersion(), "2");
    EXPECT_FALSE(root->GetGeneralData());
    EXPECT_FALSE(root->GetLoadcaseData());
    EXPECT_FALSE(root->GetMasses());
    ASSERT_TRUE(root->GetHydrodynamic());
    EXPECT_EQ(root->GetHydrodynamic()->GetMassDistribution()->GetCount(), 0);

    CSmartPtr<CVantrel> fresh = CVantrel::CreateInstance();
    fresh->FromXml(small);
    EXPECT_EQ(root->ToXml(), fresh->ToXml());

    // Into the same root, read the sample: nothing of the full document is left.
    root = BuildFullDocument();
    root->FromXml(ReadText(kSamplePath));
    const std::vector<std::string> differences = Differences(*VantrelSample::BuildSampleShip(), *root);
    EXPECT_TRUE(differences.empty()) << Lines(differences);
    EXPECT_EQ(root->ToXml(), ReadText(kSamplePath));
}

TEST(EndToEndRoot, ADocumentElementOfAnyNameIsRead) {
    std::string text = ReadText(kSamplePath);
    const std::size_t open = text.find("<Vantrel ");
    const std::size_t close = text.rfind("</Vantrel>");
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    text.replace(close, 10, "</ShipData>");
    text.replace(open, 8, "<ShipData");

    CSmartPtr<CVantrel> root = CVantrel::CreateInstance();
    root->FromXml(text);
    EXPECT_EQ(root->GetElementName(), "ShipData");
    EXPECT_EQ(root->ToXml(), text) << "written again under the name read";

    root->SetElementName(root, "Vantrel");
    const std::vector<std::string> differences = Differences(*VantrelSample::BuildSampleShip(), *root);
    EXPECT_TRUE(differences.empty()) << Lines(differences);
}

// ---------------------------------------------------------------------------
// The summary client (examples/ship_summary.cpp), run as a process

std::string SummaryProgram() {
#ifdef VANTREL_SHIP_SUMMARY_EXE
    return VANTREL_SHIP_SUMMARY_EXE;
#else
    return std::string(VANTREL_BINARY_DIR) + "/examples/ship_summary";
#endif
}

struct Outcome {
    int status;
    std::string out, err;
};

Outcome RunSummary(const std::string& argument) {
    const std::string errPath = ScratchPath(".err");
    const std::string command = "'" + SummaryProgram() + "' '" + argument + "' 2>'" + errPath + "'";
    Outcome run{-1, "", ""};
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) run.out += buffer;
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.err = ReadText(errPath);
    std::remove(errPath.c_str());
    return run;
}

TEST(EndToEndSummary, SummarisesTheSample) {
    if (!std::ifstream(SummaryProgram()).good()) GTEST_SKIP() << "ship_summary is not built";
    const Outcome run = RunSummary(kSamplePath);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, kSamplePath + " (schema version 1.0)\n"
                                     "GeneralData: present\n"
                                     "  principal dimensions: present\n"
                                     "  general constants:    present\n"
                                     "  attached files:       4\n"
                                     "  frames:               47\n"
                                     "LoadcaseData: present\n"
                                     "  load cases:           1 base + 5 unit\n"
                                     "  envelope positions:   7\n"
                                     "Masses: present\n"
                                     "  box masses:           6\n"
                                     "  element groups:       3\n"
                                     "  tanks:                5\n"
                                     "  container blocks:     5 (20 rows)\n"
                                     "  assembled masses:     5\n"
                                     "Hydrodynamic: present\n"
                                     "  data sets:            2\n");
}

TEST(EndToEndSummary, ReportsAbsentParts) {
    if (!std::ifstream(SummaryProgram()).good()) GTEST_SKIP() << "ship_summary is not built";
    const std::string path = ScratchPath(".xml");
    WriteText(path, R"(<Vantrel schemaVersion=""><GeneralData/><LoadcaseData/><Masses><MassTanks/></Masses></Vantrel>)");
    const Outcome run = RunSummary(path);
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, path + " (schema version )\n"
                              "GeneralData: present\n"
                              "  principal dimensions: absent\n"
                              "  general constants:    absent\n"
                              "  attached files:       0\n"
                              "  frame table:          absent\n"
                              "LoadcaseData: present\n"
                              "  load case input:      absent\n"
                              "  load envelopes:       absent\n"
                              "Masses: present\n"
                              "  box masses:           0\n"
                              "  element groups:       0\n"
                              "  tanks:                0\n"
                              "  container blocks:     0 (0 rows)\n"
                              "  assembled masses:     0\n"
                              "Hydrodynamic: absent\n");
}

TEST(EndToEndSummary, AFaultyDocumentPrintsTheChainWithLinesAndFails) {
    if (!std::ifstream(SummaryProgram()).good()) GTEST_SKIP() << "ship_summary is not built";
    const FaultCase& fault = FaultCases().front();
    const std::string document = Without(kFaultDocument, fault.removed);
    const std::string path = ScratchPath(".xml");
    WriteText(path, document);
    const Outcome run = RunSummary(path);
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    std::string expected;
    for (const Level& level : fault.chain)
        expected += path + ":" + PositionOf(document, level.elementStart) + ": " + level.message + "\n";
    EXPECT_EQ(run.err, expected);
}

}  // namespace
