// Peak memory while reading one document, and the times to read and destroy
// it: vantrel_memory FILE. Prints "bytes peak_rss_bytes read_seconds destroy_seconds".
// Run once per document: the peak is the process's.

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include <VantrelLib/VantrelLib.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel_memory FILE\n");
        return 2;
    }
    using Clock = std::chrono::steady_clock;
    try {
        const auto size = std::filesystem::file_size(argv[1]);
        const auto start = Clock::now();
        auto root = VantrelLib::CVantrel::CreateInstance();
        root->FromXmlFile(argv[1]);
        const auto read = Clock::now();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        root = nullptr;
        const auto destroyed = Clock::now();
        std::printf("%llu %llu %.6f %.6f\n", static_cast<unsigned long long>(size),
                    static_cast<unsigned long long>(usage.ru_maxrss) * 1024ull,
                    std::chrono::duration<double>(read - start).count(),
                    std::chrono::duration<double>(destroyed - read).count());
    } catch (const LtXmlLib3::CLtException& error) {
        std::fprintf(stderr, "%s", error.FormatChain(argv[1]).c_str());
        return 1;
    }
    return 0;
}
