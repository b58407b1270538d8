// A client built against the installed package: writes a box and reads it back.
#include <VantrelLib/VantrelLib.h>

#include <iostream>

int main() {
    auto box = gdt::CBox::CreateInstance();
    box->GetMax()->SetX(12.5);
    const std::string xml = box->ToXml();
    auto read = gdt::CBox::CreateInstance();
    read->FromXml(xml);
    if (read->GetMax()->GetX() != 12.5) return 1;
    std::cout << "installed package works\n";
    return 0;
}
