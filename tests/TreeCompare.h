#pragma once
// Value-by-value comparison of two object trees through the public getters,
// shared by the tests (a re-writing of both trees would compare texts, not values).
//
//   treecompare::TreeComparer comparer(treecompare::TreeComparer::Mode::Values);
//   comparer.Compare(*expected, *actual);          // a CVantrel, or any element class
//   EXPECT_TRUE(comparer.Mismatches().empty());
//
// or in one line: EXPECT_TRUE(treecompare::Equal(*expected, *actual));
// Each mismatch is a line "path: what", e.g.
// "Vantrel/Masses/MassBoxes/BoxEntry[2]/CoG@z: 1.5 (bits ...) vs 2 (bits ...)".

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include <VantrelLib/VantrelLib.h>

namespace treecompare {

inline std::uint64_t Bits(double value) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Comparing two object trees, value by value, through the public getters.
// Doubles compare bit for bit (so NaN equals NaN and -0 differs from 0);
// element names, collection counts, validity flags and the class of each
// rest entry are compared too. In SourceComplete mode the first tree must
// also have every optional attribute and child set and every collection
// filled, and the classes visited are recorded, so a test can tell that a
// document really holds every class.

class TreeComparer {
public:
    enum class Mode { Values, SourceComplete };
    explicit TreeComparer(Mode mode) : m_mode(mode) {}

    void Compare(const VantrelLib::CVantrel& a, const VantrelLib::CVantrel& b) { Walk("Vantrel", a, b); }
    // Any other class as the outermost object; paths start with its element name.
    template <class T>
    void Compare(const T& a, const T& b) {
        Walk(std::string(a.GetElementName()), a, b);
    }

    const std::vector<std::string>& Mismatches() const { return m_mismatches; }
    const std::set<std::string>& ClassesSeen() const { return m_classes; }
    std::size_t ValuesCompared() const { return m_values; }

private:
    using Object = LtXmlLib3::CXmlObjectBase;

    void Mismatch(const std::string& where, const std::string& what) { m_mismatches.push_back(where + ": " + what); }

    static std::string Show(double value) {
        char bits[32];
        std::snprintf(bits, sizeof bits, "%016llx", static_cast<unsigned long long>(Bits(value)));
        return LtXmlLib3::CConversions::r8ToString(value) + " (bits " + bits + ")";
    }
    template <class V>
    static std::string Show(const V& value) {
        std::ostringstream text;
        text << '[' << value << ']';
        return text.str();
    }

    void Same(const std::string& where, double a, double b) {
        ++m_values;
        if (Bits(a) != Bits(b)) Mismatch(where, Show(a) + " vs " + Show(b));
    }
    template <class V>
    void Same(const std::string& where, const V& a, const V& b) {
        ++m_values;
        if (!(a == b)) Mismatch(where, Show(a) + " vs " + Show(b));
    }

    // Each class's walk starts here: records the class and compares element names.
    void Enter(const std::string& where, const char* className, const Object& a, const Object& b) {
        m_classes.insert(className);
        Same(where + "#element", a.GetElementName(), b.GetElementName());
    }

    template <class C, class R>
    void Attr(const std::string& where, const char* name, const C& a, const C& b, R (C::*get)() const) {
        Same(where + "@" + name, (a.*get)(), (b.*get)());
    }
    template <class C, class R>
    void Opt(const std::string& where, const char* name, const C& a, const C& b, bool (C::*isValid)() const,
             R (C::*get)() const) {
        const std::string at = where + "@" + name;
        const bool validA = (a.*isValid)();
        if (m_mode == Mode::SourceComplete && !validA) Mismatch(at, "not set in the source");
        if (validA != (b.*isValid)()) return Mismatch(at, "valid in one tree only");
        if (validA) Same(at, (a.*get)(), (b.*get)());
    }

