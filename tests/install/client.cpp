// A client built against the installed package: writes a box and reads it back.
#include <VantrelLib/VantrelLib.h>

#include <cstdint>
#include <iostream>
#include <iterator>

int main() {
    auto box = gdt::CBox::CreateInstance();
    box->GetMax()->SetX(12.5);
    const std::string xml = box->ToXml();
    auto read = gdt::CBox::CreateInstance();
    read->FromXml(xml);
    if (read->GetMax()->GetX() != 12.5) return 1;
    // Collections are ranges: range-for by reference, std::size and empty().
    auto table = VantrelLib::CFrameTableData::CreateInstance();
    table->GetFrameEntry()->Add()->SetNo(1);
    table->GetFrameEntry()->Add()->SetNo(2);
    double sum = 0;
    for (auto& entry : *table->GetFrameEntry()) sum += entry->GetNo();
    if (sum != 3 || std::size(*table->GetFrameEntry()) != 2 || table->GetFrameEntry()->empty()) return 1;
    std::cout << "installed package works\n";
    return 0;
}
