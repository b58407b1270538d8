// Builds a small but whole Vantrel document through the API and writes it.
//
//   build_document [OUT.xml]     (standard output when no file is given)
//
// Every object is made with CreateInstance and held by a CSmartPtr; required
// children exist from creation and are filled in place; optional parts are made
// and handed to their parent's Set<X>; repeated elements are added through the
// collection their parent gives.
#include <VantrelLib/VantrelLib.h>

#include <iostream>

using LtXmlLib3::CSmartPtr;
using namespace VantrelLib;

namespace {

CSmartPtr<CGeneralData> BuildGeneralData() {
    auto general = CGeneralData::CreateInstance();

    auto dimensions = CPrincipalDimension::CreateInstance();
    dimensions->SetLpp(120.0);  // optional numbers become valid when set
    dimensions->SetB(20.4);
    dimensions->SetTmax(7.2);
    general->SetPrincipalDimension(dimensions);

    auto frames = CFrameTableData::CreateInstance();
    frames->SetSpacingSign(1);
    for (int no = 0; no <= 4; ++no) {
        auto entry = frames->GetFrameEntry()->Add();  // a new "FrameEntry", appended
        entry->SetNo(no);
        entry->SetSpacing(0.7);
        entry->SetMould(gdt::CEnumerations::RDirection_Forward);
    }
    frames->GetFrameNoPP1()->SetId("0");  // the marked frames always exist
    frames->GetFrameNoPP1()->SetCoordinate(0.0);
    frames->GetFrameNoPP2()->SetId("4");
    frames->GetFrameNoPP2()->SetCoordinate(2.8);
    general->SetFrameTable(frames);  // held as "FrameTable"
    return general;
}

CSmartPtr<CLoadcaseData> BuildLoadcaseData() {
    auto loadcases = CLoadcaseData::CreateInstance();

    auto input = CLoadcaseInputData::CreateInstance();
    input->SetLoadComponent(CEnumerations::RLoadComponents_BMmaxY);
    input->SetNoOfIntervals(10);
    input->GetBaseLoadCase()->SetLoadcaseId(1);
    input->GetBaseLoadCase()->SetName("still water");
    for (std::uint64_t id = 2; id <= 3; ++id) input->GetUnitLoadCase()->Add()->SetLoadcaseId(id);
    loadcases->SetLoadcaseInput(input);

    auto envelopes = CLoadEnvelopeData::CreateInstance();
    for (double x : {0.0, 60.0, 120.0}) {
        auto position = envelopes->GetLongitudinalPosition()->Add();
        position->SetXPosition(x);
        position->GetMinForces()->SetZ(-1500.0);
        position->GetMaxForces()->SetZ(1500.0);
    }
    loadcases->SetLoadEnvelopes(envelopes);
    return loadcases;
}

CSmartPtr<CMasses> BuildMasses() {
    auto masses = CMasses::CreateInstance();

    // A box mass needs at least one box ("Interval") before it can be written.
    auto boxes = CMassBoxes::CreateInstance();
    auto engine = boxes->GetBoxEntry()->Add();
    engine->SetId(1);
    engine->SetTitle("Main engine");
    engine->SetMass(310.0);
    auto box = engine->GetInterval()->Add();
    box->GetMin()->SetX(10.0);
    box->GetMax()->SetX(18.0);
    engine->GetCoG()->SetX(14.0);
    masses->SetMassBoxes(boxes);

    auto tanks = CMassTanks::CreateInstance();
    auto tank = tanks->GetTankEntry()->Add();
    tank->SetId(2);
    tank->SetTitle("Fuel oil tank");
    tank->SetInputCode(CEnumerations::RMassInputCode_In_Box);
    tank->GetInterval()->Add()->GetMax()->SetX(8.0);
    masses->SetMassTanks(tanks);

    // An assembled mass names its parts by mass id through rest entries. The
    // "BoxEntry" list takes any rest entry class; each is written with a type
    // attribute naming its class.
    auto assembled = CMassAssembled::CreateInstance();
    auto machinery = assembled->GetAssembledEntry()->Add();
    machinery->SetId(10);
    machinery->SetTitle("Machinery");
    machinery->SetMass(330.0);
    machinery->GetCoG()->SetX(13.6);
    auto engineRef = CRestEntry::CreateInstance();
    engineRef->SetMassId(1);
    engineRef->SetValue(1.0);
    machinery->GetBoxEntry()->Add(engineRef);
    auto fuelRef = machinery->GetTankEntry()->Add();  // the typed "TankEntry" list
    fuelRef->SetMassId(2);
    fuelRef->SetValue(0.9);
    fuelRef->SetSpecificWeight(0.85);
    masses->SetMassAssembled(assembled);
    return masses;
}

CSmartPtr<CHydrodynamic> BuildHydrodynamic() {
    auto hydrodynamic = CHydrodynamic::CreateInstance();
    auto dataSet = hydrodynamic->GetMassDistribution()->Add();
    dataSet->SetId(1);
    dataSet->SetMassAssembledIdRef(10);
    dataSet->GetScan()->GetScanBlock()->Add()->SetWaveHeight("2.0 4.0 6.0");

    // A selection entry holds exactly one of two branches: choosing one drops the other.
    auto selections = dataSet->GetSelect()->GetSelectEntry();
    auto byFactor = selections->Add();
    byFactor->SetType(CEnumerations::RHydroSelectType_Max);
    auto factor = CHydroSelectFactorEntry::CreateInstance();
    factor->GetRangeXLpp()->SetTo(1.0);
    byFactor->SetFactor(factor);

    auto byWave = selections->Add();
    byWave->SetTitle("design wave");
    auto wave = CHydroSelectWaveEntry::CreateInstance();
    wave->SetAmpl(3.5);
    wave->SetLtoLpp(1.0);
    byWave->SetWave(wave);
    return hydrodynamic;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: build_document [OUT.xml]\n";
        return 2;
    }
    try {
        auto document = CVantrel::CreateInstance();
        document->SetSchemaVersion("1.0");
        document->SetGeneralData(BuildGeneralData());
        document->SetLoadcaseData(BuildLoadcaseData());
        document->SetMasses(BuildMasses());
        document->SetHydrodynamic(BuildHydrodynamic());

        if (argc == 2)
            document->ToXmlFile(argv[1]);  // replaces the file only once all is written
        else
            std::cout << document->ToXml();
        return 0;
    } catch (const LtXmlLib3::CLtException& error) {
        // Every level of the failure, outermost first.
        std::cerr << error.FormatChain(argc == 2 ? argv[1] : "");
        return 1;
    }
}