    // A child element (required, optional or a choice branch).
    template <class T>
    void Child(const std::string& where, const char* name, const LtXmlLib3::CSmartPtr<T>& a,
               const LtXmlLib3::CSmartPtr<T>& b, bool mayBeAbsent = false) {
        const std::string at = where + "/" + name;
        if (m_mode == Mode::SourceComplete && !mayBeAbsent && !a) Mismatch(at, "absent in the source");
        if (!a != !b) return Mismatch(at, "present in one tree only");
        if (a) Walk(at, *a, *b);
    }
    template <class Collection>
    void List(const std::string& where, const char* name, const LtXmlLib3::CSmartPtr<Collection>& a,
              const LtXmlLib3::CSmartPtr<Collection>& b) {
        const std::string at = where + "/" + name;
        if (m_mode == Mode::SourceComplete && a->GetCount() == 0) Mismatch(at, "empty in the source");
        Same(at + "#items", a->GetElementName(), b->GetElementName());
        Same(at + "#count", a->GetCount(), b->GetCount());
        if (a->GetCount() != b->GetCount()) return;
        for (int i = 0; i < a->GetCount(); ++i) Walk(at + "[" + std::to_string(i) + "]", *a->Item(i), *b->Item(i));
    }

    // --- gdt ---------------------------------------------------------------
    void Walk(const std::string& p, const gdt::CPoint& a, const gdt::CPoint& b) {
        Enter(p, "CPoint", a, b);
        Attr(p, "x", a, b, &gdt::CPoint::GetX);
        Attr(p, "y", a, b, &gdt::CPoint::GetY);
        Opt(p, "z", a, b, &gdt::CPoint::IsValidZ, &gdt::CPoint::GetZ);
    }
    void Walk(const std::string& p, const gdt::CRangeDouble& a, const gdt::CRangeDouble& b) {
        Enter(p, "CRangeDouble", a, b);
        Attr(p, "from", a, b, &gdt::CRangeDouble::GetFrom);
        Attr(p, "to", a, b, &gdt::CRangeDouble::GetTo);
    }
    void Walk(const std::string& p, const gdt::CBox& a, const gdt::CBox& b) {
        Enter(p, "CBox", a, b);
        Child(p, "Min", a.GetMin(), b.GetMin());
        Child(p, "Max", a.GetMax(), b.GetMax());
    }
    void Walk(const std::string& p, const gdt::CFrame& a, const gdt::CFrame& b) {
        Enter(p, "CFrame", a, b);
        Opt(p, "Id", a, b, &gdt::CFrame::IsValidId, &gdt::CFrame::GetId);
        Opt(p, "Coordinate", a, b, &gdt::CFrame::IsValidCoordinate, &gdt::CFrame::GetCoordinate);
    }
    void Walk(const std::string& p, const gdt::CLoadcase& a, const gdt::CLoadcase& b) {
        Enter(p, "CLoadcase", a, b);
        Attr(p, "LoadcaseId", a, b, &gdt::CLoadcase::GetLoadcaseId);
        Opt(p, "Name", a, b, &gdt::CLoadcase::IsValidName, &gdt::CLoadcase::GetName);
    }
    void Walk(const std::string& p, const gdt::CAttachedFile& a, const gdt::CAttachedFile& b) {
        Enter(p, "CAttachedFile", a, b);
        Attr(p, "AbsolutePath", a, b, &gdt::CAttachedFile::GetAbsolutePath);
        Opt(p, "RelativePath", a, b, &gdt::CAttachedFile::IsValidRelativePath, &gdt::CAttachedFile::GetRelativePath);
    }

