// Layered files as other programs write them, and a corpus of hostile ones. The files are made
// by tests/codecs/openraster/make_fixtures.py with Python's own zip and a hand-made PNG encoder.
#include "codecs/openraster/OpenRaster.h"

#include "codecs/DocumentFiles.h"
#include "document/Document.h"
#include "surface/BlendModes.h"

#include "codecs/CodecTestSupport.h"
#include "support/DocumentFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace pict {
namespace {

namespace fs = std::filesystem;

fs::path fixture(const std::string& name) { return fs::path(PICT_SOURCE_DIR) / "tests/codecs/openraster" / name; }

const uint8_t* pixel(const Layer* layer, int32_t x, int32_t y) { return test::pixelAt(layer->asRaster()->color(), x, y); }

TEST(OpenRasterForeign, LayersGroupsUnknownModesAndSixteenBitsAsOtherProgramsWriteThem) {
    OpenRasterResult result;
    std::string error;
    ASSERT_TRUE(readOpenRaster(fixture("foreign/layered.ora").string(), result, error)) << error;
    Document& document = *result.document;
    EXPECT_EQ(document.canvasSize(), (Size{8, 6}));
    EXPECT_FLOAT_EQ(document.info().resolution, 300.0f);
    EXPECT_EQ(document.info().resolutionUnit, ResolutionUnit::PixelsPerInch);
    const LayerStack& stack = document.layers();
    ASSERT_EQ(stack.count(), 4);
    EXPECT_EQ(stack.nameAt(0), "Bottom");
    EXPECT_EQ(stack.nameAt(1), "Group");
    EXPECT_EQ(stack.nameAt(2), "Plus");
    EXPECT_EQ(stack.nameAt(3), "Top");
    EXPECT_EQ(stack.active(), stack.layerAt(3));

    // 16 bits per channel keep their high bytes; the file's red comes first, ours is blue first.
    const uint8_t* bottom = pixel(stack.layerAt(0), 5, 5);
    EXPECT_EQ(bottom[0], 0x9A);
    EXPECT_EQ(bottom[1], 0x56);
    EXPECT_EQ(bottom[2], 0x12);
    EXPECT_FALSE(stack.layerAt(0)->isBackground()); // only our own files say so
    EXPECT_EQ(stack.layerAt(0)->asRaster()->transparencyMask(), nullptr);

    // The group is one canvas-sized layer: A screens 50 over B's 100 where it lies, B elsewhere.
    const Layer* group = stack.layerAt(1);
    EXPECT_EQ(group->size(), (Size{8, 6}));
    EXPECT_EQ(group->position(), (Point{0, 0}));
    EXPECT_EQ(pixel(group, 1, 1)[0], screenChannel(100, 50));
    EXPECT_EQ(pixel(group, 5, 4)[0], 100);

    EXPECT_EQ(stack.layerAt(2)->blendMode(), kBlendNormal);
    EXPECT_FALSE(stack.layerAt(2)->isVisible());

    const Layer* top = stack.layerAt(3);
    EXPECT_EQ(top->blendMode(), kBlendMultiply);
    EXPECT_EQ(top->opacity(), 128);
    EXPECT_EQ(top->position(), (Point{2, 1}));
    EXPECT_EQ(top->size(), (Size{4, 3}));
    EXPECT_EQ(top->asRaster()->transparencyMask(), nullptr); // an all-opaque alpha is not kept

    EXPECT_NE(result.note.find("\"Group\""), std::string::npos) << result.note;
    EXPECT_NE(result.note.find("svg:plus"), std::string::npos) << result.note;
    EXPECT_TRUE(result.metadata.isEmpty());
}

TEST(OpenRasterForeign, OpenDocumentReadsTheLayersByTheExtension) {
    std::unique_ptr<Document> document = openDocument(fixture("foreign/layered.ora").string());
    ASSERT_TRUE(document);
    EXPECT_EQ(document->layers().count(), 4);
    EXPECT_EQ(document->info().name, "layered.ora");
    EXPECT_FALSE(document->isModified());
}

struct HostileCase {
    const char* file;
    const char* reason; // a part of the message that says why
};

class OpenRasterHostile : public ::testing::TestWithParam<HostileCase> {};

// Limits low enough that the bomb and the huge layer hit them long before memory runs short.
OpenRasterLimits testLimits() {
    OpenRasterLimits limits;
    limits.zip.maxEntryBytes = int64_t(16) << 20;
    limits.zip.maxTotalBytes = int64_t(32) << 20;
    limits.maxPixelBytes = int64_t(256) << 20;
    return limits;
}

TEST_P(OpenRasterHostile, IsRefusedWithAReason) {
    const HostileCase& c = GetParam();
    OpenRasterResult result;
    std::string error;
    EXPECT_FALSE(readOpenRaster(fixture(std::string("hostile/") + c.file).string(), result, error, testLimits()));
    EXPECT_FALSE(result.document);
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.file << ": " << error;

    // The same bytes from memory fail the same way.
    const std::vector<uint8_t> bytes = test::readWholeFile(fixture(std::string("hostile/") + c.file));
    std::string memoryError;
    EXPECT_FALSE(readOpenRasterMemory(bytes.data(), bytes.size(), c.file, result, memoryError, testLimits()));
    EXPECT_FALSE(memoryError.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, OpenRasterHostile,
    ::testing::Values(HostileCase{"zip_bomb.ora", "too large"}, HostileCase{"traversal.ora", "outside the archive"},
                      HostileCase{"absolute_path.ora", "outside the archive"},
                      HostileCase{"missing_layer.ora", "missing"},
                      HostileCase{"undecodable_layer.ora", "not a readable PNG"},
                      HostileCase{"huge_canvas.ora", "1 to 30000"}, HostileCase{"huge_layer.ora", "MiB of memory"},
                      HostileCase{"entities.ora", "entities"}, HostileCase{"deep_nesting.ora", "deeply"},
                      HostileCase{"nested_groups.ora", "deep"}, HostileCase{"wrong_mimetype.ora", "mimetype"},
                      HostileCase{"no_stack.ora", "stack.xml"}, HostileCase{"no_layers.ora", "no layers"},
                      HostileCase{"bad_xml.ora", "well-formed"}, HostileCase{"not_a_zip.ora", "zip archive"},
                      HostileCase{"size_lie.ora", "zip archive"}),
    [](const ::testing::TestParamInfo<HostileCase>& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST(OpenRasterHostileTotals, TheTotalUnpackedSizeIsCapped) {
    OpenRasterLimits limits = testLimits();
    limits.zip.maxEntryBytes = int64_t(128) << 20;
    limits.zip.maxTotalBytes = int64_t(8) << 20;
    OpenRasterResult result;
    std::string error;
    EXPECT_FALSE(readOpenRaster(fixture("hostile/zip_bomb.ora").string(), result, error, limits));
    EXPECT_NE(error.find("unpacks to more than"), std::string::npos) << error;
}

} // namespace
} // namespace pict
