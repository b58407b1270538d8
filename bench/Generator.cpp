#include "Generator.h"

#include <cmath>
#include <random>
#include <string>

namespace VantrelBench {

namespace {

using LtXmlLib3::CSmartPtr;
using namespace VantrelLib;

// Counts of one "unit" of document; a document is `scale` units.
struct Shape {
    int frames = 120;
    int positions = 80;
    int boxMasses = 60;
    int elementGroups = 60;
    int tanks = 20;
    int containerBlocks = 10;
    int rowsPerBlock = 8;
    int assembled = 30;
    int restEntriesPerList = 3;
    int dataSets = 1;
    int scanBlocks = 40;
    int selectEntries = 40;
};

class Builder {
public:
    Builder(std::uint32_t seed, double scale) : m_random(seed), m_scale(scale) {}

    CSmartPtr<CVantrel> Build() {
        auto root = CVantrel::CreateInstance();
        root->SetSchemaVersion("2.1");
        root->SetGeneralData(GeneralData());
        root->SetLoadcaseData(LoadcaseData());
        root->SetMasses(Masses());
        root->SetHydrodynamic(Hydrodynamic());
        return root;
    }

private:
    int Count(int perUnit) { return std::max(1, static_cast<int>(std::lround(perUnit * m_scale))); }
    double Uniform(double low, double high) { return std::uniform_real_distribution<double>(low, high)(m_random); }
    // Values as engineering programs write them: a few significant digits, sometimes full precision.
    double Value(double low, double high) {
        const double value = Uniform(low, high);
        return m_random() % 4 == 0 ? value : std::round(value * 1000.0) / 1000.0;
    }
    std::int64_t Integer(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(m_random);
    }
    void Fill(gdt::CPoint* point) {
        point->SetX(Value(0, m_length));
        point->SetY(Value(-16, 16));
        if (m_random() % 3 != 0) point->SetZ(Value(0, 24));
    }
    void FillBox(gdt::CBox* box) {
        const double x = Value(0, m_length - 20), y = Value(-16, 8), z = Value(0, 18);
        box->GetMin()->SetX(x);
        box->GetMin()->SetY(y);
        box->GetMin()->SetZ(z);
        box->GetMax()->SetX(x + Value(1, 20));
        box->GetMax()->SetY(y + Value(1, 8));
        box->GetMax()->SetZ(z + Value(1, 6));
    }

    CSmartPtr<CGeneralData> GeneralData() {
        auto general = CGeneralData::CreateInstance();
        auto dimensions = CPrincipalDimension::CreateInstance();
        dimensions->SetLpp(m_length);
        dimensions->SetB(32.2);
        dimensions->SetH(19.6);
        dimensions->SetTmax(12.5);
        dimensions->SetCb(0.68);
        general->SetPrincipalDimension(dimensions);
        auto constants = CGeneralConstants::CreateInstance();
        constants->SetRho(1.025);
        constants->SetGravitationalConstant(9.81);
        general->SetGeneralConstants(constants);
        auto files = CAttachedFiles::CreateInstance();
        auto model = gdt::CAttachedFile::CreateInstance();
        model->SetAbsolutePath("/projects/feeder/fe/model.fem");
        model->SetRelativePath("fe/model.fem");
        files->SetFiniteElement(model);
        general->SetAttachedFiles(files);

        auto table = CFrameTableData::CreateInstance();
        table->SetKeepAft(true);
        table->SetSpacingSign(1);
        const int frames = Count(m_shape.frames);
        for (int i = 0; i < frames; ++i) {
            auto entry = table->GetFrameEntry()->Add();
            entry->SetNo(i - 5);
            entry->SetSpacing(i % 10 == 0 ? 0.8 : 0.75);
            entry->SetMould(i % 2 ? gdt::CEnumerations::RDirection_Aft : gdt::CEnumerations::RDirection_Forward);
        }
        table->GetFrameNoPP1()->SetId("0");
        table->GetFrameNoPP1()->SetCoordinate(0);
        table->GetFrameNoPP2()->SetId(std::to_string(frames - 10));
        general->SetFrameTable(table);
        return general;
    }

