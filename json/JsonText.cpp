#include "json/JsonText.h"

namespace VantrelLib {
namespace Json {
namespace detail {

std::string WhyNotXmlText(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') {
            static const char kHex[] = "0123456789ABCDEF";
            return std::string("the control character 0x") + kHex[byte >> 4] + kHex[byte & 15] + " at offset " +
                   std::to_string(i) + " cannot be carried by XML";
        }
        // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
        if (byte == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
            (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xBE)
            return "the non-character U+FFF" + std::string(text[i + 2] == '\xBE' ? "E" : "F") + " at offset " +
                   std::to_string(i) + " cannot be carried by XML";
    }
    return std::string();
}

std::string FormatPath(const std::vector<PathStep>& steps) {
    std::string path = "$";
    for (const PathStep& step : steps) {
        if (step.name != nullptr)
            path.append(".").append(step.name);
        else
            path.append("[").append(std::to_string(step.index)).append("]");
    }
    return path;
}

}  // namespace detail
}  // namespace Json
}  // namespace VantrelLib
