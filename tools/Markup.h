#pragma once
// Markup text for the pictures (SVG) and the report (HTML), every piece of
// text and every attribute value escaped on the way in. The library's XML
// writer has no text content, which both need, so the tool writes its own.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace VantrelTool {

// `text` for element content or a double-quoted attribute value: `&`, `<`,
// `>` and `"` as references, and what XML cannot carry (bytes that are not
// UTF-8, control characters other than tab and line ends: a file's name may
// hold them) as U+FFFD.
std::string Escaped(std::string_view text);

// A coordinate in pixels: at most two decimals, no trailing zeros. Throws
// std::logic_error for a value that is not finite, so that no NaN reaches a
// picture unnoticed.
std::string Px(double value);

using Attributes = std::vector<std::pair<std::string_view, std::string>>;

class Markup {
public:
    // <name attributes...>, closed by Close().
    Markup& Open(std::string_view name, const Attributes& attributes = {});
    // <name attributes.../>
    Markup& Empty(std::string_view name, const Attributes& attributes = {});
    // <name attributes...>text</name>
    Markup& Element(std::string_view name, const Attributes& attributes, std::string_view text);
    Markup& Text(std::string_view text);
    // Text that is markup already (a picture inside the report).
    Markup& Raw(std::string_view markup);
    Markup& Close();
    // The text, with every element closed.
    std::string Take();

private:
    void StartTag(std::string_view name, const Attributes& attributes);

    std::string m_text;
    std::vector<std::string> m_open;
};

}  // namespace VantrelTool