    CSmartPtr<CLoadcaseData> LoadcaseData() {
        auto data = CLoadcaseData::CreateInstance();
        auto input = CLoadcaseInputData::CreateInstance();
        input->SetLoadComponent(CEnumerations::RLoadComponents_BMmaxY);
        input->SetNoOfIntervals(40);
        input->SetIsHalfModel(false);
        input->GetBaseLoadCase()->SetLoadcaseId(1);
        input->GetBaseLoadCase()->SetName("Full load departure");
        for (int i = 0; i < 12; ++i) input->GetUnitLoadCase()->Add()->SetLoadcaseId(100 + i);
        input->GetOrigin()->SetX(0);
        data->SetLoadcaseInput(input);

        auto envelopes = CLoadEnvelopeData::CreateInstance();
        const int positions = Count(m_shape.positions);
        for (int i = 0; i < positions; ++i) {
            auto position = envelopes->GetLongitudinalPosition()->Add();
            position->SetXPosition(m_length * i / positions);
            for (auto forces : {position->GetMinForces(), position->GetMaxForces()}) {
                forces->SetX(Value(-5e4, 5e4));
                forces->SetY(Value(-5e4, 5e4));
                forces->SetZ(Value(-5e4, 5e4));
                forces->SetXx(Value(-2e6, 2e6));
                forces->SetYy(Value(-2e6, 2e6));
                forces->SetZz(Value(-2e6, 2e6));
            }
        }
        data->SetLoadEnvelopes(envelopes);
        return data;
    }

    CSmartPtr<CMasses> Masses() {
        auto masses = CMasses::CreateInstance();
        auto boxes = CMassBoxes::CreateInstance();
        const int boxCount = Count(m_shape.boxMasses);
        for (int i = 0; i < boxCount; ++i) {
            auto box = boxes->GetBoxEntry()->Add();
            box->SetId(1000 + i);
            if (i % 2 == 0) box->SetTitle("Outfitting block " + std::to_string(i));
            box->SetMass(Value(0.5, 250));
            for (int k = 0, n = 1 + static_cast<int>(m_random() % 3); k < n; ++k) FillBox(box->GetInterval()->Add());
            Fill(box->GetCoG());
            box->GetNodeSelection()->SetUseSelected(CEnumerations::RMassNodeSelection_All);
        }
        masses->SetMassBoxes(boxes);

        auto groups = CMassElementGroups::CreateInstance();
        const int groupCount = Count(m_shape.elementGroups);
        for (int i = 0; i < groupCount; ++i) {
            auto group = groups->GetElementGroupEntry()->Add();
            group->SetId(3000 + i);
            group->SetTitle("Hull girder group " + std::to_string(i));
            group->SetBuoyancy(i % 5 == 0);
        }
        masses->SetMassElementGroups(groups);

        auto tanks = CMassTanks::CreateInstance();
        const int tankCount = Count(m_shape.tanks);
        for (int i = 0; i < tankCount; ++i) {
            auto tank = tanks->GetTankEntry()->Add();
            tank->SetId(2000 + i);
            tank->SetTitle("WBT " + std::to_string(i) + (i % 2 ? " P" : " S"));
            tank->SetInputCode(CEnumerations::RMassInputCode_Srd_box);
            tank->SetRequiredVolume(Value(50, 1500));
            tank->GetNodeSelection()->SetUseSelected(CEnumerations::RMassNodeSelection_Selection);
            tank->GetNodeSelection()->SetAttribute("tank_" + std::to_string(i));
            for (int k = 0, n = 1 + static_cast<int>(m_random() % 2); k < n; ++k) FillBox(tank->GetInterval()->Add());
        }
        masses->SetMassTanks(tanks);

        auto containers = CMassContainer::CreateInstance();
        const int blockCount = Count(m_shape.containerBlocks);
        for (int i = 0; i < blockCount; ++i) {
            auto block = containers->GetContainerEntry()->Add();
            block->SetId(4000 + i);
            block->SetTitle("Bay " + std::to_string(2 * i + 1));
            block->SetCoGx(Value(20, m_length - 20));
            block->GetAft()->SetId(std::to_string(10 + 8 * i));
            block->GetForward()->SetId(std::to_string(18 + 8 * i));
            for (int r = 0; r < m_shape.rowsPerBlock; ++r) {
                auto row = block->GetRow()->Add();
                row->SetNumber(r);
                row->SetSymmetry(r == 0 ? gdt::CEnumerations::RSymmetry_P_S
                                        : (r % 2 ? gdt::CEnumerations::RSymmetry_P : gdt::CEnumerations::RSymmetry_S));
                row->SetTierUpper(Value(18, 40));
                row->SetTierLower(Value(2, 18));
                row->SetCoGyVertical(Value(0, 30));
                row->SetCoGyHorizontal(Value(-15, 15));
                row->SetGuidedAft(true);
                row->SetGuidedForward(r % 3 == 0);
            }
        }
        masses->SetMassContainer(containers);

        auto assembled = CMassAssembled::CreateInstance();
        const int assembledCount = Count(m_shape.assembled);
        for (int i = 0; i < assembledCount; ++i) {
            auto mass = assembled->GetAssembledEntry()->Add();
            mass->SetId(5000 + i);
            mass->SetTitle("Load condition part " + std::to_string(i));
            mass->SetMass(Value(100, 20000));
            Fill(mass->GetCoG());
            for (int k = 0; k < m_shape.restEntriesPerList; ++k) {
                auto container = mass->GetContainerEntry()->Add();
                container->SetValue(Value(0, 14));
                container->SetMassId(4000 + Integer(0, blockCount - 1));
                container->SetCoGzParameter(Value(0.3, 0.6));
                auto tank = mass->GetTankEntry()->Add();
                tank->SetValue(Value(0, 1));
                tank->SetMassId(2000 + Integer(0, tankCount - 1));
                tank->SetSpecificWeight(1.025);
                AddRestEntry(mass->GetBoxEntry(), 1000, boxCount, k);
                AddRestEntry(mass->GetElementgroupEntry(), 3000, groupCount, k + 1);
                if (i > 0) AddRestEntry(mass->GetAssembledEntry(), 5000, i, k + 2);
            }
        }
        masses->SetMassAssembled(assembled);
        return masses;
    }