    // --- Document root and general data ------------------------------------
    void Walk(const std::string& p, const VantrelLib::CVantrel& a, const VantrelLib::CVantrel& b) {
        Enter(p, "CVantrel", a, b);
        Attr(p, "schemaVersion", a, b, &VantrelLib::CVantrel::GetSchemaVersion);
        Child(p, "GeneralData", a.GetGeneralData(), b.GetGeneralData());
        Child(p, "LoadcaseData", a.GetLoadcaseData(), b.GetLoadcaseData());
        Child(p, "Masses", a.GetMasses(), b.GetMasses());
        Child(p, "Hydrodynamic", a.GetHydrodynamic(), b.GetHydrodynamic());
    }
    void Walk(const std::string& p, const VantrelLib::CGeneralData& a, const VantrelLib::CGeneralData& b) {
        Enter(p, "CGeneralData", a, b);
        Child(p, "PrincipalDimension", a.GetPrincipalDimension(), b.GetPrincipalDimension());
        Child(p, "GeneralConstants", a.GetGeneralConstants(), b.GetGeneralConstants());
        Child(p, "AttachedFiles", a.GetAttachedFiles(), b.GetAttachedFiles());
        Child(p, "FrameTable", a.GetFrameTable(), b.GetFrameTable());
    }
    void Walk(const std::string& p, const VantrelLib::CPrincipalDimension& a,
              const VantrelLib::CPrincipalDimension& b) {
        using C = VantrelLib::CPrincipalDimension;
        Enter(p, "CPrincipalDimension", a, b);
        Opt(p, "Lpp", a, b, &C::IsValidLpp, &C::GetLpp);
        Opt(p, "B", a, b, &C::IsValidB, &C::GetB);
        Opt(p, "H", a, b, &C::IsValidH, &C::GetH);
        Opt(p, "Tmax", a, b, &C::IsValidTmax, &C::GetTmax);
        Opt(p, "Cb", a, b, &C::IsValidCb, &C::GetCb);
        Opt(p, "Vmax", a, b, &C::IsValidVmax, &C::GetVmax);
        Opt(p, "LightShipWeight", a, b, &C::IsValidLightShipWeight, &C::GetLightShipWeight);
        Opt(p, "DeadWeight", a, b, &C::IsValidDeadWeight, &C::GetDeadWeight);
        Opt(p, "BMHogging", a, b, &C::IsValidBMHogging, &C::GetBMHogging);
        Opt(p, "BMSagging", a, b, &C::IsValidBMSagging, &C::GetBMSagging);
        Opt(p, "L", a, b, &C::IsValidL, &C::GetL);
        Opt(p, "Lwl", a, b, &C::IsValidLwl, &C::GetLwl);
    }
    void Walk(const std::string& p, const VantrelLib::CGeneralConstants& a, const VantrelLib::CGeneralConstants& b) {
        using C = VantrelLib::CGeneralConstants;
        Enter(p, "CGeneralConstants", a, b);
        Opt(p, "Rho", a, b, &C::IsValidRho, &C::GetRho);
        Opt(p, "GravitationalConstant", a, b, &C::IsValidGravitationalConstant, &C::GetGravitationalConstant);
        Opt(p, "NeutralFibre", a, b, &C::IsValidNeutralFibre, &C::GetNeutralFibre);
        Opt(p, "ShearCentre", a, b, &C::IsValidShearCentre, &C::GetShearCentre);
    }
    void Walk(const std::string& p, const VantrelLib::CAttachedFiles& a, const VantrelLib::CAttachedFiles& b) {
        Enter(p, "CAttachedFiles", a, b);
        Child(p, "FrameTable", a.GetFrameTable(), b.GetFrameTable());
        Child(p, "FiniteElement", a.GetFiniteElement(), b.GetFiniteElement());
        Child(p, "HullformDescription", a.GetHullformDescription(), b.GetHullformDescription());
        Child(p, "FiniteElementExport", a.GetFiniteElementExport(), b.GetFiniteElementExport());
    }
    void Walk(const std::string& p, const VantrelLib::CFrameTableData& a, const VantrelLib::CFrameTableData& b) {
        Enter(p, "CFrameTableData", a, b);
        Attr(p, "KeepAft", a, b, &VantrelLib::CFrameTableData::GetKeepAft);
        Attr(p, "SpacingSign", a, b, &VantrelLib::CFrameTableData::GetSpacingSign);
        List(p, "FrameEntry", a.GetFrameEntry(), b.GetFrameEntry());
        Child(p, "FrameNoPP1", a.GetFrameNoPP1(), b.GetFrameNoPP1());
        Child(p, "FrameNoPP2", a.GetFrameNoPP2(), b.GetFrameNoPP2());
    }
    void Walk(const std::string& p, const VantrelLib::CFrameTableEntry& a, const VantrelLib::CFrameTableEntry& b) {
        Enter(p, "CFrameTableEntry", a, b);
        Attr(p, "No", a, b, &VantrelLib::CFrameTableEntry::GetNo);
        Attr(p, "Spacing", a, b, &VantrelLib::CFrameTableEntry::GetSpacing);
        Attr(p, "Mould", a, b, &VantrelLib::CFrameTableEntry::GetMould);
    }

