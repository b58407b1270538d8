// Reads a Vantrel document, adds a tank mass and an assembled mass made of it,
// and writes the document back.
//
//   edit_document IN.xml [OUT.xml]     (OUT defaults to IN, replaced in place)
//
// The new ids are one above the largest id of their kind, so the edit can be
// run again on its own output.
#include <VantrelLib/VantrelLib.h>

#include <algorithm>
#include <cstdint>
#include <iostream>

using namespace VantrelLib;

namespace {

// Adds the tank and the assembled mass made of it; prints their ids.
void AddBallastTank(CVantrel& document) {
    // Sections are optional: make the ones we add to when they are absent.
    if (!document.GetMasses()) document.SetMasses(CMasses::CreateInstance());
    auto masses = document.GetMasses();
    if (!masses->GetMassTanks()) masses->SetMassTanks(CMassTanks::CreateInstance());
    if (!masses->GetMassAssembled()) masses->SetMassAssembled(CMassAssembled::CreateInstance());
    auto tanks = masses->GetMassTanks()->GetTankEntry();
    auto assembled = masses->GetMassAssembled()->GetAssembledEntry();

    std::int64_t tankId = 0;
    for (const auto& tank : *tanks) tankId = std::max(tankId, tank->GetId());
    std::int64_t assembledId = 0;
    for (const auto& entry : *assembled) assembledId = std::max(assembledId, entry->GetId());

    // The tank: one box (a tank needs at least one to be written).
    auto tank = tanks->Add();
    tank->SetId(tankId + 1);
    tank->SetTitle("Ballast water tank");
    tank->SetInputCode(CEnumerations::RMassInputCode_In_Box);
    tank->SetRequiredVolume(125.0);
    auto box = tank->GetInterval()->Add();
    box->GetMin()->SetX(20.0);
    box->GetMax()->SetX(32.0);
    box->GetMax()->SetY(6.0);

    // The assembled mass refers to the tank by its id through a TankEntry rest entry.
    auto ballast = assembled->Add();
    ballast->SetId(assembledId + 1);
    ballast->SetTitle("Ballast");
    ballast->SetMass(128.1);
    ballast->GetCoG()->SetX(26.0);
    auto part = ballast->GetTankEntry()->Add();
    part->SetMassId(tank->GetId());
    part->SetValue(1.0);
    part->SetSpecificWeight(1.025);
    part->SetFix(true);

    std::cout << "added tank mass " << tank->GetId() << " and assembled mass " << ballast->GetId() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: edit_document IN.xml [OUT.xml]\n";
        return 2;
    }
    const std::string input = argv[1];
    const std::string output = argc == 3 ? argv[2] : input;

    auto document = CVantrel::CreateInstance();
    try {
        document->FromXmlFile(input);
    } catch (const LtXmlLib3::CLtException& error) {
        // A read failure: every level, as "IN.xml:LINE: message".
        std::cerr << error.FormatChain(input);
        return 1;
    }
    try {
        AddBallastTank(*document);
        document->ToXmlFile(output);  // the file is replaced only once all is written
        return 0;
    } catch (const LtXmlLib3::CLtException& error) {
        // The write messages name the file themselves.
        std::cerr << error.FormatChain();
        return 1;
    }
}
