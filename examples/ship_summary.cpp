// Reads a ship document and prints what it holds: which of the four sections
// are present and how many frames, load cases, envelope positions, masses of
// each kind and hydrodynamic data sets they carry.
//
//   ship_summary [file]        (default: examples/ship.xml)
//
// A document that cannot be read is reported with its whole chain of messages,
// each with the line of the element that failed, and the exit code is 1.

#include <VantrelLib/VantrelLib.h>

#include <iostream>
#include <string>

namespace {

using LtXmlLib3::CSmartPtr;
using namespace VantrelLib;

// "present" or "absent" for an optional part.
template <class T>
const char* Presence(const CSmartPtr<T>& part) {
    return part ? "present" : "absent";
}

void PrintGeneralData(const CGeneralData* general) {
    std::cout << "  principal dimensions: " << Presence(general->GetPrincipalDimension()) << '\n';
    std::cout << "  general constants:    " << Presence(general->GetGeneralConstants()) << '\n';
    int files = 0;
    if (CSmartPtr<CAttachedFiles> attached = general->GetAttachedFiles()) {
        files = (attached->GetFrameTable() ? 1 : 0) + (attached->GetFiniteElement() ? 1 : 0) +
                (attached->GetHullformDescription() ? 1 : 0) + (attached->GetFiniteElementExport() ? 1 : 0);
    }
    std::cout << "  attached files:       " << files << '\n';
    if (CSmartPtr<CFrameTableData> frames = general->GetFrameTable())
        std::cout << "  frames:               " << frames->GetFrameEntry()->GetCount() << '\n';
    else
        std::cout << "  frame table:          absent\n";
}

void PrintLoadcaseData(const CLoadcaseData* loadcases) {
    if (CSmartPtr<CLoadcaseInputData> input = loadcases->GetLoadcaseInput())
        std::cout << "  load cases:           1 base + " << input->GetUnitLoadCase()->GetCount() << " unit\n";
    else
        std::cout << "  load case input:      absent\n";
    if (CSmartPtr<CLoadEnvelopeData> envelopes = loadcases->GetLoadEnvelopes())
        std::cout << "  envelope positions:   " << envelopes->GetLongitudinalPosition()->GetCount() << '\n';
    else
        std::cout << "  load envelopes:       absent\n";
}

void PrintMasses(const CMasses* masses) {
    // An absent section counts as none.
    auto count = [](const auto& section, auto getList) { return section ? ((*section).*getList)()->GetCount() : 0; };
    int rows = 0;
    if (CSmartPtr<CMassContainer> containers = masses->GetMassContainer())
        for (CSmartPtr<CMassContainerData> block : *containers->GetContainerEntry()) rows += block->GetRow()->GetCount();

    std::cout << "  box masses:           " << count(masses->GetMassBoxes(), &CMassBoxes::GetBoxEntry) << '\n';
    std::cout << "  element groups:       "
              << count(masses->GetMassElementGroups(), &CMassElementGroups::GetElementGroupEntry) << '\n';
    std::cout << "  tanks:                " << count(masses->GetMassTanks(), &CMassTanks::GetTankEntry) << '\n';
    std::cout << "  container blocks:     " << count(masses->GetMassContainer(), &CMassContainer::GetContainerEntry)
              << " (" << rows << " rows)\n";
    std::cout << "  assembled masses:     " << count(masses->GetMassAssembled(), &CMassAssembled::GetAssembledEntry)
              << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    const std::string path = argc > 1 ? argv[1] : "examples/ship.xml";
    try {
        CSmartPtr<CVantrel> ship = CVantrel::CreateInstance();
        ship->FromXmlFile(path);

        std::cout << path << " (schema version " << ship->GetSchemaVersion() << ")\n";
        std::cout << "GeneralData: " << Presence(ship->GetGeneralData()) << '\n';
        if (ship->GetGeneralData()) PrintGeneralData(ship->GetGeneralData());
        std::cout << "LoadcaseData: " << Presence(ship->GetLoadcaseData()) << '\n';
        if (ship->GetLoadcaseData()) PrintLoadcaseData(ship->GetLoadcaseData());
        std::cout << "Masses: " << Presence(ship->GetMasses()) << '\n';
        if (ship->GetMasses()) PrintMasses(ship->GetMasses());
        std::cout << "Hydrodynamic: " << Presence(ship->GetHydrodynamic()) << '\n';
        if (CSmartPtr<CHydrodynamic> hydrodynamic = ship->GetHydrodynamic())
            std::cout << "  data sets:            " << hydrodynamic->GetMassDistribution()->GetCount() << '\n';
        return 0;
    } catch (const LtXmlLib3::CLtException& error) {
        std::cerr << error.FormatChain(path);
        return 1;
    }
}
