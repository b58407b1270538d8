// The document root and the general ship data: principal dimensions, general
// constants, attached files and the frame table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <VantrelLib/VantrelLib.h>

#include "TestSupport.h"

namespace {

using namespace VantrelLib;
using LtXmlLib3::CSmartPtr;
using testsupport::AttributesOf;
using testsupport::ChainOf;
using testsupport::ExpectCreated;
using testsupport::ChildrenOf;
using testsupport::ConvertOf;
using testsupport::ReadFailure;
using testsupport::RoundTrip;
using testsupport::Unknown;
using Chain = std::vector<std::string>;

// The text the writer gives for an outermost element whose start tag is
// `name` followed by `rest` (attributes and the end of the tag onwards).
std::string Document(const std::string& name, const std::string& rest) {
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<") + name + " xmlns:xs=\"" +
           LtXmlLib3::kXmlSchemaInstanceNamespace + "\" xmlns:gdt=\"" + Framework::kGdtNamespace + "\"" + rest;
}

std::string NotValid(const std::string& property) {
    return "The Property Get" + property + " is not valid. Set" + property + " must be called first";
}

// --- Optional double attributes (principal dimensions, general constants) ----

template <class C>
struct OptionalDouble {
    const char* name;
    double (C::*get)() const;
    void (C::*set)(double);
    bool (C::*isValid)() const;
    void (C::*setValid)(bool);
};

// Each row on its own: unset and throwing, set and written alone, read back
// with the collapse rule, and the validity switch resetting the value.
template <class C>
void CheckEachOptionalDouble(const std::string& element, const std::vector<OptionalDouble<C>>& rows) {
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto object = C::CreateInstance();
        EXPECT_FALSE((*object.*row.isValid)());
        try {
            (*object.*row.get)();
            ADD_FAILURE() << "no exception";
        } catch (const LtXmlLib3::CLtInvalidStateException& error) {
            EXPECT_EQ(error.what(), NotValid(row.name));
        }

        (*object.*row.set)(-12.625);
        EXPECT_TRUE((*object.*row.isValid)());
        EXPECT_EQ(object->ToXml(), Document(element, std::string(" ") + row.name + "=\"-12.625\"/>\n"));

        auto read = C::CreateInstance();
        read->FromXml("<" + element + " " + row.name + "=\"\n 7.5\t\"/>");
        EXPECT_EQ((*read.*row.get)(), 7.5);
        for (const auto& other : rows) {
            if (&other != &row) {
                EXPECT_FALSE((*read.*other.isValid)()) << other.name;
            }
        }

        (*read.*row.setValid)(true);  // unchanged: keeps the value
        EXPECT_EQ((*read.*row.get)(), 7.5);
        (*read.*row.setValid)(false);
        EXPECT_FALSE((*read.*row.isValid)());
        EXPECT_EQ(read->ToXml(), Document(element, "/>\n"));
        (*read.*row.setValid)(true);
        EXPECT_EQ((*read.*row.get)(), 0.0);
        EXPECT_EQ(read->ToXml(), Document(element, std::string(" ") + row.name + "=\"0\"/>\n"));
    }
}

// All rows together: written in table order and read back whatever the document order.
template <class C>
void CheckAllOptionalDoubles(const std::string& element, const std::vector<OptionalDouble<C>>& rows) {
    auto object = C::CreateInstance();
    std::string attributes;
    std::string reversed;
    double value = 1.5;
    for (const auto& row : rows) {
        (*object.*row.set)(value);
        std::string text;
        LtXmlLib3::CConversions::r8ToString(value, text);
        attributes += std::string(" ") + row.name + "=\"" + text + "\"";
        reversed = std::string(" ") + row.name + "=\"" + text + "\"" + reversed;
        value *= -3;
    }
    EXPECT_EQ(object->ToXml(), Document(element, attributes + "/>\n"));
    RoundTrip(object.get());

    auto read = C::CreateInstance();
    read->FromXml("<" + element + reversed + "/>");
    value = 1.5;
    for (const auto& row : rows) {
        EXPECT_EQ((*read.*row.get)(), value) << row.name;
        value *= -3;
    }
}

