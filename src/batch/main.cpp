// pictorane-cli: the editor's document commands without a window. Everything lives in the
// batch runner so that the tests can drive it in-process.

#include "batch/BatchRunner.h"
#include "history/SavedPixels.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    // Undo pixels a crashed run had swapped out are of no use to anyone now.
    pict::removeStaleSwapFiles(pict::historySwapFolder());
    return pict::batch::runBatch(arguments, std::cout, std::cerr);
}
