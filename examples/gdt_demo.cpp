// Builds a box with two corner points, writes it as XML, reads the text back
// and prints what it read.
#include <VantrelLib/VantrelLib.h>

#include <iostream>

int main() {
    try {
        auto box = gdt::CBox::CreateInstance();
        box->GetMin()->SetX(-12.5);
        box->GetMin()->SetY(-8.0);
        box->GetMin()->SetZ(0.0);
        box->GetMax()->SetX(24.0);
        box->GetMax()->SetY(8.0);
        box->GetMax()->SetZ(11.2);

        const std::string xml = box->ToXml();
        std::cout << xml << '\n';

        auto read = gdt::CBox::CreateInstance();
        read->FromXml(xml);
        for (const auto& point : {read->GetMin(), read->GetMax()})
            std::cout << point->GetElementName() << ": x=" << point->GetX() << " y=" << point->GetY()
                      << " z=" << point->GetZ() << '\n';
        return 0;
    } catch (const LtXmlLib3::CLtException& error) {
        std::cerr << error.FormatChain();
        return 1;
    }
}
