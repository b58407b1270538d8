#include "RandomTree.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>

namespace randomtree {

namespace {

using LtXmlLib3::CSmartPtr;
namespace V = VantrelLib;

// Pieces random strings are made of: letters and digits, every kind of XML
// whitespace, the characters markup escapes, and 2-, 3- and 4-byte UTF-8
// (é, €, 中, no-break space, U+FFFD, 𝄞, U+10FFFD).
const char* const kStringPieces[] = {
    "a",  "Z",  "0",   "9", " ",  "  ", "\t", "\n", "\r", "&", "<",  ">",  "\"", "'",  "]]>", "=",
    "/",  "\\", "%",   "#", ";",  "-",  ".",  "Ship", "Tank 7", "\xC3\xA9", "\xE2\x82\xAC", "\xE4\xB8\xAD",
    "\xC2\xA0", "\xEF\xBF\xBD", "\xF0\x9D\x84\x9E", "\xF4\x8F\xBF\xBD",
};

}  // namespace

Generator::Generator(std::uint64_t seed, Options options) : m_engine(seed), m_options(options) {}

// --- Values ---------------------------------------------------------------------

int Generator::Below(int count) { return static_cast<int>(m_engine() % static_cast<std::uint64_t>(count)); }

bool Generator::Maybe() {
    if (m_options.full) return true;
    return std::uniform_real_distribution<double>(0.0, 1.0)(m_engine) < m_options.optionalChance;
}

int Generator::Count(int minimum) {
    const int most = std::max(minimum, m_options.maxItems);
    if (m_options.full) return std::max(1, most);
    return minimum + Below(most - minimum + 1);
}

bool Generator::Bool() { return (m_engine() & 1) != 0; }

double Generator::Double() {
    using Limits = std::numeric_limits<double>;
    static const double kSpecial[] = {Limits::quiet_NaN(), Limits::infinity(), -Limits::infinity(), 0.0, -0.0,
                                      Limits::denorm_min(), -Limits::denorm_min(), Limits::min(), Limits::max(),
                                      Limits::lowest(), Limits::epsilon(), 1e-300, 0.1, 1.0 / 3.0, 1e21, 123456789.0};
    switch (Below(8)) {
        case 0: return kSpecial[Below(static_cast<int>(std::size(kSpecial)))];
        case 1: {
            // Any bit pattern: subnormals and infinities included. A NaN becomes
            // the quiet NaN: its text "NaN" carries no sign or payload.
            const std::uint64_t bits = m_engine();
            double value;
            static_assert(sizeof value == sizeof bits);
            std::memcpy(&value, &bits, sizeof value);
            return std::isnan(value) ? Limits::quiet_NaN() : value;
        }
        default: {
            // Values as programs write them: a few decimals.
            const double value = std::uniform_real_distribution<double>(-1e5, 1e5)(m_engine);
            const double scale = std::pow(10.0, Below(7));
            return std::round(value * scale) / scale;
        }
    }
}

std::int64_t Generator::Int64() {
    using Limits = std::numeric_limits<std::int64_t>;
    static const std::int64_t kSpecial[] = {Limits::min(), Limits::max(), 0, -1, 1};
    switch (Below(6)) {
        case 0: return kSpecial[Below(static_cast<int>(std::size(kSpecial)))];
        case 1: return static_cast<std::int64_t>(m_engine());
        default: return std::uniform_int_distribution<std::int64_t>(-100000, 100000)(m_engine);
    }
}

std::uint64_t Generator::UInt64() {
    static const std::uint64_t kSpecial[] = {0, 1, std::numeric_limits<std::uint64_t>::max()};
    switch (Below(6)) {
        case 0: return kSpecial[Below(static_cast<int>(std::size(kSpecial)))];
        case 1: return m_engine();
        default: return std::uniform_int_distribution<std::uint64_t>(0, 100000)(m_engine);
    }
}

std::string Generator::String() {
    std::string text;
    const int pieces = Below(17);
    for (int i = 0; i < pieces; ++i) text += kStringPieces[Below(static_cast<int>(std::size(kStringPieces)))];
    return text;
}

template <class T>
CSmartPtr<T> Generator::New() {
    CSmartPtr<T> object = T::CreateInstance();
    Fill(*object);
    return object;
}

namespace {

// Items are added both ways: made by the collection, or made by the caller and
// handed over (which renames them to the item element name).
template <class T, class Collection>
void FillList(Generator& generator, Collection& collection, int minimum) {
    const int count = generator.Count(minimum);
    for (int i = 0; i < count; ++i) {
        if (generator.Bool()) {
            generator.Fill(*collection.Add());
        } else {
            CSmartPtr<T> item = T::CreateInstance();
            generator.Fill(*item);
            collection.Add(item);
        }
    }
}

}  // namespace

// A required child is either filled in place or replaced through its setter.
#define VANTREL_REQUIRED_CHILD(object, Name, Type) \
    do {                                           \
        if (Bool()) {                              \
            Fill(*(object).Get##Name());           \
        } else {                                   \
            (object).Set##Name(New<Type>());       \
        }                                          \
    } while (false)
#define VANTREL_OPTIONAL_CHILD(object, Name, Type) \
    do {                                           \
        if (Maybe()) (object).Set##Name(New<Type>()); \
    } while (false)

// --- gdt ------------------------------------------------------------------------

void Generator::Fill(gdt::CPoint& point) {
    point.SetX(Double());
    point.SetY(Double());
    if (Maybe()) point.SetZ(Double());
}

void Generator::Fill(gdt::CRangeDouble& range) {
    range.SetFrom(Double());
    range.SetTo(Double());
}

void Generator::Fill(gdt::CBox& box) {
    VANTREL_REQUIRED_CHILD(box, Min, gdt::CPoint);
    VANTREL_REQUIRED_CHILD(box, Max, gdt::CPoint);
}

void Generator::Fill(gdt::CFrame& frame) {
    if (Maybe()) frame.SetId(String());
    if (Maybe()) frame.SetCoordinate(Double());
}

void Generator::Fill(gdt::CLoadcase& loadcase) {
    loadcase.SetLoadcaseId(UInt64());
    if (Maybe()) loadcase.SetName(String());
}

void Generator::Fill(gdt::CAttachedFile& file) {
    file.SetAbsolutePath(String());
    if (Maybe()) file.SetRelativePath(String());
}

// --- Document ---------------------------------------------------------------------

CSmartPtr<V::CVantrel> Generator::Vantrel() { return New<V::CVantrel>(); }

void Generator::Fill(V::CVantrel& root) {
    root.SetSchemaVersion(String());
    VANTREL_OPTIONAL_CHILD(root, GeneralData, V::CGeneralData);
    VANTREL_OPTIONAL_CHILD(root, LoadcaseData, V::CLoadcaseData);
    VANTREL_OPTIONAL_CHILD(root, Masses, V::CMasses);
    VANTREL_OPTIONAL_CHILD(root, Hydrodynamic, V::CHydrodynamic);
}

void Generator::Fill(V::CGeneralData& data) {
    VANTREL_OPTIONAL_CHILD(data, PrincipalDimension, V::CPrincipalDimension);
    VANTREL_OPTIONAL_CHILD(data, GeneralConstants, V::CGeneralConstants);
    VANTREL_OPTIONAL_CHILD(data, AttachedFiles, V::CAttachedFiles);
    VANTREL_OPTIONAL_CHILD(data, FrameTable, V::CFrameTableData);
}

void Generator::Fill(V::CPrincipalDimension& d) {
    if (Maybe()) d.SetLpp(Double());
    if (Maybe()) d.SetB(Double());
    if (Maybe()) d.SetH(Double());
    if (Maybe()) d.SetTmax(Double());
    if (Maybe()) d.SetCb(Double());
    if (Maybe()) d.SetVmax(Double());
    if (Maybe()) d.SetLightShipWeight(Double());
    if (Maybe()) d.SetDeadWeight(Double());
    if (Maybe()) d.SetBMHogging(Double());
    if (Maybe()) d.SetBMSagging(Double());
    if (Maybe()) d.SetL(Double());
    // Valid with its default value, the other way an optional becomes valid.
    if (Maybe()) d.SetValidLwl(true);
    if (Bool() && d.IsValidLwl()) d.SetLwl(Double());
}

void Generator::Fill(V::CGeneralConstants& c) {
    if (Maybe()) c.SetRho(Double());
    if (Maybe()) c.SetGravitationalConstant(Double());
    if (Maybe()) c.SetNeutralFibre(Double());
    if (Maybe()) c.SetShearCentre(Double());
}

void Generator::Fill(V::CAttachedFiles& files) {
    VANTREL_OPTIONAL_CHILD(files, FrameTable, gdt::CAttachedFile);
    VANTREL_OPTIONAL_CHILD(files, FiniteElement, gdt::CAttachedFile);
    VANTREL_OPTIONAL_CHILD(files, HullformDescription, gdt::CAttachedFile);
    VANTREL_OPTIONAL_CHILD(files, FiniteElementExport, gdt::CAttachedFile);
}

void Generator::Fill(V::CFrameTableData& table) {
    table.SetKeepAft(Bool());
    table.SetSpacingSign(Int64());
    FillList<V::CFrameTableEntry>(*this, *table.GetFrameEntry(), 0);
    VANTREL_REQUIRED_CHILD(table, FrameNoPP1, gdt::CFrame);
    VANTREL_REQUIRED_CHILD(table, FrameNoPP2, gdt::CFrame);
}

void Generator::Fill(V::CFrameTableEntry& entry) {
    entry.SetNo(Double());
    entry.SetSpacing(Double());
    entry.SetMould(static_cast<gdt::CEnumerations::RDirection>(Below(2)));
}

// --- Load cases ---------------------------------------------------------------------

void Generator::Fill(V::CLoadcaseData& data) {
    VANTREL_OPTIONAL_CHILD(data, LoadcaseInput, V::CLoadcaseInputData);
    VANTREL_OPTIONAL_CHILD(data, LoadEnvelopes, V::CLoadEnvelopeData);
}

void Generator::Fill(V::CLoadcaseInputData& input) {
    input.SetLoadComponent(static_cast<V::CEnumerations::RLoadComponents>(Below(12)));
    input.SetNoOfIntervals(UInt64());
    input.SetIsHalfModel(Bool());
    VANTREL_REQUIRED_CHILD(input, BaseLoadCase, gdt::CLoadcase);
    FillList<gdt::CLoadcase>(*this, *input.GetUnitLoadCase(), 0);
    VANTREL_REQUIRED_CHILD(input, Origin, gdt::CPoint);
}

void Generator::Fill(V::CLoadEnvelopeData& envelopes) {
    FillList<V::CLongitudinalPosition>(*this, *envelopes.GetLongitudinalPosition(), 0);
}

void Generator::Fill(V::CLongitudinalPosition& position) {
    position.SetXPosition(Double());
    VANTREL_REQUIRED_CHILD(position, MinForces, V::CLoadEnvelopeForce);
    VANTREL_REQUIRED_CHILD(position, MaxForces, V::CLoadEnvelopeForce);
}

void Generator::Fill(V::CLoadEnvelopeForce& force) {
    force.SetX(Double());
    force.SetY(Double());
    force.SetZ(Double());
    force.SetXx(Double());
    force.SetYy(Double());
    force.SetZz(Double());
}

// --- Masses ---------------------------------------------------------------------------

void Generator::Fill(V::CMasses& masses) {
    VANTREL_OPTIONAL_CHILD(masses, MassBoxes, V::CMassBoxes);
    VANTREL_OPTIONAL_CHILD(masses, MassElementGroups, V::CMassElementGroups);
    VANTREL_OPTIONAL_CHILD(masses, MassTanks, V::CMassTanks);
    VANTREL_OPTIONAL_CHILD(masses, MassContainer, V::CMassContainer);
    VANTREL_OPTIONAL_CHILD(masses, MassAssembled, V::CMassAssembled);
}

void Generator::Fill(V::CMassBoxes& boxes) { FillList<V::CMassBoxData>(*this, *boxes.GetBoxEntry(), 0); }

void Generator::Fill(V::CMassBoxData& box) {
    box.SetId(Double());
    if (Maybe()) box.SetTitle(String());
    box.SetMass(Double());
    FillList<gdt::CBox>(*this, *box.GetInterval(), 1);
    VANTREL_REQUIRED_CHILD(box, CoG, gdt::CPoint);
    VANTREL_REQUIRED_CHILD(box, NodeSelection, V::CMassNodeSelectionData);
}

void Generator::Fill(V::CMassNodeSelectionData& selection) {
    selection.SetUseSelected(static_cast<V::CEnumerations::RMassNodeSelection>(Below(3)));
    if (Maybe()) selection.SetAttribute(String());
}

void Generator::Fill(V::CMassElementGroups& groups) {
    FillList<V::CElementgroupData>(*this, *groups.GetElementGroupEntry(), 0);
}

void Generator::Fill(V::CElementgroupData& group) {
    group.SetId(Int64());
    if (Maybe()) group.SetTitle(String());
    group.SetBuoyancy(Bool());
}

void Generator::Fill(V::CMassTanks& tanks) { FillList<V::CMassTankData>(*this, *tanks.GetTankEntry(), 0); }

void Generator::Fill(V::CMassTankData& tank) {
    tank.SetId(Int64());
    if (Maybe()) tank.SetTitle(String());
    tank.SetInputCode(static_cast<V::CEnumerations::RMassInputCode>(Below(3)));
    if (Maybe()) tank.SetRequiredVolume(Double());
    VANTREL_REQUIRED_CHILD(tank, NodeSelection, V::CMassNodeSelectionData);
    FillList<gdt::CBox>(*this, *tank.GetInterval(), 1);
}

void Generator::Fill(V::CMassContainer& container) {
    FillList<V::CMassContainerData>(*this, *container.GetContainerEntry(), 0);
}

void Generator::Fill(V::CMassContainerData& container) {
    container.SetId(Int64());
    if (Maybe()) container.SetTitle(String());
    container.SetCoGx(Double());
    VANTREL_REQUIRED_CHILD(container, Aft, gdt::CFrame);
    VANTREL_REQUIRED_CHILD(container, Forward, gdt::CFrame);
    FillList<V::CRow>(*this, *container.GetRow(), 1);
}

void Generator::Fill(V::CRow& row) {
    row.SetNumber(Int64());
    row.SetSymmetry(static_cast<gdt::CEnumerations::RSymmetry>(Below(3)));
    row.SetTierUpper(Double());
    row.SetTierLower(Double());
    row.SetCoGyVertical(Double());
    row.SetCoGyHorizontal(Double());
    row.SetGuidedAft(Bool());
    row.SetGuidedForward(Bool());
}

void Generator::Fill(V::CMassAssembled& assembled) {
    FillList<V::CMassAssembledData>(*this, *assembled.GetAssembledEntry(), 0);
}

void Generator::Fill(V::CMassAssembledData& assembled) {
    assembled.SetId(Int64());
    if (Maybe()) assembled.SetTitle(String());
    assembled.SetMass(Double());
    VANTREL_REQUIRED_CHILD(assembled, CoG, gdt::CPoint);
    FillList<V::CContainerEntry>(*this, *assembled.GetContainerEntry(), 0);
    FillRestList(*assembled.GetBoxEntry());
    FillList<V::CTankEntry>(*this, *assembled.GetTankEntry(), 0);
    FillRestList(*assembled.GetElementgroupEntry());
    FillRestList(*assembled.GetAssembledEntry());
}

// A polymorphic list: any mix of the three classes (each of them in full mode).
void Generator::FillRestList(V::CIRestEntryCol& list) {
    const int count = m_options.full ? std::max(3, Count(0)) : Count(0);
    for (int i = 0; i < count; ++i) {
        switch (m_options.full ? i % 3 : Below(3)) {
            case 0: list.Add(New<V::CRestEntry>()); break;
            case 1: list.Add(New<V::CContainerEntry>()); break;
            default: list.Add(New<V::CTankEntry>()); break;
        }
    }
}

void Generator::FillRestEntryBase(V::IRestEntry& entry) {
    entry.SetValue(Double());
    if (Maybe()) entry.SetFix(Bool());
    entry.SetMassId(Int64());
}

void Generator::Fill(V::CRestEntry& entry) { FillRestEntryBase(entry); }

void Generator::Fill(V::CContainerEntry& entry) {
    FillRestEntryBase(entry);
    entry.SetCoGzParameter(Double());
}

void Generator::Fill(V::CTankEntry& entry) {
    FillRestEntryBase(entry);
    entry.SetSpecificWeight(Double());
}

// --- Hydrodynamics ----------------------------------------------------------------------

void Generator::Fill(V::CHydrodynamic& hydrodynamic) {
    FillList<V::CHydroData>(*this, *hydrodynamic.GetMassDistribution(), 0);
}

void Generator::Fill(V::CHydroData& data) {
    data.SetId(Int64());
    if (Maybe()) data.SetMassAssembledIdRef(Int64());
    VANTREL_REQUIRED_CHILD(data, Scan, V::CScan);
    VANTREL_REQUIRED_CHILD(data, Select, V::CSelect);
}

void Generator::Fill(V::CScan& scan) { FillList<V::CHydroScanBlockEntry>(*this, *scan.GetScanBlock(), 0); }

void Generator::Fill(V::CHydroScanBlockEntry& block) {
    block.SetId(Int64());
    if (Maybe()) block.SetWaveHeight(String());
    if (Maybe()) block.SetShipsSpeed(String());
    if (Maybe()) block.SetHeelingAngle(String());
    if (Maybe()) block.SetWaveLengthLpp(String());
    if (Maybe()) block.SetAnglesOfEncounter(String());
    if (Maybe()) block.SetWavePhase(String());
}

void Generator::Fill(V::CSelect& select) { FillList<V::CHydroSelectEntry>(*this, *select.GetSelectEntry(), 0); }

void Generator::Fill(V::CHydroSelectEntry& entry) {
    if (Maybe()) entry.SetTitle(String());
    entry.SetType(static_cast<V::CEnumerations::RHydroSelectType>(Below(3)));
    // Exactly one branch, or the entry cannot be written.
    const bool factor = m_options.full ? (m_choiceTurn++ % 2 == 0) : Bool();
    if (factor) {
        entry.SetFactor(New<V::CHydroSelectFactorEntry>());
    } else {
        entry.SetWave(New<V::CHydroSelectWaveEntry>());
    }
}

void Generator::Fill(V::CHydroSelectFactorEntry& factor) {
    if (Maybe()) factor.SetShearHorizontal(Double());
    if (Maybe()) factor.SetShearVertical(Double());
    if (Maybe()) factor.SetTorsion(Double());
    if (Maybe()) factor.SetBendingMomentHorizontal(Double());
    if (Maybe()) factor.SetBendingMomentVertical(Double());
    VANTREL_REQUIRED_CHILD(factor, RangeDirection, gdt::CRangeDouble);
    VANTREL_REQUIRED_CHILD(factor, RangeXLpp, gdt::CRangeDouble);
}

void Generator::Fill(V::CHydroSelectWaveEntry& wave) {
    if (Maybe()) wave.SetAmpl(Double());
    if (Maybe()) wave.SetLtoLpp(Double());
    if (Maybe()) wave.SetDirection(Double());
    if (Maybe()) wave.SetPhase(Double());
    if (Maybe()) wave.SetHeel(Double());
}

#undef VANTREL_REQUIRED_CHILD
#undef VANTREL_OPTIONAL_CHILD

CSmartPtr<V::CVantrel> RandomVantrel(std::uint64_t seed, const Options& options) {
    Generator generator(seed, options);
    return generator.Vantrel();
}

}  // namespace randomtree
