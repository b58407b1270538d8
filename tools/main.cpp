// vantrel: the command-line tool for Vantrel documents. See `vantrel --help`.
#include <exception>
#include <iostream>

#include <VantrelLib/VantrelLib.h>

#include "CommandLine.h"
#include "Commands.h"

int main(int argc, char** argv) {
    // No fault leaves as an exception trace: each is one message on standard error.
    try {
        return VantrelTool::RunCommandLine(argc, argv, std::cout, std::cerr);
    } catch (const LtXmlLib3::CLtException& error) {
        std::cerr << "vantrel: " << error.FormatChain();
    } catch (const std::exception& error) {
        std::cerr << "vantrel: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "vantrel: unexpected failure\n";
    }
    return VantrelTool::kExitFailure;
}
