// "Vantrel Trader": a container feeder of about 1,700 TEU, built section by
// section through the library's API. Copy from here: each function fills one
// part of the document the way a client program would.
//
// Main particulars: Lpp 172.0 m, B 27.8 m, depth 15.6 m, scantling draught
// 10.2 m, block coefficient 0.68, 19.5 kn. Five cargo holds forward of an
// aft engine room and deckhouse. The aft perpendicular is frame 0 (x = 0),
// the fore perpendicular frame 220 (x = 172.0).

#include "SampleShip.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace VantrelSample {

using LtXmlLib3::CSmartPtr;
using namespace VantrelLib;

namespace {

constexpr double kLpp = 172.0;

// ---- Small helpers ---------------------------------------------------------

void SetPoint(gdt::CPoint* point, double x, double y, double z) {
    point->SetX(x);
    point->SetY(y);
    point->SetZ(z);
}

// Keeps computed positions at whole millimetres, so that they are written
// as 98.8 rather than 98.80000000000001.
double RoundToMillimetre(double x) { return std::round(x * 1000.0) / 1000.0; }

// Adds the box xmin..xmax, ymin..ymax, zmin..zmax to a list of boxes ("Interval").
void AddBox(gdt::CBoxCol* boxes, double xmin, double xmax, double ymin, double ymax, double zmin, double zmax) {
    CSmartPtr<gdt::CBox> box = boxes->Add();
    SetPoint(box->GetMin(), xmin, ymin, zmin);
    SetPoint(box->GetMax(), xmax, ymax, zmax);
}

// The longitudinal position of a frame: 0.70 m spacing in the aft body
// (frames 0-20), 0.80 m in the engine room and cargo region (20-200), 0.70 m
// in the fore body (200-220).
double FrameX(int frame) {
    double x;
    if (frame <= 20)
        x = frame * 0.70;
    else if (frame <= 200)
        x = 14.0 + (frame - 20) * 0.80;
    else
        x = 158.0 + (frame - 200) * 0.70;
    return RoundToMillimetre(x);
}
double FrameSpacing(int frame) { return frame < 20 || frame >= 200 ? 0.70 : 0.80; }

void SetFrame(gdt::CFrame* frame, int number) {
    frame->SetId(std::to_string(number));
    frame->SetCoordinate(FrameX(number));
}

// ---- General data ----------------------------------------------------------

CSmartPtr<CGeneralData> BuildGeneralData() {
    CSmartPtr<CGeneralData> general = CGeneralData::CreateInstance();

    CSmartPtr<CPrincipalDimension> dimensions = CPrincipalDimension::CreateInstance();
    dimensions->SetLpp(kLpp);
    dimensions->SetB(27.8);
    dimensions->SetH(15.6);
    dimensions->SetTmax(10.2);
    dimensions->SetCb(0.68);
    dimensions->SetVmax(19.5);                 // kn
    dimensions->SetLightShipWeight(8200.0);    // t
    dimensions->SetDeadWeight(23000.0);        // t
    dimensions->SetBMHogging(1250000.0);       // permissible still-water bending moments, kNm
    dimensions->SetBMSagging(-980000.0);
    dimensions->SetL(171.2);                   // rule length
    dimensions->SetLwl(175.3);
    general->SetPrincipalDimension(dimensions);

    CSmartPtr<CGeneralConstants> constants = CGeneralConstants::CreateInstance();
    constants->SetRho(1.025);                  // sea water, t/m3
    constants->SetGravitationalConstant(9.81);
    constants->SetNeutralFibre(6.85);          // above the baseline
    constants->SetShearCentre(-4.1);           // below the baseline: an open-deck section
    general->SetGeneralConstants(constants);

    CSmartPtr<CAttachedFiles> files = CAttachedFiles::CreateInstance();
    auto attach = [](const std::string& relative) {
        CSmartPtr<gdt::CAttachedFile> file = gdt::CAttachedFile::CreateInstance();
        file->SetAbsolutePath("/projects/vantrel-trader/" + relative);
        file->SetRelativePath(relative);
        return file;
    };
    files->SetFrameTable(attach("hull/frames.csv"));
    files->SetFiniteElement(attach("fe/global_model.bdf"));
    files->SetHullformDescription(attach("hull/hullform.igs"));
    files->SetFiniteElementExport(attach("fe/export/loads.op2"));
    general->SetAttachedFiles(files);

    // One entry every fifth frame, from frame -5 (the transom) to frame 225
    // (the bulbous bow): the frame number and the frame spacing forward of it.
    // Frames aft of midships are moulded on their aft face, those forward of
    // it on their forward face.
    CSmartPtr<CFrameTableData> frames = CFrameTableData::CreateInstance();
    frames->SetKeepAft(true);
    frames->SetSpacingSign(1);  // frame numbers grow forward
    for (int number = -5; number <= 225; number += 5) {
        CSmartPtr<CFrameTableEntry> entry = frames->GetFrameEntry()->Add();
        entry->SetNo(number);
        entry->SetSpacing(FrameSpacing(number));
        entry->SetMould(FrameX(number) < kLpp / 2 ? gdt::CEnumerations::RDirection_Aft
                                                  : gdt::CEnumerations::RDirection_Forward);
    }
    SetFrame(frames->GetFrameNoPP1(), 0);    // aft perpendicular
    SetFrame(frames->GetFrameNoPP2(), 220);  // fore perpendicular
    general->SetFrameTable(frames);
    return general;
}

// ---- Load cases --------------------------------------------------------------

// The six components of one record: axial force, horizontal and vertical
// shear (kN); torsion, vertical and horizontal bending moment (kNm).
struct Forces {
    double x, y, z, xx, yy, zz;
};

void SetForces(CLoadEnvelopeForce* record, const Forces& f) {
    record->SetX(f.x);
    record->SetY(f.y);
    record->SetZ(f.z);
    record->SetXx(f.xx);
    record->SetYy(f.yy);
    record->SetZz(f.zz);
}

CSmartPtr<CLoadcaseData> BuildLoadcaseData() {
    CSmartPtr<CLoadcaseData> loadcases = CLoadcaseData::CreateInstance();

    // A full-ship model, 40 sections, evaluated for the maximum vertical
    // bending moment: the still-water base case plus unit wave load cases.
    CSmartPtr<CLoadcaseInputData> input = CLoadcaseInputData::CreateInstance();
    input->SetLoadComponent(CEnumerations::RLoadComponents_BMmaxY);
    input->SetNoOfIntervals(40);
    input->SetIsHalfModel(false);
    input->GetBaseLoadCase()->SetLoadcaseId(100);
    input->GetBaseLoadCase()->SetName("Full load departure, still water");
    const struct {
        std::uint64_t id;
        const char* name;
    } unitCases[] = {
        {101, "Vertical wave bending, hogging"},
        {102, "Vertical wave bending, sagging"},
        {103, "Horizontal wave bending"},
        {104, "Wave torsion, oblique seas"},
        {105, "Roll, port side down"},
    };
    for (const auto& unit : unitCases) {
        CSmartPtr<gdt::CLoadcase> loadcase = input->GetUnitLoadCase()->Add();
        loadcase->SetLoadcaseId(unit.id);
        loadcase->SetName(unit.name);
    }
    SetPoint(input->GetOrigin(), 0.0, 0.0, 0.0);  // aft perpendicular, centreline, baseline
    loadcases->SetLoadcaseInput(input);

    // Envelopes of the sectional loads (still water plus wave) at 0.1, 0.25,
    // 0.4, 0.5, 0.6, 0.75 and 0.9 Lpp.
    const struct {
        double x;
        Forces min, max;
    } envelope[] = {
        {17.2, {-800, -6500, -21000, -38000, -330000, -150000}, {800, 6500, 24000, 38000, 380000, 150000}},
        {43.0, {-1100, -11800, -44500, -72000, -1290000, -520000}, {1100, 11800, 47200, 72000, 1380000, 520000}},
        {68.8, {-1300, -9400, -29800, -61000, -1960000, -760000}, {1300, 9400, 31500, 61000, 2080000, 760000}},
        {86.0, {-1350, -7200, -12400, -48000, -2140000, -810000}, {1350, 7200, 13100, 48000, 2240000, 810000}},
        {103.2, {-1300, -9900, -31200, -58000, -1930000, -740000}, {1300, 9900, 29600, 58000, 2010000, 740000}},
        {129.0, {-1050, -12600, -48100, -66000, -1210000, -480000}, {1050, 12600, 45300, 66000, 1260000, 480000}},
        {154.8, {-700, -7100, -25300, -31000, -310000, -130000}, {700, 7100, 22800, 31000, 340000, 130000}},
    };
    CSmartPtr<CLoadEnvelopeData> envelopes = CLoadEnvelopeData::CreateInstance();
    for (const auto& station : envelope) {
        CSmartPtr<CLongitudinalPosition> position = envelopes->GetLongitudinalPosition()->Add();
        position->SetXPosition(station.x);
        SetForces(position->GetMinForces(), station.min);
        SetForces(position->GetMaxForces(), station.max);
    }
    loadcases->SetLoadEnvelopes(envelopes);
    return loadcases;
}

// ---- Masses --------------------------------------------------------------------

CSmartPtr<CMassBoxData> AddBoxMass(CMassBoxes* section, double id, const char* title, double mass, double cogX,
                                   double cogY, double cogZ) {
    CSmartPtr<CMassBoxData> item = section->GetBoxEntry()->Add();
    item->SetId(id);
    item->SetTitle(title);
    item->SetMass(mass);
    SetPoint(item->GetCoG(), cogX, cogY, cogZ);
    return item;
}

void SelectNodes(CMassNodeSelectionData* selection, CEnumerations::RMassNodeSelection how, const char* nodeSet) {
    selection->SetUseSelected(how);
    if (nodeSet != nullptr) selection->SetAttribute(nodeSet);
}

CSmartPtr<CMassBoxes> BuildBoxMasses() {
    CSmartPtr<CMassBoxes> boxes = CMassBoxes::CreateInstance();

    auto aftBody = AddBoxMass(boxes, 1, "Hull steel, aft body", 1480, 8.9, 0.0, 8.6);
    AddBox(aftBody->GetInterval(), -3.5, 14.0, -13.9, 13.9, 0.0, 15.6);
    SelectNodes(aftBody->GetNodeSelection(), CEnumerations::RMassNodeSelection_All, nullptr);

    auto engine = AddBoxMass(boxes, 2, "Main engine and gearbox", 420, 25.2, 0.0, 5.9);
    AddBox(engine->GetInterval(), 20.0, 30.0, -3.0, 3.0, 1.8, 10.5);
    SelectNodes(engine->GetNodeSelection(), CEnumerations::RMassNodeSelection_Selection, "ME_FOUNDATION");

    // Deckhouse and wheelhouse: two boxes, carried on the deckhouse supports.
    auto deckhouse = AddBoxMass(boxes, 3, "Deckhouse and accommodation", 610, 15.1, 0.0, 24.3);
    AddBox(deckhouse->GetInterval(), 8.0, 22.0, -11.0, 11.0, 15.6, 30.6);
    AddBox(deckhouse->GetInterval(), 12.0, 20.0, -6.0, 6.0, 30.6, 36.0);
    SelectNodes(deckhouse->GetNodeSelection(), CEnumerations::RMassNodeSelection_Hard, "DECKHOUSE_SUPPORTS");

    auto hatchCovers = AddBoxMass(boxes, 4, "Hatch covers, holds 1-5", 880, 96.4, 0.0, 17.1);
    AddBox(hatchCovers->GetInterval(), 39.6, 154.8, -11.5, 11.5, 16.6, 17.6);
    SelectNodes(hatchCovers->GetNodeSelection(), CEnumerations::RMassNodeSelection_Selection, "HATCH_COAMINGS");

    auto foreBody = AddBoxMass(boxes, 5, "Hull steel, fore body", 1120, 163.5, 0.0, 9.4);
    AddBox(foreBody->GetInterval(), 154.8, 176.5, -12.5, 12.5, 0.0, 18.2);
    SelectNodes(foreBody->GetNodeSelection(), CEnumerations::RMassNodeSelection_All, nullptr);

    auto cement = AddBoxMass(boxes, 6, "Solid ballast, fore peak bottom", 95, 166.0, 0.0, 0.6);
    AddBox(cement->GetInterval(), 162.0, 170.0, -3.0, 3.0, 0.0, 1.2);
    SelectNodes(cement->GetNodeSelection(), CEnumerations::RMassNodeSelection_All, nullptr);
    return boxes;
}

CSmartPtr<CMassElementGroups> BuildElementGroups() {
    CSmartPtr<CMassElementGroups> groups = CMassElementGroups::CreateInstance();
    const struct {
        std::int64_t id;
        const char* title;
        bool buoyancy;
    } rows[] = {
        {10, "Hull structure and outfitting, cargo region", false},
        {11, "Shell plating, wetted surface", true},
        {12, "Lashing bridges", false},
    };
    for (const auto& row : rows) {
        CSmartPtr<CElementgroupData> group = groups->GetElementGroupEntry()->Add();
        group->SetId(row.id);
        group->SetTitle(row.title);
        group->SetBuoyancy(row.buoyancy);
    }
    return groups;
}

CSmartPtr<CMassTanks> BuildTanks() {
    CSmartPtr<CMassTanks> tanks = CMassTanks::CreateInstance();
    auto addTank = [&](std::int64_t id, const char* title, CEnumerations::RMassInputCode code, double volume) {
        CSmartPtr<CMassTankData> tank = tanks->GetTankEntry()->Add();
        tank->SetId(id);
        tank->SetTitle(title);
        tank->SetInputCode(code);
        if (volume > 0) tank->SetRequiredVolume(volume);  // m3
        tank->GetNodeSelection()->SetUseSelected(CEnumerations::RMassNodeSelection_All);
        return tank;
    };

    auto forePeak = addTank(201, "Fore peak ballast tank", CEnumerations::RMassInputCode_In_Box, 620);
    AddBox(forePeak->GetInterval(), 163.0, 176.0, -6.0, 6.0, 0.0, 12.0);

    auto doubleBottomPort = addTank(202, "Double bottom ballast tank 3 P", CEnumerations::RMassInputCode_In_Box, 540);
    AddBox(doubleBottomPort->GetInterval(), 74.8, 90.8, 0.0, 13.2, 0.0, 1.8);

    auto doubleBottomStbd = addTank(203, "Double bottom ballast tank 3 S", CEnumerations::RMassInputCode_In_Box, 540);
    AddBox(doubleBottomStbd->GetInterval(), 74.8, 90.8, -13.2, 0.0, 0.0, 1.8);

    // A stepped bunker tank: two boxes, restricted to the tank's own nodes.
    auto bunker = addTank(204, "Heavy fuel oil bunker tank 2", CEnumerations::RMassInputCode_Srd_box, 1150);
    AddBox(bunker->GetInterval(), 30.8, 39.6, -13.2, 13.2, 1.8, 8.0);
    AddBox(bunker->GetInterval(), 30.8, 35.6, -10.0, 10.0, 8.0, 12.4);
    SelectNodes(bunker->GetNodeSelection(), CEnumerations::RMassNodeSelection_Selection, "HFO_TANK_2");

    auto freshWater = addTank(205, "Aft peak fresh water tank", CEnumerations::RMassInputCode_TWE, 0);
    AddBox(freshWater->GetInterval(), -3.5, 4.2, -5.0, 5.0, 4.0, 11.0);
    return tanks;
}

// A container block between two frames, with its rows added by AddRow.
CSmartPtr<CMassContainerData> AddBlock(CMassContainer* section, std::int64_t id, const char* title, int aftFrame,
                                       int forwardFrame) {
    CSmartPtr<CMassContainerData> block = section->GetContainerEntry()->Add();
    block->SetId(id);
    block->SetTitle(title);
    block->SetCoGx(RoundToMillimetre((FrameX(aftFrame) + FrameX(forwardFrame)) / 2));
    SetFrame(block->GetAft(), aftFrame);
    SetFrame(block->GetForward(), forwardFrame);
    return block;
}

// Row numbers: odd to starboard, even to port; a "P+S" row stands on both
// sides, mirrored. Rows are 2.59 m apart; tiers below deck are 02-10, on deck
// 82-88. Below deck the cell guides hold the stacks at both ends.
void AddRow(CMassContainerData* block, std::int64_t number, gdt::CEnumerations::RSymmetry symmetry, double tierLower,
            double tierUpper, bool guided) {
    CSmartPtr<CRow> row = block->GetRow()->Add();
    const double y = 1.295 + 2.59 * static_cast<double>((number - 1) / 2);
    const double side = symmetry == gdt::CEnumerations::RSymmetry_S ? -1.0 : 1.0;  // y is positive to port
    row->SetNumber(number);
    row->SetSymmetry(symmetry);
    row->SetTierUpper(tierUpper);
    row->SetTierLower(tierLower);
    row->SetCoGyVertical(side * y);
    row->SetCoGyHorizontal(side * y);
    row->SetGuidedAft(guided);
    row->SetGuidedForward(guided);
}

CSmartPtr<CMassContainer> BuildContainers() {
    constexpr auto kBothSides = gdt::CEnumerations::RSymmetry_P_S;
    CSmartPtr<CMassContainer> containers = CMassContainer::CreateInstance();

    auto hold1 = AddBlock(containers, 1, "Hold 1, bay 02, below deck", 176, 196);
    for (int row : {1, 3, 5}) AddRow(hold1, row, kBothSides, 4, 10, true);

    // Row 08 stays free for the provision crane: row 07 stands alone.
    auto deck1 = AddBlock(containers, 2, "Hold 1, bay 02, on deck", 176, 196);
    for (int row : {1, 3, 5}) AddRow(deck1, row, kBothSides, 82, 88, false);
    AddRow(deck1, 7, gdt::CEnumerations::RSymmetry_S, 82, 86, false);

    auto hold3 = AddBlock(containers, 3, "Hold 3, bay 18, below deck", 116, 136);
    for (int row : {1, 3, 5, 7}) AddRow(hold3, row, kBothSides, 2, 10, true);

    auto deck3 = AddBlock(containers, 4, "Hold 3, bay 18, on deck", 116, 136);
    for (int row : {1, 3, 5, 7, 9}) AddRow(deck3, row, kBothSides, 82, 88, false);

    auto hold5 = AddBlock(containers, 5, "Hold 5, bay 34, below deck", 56, 76);
    for (int row : {1, 3, 5, 7}) AddRow(hold5, row, kBothSides, 2, 10, true);
    return containers;
}

// Rest entries: a reference to a mass of another section by its id, with the
// mass it contributes (t) and whether that value is fixed. A container entry
// adds the height of the cargo's centre of gravity as a fraction of the
// stack; a tank entry adds the specific weight of the contents (t/m3).
CSmartPtr<CRestEntry> Rest(std::int64_t massId, double value, bool fix) {
    CSmartPtr<CRestEntry> entry = CRestEntry::CreateInstance();
    entry->SetMassId(massId);
    entry->SetValue(value);
    entry->SetFix(fix);
    return entry;
}
CSmartPtr<CContainerEntry> Container(std::int64_t massId, double value, double cogzParameter) {
    CSmartPtr<CContainerEntry> entry = CContainerEntry::CreateInstance();
    entry->SetMassId(massId);
    entry->SetValue(value);
    entry->SetCoGzParameter(cogzParameter);
    return entry;
}
CSmartPtr<CTankEntry> Tank(std::int64_t massId, double value, double specificWeight) {
    CSmartPtr<CTankEntry> entry = CTankEntry::CreateInstance();
    entry->SetMassId(massId);
    entry->SetValue(value);
    entry->SetSpecificWeight(specificWeight);
    return entry;
}

CSmartPtr<CMassAssembledData> AddAssembled(CMassAssembled* section, std::int64_t id, const char* title, double mass,
                                           double cogX, double cogZ) {
    CSmartPtr<CMassAssembledData> item = section->GetAssembledEntry()->Add();
    item->SetId(id);
    item->SetTitle(title);
    item->SetMass(mass);
    SetPoint(item->GetCoG(), cogX, 0.0, cogZ);
    return item;
}

CSmartPtr<CMassAssembled> BuildAssembledMasses() {
    CSmartPtr<CMassAssembled> assembled = CMassAssembled::CreateInstance();

    // The lightship: the box masses, the solid ballast (a box mass given with
    // its specific weight) and the element groups; 8,200 t in all.
    auto lightship = AddAssembled(assembled, 1001, "Lightship", 8200, 78.4, 9.6);
    for (const auto& [boxId, mass] : {std::pair{1, 1480.0}, {2, 420.0}, {3, 610.0}, {4, 880.0}, {5, 1120.0}})
        lightship->GetBoxEntry()->Add(Rest(boxId, mass, true));
    lightship->GetBoxEntry()->Add(Tank(6, 95, 2.3));
    lightship->GetElementgroupEntry()->Add(Rest(10, 3255, false));
    lightship->GetElementgroupEntry()->Add(Container(12, 340, 0.5));

    // Container cargo in the five sample blocks, 14 t per TEU (342 TEU), the
    // centre of gravity at 45 % of the stack height.
    auto cargo = AddAssembled(assembled, 1002, "Container cargo, 14 t/TEU", 4788, 104.9, 16.2);
    const double blockMass[] = {672, 756, 1120, 1120, 1120};
    for (int block = 1; block <= 5; ++block)
        cargo->GetContainerEntry()->Add(Container(block, blockMass[block - 1], 0.45));

    auto tanksDeparture = AddAssembled(assembled, 1003, "Tank contents, departure", 1880, 44.6, 4.6);
    tanksDeparture->GetTankEntry()->Add(Tank(202, 180, 1.025));
    tanksDeparture->GetTankEntry()->Add(Tank(203, 180, 1.025));
    tanksDeparture->GetTankEntry()->Add(Tank(204, 1100, 0.991));
    tanksDeparture->GetTankEntry()->Add(Tank(205, 420, 1.0));

    // The loading conditions refer to the assembled masses above (and to
    // tanks directly).
    auto departure = AddAssembled(assembled, 1004, "Full load departure", 14868, 82.6, 11.1);
    departure->GetAssembledEntry()->Add(Rest(1001, 8200, true));
    departure->GetAssembledEntry()->Add(Container(1002, 4788, 0.45));
    departure->GetAssembledEntry()->Add(Tank(1003, 1880, 1.0));

    auto ballast = AddAssembled(assembled, 1005, "Ballast arrival", 10921, 89.7, 7.6);
    ballast->GetTankEntry()->Add(Tank(201, 635, 1.025));
    ballast->GetTankEntry()->Add(Tank(202, 553, 1.025));
    ballast->GetTankEntry()->Add(Tank(203, 553, 1.025));
    ballast->GetAssembledEntry()->Add(Rest(1001, 8200, true));
    ballast->GetAssembledEntry()->Add(Tank(1003, 980, 1.0));  // bunkers partly consumed
    return assembled;
}

CSmartPtr<CMasses> BuildMasses() {
    CSmartPtr<CMasses> masses = CMasses::CreateInstance();
    masses->SetMassBoxes(BuildBoxMasses());
    masses->SetMassElementGroups(BuildElementGroups());
    masses->SetMassTanks(BuildTanks());
    masses->SetMassContainer(BuildContainers());
    masses->SetMassAssembled(BuildAssembledMasses());
    return masses;
}

// ---- Hydrodynamic loads ------------------------------------------------------

void AddScanBlock(CScan* scan, std::int64_t id, const char* heights, const char* speeds, const char* heel,
                  const char* lengths, const char* headings, const char* phases) {
    CSmartPtr<CHydroScanBlockEntry> block = scan->GetScanBlock()->Add();
    block->SetId(id);
    block->SetWaveHeight(heights);      // m
    block->SetShipsSpeed(speeds);       // kn
    block->SetHeelingAngle(heel);       // deg
    block->SetWaveLengthLpp(lengths);   // wave length / Lpp
    block->SetAnglesOfEncounter(headings);  // deg, 180 = head seas
    block->SetWavePhase(phases);        // deg
}

// A factor selection: the longitudinal range (x / Lpp) and the wave
// directions (deg) over which the extreme of the flagged load is sought.
void AddFactorSelection(CSelect* select, const char* title, CEnumerations::RHydroSelectType type, double xFrom,
                        double xTo, double directionFrom, double directionTo, double verticalBending,
                        double torsion) {
    CSmartPtr<CHydroSelectEntry> entry = select->GetSelectEntry()->Add();
    entry->SetTitle(title);
    entry->SetType(type);
    CSmartPtr<CHydroSelectFactorEntry> factor = CHydroSelectFactorEntry::CreateInstance();
    factor->GetRangeDirection()->SetFrom(directionFrom);
    factor->GetRangeDirection()->SetTo(directionTo);
    factor->GetRangeXLpp()->SetFrom(xFrom);
    factor->GetRangeXLpp()->SetTo(xTo);
    factor->SetBendingMomentVertical(verticalBending);
    factor->SetTorsion(torsion);
    entry->SetFactor(factor);
}

// A single design wave: amplitude (m), length / Lpp, direction, phase and heel (deg).
void AddWaveSelection(CSelect* select, const char* title, double amplitude, double lengthOverLpp, double direction,
                      double phase, double heel) {
    CSmartPtr<CHydroSelectEntry> entry = select->GetSelectEntry()->Add();
    entry->SetTitle(title);
    entry->SetType(CEnumerations::RHydroSelectType_Fix);
    CSmartPtr<CHydroSelectWaveEntry> wave = CHydroSelectWaveEntry::CreateInstance();
    wave->SetAmpl(amplitude);
    wave->SetLtoLpp(lengthOverLpp);
    wave->SetDirection(direction);
    wave->SetPhase(phase);
    wave->SetHeel(heel);
    entry->SetWave(wave);
}

CSmartPtr<CHydrodynamic> BuildHydrodynamic() {
    CSmartPtr<CHydrodynamic> hydrodynamic = CHydrodynamic::CreateInstance();

    // Full load departure (assembled mass 1004): a wide scan and the extremes
    // of vertical bending and torsion, plus two design waves.
    CSmartPtr<CHydroData> departure = hydrodynamic->GetMassDistribution()->Add();
    departure->SetId(1);
    departure->SetMassAssembledIdRef(1004);
    AddScanBlock(departure->GetScan(), 1, "2.0 4.0 6.0 8.0", "0.0 10.0 19.5", "0.0", "0.5 0.75 1.0 1.25 1.5",
                 "0 30 60 90 120 150 180", "0 45 90 135 180 225 270 315");
    AddScanBlock(departure->GetScan(), 2, "10.0", "5.0", "0.0 15.0", "1.0", "180", "0 90 180 270");
    CSelect* select = departure->GetSelect();
    AddFactorSelection(select, "Hogging, head seas, midship region", CEnumerations::RHydroSelectType_Max, 0.4, 0.6,
                       150, 210, 1.0, 0.0);
    AddFactorSelection(select, "Sagging, head seas, midship region", CEnumerations::RHydroSelectType_Min, 0.4, 0.6,
                       150, 210, 1.0, 0.0);
    AddFactorSelection(select, "Torsion, oblique seas, hold 1", CEnumerations::RHydroSelectType_Max, 0.8, 0.95, 30,
                       60, 0.3, 1.0);
    AddWaveSelection(select, "Design wave, head seas", 4.2, 1.0, 180, 0, 0);
    AddWaveSelection(select, "Design wave, beam seas", 3.5, 0.6, 90, 270, 12.5);

    // Ballast arrival (assembled mass 1005): one scan, one selection.
    CSmartPtr<CHydroData> ballast = hydrodynamic->GetMassDistribution()->Add();
    ballast->SetId(2);
    ballast->SetMassAssembledIdRef(1005);
    AddScanBlock(ballast->GetScan(), 1, "2.0 4.0 6.0", "0.0 12.0", "0.0", "0.75 1.0 1.25", "0 45 90 135 180",
                 "0 90 180 270");
    AddFactorSelection(ballast->GetSelect(), "Hogging, head seas, ballast", CEnumerations::RHydroSelectType_Max, 0.3,
                       0.7, 165, 195, 1.0, 0.0);
    return hydrodynamic;
}

}  // namespace

CSmartPtr<CVantrel> BuildSampleShip() {
    CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
    ship->SetSchemaVersion("1.0");
    ship->SetGeneralData(BuildGeneralData());
    ship->SetLoadcaseData(BuildLoadcaseData());
    ship->SetMasses(BuildMasses());
    ship->SetHydrodynamic(BuildHydrodynamic());
    return ship;
}

}  // namespace VantrelSample
