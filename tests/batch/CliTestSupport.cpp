#include "batch/CliTestSupport.h"

#include "batch/BatchRunner.h"
#include "codecs/DocumentFiles.h"
#include "document/Document.h"
#include "support/TestData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace pict::test {

CliRun runCli(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.code = batch::runBatch(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

namespace {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

CliRun runCliBinary(const std::vector<std::string>& arguments) {
    const std::string outPath = scratchPath("binary.out");
    const std::string errPath = scratchPath("binary.err");
    std::string command = shellQuoted(PICT_CLI_BINARY);
    for (const std::string& argument : arguments)
        command += " " + shellQuoted(argument);
    command += " >" + shellQuoted(outPath) + " 2>" + shellQuoted(errPath) + " </dev/null";
    const int status = std::system(command.c_str());
    CliRun run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = fileBytes(outPath);
    run.err = fileBytes(errPath);
    return run;
}

std::string scratchPath(const std::string& name) {
    static std::atomic<int> counter{0};
    return (scratchDir() / (std::to_string(++counter) + "-" + name)).string();
}

void writeImage(const std::string& path, int32_t width, int32_t height,
                const std::function<uint32_t(int32_t, int32_t)>& color,
                const std::function<uint8_t(int32_t, int32_t)>& alpha) {
    Surface24 pixels;
    ASSERT_TRUE(pixels.create(width, height, 24));
    Surface8 mask;
    if (alpha) {
        ASSERT_TRUE(mask.create(width, height, 8));
    }
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = pixels.row(y);
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t c = color(x, y);
            row[3 * x] = uint8_t(c);
            row[3 * x + 1] = uint8_t(c >> 8);
            row[3 * x + 2] = uint8_t(c >> 16);
            if (alpha)
                mask.setValueAt(x, y, alpha(x, y));
        }
    }
    Document document;
    ASSERT_TRUE(alpha ? document.newFromSurface(path, std::move(pixels), std::move(mask))
                      : document.newFromSurface(path, std::move(pixels)));
    ASSERT_TRUE(saveDocument(document, path)) << path;
}

DecodedImage readImage(const std::string& path) {
    DecodedImage image;
    OpenedImage opened;
    EXPECT_TRUE(openImage(path, opened)) << "cannot read " << path;
    image.width = opened.color.width();
    image.height = opened.color.height();
    const bool hasAlpha = opened.alpha.isValid() && opened.alpha.size() == opened.color.size();
    for (int32_t y = 0; y < image.height; ++y) {
        const uint8_t* row = opened.color.row(y);
        for (int32_t x = 0; x < image.width; ++x) {
            image.color.push_back(uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x]);
            image.alpha.push_back(hasAlpha ? opened.alpha.valueAt(x, y) : 255);
        }
    }
    return image;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace pict::test