const std::vector<OptionalDouble<CPrincipalDimension>>& PrincipalDimensionRows() {
    using P = CPrincipalDimension;
    static const std::vector<OptionalDouble<P>> rows = {
        {"Lpp", &P::GetLpp, &P::SetLpp, &P::IsValidLpp, &P::SetValidLpp},
        {"B", &P::GetB, &P::SetB, &P::IsValidB, &P::SetValidB},
        {"H", &P::GetH, &P::SetH, &P::IsValidH, &P::SetValidH},
        {"Tmax", &P::GetTmax, &P::SetTmax, &P::IsValidTmax, &P::SetValidTmax},
        {"Cb", &P::GetCb, &P::SetCb, &P::IsValidCb, &P::SetValidCb},
        {"Vmax", &P::GetVmax, &P::SetVmax, &P::IsValidVmax, &P::SetValidVmax},
        {"LightShipWeight", &P::GetLightShipWeight, &P::SetLightShipWeight, &P::IsValidLightShipWeight,
         &P::SetValidLightShipWeight},
        {"DeadWeight", &P::GetDeadWeight, &P::SetDeadWeight, &P::IsValidDeadWeight, &P::SetValidDeadWeight},
        {"BMHogging", &P::GetBMHogging, &P::SetBMHogging, &P::IsValidBMHogging, &P::SetValidBMHogging},
        {"BMSagging", &P::GetBMSagging, &P::SetBMSagging, &P::IsValidBMSagging, &P::SetValidBMSagging},
        {"L", &P::GetL, &P::SetL, &P::IsValidL, &P::SetValidL},
        {"Lwl", &P::GetLwl, &P::SetLwl, &P::IsValidLwl, &P::SetValidLwl},
    };
    return rows;
}

const std::vector<OptionalDouble<CGeneralConstants>>& GeneralConstantRows() {
    using G = CGeneralConstants;
    static const std::vector<OptionalDouble<G>> rows = {
        {"Rho", &G::GetRho, &G::SetRho, &G::IsValidRho, &G::SetValidRho},
        {"GravitationalConstant", &G::GetGravitationalConstant, &G::SetGravitationalConstant,
         &G::IsValidGravitationalConstant, &G::SetValidGravitationalConstant},
        {"NeutralFibre", &G::GetNeutralFibre, &G::SetNeutralFibre, &G::IsValidNeutralFibre,
         &G::SetValidNeutralFibre},
        {"ShearCentre", &G::GetShearCentre, &G::SetShearCentre, &G::IsValidShearCentre, &G::SetValidShearCentre},
    };
    return rows;
}

TEST(DocumentPrincipalDimension, EachAttributeIsOptional) {
    CheckEachOptionalDouble("PrincipalDimension", PrincipalDimensionRows());
}

TEST(DocumentPrincipalDimension, AllAttributesRoundTripInTableOrder) {
    CheckAllOptionalDoubles("PrincipalDimension", PrincipalDimensionRows());
}

TEST(DocumentGeneralConstants, EachAttributeIsOptional) {
    CheckEachOptionalDouble("GeneralConstants", GeneralConstantRows());
}

TEST(DocumentGeneralConstants, AllAttributesRoundTripInTableOrder) {
    CheckAllOptionalDoubles("GeneralConstants", GeneralConstantRows());
}

TEST(DocumentPrincipalDimension, PartialElementLeavesTheRestUnset) {
    auto dimension = CPrincipalDimension::CreateInstance();
    dimension->FromXml(R"(<PrincipalDimension Lpp="180.5" Cb="0.71"/>)");
    EXPECT_EQ(dimension->GetLpp(), 180.5);
    EXPECT_EQ(dimension->GetCb(), 0.71);
    EXPECT_EQ(ChainOf([&] { dimension->GetB(); }), Chain{NotValid("B")});
    int valid = 0;
    for (const auto& row : PrincipalDimensionRows()) valid += (*dimension.*row.isValid)() ? 1 : 0;
    EXPECT_EQ(valid, 2);
}

struct ReadCase {
    const char* label;
    const char* xml;
    Chain chain;
};

template <class T>
void CheckReadFailures(const std::vector<ReadCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(ReadFailure<T>(c.xml), c.chain);
    }
}

TEST(DocumentConstantsAndDimensions, RefuseForeignAttributesAndChildren) {
    CheckReadFailures<CPrincipalDimension>({
        {"lower-case name", R"(<PrincipalDimension Lpp="1" lpp="2"/>)",
         {AttributesOf("PrincipalDimension"), "Unexpected Attribute [lpp] found."}},
        {"child element", R"(<PrincipalDimension B="3"><Lpp/></PrincipalDimension>)",
         {ChildrenOf("PrincipalDimension"), Unknown("Lpp")}},
        {"not a number", R"(<PrincipalDimension H="tall"/>)",
         {AttributesOf("PrincipalDimension"), "The value [tall] of attribute [H] is not a valid double"}},
    });
    CheckReadFailures<CGeneralConstants>({
        {"differs in case", R"(<GeneralConstants RHO="1025"/>)",
         {AttributesOf("GeneralConstants"), "Unexpected Attribute [RHO] found."}},
        {"child element", R"(<GeneralConstants><Rho/></GeneralConstants>)",
         {ChildrenOf("GeneralConstants"), Unknown("Rho")}},
    });
}

// --- Attached files ----------------------------------------------------------

