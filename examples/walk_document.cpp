// Reads a Vantrel document and walks it, printing what it finds.
//
//   walk_document FILE.xml
//
// Shows: reading with error handling, absent optional parts (empty pointers),
// iterating collections, the rest entries of an assembled mass (one interface,
// three classes: find the class by dynamic_cast) and the two-way choice of a
// hydrodynamic selection entry.
#include <VantrelLib/VantrelLib.h>

#include <iostream>

using namespace VantrelLib;

namespace {

void WalkGeneralData(const CGeneralData& general) {
    if (auto dimensions = general.GetPrincipalDimension()) {
        // An optional value must be valid before it is read (Get<X> throws otherwise).
        if (dimensions->IsValidLpp()) std::cout << "Lpp " << dimensions->GetLpp() << '\n';
    }
    if (auto table = general.GetFrameTable()) {
        std::cout << "frame table: " << table->GetFrameEntry()->GetCount() << " frames\n";
        for (const auto& frame : *table->GetFrameEntry())
            std::cout << "  frame " << frame->GetNo() << " spacing " << frame->GetSpacing() << ' '
                      << gdt::CEnumerations::RDirectionToString(frame->GetMould()) << '\n';
    }
}

void WalkLoadcaseData(const CLoadcaseData& loadcases) {
    if (auto input = loadcases.GetLoadcaseInput()) {
        std::cout << "base load case " << input->GetBaseLoadCase()->GetLoadcaseId() << ", "
                  << input->GetUnitLoadCase()->GetCount() << " unit load cases\n";
    }
    if (auto envelopes = loadcases.GetLoadEnvelopes()) {
        for (const auto& position : *envelopes->GetLongitudinalPosition())
            std::cout << "  x " << position->GetXPosition() << ": Fz " << position->GetMinForces()->GetZ() << " .. "
                      << position->GetMaxForces()->GetZ() << '\n';
    }
}

// One rest entry: the common part through IRestEntry, the rest by its class.
void PrintRestEntry(const char* list, const IRestEntry& entry) {
    std::cout << "    " << list << ": mass " << entry.GetMassId() << " x " << entry.GetValue();
    if (entry.IsValidFix()) std::cout << (entry.GetFix() ? " (fixed)" : " (free)");
    if (auto tank = dynamic_cast<const CTankEntry*>(&entry))
        std::cout << ", tank, specific weight " << tank->GetSpecificWeight();
    else if (auto container = dynamic_cast<const CContainerEntry*>(&entry))
        std::cout << ", container, CoGz parameter " << container->GetCoGzParameter();
    else if (dynamic_cast<const CRestEntry*>(&entry))
        std::cout << ", plain";
    std::cout << '\n';
}

void WalkMasses(const CMasses& masses) {
    if (auto boxes = masses.GetMassBoxes()) {
        for (const auto& box : *boxes->GetBoxEntry())
            std::cout << "box mass " << box->GetId() << ": " << box->GetMass() << " in "
                      << box->GetInterval()->GetCount() << " boxes\n";
    }
    if (auto tanks = masses.GetMassTanks()) {
        for (const auto& tank : *tanks->GetTankEntry())
            std::cout << "tank mass " << tank->GetId() << " ("
                      << CEnumerations::RMassInputCodeToString(tank->GetInputCode()) << ")\n";
    }
    if (auto assembled = masses.GetMassAssembled()) {
        for (const auto& entry : *assembled->GetAssembledEntry()) {
            std::cout << "assembled mass " << entry->GetId();
            if (entry->IsValidTitle()) std::cout << " \"" << entry->GetTitle() << '"';
            std::cout << ": " << entry->GetMass() << '\n';
            // Three lists hold any rest entry class; two are typed.
            for (const auto& rest : *entry->GetBoxEntry()) PrintRestEntry("BoxEntry", *rest);
            for (const auto& rest : *entry->GetElementgroupEntry()) PrintRestEntry("ElementgroupEntry", *rest);
            for (const auto& rest : *entry->GetAssembledEntry()) PrintRestEntry("AssembledEntry", *rest);
            for (const auto& rest : *entry->GetTankEntry()) PrintRestEntry("TankEntry", *rest);
            for (const auto& rest : *entry->GetContainerEntry()) PrintRestEntry("ContainerEntry", *rest);
        }
    }
}

void WalkHydrodynamic(const CHydrodynamic& hydrodynamic) {
    for (const auto& dataSet : *hydrodynamic.GetMassDistribution()) {
        std::cout << "data set " << dataSet->GetId() << ": " << dataSet->GetScan()->GetScanBlock()->GetCount()
                  << " scan blocks\n";
        for (const auto& select : *dataSet->GetSelect()->GetSelectEntry()) {
            std::cout << "  select " << CEnumerations::RHydroSelectTypeToString(select->GetType()) << ": ";
            // GetChoiceSelectedElement names the branch held: "Factor" or "Wave".
            const std::string branch = select->GetChoiceSelectedElement();
            if (branch == "Factor") {
                auto range = select->GetFactor()->GetRangeXLpp();
                std::cout << "factor over x/Lpp " << range->GetFrom() << " .. " << range->GetTo() << '\n';
            } else if (branch == "Wave") {
                auto wave = select->GetWave();
                std::cout << "wave";
                if (wave->IsValidAmpl()) std::cout << " amplitude " << wave->GetAmpl();
                std::cout << '\n';
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: walk_document FILE.xml\n";
        return 2;
    }
    const std::string path = argv[1];
    try {
        auto document = CVantrel::CreateInstance();
        document->FromXmlFile(path);
        std::cout << "schemaVersion " << document->GetSchemaVersion() << '\n';
        // Each part is optional: an absent one is an empty pointer.
        if (auto general = document->GetGeneralData()) WalkGeneralData(*general);
        if (auto loadcases = document->GetLoadcaseData()) WalkLoadcaseData(*loadcases);
        if (auto masses = document->GetMasses()) WalkMasses(*masses);
        if (auto hydrodynamic = document->GetHydrodynamic()) WalkHydrodynamic(*hydrodynamic);
        return 0;
    } catch (const LtXmlLib3::CLtException& error) {
        // One line per level, outermost first: "FILE.xml:LINE: message".
        std::cerr << error.FormatChain(path);
        return 1;
    }
}