    // One entry of a polymorphic list, of each of the three classes in turn.
    void AddRestEntry(CIRestEntryCol* list, std::int64_t firstId, int count, int kind) {
        CSmartPtr<IRestEntry> entry;
        switch (kind % 3) {
            case 0: entry = CRestEntry::CreateInstance(); break;
            case 1: {
                auto tank = CTankEntry::CreateInstance();
                tank->SetSpecificWeight(0.85);
                entry = tank;
                break;
            }
            default: {
                auto container = CContainerEntry::CreateInstance();
                container->SetCoGzParameter(0.45);
                entry = container;
                break;
            }
        }
        entry->SetValue(Value(0, 1));
        if (kind % 2 == 0) entry->SetFix(kind % 4 == 0);
        entry->SetMassId(firstId + Integer(0, count - 1));
        list->Add(entry);
    }

    CSmartPtr<CHydrodynamic> Hydrodynamic() {
        auto hydrodynamic = CHydrodynamic::CreateInstance();
        const int dataSets = Count(m_shape.dataSets);
        for (int d = 0; d < dataSets; ++d) {
            auto data = hydrodynamic->GetMassDistribution()->Add();
            data->SetId(d + 1);
            data->SetMassAssembledIdRef(5000);
            for (int i = 0; i < m_shape.scanBlocks; ++i) {
                auto block = data->GetScan()->GetScanBlock()->Add();
                block->SetId(i + 1);
                block->SetWaveHeight("2.0 4.0 6.0 8.0");
                block->SetShipsSpeed("0 8 16");
                block->SetHeelingAngle("0");
                block->SetWaveLengthLpp("0.5 0.75 1.0 1.25");
                block->SetAnglesOfEncounter("0 30 60 90 120 150 180");
                block->SetWavePhase("0 90 180 270");
            }
            for (int i = 0; i < m_shape.selectEntries; ++i) {
                auto entry = data->GetSelect()->GetSelectEntry()->Add();
                entry->SetType(static_cast<CEnumerations::RHydroSelectType>(i % 3));
                if (i % 4 == 0) entry->SetTitle("Selection " + std::to_string(i));
                if (i % 2 == 0) {
                    auto factor = CHydroSelectFactorEntry::CreateInstance();
                    factor->SetBendingMomentVertical(Value(0.5, 1.5));
                    factor->SetShearVertical(Value(0.5, 1.5));
                    factor->GetRangeDirection()->SetFrom(0);
                    factor->GetRangeDirection()->SetTo(180);
                    factor->GetRangeXLpp()->SetFrom(Value(0, 0.5));
                    factor->GetRangeXLpp()->SetTo(Value(0.5, 1));
                    entry->SetFactor(factor);
                } else {
                    auto wave = CHydroSelectWaveEntry::CreateInstance();
                    wave->SetAmpl(Value(1, 8));
                    wave->SetLtoLpp(Value(0.5, 1.5));
                    wave->SetDirection(Value(0, 180));
                    wave->SetPhase(Value(0, 360));
                    entry->SetWave(wave);
                }
            }
        }
        return hydrodynamic;
    }

    std::mt19937 m_random;
    double m_scale;
    Shape m_shape;
    double m_length = 178.6;
};

}  // namespace

CSmartPtr<CVantrel> GenerateDocument(std::uint64_t targetBytes, std::uint32_t seed) {
    // Measure one unit, then build the scale that reaches the target.
    const std::size_t unitBytes = Builder(seed, 1.0).Build()->ToXml().size();
    const double scale = static_cast<double>(targetBytes) / static_cast<double>(unitBytes);
    return Builder(seed, scale).Build();
}

}  // namespace VantrelBench