CSmartPtr<gdt::CAttachedFile> File(const std::string& absolutePath) {
    auto file = gdt::CAttachedFile::CreateInstance();
    file->SetAbsolutePath(absolutePath);
    return file;
}

TEST(DocumentAttachedFiles, FreshObjectIsEmpty) {
    auto files = CAttachedFiles::CreateInstance();
    EXPECT_EQ(files->ToXml(), Document("AttachedFiles", "/>\n"));
    auto read = RoundTrip(files.get());
    EXPECT_FALSE(read->GetFrameTable());
    EXPECT_FALSE(read->GetFiniteElement());
    EXPECT_FALSE(read->GetHullformDescription());
    EXPECT_FALSE(read->GetFiniteElementExport());
}

TEST(DocumentAttachedFiles, FourSlotsRoundTripInOrder) {
    auto files = CAttachedFiles::CreateInstance();
    // Set out of order: the slots fix the writing order.
    files->SetFiniteElementExport(File("/export.dat"));
    files->SetHullformDescription(File("/hull.igs"));
    auto frames = File("/frames.txt");
    frames->SetRelativePath(" frames.txt ");
    files->SetFrameTable(frames);
    files->SetFiniteElement(File("C:\\model.fem"));
    EXPECT_EQ(frames->GetElementName(), "FrameTable");

    EXPECT_EQ(files->ToXml(), Document("AttachedFiles", ">\n"
                                                        "  <FrameTable AbsolutePath=\"/frames.txt\" RelativePath=\" frames.txt \"/>\n"
                                                        "  <FiniteElement AbsolutePath=\"C:\\model.fem\"/>\n"
                                                        "  <HullformDescription AbsolutePath=\"/hull.igs\"/>\n"
                                                        "  <FiniteElementExport AbsolutePath=\"/export.dat\"/>\n"
                                                        "</AttachedFiles>\n"));
    auto read = RoundTrip(files.get());
    EXPECT_EQ(read->GetFrameTable()->GetRelativePath(), " frames.txt ");
    EXPECT_EQ(read->GetFiniteElement()->GetAbsolutePath(), "C:\\model.fem");
    EXPECT_EQ(read->GetHullformDescription()->GetElementName(), "HullformDescription");
    EXPECT_EQ(read->GetFiniteElementExport()->GetAbsolutePath(), "/export.dat");

    files->SetHullformDescription(nullptr);
    EXPECT_FALSE(files->GetHullformDescription());
    EXPECT_EQ(files->ToXml().find("HullformDescription"), std::string::npos);
}

TEST(DocumentAttachedFiles, SingleSlotReadsBackAlone) {
    auto files = CAttachedFiles::CreateInstance();
    files->FromXml(R"(<AttachedFiles><FiniteElementExport AbsolutePath="/e"/></AttachedFiles>)");
    EXPECT_FALSE(files->GetFrameTable());
    EXPECT_FALSE(files->GetFiniteElement());
    EXPECT_FALSE(files->GetHullformDescription());
    ASSERT_TRUE(files->GetFiniteElementExport());
    EXPECT_EQ(files->ToXml(), Document("AttachedFiles", ">\n  <FiniteElementExport AbsolutePath=\"/e\"/>\n</AttachedFiles>\n"));
}

TEST(DocumentAttachedFiles, OneFileInTwoSlotsIsWrittenUnderEachSlotsName) {
    auto files = CAttachedFiles::CreateInstance();
    auto file = File("/shared");
    files->SetFrameTable(file);
    files->SetFiniteElement(file);
    EXPECT_EQ(file->GetElementName(), "FiniteElement");  // the object carries the later name
    EXPECT_EQ(files->ToXml(), Document("AttachedFiles", ">\n"
                                                        "  <FrameTable AbsolutePath=\"/shared\"/>\n"
                                                        "  <FiniteElement AbsolutePath=\"/shared\"/>\n"
                                                        "</AttachedFiles>\n"));
}

TEST(DocumentAttachedFiles, ReadingFaults) {
    CheckReadFailures<CAttachedFiles>({
        {"slot out of order",
         R"(<AttachedFiles><HullformDescription AbsolutePath="h"/><FrameTable AbsolutePath="f"/></AttachedFiles>)",
         {ChildrenOf("AttachedFiles"), Unknown("FrameTable")}},
        {"repeated slot", R"(<AttachedFiles><FiniteElement AbsolutePath="a"/><FiniteElement AbsolutePath="b"/></AttachedFiles>)",
         {ChildrenOf("AttachedFiles"), Unknown("FiniteElement")}},
        {"file without path", R"(<AttachedFiles><FrameTable RelativePath="f"/></AttachedFiles>)",
         {ChildrenOf("AttachedFiles"), AttributesOf("FrameTable"),
          "Failed to find the required Attribute [AbsolutePath]"}},
        {"attribute", R"(<AttachedFiles Count="1"/>)",
         {AttributesOf("AttachedFiles"), "Unexpected Attribute [Count] found."}},
    });
}