    // --- Load cases ----------------------------------------------------------
    void Walk(const std::string& p, const VantrelLib::CLoadcaseData& a, const VantrelLib::CLoadcaseData& b) {
        Enter(p, "CLoadcaseData", a, b);
        Child(p, "LoadcaseInput", a.GetLoadcaseInput(), b.GetLoadcaseInput());
        Child(p, "LoadEnvelopes", a.GetLoadEnvelopes(), b.GetLoadEnvelopes());
    }
    void Walk(const std::string& p, const VantrelLib::CLoadcaseInputData& a, const VantrelLib::CLoadcaseInputData& b) {
        Enter(p, "CLoadcaseInputData", a, b);
        Attr(p, "LoadComponent", a, b, &VantrelLib::CLoadcaseInputData::GetLoadComponent);
        Attr(p, "NoOfIntervals", a, b, &VantrelLib::CLoadcaseInputData::GetNoOfIntervals);
        Attr(p, "IsHalfModel", a, b, &VantrelLib::CLoadcaseInputData::GetIsHalfModel);
        Child(p, "BaseLoadCase", a.GetBaseLoadCase(), b.GetBaseLoadCase());
        List(p, "UnitLoadCase", a.GetUnitLoadCase(), b.GetUnitLoadCase());
        Child(p, "Origin", a.GetOrigin(), b.GetOrigin());
    }
    void Walk(const std::string& p, const VantrelLib::CLoadEnvelopeData& a, const VantrelLib::CLoadEnvelopeData& b) {
        Enter(p, "CLoadEnvelopeData", a, b);
        List(p, "LongitudinalPosition", a.GetLongitudinalPosition(), b.GetLongitudinalPosition());
    }
    void Walk(const std::string& p, const VantrelLib::CLongitudinalPosition& a,
              const VantrelLib::CLongitudinalPosition& b) {
        Enter(p, "CLongitudinalPosition", a, b);
        Attr(p, "XPosition", a, b, &VantrelLib::CLongitudinalPosition::GetXPosition);
        Child(p, "MinForces", a.GetMinForces(), b.GetMinForces());
        Child(p, "MaxForces", a.GetMaxForces(), b.GetMaxForces());
    }
    void Walk(const std::string& p, const VantrelLib::CLoadEnvelopeForce& a, const VantrelLib::CLoadEnvelopeForce& b) {
        using C = VantrelLib::CLoadEnvelopeForce;
        Enter(p, "CLoadEnvelopeForce", a, b);
        Attr(p, "x", a, b, &C::GetX);
        Attr(p, "y", a, b, &C::GetY);
        Attr(p, "z", a, b, &C::GetZ);
        Attr(p, "xx", a, b, &C::GetXx);
        Attr(p, "yy", a, b, &C::GetYy);
        Attr(p, "zz", a, b, &C::GetZz);
    }

