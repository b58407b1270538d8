// Writes random documents for the Python tests: random_documents DIR COUNT
// writes DIR/random-1.xml ... DIR/random-COUNT.xml, the same ones each time.
#include <cstdlib>
#include <string>

#include "RandomTree.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const int count = std::atoi(argv[2]);
    for (int seed = 1; seed <= count; ++seed)
        randomtree::RandomVantrel(static_cast<std::uint64_t>(seed))
            ->ToXmlFile(std::string(argv[1]) + "/random-" + std::to_string(seed) + ".xml");
    return 0;
}