// --- Frame table -------------------------------------------------------------

TEST(DocumentFrameTable, FreshTableKeepsItsOwnNameUntilPlaced) {
    auto table = CFrameTableData::CreateInstance();
    EXPECT_EQ(table->GetElementName(), "FrameTableData");
    EXPECT_EQ(table->GetFrameNoPP1()->GetElementName(), "FrameNoPP1");
    EXPECT_EQ(table->GetFrameNoPP2()->GetElementName(), "FrameNoPP2");
    EXPECT_EQ(table->GetFrameEntry()->GetCount(), 0);

    auto general = CGeneralData::CreateInstance();
    general->SetFrameTable(table);
    EXPECT_EQ(table->GetElementName(), "FrameTable");
    EXPECT_EQ(table->ToXml(), Document("FrameTable", " KeepAft=\"false\" SpacingSign=\"0\">\n"
                                                     "  <FrameNoPP1/>\n"
                                                     "  <FrameNoPP2/>\n"
                                                     "</FrameTable>\n"));
    auto read = RoundTrip(table.get());
    EXPECT_EQ(read->GetElementName(), "FrameTable");
    EXPECT_FALSE(read->GetKeepAft());
    EXPECT_EQ(read->GetSpacingSign(), 0);
    EXPECT_FALSE(read->GetFrameNoPP1()->IsValidId());
    EXPECT_FALSE(read->GetFrameNoPP2()->IsValidCoordinate());
}

TEST(DocumentFrameTable, EntriesComeBeforeTheMarkedFramesAndKeepTheirOrder) {
    auto table = CFrameTableData::CreateInstance();
    table->SetKeepAft(true);
    table->SetSpacingSign(-1);
    const double numbers[] = {12.5, -3, 7};
    for (double number : numbers) {
        auto entry = table->GetFrameEntry()->Add();
        entry->SetNo(number);
        entry->SetSpacing(0.7);
        entry->SetMould(number < 0 ? gdt::CEnumerations::RDirection_Aft : gdt::CEnumerations::RDirection_Forward);
    }
    auto loose = CFrameTableEntry::CreateInstance();
    EXPECT_EQ(loose->GetElementName(), "FrameTableEntry");
    table->GetFrameEntry()->Add(loose);  // renamed, written with its defaults
    EXPECT_EQ(loose->GetElementName(), "FrameEntry");
    table->GetFrameNoPP1()->SetId("AP");
    auto pp2 = gdt::CFrame::CreateInstance();
    pp2->SetCoordinate(181.25);
    table->SetFrameNoPP2(pp2);
    EXPECT_EQ(pp2->GetElementName(), "FrameNoPP2");

    EXPECT_EQ(table->ToXml(), Document("FrameTableData", " KeepAft=\"true\" SpacingSign=\"-1\">\n"
                                                         "  <FrameEntry No=\"12.5\" Spacing=\"0.7\" Mould=\"Forward\"/>\n"
                                                         "  <FrameEntry No=\"-3\" Spacing=\"0.7\" Mould=\"Aft\"/>\n"
                                                         "  <FrameEntry No=\"7\" Spacing=\"0.7\" Mould=\"Forward\"/>\n"
                                                         "  <FrameEntry No=\"0\" Spacing=\"0\" Mould=\"Forward\"/>\n"
                                                         "  <FrameNoPP1 Id=\"AP\"/>\n"
                                                         "  <FrameNoPP2 Coordinate=\"181.25\"/>\n"
                                                         "</FrameTableData>\n"));
    auto read = RoundTrip(table.get());
    EXPECT_TRUE(read->GetKeepAft());
    EXPECT_EQ(read->GetSpacingSign(), -1);
    ASSERT_EQ(read->GetFrameEntry()->GetCount(), 4);
    EXPECT_EQ(read->GetFrameEntry()->Item(1)->GetNo(), -3);
    EXPECT_EQ(read->GetFrameEntry()->Item(1)->GetMould(), gdt::CEnumerations::RDirection_Aft);
    EXPECT_EQ(read->GetFrameEntry()->Item(1)->GetElementName(), "FrameEntry");
    EXPECT_EQ(read->GetFrameNoPP1()->GetId(), "AP");
    EXPECT_EQ(read->GetFrameNoPP2()->GetCoordinate(), 181.25);
}