    // --- Masses ----------------------------------------------------------------
    void Walk(const std::string& p, const VantrelLib::CMasses& a, const VantrelLib::CMasses& b) {
        Enter(p, "CMasses", a, b);
        Child(p, "MassBoxes", a.GetMassBoxes(), b.GetMassBoxes());
        Child(p, "MassElementGroups", a.GetMassElementGroups(), b.GetMassElementGroups());
        Child(p, "MassTanks", a.GetMassTanks(), b.GetMassTanks());
        Child(p, "MassContainer", a.GetMassContainer(), b.GetMassContainer());
        Child(p, "MassAssembled", a.GetMassAssembled(), b.GetMassAssembled());
    }
    void Walk(const std::string& p, const VantrelLib::CMassBoxes& a, const VantrelLib::CMassBoxes& b) {
        Enter(p, "CMassBoxes", a, b);
        List(p, "BoxEntry", a.GetBoxEntry(), b.GetBoxEntry());
    }
    void Walk(const std::string& p, const VantrelLib::CMassBoxData& a, const VantrelLib::CMassBoxData& b) {
        Enter(p, "CMassBoxData", a, b);
        Attr(p, "Id", a, b, &VantrelLib::CMassBoxData::GetId);
        Opt(p, "Title", a, b, &VantrelLib::CMassBoxData::IsValidTitle, &VantrelLib::CMassBoxData::GetTitle);
        Attr(p, "Mass", a, b, &VantrelLib::CMassBoxData::GetMass);
        List(p, "Interval", a.GetInterval(), b.GetInterval());
        Child(p, "CoG", a.GetCoG(), b.GetCoG());
        Child(p, "NodeSelection", a.GetNodeSelection(), b.GetNodeSelection());
    }
    void Walk(const std::string& p, const VantrelLib::CMassNodeSelectionData& a,
              const VantrelLib::CMassNodeSelectionData& b) {
        using C = VantrelLib::CMassNodeSelectionData;
        Enter(p, "CMassNodeSelectionData", a, b);
        Attr(p, "UseSelected", a, b, &C::GetUseSelected);
        Opt(p, "Attribute", a, b, &C::IsValidAttribute, &C::GetAttribute);
    }
    void Walk(const std::string& p, const VantrelLib::CMassElementGroups& a, const VantrelLib::CMassElementGroups& b) {
        Enter(p, "CMassElementGroups", a, b);
        List(p, "ElementGroupEntry", a.GetElementGroupEntry(), b.GetElementGroupEntry());
    }
    void Walk(const std::string& p, const VantrelLib::CElementgroupData& a, const VantrelLib::CElementgroupData& b) {
        Enter(p, "CElementgroupData", a, b);
        Attr(p, "Id", a, b, &VantrelLib::CElementgroupData::GetId);
        Opt(p, "Title", a, b, &VantrelLib::CElementgroupData::IsValidTitle, &VantrelLib::CElementgroupData::GetTitle);
        Attr(p, "Buoyancy", a, b, &VantrelLib::CElementgroupData::GetBuoyancy);
    }
    void Walk(const std::string& p, const VantrelLib::CMassTanks& a, const VantrelLib::CMassTanks& b) {
        Enter(p, "CMassTanks", a, b);
        List(p, "TankEntry", a.GetTankEntry(), b.GetTankEntry());
    }
    void Walk(const std::string& p, const VantrelLib::CMassTankData& a, const VantrelLib::CMassTankData& b) {
        using C = VantrelLib::CMassTankData;
        Enter(p, "CMassTankData", a, b);
        Attr(p, "Id", a, b, &C::GetId);
        Opt(p, "Title", a, b, &C::IsValidTitle, &C::GetTitle);
        Attr(p, "InputCode", a, b, &C::GetInputCode);
        Opt(p, "requiredVolume", a, b, &C::IsValidRequiredVolume, &C::GetRequiredVolume);
        Child(p, "NodeSelection", a.GetNodeSelection(), b.GetNodeSelection());
        List(p, "Interval", a.GetInterval(), b.GetInterval());
    }
    void Walk(const std::string& p, const VantrelLib::CMassContainer& a, const VantrelLib::CMassContainer& b) {
        Enter(p, "CMassContainer", a, b);
        List(p, "ContainerEntry", a.GetContainerEntry(), b.GetContainerEntry());
    }
    void Walk(const std::string& p, const VantrelLib::CMassContainerData& a, const VantrelLib::CMassContainerData& b) {
        using C = VantrelLib::CMassContainerData;
        Enter(p, "CMassContainerData", a, b);
        Attr(p, "Id", a, b, &C::GetId);
        Opt(p, "Title", a, b, &C::IsValidTitle, &C::GetTitle);
        Attr(p, "CoGx", a, b, &C::GetCoGx);
        Child(p, "Aft", a.GetAft(), b.GetAft());
        Child(p, "Forward", a.GetForward(), b.GetForward());
        List(p, "Row", a.GetRow(), b.GetRow());
    }
    void Walk(const std::string& p, const VantrelLib::CRow& a, const VantrelLib::CRow& b) {
        Enter(p, "CRow", a, b);
        Attr(p, "Number", a, b, &VantrelLib::CRow::GetNumber);
        Attr(p, "Symmetry", a, b, &VantrelLib::CRow::GetSymmetry);
        Attr(p, "TierUpper", a, b, &VantrelLib::CRow::GetTierUpper);
        Attr(p, "TierLower", a, b, &VantrelLib::CRow::GetTierLower);
        Attr(p, "CoGyVertical", a, b, &VantrelLib::CRow::GetCoGyVertical);
        Attr(p, "CoGyHorizontal", a, b, &VantrelLib::CRow::GetCoGyHorizontal);
        Attr(p, "GuidedAft", a, b, &VantrelLib::CRow::GetGuidedAft);
        Attr(p, "GuidedForward", a, b, &VantrelLib::CRow::GetGuidedForward);
    }
    void Walk(const std::string& p, const VantrelLib::CMassAssembled& a, const VantrelLib::CMassAssembled& b) {
        Enter(p, "CMassAssembled", a, b);
        List(p, "AssembledEntry", a.GetAssembledEntry(), b.GetAssembledEntry());
    }
    void Walk(const std::string& p, const VantrelLib::CMassAssembledData& a, const VantrelLib::CMassAssembledData& b) {
        using C = VantrelLib::CMassAssembledData;
        Enter(p, "CMassAssembledData", a, b);
        Attr(p, "Id", a, b, &C::GetId);
        Opt(p, "Title", a, b, &C::IsValidTitle, &C::GetTitle);
        Attr(p, "Mass", a, b, &C::GetMass);
        Child(p, "CoG", a.GetCoG(), b.GetCoG());
        List(p, "ContainerEntry", a.GetContainerEntry(), b.GetContainerEntry());
        List(p, "BoxEntry", a.GetBoxEntry(), b.GetBoxEntry());
        List(p, "TankEntry", a.GetTankEntry(), b.GetTankEntry());
        List(p, "ElementgroupEntry", a.GetElementgroupEntry(), b.GetElementgroupEntry());
        List(p, "AssembledEntry", a.GetAssembledEntry(), b.GetAssembledEntry());
    }

