#include "codecs/heif/HeifCodedSize.h"
#include "codecs/heif/HeifItems.h"
#include "codecs/heif/HevcPictureSize.h"

#include "codecs/CodecTestSupport.h"
#include "support/TestData.h"

#include <libheif/heif.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pict {
namespace {

using Bytes = std::vector<uint8_t>;

void put(Bytes& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(uint8_t(value >> (8 * i)));
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes box(const char* type, const Bytes& payload, bool largeSize = false) {
    Bytes out;
    put(out, largeSize ? 1 : 8 + payload.size(), 4);
    out.insert(out.end(), type, type + 4);
    if (largeSize)
        put(out, 16 + payload.size(), 8);
    return out + payload;
}

Bytes fullBox(const char* type, uint8_t version, uint32_t flags, const Bytes& payload) {
    Bytes head;
    put(head, uint64_t(version) << 24 | flags, 4);
    return box(type, head + payload);
}

// ---- HEVC sequence parameter sets, written field by field ----

// Writes fields most significant bit first, then adds the emulation-prevention bytes a real
// stream carries, as plainly as the standard states them.
class SpsWriter {
public:
    void bits(uint64_t value, int count) {
        for (int i = count - 1; i >= 0; --i)
            bits_.push_back(i < 64 && ((value >> i) & 1) != 0);
    }
    void expGolomb(uint32_t value) {
        const uint64_t coded = uint64_t(value) + 1;
        int length = 0;
        while ((coded >> length) > 1)
            ++length;
        bits(0, length);
        bits(coded, length + 1);
    }
    Bytes nal() const {
        Bytes raw;
        for (size_t i = 0; i < bits_.size(); i += 8) {
            uint8_t byte = 0;
            for (size_t j = 0; j < 8; ++j)
                byte = uint8_t(byte << 1 | (i + j < bits_.size() && bits_[i + j]));
            raw.push_back(byte);
        }
        Bytes out = {0x42, 0x01}; // NAL unit type 33
        int zeros = 0;
        for (const uint8_t byte : raw) {
            if (zeros == 2 && byte <= 3) {
                out.push_back(3);
                zeros = 0;
            }
            out.push_back(byte);
            zeros = byte == 0 ? zeros + 1 : 0;
        }
        return out;
    }

private:
    std::vector<bool> bits_;
};

struct SpsFields {
    uint32_t subLayers = 0; // max_sub_layers_minus1
    uint32_t subLayerFlags = 0; // for sub-layer i, bit 2i + 1: profile present, bit 2i: level present
    uint32_t chroma = 1;
    bool separatePlanes = false;
    uint32_t width = 64, height = 48;
    bool window = false;
    uint32_t left = 0, right = 0, top = 0, bottom = 0;
};

Bytes spsOf(const SpsFields& f) {
    SpsWriter w;
    w.bits(0, 4);
    w.bits(f.subLayers, 3);
    w.bits(1, 1);
    w.bits(0x01, 8); // profile 1, then the rest of the general profile and level as zeros
    w.bits(0, 80);
    w.bits(90, 8);
    for (uint32_t i = 0; i < f.subLayers; ++i)
        w.bits(f.subLayerFlags >> (2 * i), 2);
    if (f.subLayers > 0)
        w.bits(0, 2 * int(8 - f.subLayers));
    for (uint32_t i = 0; i < f.subLayers; ++i) {
        if ((f.subLayerFlags >> (2 * i)) & 2) {
            w.bits(0x5a5a5a, 24);
            w.bits(0, 64);
        }
        if ((f.subLayerFlags >> (2 * i)) & 1)
            w.bits(60, 8);
    }
    w.expGolomb(0);
    w.expGolomb(f.chroma);
    if (f.chroma == 3)
        w.bits(f.separatePlanes, 1);
    w.expGolomb(f.width);
    w.expGolomb(f.height);
    w.bits(f.window, 1);
    if (f.window) {
        w.expGolomb(f.left);
        w.expGolomb(f.right);
        w.expGolomb(f.top);
        w.expGolomb(f.bottom);
    }
    w.bits(0x2a, 8); // what follows in a real set; never read
    return w.nal();
}

// hvcC: 22 bytes of fixed fields, then arrays of a VPS, the SPS and a PPS.
Bytes hvcCOf(const Bytes& sps) {
    Bytes out(22, 0);
    out[0] = 1;
    out.push_back(3);
    const Bytes vps = {0x40, 0x01, 0x0c, 0x01, 0xff}, pps = {0x44, 0x01, 0xc1, 0x73};
    for (const auto& [type, nal] : {std::pair{32, vps}, std::pair{33, sps}, std::pair{34, pps}}) {
        out.push_back(uint8_t(0x80 | type));
        put(out, 1, 2);
        put(out, nal.size(), 2);
        out = out + nal;
    }
    return out;
}

// The crop as the standard states it: in chroma sample units of 2 for 4:2:0 sides.
CodedPictureSize expectedSize(const SpsFields& f) {
    const bool planes = f.chroma == 3 && f.separatePlanes;
    const int64_t unitX = !planes && (f.chroma == 1 || f.chroma == 2) ? 2 : 1;
    const int64_t unitY = !planes && f.chroma == 1 ? 2 : 1;
    if (!f.window)
        return {f.width, f.height};
    return {int64_t(f.width) - unitX * (f.left + f.right), int64_t(f.height) - unitY * (f.top + f.bottom)};
}

TEST(HevcPictureSize, ReadsTheCroppedSizeOfEverySequenceShape) {
    std::vector<SpsFields> shapes;
    for (uint32_t chroma = 0; chroma <= 3; ++chroma)
        for (bool window : {false, true})
            shapes.push_back({0, 0, chroma, false, 4032, 3024, window, 1, 3, 2, 5});
    shapes.push_back({0, 0, 3, true, 640, 480, true, 4, 4, 4, 4});
    for (uint32_t layers = 1; layers <= 6; ++layers)
        for (uint32_t flags : {0u, 0xfffu, 0x555u, 0xaaau})
            shapes.push_back({layers, flags, 1, false, 38 + layers, 22, true, 0, 1, 0, 1});
    shapes.push_back({0, 0, 1, false, 1, 1, false}); // the smallest, and the widest Exp-Golomb codes
    shapes.push_back({0, 0, 1, false, 0x7ffffffe, 0x10000, false});
    for (const SpsFields& shape : shapes) {
        const std::optional<CodedPictureSize> size = hevcPictureSize(hvcCOf(spsOf(shape)));
        const CodedPictureSize expected = expectedSize(shape);
        ASSERT_TRUE(size) << shape.subLayers << " " << shape.chroma;
        EXPECT_EQ(size->width, expected.width) << shape.subLayers << " " << shape.chroma << " " << shape.subLayerFlags;
        EXPECT_EQ(size->height, expected.height) << shape.subLayers << " " << shape.chroma;
    }
}

TEST(HevcPictureSize, AnswersNothingForWhatDoesNotParse) {
    const Bytes good = hvcCOf(spsOf({}));
    EXPECT_TRUE(hevcPictureSize(good));
    EXPECT_FALSE(hevcPictureSize({}));
    EXPECT_FALSE(hevcPictureSize(Bytes(good.begin(), good.begin() + 22))) << "no array count";
    for (size_t cut = 23; cut < good.size() - 9; ++cut) // every cut before the SPS ends (a PPS of 9 follows)
        EXPECT_FALSE(hevcPictureSize(Bytes(good.begin(), good.begin() + long(cut)))) << cut;
    SpsFields cropsEverything;
    cropsEverything.window = true;
    cropsEverything.left = 40; // 80 columns off a 64-wide picture
    EXPECT_FALSE(hevcPictureSize(hvcCOf(spsOf(cropsEverything))));
    Bytes noSps = hvcCOf(spsOf({}));
    noSps[22] = 1; // only the VPS array is counted
    EXPECT_FALSE(hevcPictureSize(noSps));
}

// ---- items, their properties, data and references ----

Bytes infe(uint32_t id, const char* type, uint8_t version = 2) {
    Bytes payload;
    put(payload, id, version == 2 ? 2 : 4);
    put(payload, 0, 2);
    payload.insert(payload.end(), type, type + 4);
    return fullBox("infe", version, 0, payload);
}

Bytes ispe(uint32_t width, uint32_t height) {
    Bytes payload;
    put(payload, width, 4);
    put(payload, height, 4);
    return fullBox("ispe", 0, 0, payload);
}

Bytes gridData(uint32_t width, uint32_t height, bool wide = false, uint8_t version = 0) {
    Bytes out = {version, uint8_t(wide ? 1 : 0), 0, 0};
    put(out, width, wide ? 4 : 2);
    put(out, height, wide ? 4 : 2);
    return out;
}

struct Association {
    uint32_t item;
    std::vector<uint32_t> properties; // 1-based
};

Bytes ipma(const std::vector<Association>& entries, uint8_t version = 0, bool wide = false) {
    Bytes payload;
    put(payload, entries.size(), 4);
    for (const Association& entry : entries) {
        put(payload, entry.item, version == 0 ? 2 : 4);
        put(payload, entry.properties.size(), 1);
        for (const uint32_t index : entry.properties)
            put(payload, index | (wide ? 0x8000 : 0x80), wide ? 2 : 1); // marked essential
    }
    return fullBox("ipma", version, wide ? 1 : 0, payload);
}

struct Reference {
    const char* kind;
    uint32_t from;
    std::vector<uint32_t> to;
};

Bytes iref(const std::vector<Reference>& references, uint8_t version = 0) {
    Bytes payload;
    const int id = version == 0 ? 2 : 4;
    for (const Reference& reference : references) {
        Bytes ids;
        put(ids, reference.from, id);
        put(ids, reference.to.size(), 2);
        for (const uint32_t to : reference.to)
            put(ids, to, id);
        payload = payload + box(reference.kind, ids);
    }
    return fullBox("iref", version, 0, payload);
}

// An iloc of version 1 with 4-byte offsets and lengths, one extent per item; idat items use
// construction method 1.
struct Location {
    uint32_t item;
    bool inIdat;
    uint32_t offset, length;
};

Bytes iloc(const std::vector<Location>& locations) {
    Bytes payload = {0x44, 0x00};
    put(payload, locations.size(), 2);
    for (const Location& location : locations) {
        put(payload, location.item, 2);
        put(payload, location.inIdat ? 1 : 0, 2);
        put(payload, 0, 2);
        put(payload, 1, 2);
        put(payload, location.offset, 4);
        put(payload, location.length, 4);
    }
    return fullBox("iloc", 1, 0, payload);
}

Bytes fileOf(const Bytes& metaChildren) {
    return box("ftyp", {'h', 'e', 'i', 'c', 0, 0, 0, 0, 'm', 'i', 'f', '1'}) + fullBox("meta", 0, 0, metaChildren);
}

// An overlay (1) over a grid (2) of tiles (3, 4), with an alpha grid (5) of one tile (6).
struct LayeredFile {
    SpsFields tile{0, 0, 1, false, 64, 64, false};
    uint32_t gridWidth = 100, gridHeight = 60;
    uint8_t gridVersion = 0;
    uint32_t alphaGridWidth = 100;
    bool tilesHaveData = true;

    Bytes build() const {
        const Bytes hvcC = box("hvcC", hvcCOf(spsOf(tile)));
        const Bytes properties = box("ipco", hvcC + ispe(64, 64) + ispe(100, 60));
        const Bytes grids = gridData(gridWidth, gridHeight, false, gridVersion) + gridData(alphaGridWidth, 60, true);
        const Bytes infos = infe(1, "iovl") + infe(2, "grid") + infe(3, "hvc1") + infe(4, "hvc1") + infe(5, "grid") +
                            infe(6, "hvc1", 3);
        Bytes iinfPayload;
        put(iinfPayload, 6, 2);
        return fileOf(box("iinf", Bytes{0, 0, 0, 0} + iinfPayload + infos) +
                      iloc(tilesHaveData ? std::vector<Location>{{2, true, 0, 8}, {5, true, 8, 12}, {3, false, 0, 4},
                                                                 {4, false, 4, 4}, {6, false, 8, 4}}
                                         : std::vector<Location>{{2, true, 0, 8}, {5, true, 8, 12}, {3, false, 0, 4},
                                                                 {4, false, 4, 4}}) +
                      box("idat", grids) +
                      box("iprp", properties + ipma({{1, {3}}, {2, {3}}, {3, {1, 2}}, {4, {1, 2}}, {5, {3}}}) +
                                      ipma({{6, {1, 2}}}, 1, true)) +
                      iref({{"dimg", 1, {2}}, {"dimg", 2, {3, 4}}, {"auxl", 5, {1}}, {"dimg", 5, {6}}}));
    }
};

TEST(HeifItems, ReadsTypesPropertiesDataAndReferences) {
    const Bytes file = LayeredFile().build();
    const HeifItems items(file);
    EXPECT_EQ(items.type(1), "iovl");
    EXPECT_EQ(items.type(6), "hvc1") << "an infe of version 3";
    EXPECT_EQ(items.type(7), "");
    EXPECT_EQ(items.property(3, "ispe").size(), 12u);
    EXPECT_EQ(items.property(6, "hvcC").size(), hvcCOf(spsOf({0, 0, 1, false, 64, 64, false})).size())
        << "an ipma of version 1 with 15-bit indices";
    EXPECT_TRUE(items.property(1, "hvcC").empty());
    EXPECT_EQ(items.data(2, 12), gridData(100, 60));
    EXPECT_EQ(items.data(5, 4), Bytes({0, 1, 0, 0})) << "only as many bytes as asked";
    EXPECT_EQ(items.references(2, "dimg"), std::vector<uint32_t>({3, 4}));
    EXPECT_EQ(items.referredBy(1, "auxl"), std::vector<uint32_t>({5}));
    EXPECT_TRUE(items.references(1, "auxl").empty());
}

TEST(HeifItems, BoxesThatRunPastTheirHolderAreLeftOut) {
    const Bytes file = LayeredFile().build();
    for (size_t cut = 0; cut < file.size(); cut += 7) {
        const Bytes part(file.begin(), file.begin() + long(cut));
        const HeifItems items(part);
        for (uint32_t item = 1; item <= 6; ++item) {
            EXPECT_LE(items.data(item, 64).size(), 12u);
            (void)heifOversizedPicture(items, 1);
        }
    }
    // A box of 64-bit size reads like any other.
    const Bytes large = box("ftyp", {'h', 'e', 'i', 'c'}) +
                        box("meta", Bytes{0, 0, 0, 0} + box("iinf", Bytes{0, 0, 0, 0, 0, 1} + infe(9, "grid")), true);
    EXPECT_EQ(HeifItems(large).type(9), "grid");
}

TEST(HeifCodedSize, FindsAnOversizedPictureWhereverTheDecoderWouldBuildIt) {
    EXPECT_FALSE(heifOversizedPicture(HeifItems(LayeredFile().build()), 1));

    LayeredFile paddedTiles;
    paddedTiles.tile = {0, 0, 1, false, 128, 128, false}; // 64 beyond the tiles' 64 x 64: padding
    EXPECT_FALSE(heifOversizedPicture(HeifItems(paddedTiles.build()), 1));

    LayeredFile largeTiles;
    largeTiles.tile = {0, 0, 1, false, 129, 64, false};
    const auto tile = heifOversizedPicture(HeifItems(largeTiles.build()), 1);
    ASSERT_TRUE(tile);
    EXPECT_EQ(HeifItems(largeTiles.build()).type(tile->item), "hvc1");
    EXPECT_EQ(tile->coded.width, 129);
    EXPECT_EQ(tile->box.width, 64);

    LayeredFile largeGrid;
    largeGrid.gridHeight = 9000;
    const auto grid = heifOversizedPicture(HeifItems(largeGrid.build()), 1);
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->item, 2u);
    EXPECT_EQ(grid->coded.height, 9000);
    EXPECT_EQ(grid->box.height, 60);
    largeGrid.gridVersion = 0x16; // libheif reads any version's fields as version 0's
    EXPECT_TRUE(heifOversizedPicture(HeifItems(largeGrid.build()), 1));

    LayeredFile largeAlpha;
    largeAlpha.alphaGridWidth = 70000;
    const auto alpha = heifOversizedPicture(HeifItems(largeAlpha.build()), 1);
    ASSERT_TRUE(alpha);
    EXPECT_EQ(alpha->item, 5u);
    EXPECT_FALSE(heifOversizedPicture(HeifItems(largeAlpha.build()), 2)) << "an alpha of another picture";
}

TEST(HeifCodedSize, FindsACodedPictureWithoutData) {
    EXPECT_FALSE(heifPictureWithoutData(HeifItems(LayeredFile().build()), 1));
    LayeredFile missing;
    missing.tilesHaveData = false;
    EXPECT_EQ(heifPictureWithoutData(HeifItems(missing.build()), 1), 6u) << "the alpha plane's tile";
    EXPECT_FALSE(heifPictureWithoutData(HeifItems(missing.build()), 2)) << "a picture that does not use it";
    // heif-enc makes a HEIC picture as a grid of one tile and its alpha plane as another.
    struct Fixture {
        const char* name;
        uint32_t primary;
        std::vector<uint32_t> decoded;
    };
    for (const Fixture& fixture : {Fixture{"photo.heic", 2, {1, 2}}, Fixture{"alpha.heic", 2, {1, 2, 3, 4}},
                                   Fixture{"photo.avif", 1, {1}}, Fixture{"alpha.avif", 1, {1, 2}}}) {
        const Bytes file = test::readWholeFile(test::codecFixture("heif", fixture.name));
        const HeifItems items(file);
        EXPECT_FALSE(heifPictureWithoutData(items, fixture.primary)) << fixture.name;
        std::vector<uint32_t> decoded;
        findDecodedPicture(items, fixture.primary, [&](uint32_t item) {
            decoded.push_back(item);
            return false;
        });
        std::sort(decoded.begin(), decoded.end());
        EXPECT_EQ(decoded, fixture.decoded) << fixture.name;
    }
}

// The sizes read from the boxes are the sizes libheif decodes, for every fixture heif-enc made.
TEST(HeifCodedSize, AgreesWithLibheifOnTheFixtures) {
    for (const char* name : {"photo.heic", "alpha.heic"}) {
        const Bytes file = test::readWholeFile(test::codecFixture("heif", name));
        heif_context* context = heif_context_alloc();
        ASSERT_EQ(heif_context_read_from_memory_without_copy(context, file.data(), file.size(), nullptr).code,
                  heif_error_Ok);
        heif_item_id primary = 0;
        ASSERT_EQ(heif_context_get_primary_image_ID(context, &primary).code, heif_error_Ok);
        heif_image_handle* handle = nullptr;
        ASSERT_EQ(heif_context_get_primary_image_handle(context, &handle).code, heif_error_Ok);
        heif_image* image = nullptr;
        ASSERT_EQ(heif_decode_image(handle, &image, heif_colorspace_RGB, heif_chroma_interleaved_RGB, nullptr).code,
                  heif_error_Ok);
        const HeifItems items(file);
        const std::optional<CodedPictureSize> size = heifCodedSize(items, primary);
        ASSERT_TRUE(size) << name;
        EXPECT_EQ(size->width, heif_image_get_width(image, heif_channel_interleaved)) << name;
        EXPECT_EQ(size->height, heif_image_get_height(image, heif_channel_interleaved)) << name;
        for (const uint32_t tile : items.references(primary, "dimg")) {
            const std::optional<CodedPictureSize> tileSize = heifCodedSize(items, tile);
            ASSERT_TRUE(tileSize) << name;
            EXPECT_EQ(tileSize->width, 64) << "heif-enc's tile, as its ispe says";
        }
        EXPECT_FALSE(heifOversizedPicture(items, primary));
        heif_image_release(image);
        heif_image_handle_release(handle);
        heif_context_free(context);
    }
}

} // namespace
} // namespace pict