TEST(DocumentFrameTable, NullMarkedFrameIsRefusedAndTheHeldOneStays) {
    auto table = CFrameTableData::CreateInstance();
    const gdt::CFrame* held = table->GetFrameNoPP1();
    EXPECT_EQ(ChainOf([&] { table->SetFrameNoPP1(nullptr); }),
              Chain{"The property [FrameNoPP1] cannot be set to null"});
    EXPECT_EQ(table->GetFrameNoPP1().get(), held);
    held = table->GetFrameNoPP2();
    EXPECT_EQ(ChainOf([&] { table->SetFrameNoPP2(nullptr); }),
              Chain{"The property [FrameNoPP2] cannot be set to null"});
    EXPECT_EQ(table->GetFrameNoPP2().get(), held);
}

TEST(DocumentFrameTable, MouldOutsideTheEnumerationFailsOnlyWhenWritten) {
    auto table = CFrameTableData::CreateInstance();
    CGeneralData::CreateInstance()->SetFrameTable(table);
    table->GetFrameEntry()->Add()->SetMould(static_cast<gdt::CEnumerations::RDirection>(2));
    EXPECT_EQ(ChainOf([&] { table->ToXml(); }),
              (Chain{ConvertOf("FrameTable"), ConvertOf("FrameEntry"),
                     "Unknown enumeration value for gdt::CEnumerations::RDirection [2]"}));
}

TEST(DocumentFrameTable, ReadingFaults) {
    const std::string missingSpacing = "Failed to find the required Attribute [Spacing]";
    CheckReadFailures<CFrameTableData>({
        {"entries after the first marked frame",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameNoPP1/><FrameEntry No="1" Spacing="1" Mould="Aft"/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), "Failed to find a required element [FrameNoPP2]"}},
        {"no second marked frame",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameEntry No="1" Spacing="1" Mould="Aft"/><FrameNoPP1/></FrameTable>)",
         {ChildrenOf("FrameTable"), "Failed to find a required element [FrameNoPP2]"}},
        {"no marked frames", R"(<FrameTable KeepAft="0" SpacingSign="1"/>)",
         {ChildrenOf("FrameTable"), "Failed to find a required element [FrameNoPP1]"}},
        {"element after the marked frames",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameNoPP1/><FrameNoPP2/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), Unknown("FrameNoPP2")}},
        {"both table attributes missing", R"(<FrameTable><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {AttributesOf("FrameTable"), "Failed to find the required Attribute [KeepAft]"}},
        {"sign missing", R"(<FrameTable KeepAft="true"><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {AttributesOf("FrameTable"), "Failed to find the required Attribute [SpacingSign]"}},
        {"unknown table attribute", R"(<FrameTable KeepAft="1" SpacingSign="1" Spacing="1"/>)",
         {AttributesOf("FrameTable"), "Unexpected Attribute [Spacing] found."}},
        {"sign not an integer", R"(<FrameTable KeepAft="1" SpacingSign="1.5"/>)",
         {AttributesOf("FrameTable"), "The value [1.5] of attribute [SpacingSign] is not a valid long"}},
        {"entry without spacing",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameEntry No="1" Mould="Aft"/><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), AttributesOf("FrameEntry"), missingSpacing}},
        {"entry with nothing",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameEntry/><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), AttributesOf("FrameEntry"), "Failed to find the required Attribute [No]"}},
        {"entry without mould",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameEntry No="1" Spacing="2"/><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), AttributesOf("FrameEntry"), "Failed to find the required Attribute [Mould]"}},
        {"mould in the wrong case",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameEntry No="1" Spacing="2" Mould="aft"/><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), AttributesOf("FrameEntry"),
          "Unknown enumeration value for gdt::CEnumerations::RDirection [aft]"}},
        {"entry with a child",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameEntry No="1" Spacing="2" Mould="Aft"><X/></FrameEntry><FrameNoPP1/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), ChildrenOf("FrameEntry"), Unknown("X")}},
        {"marked frame fault",
         R"(<FrameTable KeepAft="0" SpacingSign="1"><FrameNoPP1 id="x"/><FrameNoPP2/></FrameTable>)",
         {ChildrenOf("FrameTable"), AttributesOf("FrameNoPP1"), "Unexpected Attribute [id] found."}},
    });
}

TEST(DocumentFrameTable, ReadingReplacesEntries) {
    auto table = CFrameTableData::CreateInstance();
    table->GetFrameEntry()->Add()->SetNo(99);
    table->GetFrameNoPP1()->SetId("old");
    table->FromXml(R"(<FrameTable KeepAft=" true " SpacingSign=" -1 "><FrameEntry No="1" Spacing="2" Mould=" Aft "/><FrameNoPP1/><FrameNoPP2/></FrameTable>)");
    ASSERT_EQ(table->GetFrameEntry()->GetCount(), 1);
    EXPECT_EQ(table->GetFrameEntry()->Item(0)->GetNo(), 1);
    EXPECT_EQ(table->GetFrameEntry()->Item(0)->GetMould(), gdt::CEnumerations::RDirection_Aft);
    EXPECT_FALSE(table->GetFrameNoPP1()->IsValidId());
    EXPECT_TRUE(table->GetKeepAft());
    EXPECT_EQ(table->GetSpacingSign(), -1);
}

