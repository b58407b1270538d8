#include "VantrelLib/analysis/FrameScale.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace VantrelLib {
namespace Analysis {

namespace {

// A frame Id is text: a number in it (as a double attribute reads), or nothing.
bool ParseNumber(const std::string& text, double& number) {
    try {
        number = LtXmlLib3::CConversions::r8FromString(text, LtXmlLib3::CWhitespaceUtils::Collapse_Rule);
    } catch (const LtXmlLib3::CLtException&) {
        return false;
    }
    return std::isfinite(number);
}

[[noreturn]] void Refuse(const std::string& why) {
    throw LtXmlLib3::CLtException("The frame table cannot map frames to coordinates: " + why);
}

}  // namespace

FrameScale::FrameScale(const CFrameTableData& table) {
    for (const auto& entry : *table.GetFrameEntry()) {
        const double number = entry->GetNo(), spacing = entry->GetSpacing();
        if (!std::isfinite(number)) Refuse("a frame number is not finite");
        if (!m_numbers.empty() && !(m_numbers.back() < number)) Refuse("the frame numbers do not strictly increase");
        if (!(spacing > 0) || !std::isfinite(spacing)) Refuse("a spacing is not a finite number above zero");
        m_distances.push_back(m_numbers.empty() ? 0.0
                                                : m_distances.back() + m_spacings.back() * (number - m_numbers.back()));
        m_numbers.push_back(number);
        m_spacings.push_back(spacing);
    }
    if (m_numbers.empty()) Refuse("it has no frame entry");
    const auto pp1 = table.GetFrameNoPP1();
    double pp1Frame = 0;
    if (!pp1->IsValidId() || !ParseNumber(pp1->GetId(), pp1Frame)) Refuse("FrameNoPP1 has no numeric Id");
    if (!pp1->IsValidCoordinate() || !std::isfinite(pp1->GetCoordinate()))
        Refuse("FrameNoPP1 has no finite Coordinate");
    m_pp1Distance = Distance(pp1Frame);
    m_pp1Coordinate = pp1->GetCoordinate();
    m_sign = table.GetSpacingSign() < 0 ? -1.0 : 1.0;
}

double FrameScale::Distance(double frame) const noexcept {
    // The last entry at or below `frame`; the first for a frame below them all.
    const auto after = std::upper_bound(m_numbers.begin(), m_numbers.end(), frame);
    const std::size_t i = after == m_numbers.begin() ? 0 : static_cast<std::size_t>(after - m_numbers.begin()) - 1;
    return m_distances[i] + m_spacings[i] * (frame - m_numbers[i]);
}

double FrameScale::ToCoordinate(double frame) const noexcept {
    return m_pp1Coordinate + m_sign * (Distance(frame) - m_pp1Distance);
}

double FrameScale::ToFrame(double x) const noexcept {
    const double distance = m_pp1Distance + (x - m_pp1Coordinate) / m_sign;
    const auto after = std::upper_bound(m_distances.begin(), m_distances.end(), distance);
    const std::size_t i = after == m_distances.begin() ? 0 : static_cast<std::size_t>(after - m_distances.begin()) - 1;
    return m_numbers[i] + (distance - m_distances[i]) / m_spacings[i];
}

}  // namespace Analysis
}  // namespace VantrelLib