    // Rest entries: the same class on both sides, then that class's values.
    void Walk(const std::string& p, const VantrelLib::IRestEntry& a, const VantrelLib::IRestEntry& b) {
        if (typeid(a) != typeid(b))
            return Mismatch(p, std::string("class ") + typeid(a).name() + " vs " + typeid(b).name());
        if (auto* rest = dynamic_cast<const VantrelLib::CRestEntry*>(&a))
            return Walk(p, *rest, dynamic_cast<const VantrelLib::CRestEntry&>(b));
        if (auto* tank = dynamic_cast<const VantrelLib::CTankEntry*>(&a))
            return Walk(p, *tank, dynamic_cast<const VantrelLib::CTankEntry&>(b));
        if (auto* container = dynamic_cast<const VantrelLib::CContainerEntry*>(&a))
            return Walk(p, *container, dynamic_cast<const VantrelLib::CContainerEntry&>(b));
        Mismatch(p, "a rest entry of no known class");
    }
    template <class C>
    void RestEntryValues(const std::string& p, const C& a, const C& b) {
        Attr(p, "Value", a, b, &C::GetValue);
        Opt(p, "Fix", a, b, &C::IsValidFix, &C::GetFix);
        Attr(p, "MassId", a, b, &C::GetMassId);
    }
    void Walk(const std::string& p, const VantrelLib::CRestEntry& a, const VantrelLib::CRestEntry& b) {
        Enter(p, "CRestEntry", a, b);
        RestEntryValues(p, a, b);
    }
    void Walk(const std::string& p, const VantrelLib::CContainerEntry& a, const VantrelLib::CContainerEntry& b) {
        Enter(p, "CContainerEntry", a, b);
        RestEntryValues(p, a, b);
        Attr(p, "CoGzParameter", a, b, &VantrelLib::CContainerEntry::GetCoGzParameter);
    }
    void Walk(const std::string& p, const VantrelLib::CTankEntry& a, const VantrelLib::CTankEntry& b) {
        Enter(p, "CTankEntry", a, b);
        RestEntryValues(p, a, b);
        Attr(p, "SpecificWeight", a, b, &VantrelLib::CTankEntry::GetSpecificWeight);
    }

