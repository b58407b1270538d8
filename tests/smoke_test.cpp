#include <gtest/gtest.h>
#include <VantrelLib/VantrelLib.h>

TEST(Smoke, PointRoundTrip) {
    auto p = gdt::CPoint::CreateInstance();
    p->SetX(1.5);
    p->SetZ(-0.0);
    std::string xml = p->ToXml();
    std::cout << xml;
    auto q = gdt::CPoint::CreateInstance();
    q->FromXml(xml);
    EXPECT_EQ(q->GetX(), 1.5);
    auto b = gdt::CBox::CreateInstance();
    b->GetMin()->SetX(3);
    std::cout << b->ToXml();
}