// --- General data --------------------------------------------------------------

TEST(DocumentGeneralData, FreshObjectIsEmpty) {
    auto general = CGeneralData::CreateInstance();
    EXPECT_EQ(general->ToXml(), Document("GeneralData", "/>\n"));
    auto read = RoundTrip(general.get());
    EXPECT_FALSE(read->GetPrincipalDimension());
    EXPECT_FALSE(read->GetGeneralConstants());
    EXPECT_FALSE(read->GetAttachedFiles());
    EXPECT_FALSE(read->GetFrameTable());
}

TEST(DocumentGeneralData, FrameTableNameDependsOnItsParent) {
    // "FrameTable" is an attached file inside "AttachedFiles" and the frame table inside "GeneralData".
    auto general = CGeneralData::CreateInstance();
    general->FromXml(R"(<GeneralData>
  <AttachedFiles><FrameTable AbsolutePath="/frames.txt"/></AttachedFiles>
  <FrameTable KeepAft="true" SpacingSign="1"><FrameNoPP1 Id="1"/><FrameNoPP2 Id="2"/></FrameTable>
</GeneralData>)");
    EXPECT_FALSE(general->GetPrincipalDimension());
    EXPECT_FALSE(general->GetGeneralConstants());
    EXPECT_EQ(general->GetAttachedFiles()->GetFrameTable()->GetAbsolutePath(), "/frames.txt");
    ASSERT_TRUE(general->GetFrameTable());
    EXPECT_EQ(general->GetFrameTable()->GetElementName(), "FrameTable");
    EXPECT_EQ(general->GetFrameTable()->GetFrameNoPP2()->GetId(), "2");
    RoundTrip(general.get());
}

TEST(DocumentGeneralData, AllPartsRoundTripInOrder) {
    auto general = CGeneralData::CreateInstance();
    auto table = CFrameTableData::CreateInstance();
    general->SetFrameTable(table);
    auto constants = CGeneralConstants::CreateInstance();
    constants->SetRho(1.025);
    general->SetGeneralConstants(constants);
    auto files = CAttachedFiles::CreateInstance();
    files->SetFiniteElement(File("/fe"));
    general->SetAttachedFiles(files);
    auto dimension = CPrincipalDimension::CreateInstance();
    dimension->SetLpp(200);
    general->SetPrincipalDimension(dimension);

    EXPECT_EQ(general->ToXml(), Document("GeneralData", ">\n"
                                                        "  <PrincipalDimension Lpp=\"200\"/>\n"
                                                        "  <GeneralConstants Rho=\"1.025\"/>\n"
                                                        "  <AttachedFiles>\n"
                                                        "    <FiniteElement AbsolutePath=\"/fe\"/>\n"
                                                        "  </AttachedFiles>\n"
                                                        "  <FrameTable KeepAft=\"false\" SpacingSign=\"0\">\n"
                                                        "    <FrameNoPP1/>\n"
                                                        "    <FrameNoPP2/>\n"
                                                        "  </FrameTable>\n"
                                                        "</GeneralData>\n"));
    auto read = RoundTrip(general.get());
    EXPECT_EQ(read->GetPrincipalDimension()->GetLpp(), 200);
    EXPECT_EQ(read->GetGeneralConstants()->GetRho(), 1.025);

    general->SetFrameTable(nullptr);
    EXPECT_FALSE(general->GetFrameTable());
    EXPECT_EQ(general->ToXml().find("FrameTable"), std::string::npos);
}

TEST(DocumentGeneralData, ReadingFaults) {
    CheckReadFailures<CGeneralData>({
        {"parts out of order", R"(<GeneralData><GeneralConstants/><PrincipalDimension/></GeneralData>)",
         {ChildrenOf("GeneralData"), Unknown("PrincipalDimension")}},
        {"repeated part", R"(<GeneralData><PrincipalDimension/><PrincipalDimension/></GeneralData>)",
         {ChildrenOf("GeneralData"), Unknown("PrincipalDimension")}},
        {"class name as element", R"(<GeneralData><FrameTableData KeepAft="1" SpacingSign="1"/></GeneralData>)",
         {ChildrenOf("GeneralData"), Unknown("FrameTableData")}},
        {"attribute", R"(<GeneralData Lpp="1"/>)", {AttributesOf("GeneralData"), "Unexpected Attribute [Lpp] found."}},
        {"fault inside the frame table",
         R"(<GeneralData><FrameTable KeepAft="1" SpacingSign="1"><FrameNoPP1/></FrameTable></GeneralData>)",
         {ChildrenOf("GeneralData"), ChildrenOf("FrameTable"), "Failed to find a required element [FrameNoPP2]"}},
        {"fault inside the dimensions", R"(<GeneralData><PrincipalDimension Cb="x"/></GeneralData>)",
         {ChildrenOf("GeneralData"), AttributesOf("PrincipalDimension"), "The value [x] of attribute [Cb] is not a valid double"}},
    });
}

