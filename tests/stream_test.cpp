// Inputs of unknown length (pipes, devices, streams), parsed as they are read.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "TestSupport.h"
#include "runtime/XmlDocument.h"

using LtXmlLib3::CXmlDocument;
using LtXmlLib3::CXmlElement;
using testsupport::ChainOf;

namespace {

// "name@line:column" of every element, in document order.
std::vector<std::string> Positions(CXmlDocument& document) {
    std::vector<std::string> seen;
    auto walk = [&seen](const CXmlElement* element, auto& self) -> void {
        for (; element != nullptr; element = element->GetNextSiblingElement()) {
            seen.push_back(std::string(element->GetLocalName()) + "@" + std::to_string(element->GetLine()) + ":" +
                           std::to_string(element->GetColumn()));
            self(element->GetFirstElement(), self);
        }
    };
    walk(document.GetDocumentElement(), walk);
    document.Finish();
    return seen;
}

TEST(RuntimeStreams, ElementsKeepTheirLinesAndColumnsAcrossChunks) {
    // Lines ending in LF, CRLF and CR; a comment, a run of line ends and a value
    // each longer than a chunk between elements. Where each element starts is
    // noted as the text is made.
    const char* const ends[] = {"\n", "\r\n", "\r"};
    std::string text = "<?xml version='1.0'?>\r\n";
    std::vector<std::pair<std::size_t, std::string>> starts;
    auto add = [&](const std::string& name, const std::string& tag) {
        starts.emplace_back(text.size(), name);
        text += tag;
    };
    add("r", "<r>\n");
    for (int i = 0; i < 3000; ++i) {
        text += std::string(static_cast<std::size_t>(i % 5), ' ');
        add("e", "<e i='" + std::to_string(i) + "'>");
        add("c", i % 2 == 0 ? "<c/>" : "<c >\r\n</c>");
        text += std::string("</e>") + ends[i % 3];
        if (i == 1000) text += "<!--" + std::string(100000, 'c') + "\n" + std::string(100000, 'c') + "-->";
        if (i == 2000) text += std::string(70000, '\n') + std::string(70000, '\r');
        if (i == 2500) add("big", "<big v='" + std::string(200000, 'v') + "'\n/>\r");
    }
    text += "</r>\n";
    std::vector<std::string> expected;
    std::size_t line = 1, lineStart = 0, next = 0;
    for (std::size_t at = 0; at < text.size() && next < starts.size(); ++at) {
        if (at == starts[next].first) {
            expected.push_back(starts[next++].second + "@" + std::to_string(line) + ":" +
                               std::to_string(at - lineStart + 1));
        }
        if (text[at] == '\n' || (text[at] == '\r' && text[at + 1] != '\n')) {
            ++line;
            lineStart = at + 1;
        }
    }
    ASSERT_EQ(expected.size(), 6002u);
    ASSERT_EQ(expected[1], "e@3:1");

    // Whole chunks, and pieces of an odd size, so that their ends fall
    // everywhere (inside tags, between a CR and its LF).
    for (const std::size_t piece : {std::size_t{1} << 20, std::size_t{1009}}) {
        std::size_t at = 0;
        CXmlDocument streamed([&](char* buffer, std::size_t size) {
            const std::size_t count = std::min({size, piece, text.size() - at});
            std::memcpy(buffer, text.data() + at, count);
            at += count;
            return count;
        });
        EXPECT_EQ(Positions(streamed), expected) << "pieces of " << piece;
    }
}

TEST(RuntimeStreams, MalformedOrOverlongInputIsRefusedAsItArrives) {
    // Well formed as far as it goes, but longer than the limit: refused at the
    // limit, not at the end, as the document's fault rather than one of an
    // element left open.
    std::istringstream spaces("<Vantrel schemaVersion='1'><GeneralData>" + std::string(std::size_t{4} << 20, ' '));
    LtXmlLib3::CReadOptions options;
    options.maxInputBytes = std::uint64_t{1} << 20;
    auto root = VantrelLib::CVantrel::CreateInstance();
    EXPECT_EQ(ChainOf([&] { root->FromXmlStream(spaces, options); }),
              std::vector<std::string>{"The document is longer than the limit of 1048576 bytes"});
    const auto read = static_cast<std::uint64_t>(spaces.rdbuf()->pubseekoff(0, std::ios::cur, std::ios::in));
    EXPECT_GE(read, options.maxInputBytes);
    EXPECT_LE(read, options.maxInputBytes + (std::size_t{128} << 10));

    // A pipe of NUL bytes read as a file: the writer can push little more than
    // one chunk and the pipe's own buffer before the reader gives up.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::signal(SIGPIPE, SIG_IGN);  // the writer learns of the reader's end from EPIPE
    std::size_t pushed = 0;
    std::thread writer([&] {
        const std::vector<char> zeroChunk(65536, '\0');
        for (ssize_t written; pushed < (std::size_t{64} << 20); pushed += static_cast<std::size_t>(written))
            if ((written = ::write(ends[1], zeroChunk.data(), zeroChunk.size())) <= 0) break;
        ::close(ends[1]);
    });
    const std::string path = "/dev/fd/" + std::to_string(ends[0]);
    const auto chain = ChainOf([&] { root->FromXmlFile(path); });
    ::close(ends[0]);
    writer.join();
    EXPECT_EQ(chain, std::vector<std::string>{"Malformed XML at line 1, column 1: not well-formed (invalid token)"});
    EXPECT_LT(pushed, std::size_t{4} << 20);
}

}  // namespace