    // --- Hydrodynamic loads ------------------------------------------------------
    void Walk(const std::string& p, const VantrelLib::CHydrodynamic& a, const VantrelLib::CHydrodynamic& b) {
        Enter(p, "CHydrodynamic", a, b);
        List(p, "MassDistribution", a.GetMassDistribution(), b.GetMassDistribution());
    }
    void Walk(const std::string& p, const VantrelLib::CHydroData& a, const VantrelLib::CHydroData& b) {
        Enter(p, "CHydroData", a, b);
        Attr(p, "Id", a, b, &VantrelLib::CHydroData::GetId);
        Opt(p, "MassAssembledIdRef", a, b, &VantrelLib::CHydroData::IsValidMassAssembledIdRef,
            &VantrelLib::CHydroData::GetMassAssembledIdRef);
        Child(p, "Scan", a.GetScan(), b.GetScan());
        Child(p, "Select", a.GetSelect(), b.GetSelect());
    }
    void Walk(const std::string& p, const VantrelLib::CScan& a, const VantrelLib::CScan& b) {
        Enter(p, "CScan", a, b);
        List(p, "ScanBlock", a.GetScanBlock(), b.GetScanBlock());
    }
    void Walk(const std::string& p, const VantrelLib::CHydroScanBlockEntry& a,
              const VantrelLib::CHydroScanBlockEntry& b) {
        using C = VantrelLib::CHydroScanBlockEntry;
        Enter(p, "CHydroScanBlockEntry", a, b);
        Attr(p, "Id", a, b, &C::GetId);
        Opt(p, "WaveHeight", a, b, &C::IsValidWaveHeight, &C::GetWaveHeight);
        Opt(p, "ShipsSpeed", a, b, &C::IsValidShipsSpeed, &C::GetShipsSpeed);
        Opt(p, "HeelingAngle", a, b, &C::IsValidHeelingAngle, &C::GetHeelingAngle);
        Opt(p, "WaveLengthLpp", a, b, &C::IsValidWaveLengthLpp, &C::GetWaveLengthLpp);
        Opt(p, "AnglesOfEncounter", a, b, &C::IsValidAnglesOfEncounter, &C::GetAnglesOfEncounter);
        Opt(p, "WavePhase", a, b, &C::IsValidWavePhase, &C::GetWavePhase);
    }
    void Walk(const std::string& p, const VantrelLib::CSelect& a, const VantrelLib::CSelect& b) {
        Enter(p, "CSelect", a, b);
        List(p, "SelectEntry", a.GetSelectEntry(), b.GetSelectEntry());
    }
    void Walk(const std::string& p, const VantrelLib::CHydroSelectEntry& a, const VantrelLib::CHydroSelectEntry& b) {
        Enter(p, "CHydroSelectEntry", a, b);
        Opt(p, "Title", a, b, &VantrelLib::CHydroSelectEntry::IsValidTitle, &VantrelLib::CHydroSelectEntry::GetTitle);
        Attr(p, "Type", a, b, &VantrelLib::CHydroSelectEntry::GetType);
        Attr(p, "#choice", a, b, &VantrelLib::CHydroSelectEntry::GetChoiceSelectedElement);
        Child(p, "Factor", a.GetFactor(), b.GetFactor(), true);  // one branch of the two is absent
        Child(p, "Wave", a.GetWave(), b.GetWave(), true);
    }
    void Walk(const std::string& p, const VantrelLib::CHydroSelectFactorEntry& a,
              const VantrelLib::CHydroSelectFactorEntry& b) {
        using C = VantrelLib::CHydroSelectFactorEntry;
        Enter(p, "CHydroSelectFactorEntry", a, b);
        Opt(p, "ShearHorizontal", a, b, &C::IsValidShearHorizontal, &C::GetShearHorizontal);
        Opt(p, "ShearVertical", a, b, &C::IsValidShearVertical, &C::GetShearVertical);
        Opt(p, "Torsion", a, b, &C::IsValidTorsion, &C::GetTorsion);
        Opt(p, "BendingMomentHorizontal", a, b, &C::IsValidBendingMomentHorizontal, &C::GetBendingMomentHorizontal);
        Opt(p, "BendingMomentVertical", a, b, &C::IsValidBendingMomentVertical, &C::GetBendingMomentVertical);
        Child(p, "RangeDirection", a.GetRangeDirection(), b.GetRangeDirection());
        Child(p, "RangeXLpp", a.GetRangeXLpp(), b.GetRangeXLpp());
    }
    void Walk(const std::string& p, const VantrelLib::CHydroSelectWaveEntry& a,
              const VantrelLib::CHydroSelectWaveEntry& b) {
        using C = VantrelLib::CHydroSelectWaveEntry;
        Enter(p, "CHydroSelectWaveEntry", a, b);
        Opt(p, "Ampl", a, b, &C::IsValidAmpl, &C::GetAmpl);
        Opt(p, "LtoLpp", a, b, &C::IsValidLtoLpp, &C::GetLtoLpp);
        Opt(p, "Direction", a, b, &C::IsValidDirection, &C::GetDirection);
        Opt(p, "Phase", a, b, &C::IsValidPhase, &C::GetPhase);
        Opt(p, "Heel", a, b, &C::IsValidHeel, &C::GetHeel);
    }