// --- Document root ---------------------------------------------------------------

TEST(DocumentRoot, FreshRootHasAnEmptyVersionAndNoParts) {
    auto root = CVantrel::CreateInstance();
    EXPECT_EQ(root->GetSchemaVersion(), "");
    EXPECT_EQ(root->ToXml(), Document("Vantrel", " schemaVersion=\"\"/>\n"));
    auto read = RoundTrip(root.get());
    EXPECT_FALSE(read->GetGeneralData());
    EXPECT_FALSE(read->GetLoadcaseData());
    EXPECT_FALSE(read->GetMasses());
    EXPECT_FALSE(read->GetHydrodynamic());
}

TEST(DocumentRoot, VersionKeepsItsWhitespace) {
    auto root = CVantrel::CreateInstance();
    root->SetSchemaVersion("  2.1 ");
    EXPECT_EQ(RoundTrip(root.get())->GetSchemaVersion(), "  2.1 ");
    root->FromXml("<Vantrel schemaVersion=\" 3 \"/>");
    EXPECT_EQ(root->GetSchemaVersion(), " 3 ");
}

template <class T>
CSmartPtr<T> Renamed(CSmartPtr<T> part) {
    LtXmlLib3::CXmlObjectBase::SetElementName(part.get(), "Other");
    return part;
}

TEST(DocumentRoot, PartsAreWrittenInSchemaOrder) {
    auto root = CVantrel::CreateInstance();
    root->SetSchemaVersion("1.0");
    // Set in reverse, each part named otherwise: the slots fix the order and the names.
    root->SetHydrodynamic(Renamed(CHydrodynamic::CreateInstance()));
    root->SetMasses(Renamed(CMasses::CreateInstance()));
    root->SetLoadcaseData(Renamed(CLoadcaseData::CreateInstance()));
    root->SetGeneralData(Renamed(CGeneralData::CreateInstance()));
    EXPECT_EQ(root->ToXml(), Document("Vantrel", " schemaVersion=\"1.0\">\n"
                                                 "  <GeneralData/>\n"
                                                 "  <LoadcaseData/>\n"
                                                 "  <Masses/>\n"
                                                 "  <Hydrodynamic/>\n"
                                                 "</Vantrel>\n"));
    auto read = RoundTrip(root.get());
    EXPECT_TRUE(read->GetGeneralData());
    EXPECT_TRUE(read->GetLoadcaseData());
    EXPECT_TRUE(read->GetMasses());
    EXPECT_TRUE(read->GetHydrodynamic());

    root->SetGeneralData(nullptr);
    root->SetMasses(nullptr);
    EXPECT_FALSE(root->GetMasses());
    EXPECT_EQ(root->ToXml(), Document("Vantrel", " schemaVersion=\"1.0\">\n"
                                                 "  <LoadcaseData/>\n"
                                                 "  <Hydrodynamic/>\n"
                                                 "</Vantrel>\n"));
}

TEST(DocumentRoot, SinglePartReadsBackAlone) {
    auto root = CVantrel::CreateInstance();
    root->FromXml(R"(<Vantrel schemaVersion="1"><Hydrodynamic/></Vantrel>)");
    EXPECT_FALSE(root->GetGeneralData());
    EXPECT_FALSE(root->GetLoadcaseData());
    EXPECT_FALSE(root->GetMasses());
    ASSERT_TRUE(root->GetHydrodynamic());
    EXPECT_EQ(root->ToXml(), Document("Vantrel", " schemaVersion=\"1\">\n  <Hydrodynamic/>\n</Vantrel>\n"));
}

TEST(DocumentRoot, DocumentElementNameIsNotChecked) {
    auto root = CVantrel::CreateInstance();
    root->FromXml(R"(<Ship schemaVersion="9"><GeneralData/></Ship>)");
    EXPECT_EQ(root->GetElementName(), "Ship");
    EXPECT_EQ(root->GetSchemaVersion(), "9");
    EXPECT_TRUE(root->GetGeneralData());
}

