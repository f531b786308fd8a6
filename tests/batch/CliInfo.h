#pragma once
// Splitting the --info lines of a run, for tests that look at the document step by step.

#include <string>
#include <vector>

namespace pict::test {

inline std::vector<std::string> infoLines(const std::string& out) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(out.substr(start, end - start));
    return lines;
}

} // namespace pict::test
