// Writes a generated document: vantrel_generate SIZE_MIB OUT [SEED]
#include <cstdlib>
#include <iostream>
#include <string>

#include "Generator.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: vantrel_generate SIZE_MIB OUT [SEED]\n";
        return 2;
    }
    const double mebibytes = std::atof(argv[1]);
    const std::uint32_t seed = argc > 3 ? static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 42u;
    try {
        auto document = VantrelBench::GenerateDocument(static_cast<std::uint64_t>(mebibytes * 1024 * 1024), seed);
        document->ToXmlFile(argv[2]);
    } catch (const LtXmlLib3::CLtException& error) {
        std::cerr << error.FormatChain();
        return 1;
    }
    return 0;
}