    Mode m_mode;
    std::vector<std::string> m_mismatches;
    std::set<std::string> m_classes;
    std::size_t m_values = 0;
};

// Every element class of both namespaces (IRestEntry is abstract).
inline const std::set<std::string> kAllClasses = {
    "CPoint",
    "CRangeDouble",
    "CBox",
    "CFrame",
    "CLoadcase",
    "CAttachedFile",
    "CVantrel",
    "CGeneralData",
    "CPrincipalDimension",
    "CGeneralConstants",
    "CAttachedFiles",
    "CFrameTableData",
    "CFrameTableEntry",
    "CLoadcaseData",
    "CLoadcaseInputData",
    "CLoadEnvelopeData",
    "CLongitudinalPosition",
    "CLoadEnvelopeForce",
    "CMasses",
    "CMassBoxes",
    "CMassBoxData",
    "CMassNodeSelectionData",
    "CMassElementGroups",
    "CElementgroupData",
    "CMassTanks",
    "CMassTankData",
    "CMassContainer",
    "CMassContainerData",
    "CRow",
    "CMassAssembled",
    "CMassAssembledData",
    "CRestEntry",
    "CContainerEntry",
    "CTankEntry",
    "CHydrodynamic",
    "CHydroData",
    "CScan",
    "CHydroScanBlockEntry",
    "CSelect",
    "CHydroSelectEntry",
    "CHydroSelectFactorEntry",
    "CHydroSelectWaveEntry",
};

// The differences between two trees, as "path: what" lines (empty when equal).
inline std::vector<std::string> Differences(const VantrelLib::CVantrel& a, const VantrelLib::CVantrel& b) {
    TreeComparer comparer(TreeComparer::Mode::Values);
    comparer.Compare(a, b);
    return comparer.Mismatches();
}

// Success when the two trees hold the same values (any element class as the
// outermost object); otherwise a failure listing the first 20 mismatches.
template <class T>
::testing::AssertionResult Equal(const T& expected, const T& actual) {
    TreeComparer comparer(TreeComparer::Mode::Values);
    comparer.Compare(expected, actual);
    const std::vector<std::string>& mismatches = comparer.Mismatches();
    if (mismatches.empty()) return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << mismatches.size() << " mismatch(es):";
    for (std::size_t i = 0; i < mismatches.size() && i < 20; ++i) failure << "\n  " << mismatches[i];
    return failure;
}

}  // namespace treecompare