TEST(DocumentRoot, ReadReplacesEverything) {
    auto root = CVantrel::CreateInstance();
    root->SetSchemaVersion("old");
    root->SetGeneralData(CGeneralData::CreateInstance());
    root->SetLoadcaseData(CLoadcaseData::CreateInstance());
    root->SetMasses(CMasses::CreateInstance());
    root->SetHydrodynamic(CHydrodynamic::CreateInstance());
    root->FromXml(R"(<Vantrel schemaVersion="new"><LoadcaseData><LoadEnvelopes/></LoadcaseData></Vantrel>)");
    EXPECT_EQ(root->GetSchemaVersion(), "new");
    EXPECT_FALSE(root->GetGeneralData());
    EXPECT_FALSE(root->GetMasses());
    EXPECT_FALSE(root->GetHydrodynamic());
    ASSERT_TRUE(root->GetLoadcaseData());
    EXPECT_FALSE(root->GetLoadcaseData()->GetLoadcaseInput());
    EXPECT_TRUE(root->GetLoadcaseData()->GetLoadEnvelopes());

    root->FromXml(R"(<Vantrel schemaVersion=""/>)");
    EXPECT_FALSE(root->GetLoadcaseData());
}

TEST(DocumentRoot, ReadingFaults) {
    CheckReadFailures<CVantrel>({
        {"no version, well-formed parts",
         R"(<Vantrel><GeneralData/><LoadcaseData/><Masses/><Hydrodynamic/></Vantrel>)",
         {AttributesOf("Vantrel"), "Failed to find the required Attribute [schemaVersion]"}},
        {"unknown attribute", R"(<Vantrel schemaVersion="1" version="1"/>)",
         {AttributesOf("Vantrel"), "Unexpected Attribute [version] found."}},
        {"version in another case", R"(<Vantrel SchemaVersion="1"/>)",
         {AttributesOf("Vantrel"), "Unexpected Attribute [SchemaVersion] found."}},
        {"parts out of order", R"(<Vantrel schemaVersion="1"><LoadcaseData/><GeneralData/></Vantrel>)",
         {ChildrenOf("Vantrel"), Unknown("GeneralData")}},
        {"masses before general data", R"(<Vantrel schemaVersion="1"><Masses/><GeneralData/></Vantrel>)",
         {ChildrenOf("Vantrel"), Unknown("GeneralData")}},
        {"hydrodynamic before masses", R"(<Vantrel schemaVersion="1"><Hydrodynamic/><Masses/></Vantrel>)",
         {ChildrenOf("Vantrel"), Unknown("Masses")}},
        {"repeated last part", R"(<Vantrel schemaVersion="1"><Hydrodynamic/><Hydrodynamic/></Vantrel>)",
         {ChildrenOf("Vantrel"), Unknown("Hydrodynamic")}},
        {"repeated part", R"(<Vantrel schemaVersion="1"><GeneralData/><GeneralData/></Vantrel>)",
         {ChildrenOf("Vantrel"), Unknown("GeneralData")}},
        {"unknown part", R"(<Vantrel schemaVersion="1"><Ship/></Vantrel>)", {ChildrenOf("Vantrel"), Unknown("Ship")}},
        {"renamed root names itself",
         R"(<Doc schemaVersion="1"><GeneralData><AttachedFiles><FrameTable/></AttachedFiles></GeneralData></Doc>)",
         {ChildrenOf("Doc"), ChildrenOf("GeneralData"), ChildrenOf("AttachedFiles"), AttributesOf("FrameTable"),
          "Failed to find the required Attribute [AbsolutePath]"}},
    });
}

// --- Factory ---------------------------------------------------------------------

TEST(DocumentFactory, CreatesEachClassUnderItsId) {
    ExpectCreated<CAttachedFiles>(CClassFactory::Id_CAttachedFiles, "AttachedFiles");
    ExpectCreated<CFrameTableData>(CClassFactory::Id_CFrameTableData, "FrameTableData");
    ExpectCreated<CFrameTableEntry>(CClassFactory::Id_CFrameTableEntry, "FrameTableEntry");
    ExpectCreated<CGeneralConstants>(CClassFactory::Id_CGeneralConstants, "GeneralConstants");
    ExpectCreated<CGeneralData>(CClassFactory::Id_CGeneralData, "GeneralData");
    ExpectCreated<CPrincipalDimension>(CClassFactory::Id_CPrincipalDimension, "PrincipalDimension");
    ExpectCreated<CVantrel>(CClassFactory::Id_CVantrel, "Vantrel");

    auto entries = CClassFactory::CreateClassCollection(CClassFactory::Id_CFrameTableEntryCol, "Row", 1, 2);
    auto* typed = dynamic_cast<CFrameTableEntryCol*>(entries.get());
    ASSERT_NE(typed, nullptr);
    EXPECT_EQ(typed->Add()->GetElementName(), "Row");
    EXPECT_EQ(entries->GetMinOccurs(), 1);
    EXPECT_EQ(entries->GetMaxOccurs(), 2);
}

}  // namespace
