#include "codecs/DocumentFiles.h"

#include "codecs/BitmapCodec.h"
#include "codecs/ByteStream.h"
#include "codecs/CodecImage.h"
#include "codecs/JpegCodec.h"
#include "codecs/PngCodec.h"
#include "document/Document.h"
#include "document/Layer.h"

#include "codecs/CodecTestSupport.h"
#include "codecs/PictureFileBuilders.h"
#include "support/TestData.h"
#include "surface/PixelWorkCancellation.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

namespace pict {
namespace {

namespace fs = std::filesystem;
using test::readWholeFile;
using test::writeWholeFile;

fs::path freshFolder(const std::string& name) {
    const fs::path folder = test::scratchDir() / name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::set<std::string> entriesOf(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

const RasterLayer* onlyLayer(const Document& document) {
    const LayerStack* stack = document.layersIfAny();
    if (!stack || stack->count() != 1)
        return nullptr;
    const Layer* layer = stack->layerAt(0);
    return layer ? layer->asRaster() : nullptr;
}

// ---- opening ----

struct OpenCase {
    fs::path path;
    int32_t width, height;
    bool transparent;
};

void expectOpened(const OpenCase& c) {
    SCOPED_TRACE(c.path.string());
    std::unique_ptr<Document> document = openDocument(c.path.string());
    ASSERT_TRUE(document);
    EXPECT_EQ(document->width(), c.width);
    EXPECT_EQ(document->height(), c.height);
    EXPECT_EQ(document->info().name, c.path.filename().string());
    EXPECT_EQ(document->info().folder, c.path.parent_path().string());
    EXPECT_FALSE(document->isModified());
    EXPECT_FALSE(document->info().untitled);
    const RasterLayer* layer = onlyLayer(*document);
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->name(), c.transparent ? "Layer 1" : "Background");
    EXPECT_EQ(layer->isBackground(), !c.transparent);
    EXPECT_EQ(layer->transparencyMask() != nullptr, c.transparent);
}

TEST(OpenDocument, EveryOpenableKindBecomesADocument) {
    const fs::path data = test::sharedTestData();
    const fs::path made = freshFolder("open-kinds");

    JpegImage jpeg;
    jpeg.color = test::patternSurface(40, 30);
    ASSERT_TRUE(JpegCodec().saveToFile((made / "photo.JPEG").string(), jpeg));

    test::GifFrame framed = test::checkerFrame(6, 5);
    framed.transparent = 2;
    writeWholeFile(made / "transparent.gif", test::makeGif(6, 5, {framed}));
    writeWholeFile(made / "opaque.gif", test::makeGif(9, 4, {test::checkerFrame(9, 4)}));
    writeWholeFile(made / "icon.ico", test::makeIcon({test::bitmapEntry(8, 24, false, false), test::pngEntry(16)}));
    writeWholeFile(made / "plain.ico", test::makeIcon({test::bitmapEntry(8, 24, false, false)}));

    const OpenCase cases[] = {
        {data / "bmpsuite/g/rgb24.bmp", 127, 64, false},
        {data / "bmpsuite/g/pal8rle.bmp", 127, 64, false},
        {data / "bmpsuite/g/rgb32.bmp", 127, 64, false}, // its alpha bytes are all 0
        {data / "pngsuite/png/basn2c08.png", 32, 32, false},
        {data / "pngsuite/png/basn6a08.png", 32, 32, true},
        {data / "pngsuite/png/tbbn3p08.png", 32, 32, true}, // palette with tRNS
        {made / "photo.JPEG", 40, 30, false},
        {made / "transparent.gif", 6, 5, true},
        {made / "opaque.gif", 9, 4, false},
        {made / "icon.ico", 16, 16, true},
        {made / "plain.ico", 8, 8, false},
    };
    for (const OpenCase& c : cases)
        expectOpened(c);
}

TEST(OpenDocument, TransparencyComesFromTheFile) {
    const fs::path made = freshFolder("open-transparency");
    test::GifFrame frame = test::checkerFrame(6, 5);
    frame.transparent = 2;
    writeWholeFile(made / "t.gif", test::makeGif(6, 5, {frame}));
    std::unique_ptr<Document> document = openDocument((made / "t.gif").string());
    ASSERT_TRUE(document);
    const Surface8* mask = onlyLayer(*document)->transparencyMask();
    ASSERT_TRUE(mask);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(mask->valueAt(x, y), (x + 2 * y) % 4 == 2 ? 0 : 255) << x << "," << y;

    // A PNG opened this way has exactly the pixels its codec reads.
    const fs::path png = test::sharedTestData() / "pngsuite/png/basn6a08.png";
    OpenedImage image;
    ASSERT_TRUE(openImage(png.string(), image));
    document = openDocument(png.string());
    ASSERT_TRUE(document);
    const RasterLayer* layer = onlyLayer(*document);
    EXPECT_EQ(test::maxDifference(test::toRgba(layer->color(), layer->transparencyMask()),
                                  test::toRgba(image.color, &image.alpha), true),
              0);
}

TEST(OpenDocument, RefusesWhatItCannotOrMustNotRead) {
    const fs::path made = freshFolder("open-refused");
    const fs::path bmp = test::sharedTestData() / "bmpsuite/g/rgb24.bmp";
    const std::vector<uint8_t> bitmap = readWholeFile(bmp);

    // Kinds that are recognised but not read, an unknown kind, a missing file, a folder.
    writeWholeFile(made / "picture.ved", bitmap);
    writeWholeFile(made / "picture.tiff", bitmap); // a bitmap misnamed
    writeWholeFile(made / "picture.gz", bitmap);
    fs::create_directories(made / "folder.png");
    for (const char* name : {"picture.ved", "picture.tiff", "picture.gz", "missing.bmp", "folder.png"}) {
        EXPECT_FALSE(openDocument((made / name).string())) << name;
        OpenedImage image;
        EXPECT_FALSE(openImage((made / name).string(), image)) << name;
        EXPECT_TRUE(image.color.isEmpty());
    }

    // The extension decides the reader: a bitmap named .png is not a PNG.
    writeWholeFile(made / "bitmap.png", bitmap);
    EXPECT_FALSE(openDocument((made / "bitmap.png").string()));
    // Data cut short of what the header promises.
    writeWholeFile(made / "short.bmp", std::vector<uint8_t>(bitmap.begin(), bitmap.begin() + long(bitmap.size() / 2)));
    EXPECT_FALSE(openDocument((made / "short.bmp").string()));
}

TEST(OpenDocument, RefusesSidesAbove30000EvenWithAllTheirData) {
    const fs::path made = freshFolder("open-huge");
    BitmapImage wide;
    ASSERT_TRUE(wide.color.create(kMaxImageDimension + 1, 1, 24));
    wide.color.fillAll(0x336699);
    wide.setPlainHeader(kMaxImageDimension + 1, 1, 24);
    MemoryStream out;
    ASSERT_TRUE(out.openOwned());
    ASSERT_TRUE(BitmapCodec().saveToMemory(out, wide));
    writeWholeFile(made / "wide.bmp", out.ownedBytes());
    EXPECT_FALSE(openDocument((made / "wide.bmp").string()));

    // The same file at the limit opens.
    BitmapImage atLimit;
    ASSERT_TRUE(atLimit.color.create(kMaxImageDimension, 1, 24));
    atLimit.setPlainHeader(kMaxImageDimension, 1, 24);
    MemoryStream out2;
    ASSERT_TRUE(out2.openOwned());
    ASSERT_TRUE(BitmapCodec().saveToMemory(out2, atLimit));
    writeWholeFile(made / "limit.bmp", out2.ownedBytes());
    EXPECT_TRUE(openDocument((made / "limit.bmp").string()));
}

// ---- saving ----

Surface24 pattern(int32_t w, int32_t h) { return test::patternSurface(w, h, 7); }

std::unique_ptr<Document> makeDocument(const std::string& path, int32_t w, int32_t h, std::optional<Surface8> alpha) {
    auto document = std::make_unique<Document>();
    if (!document->newFromSurface(path, pattern(w, h), std::move(alpha)))
        return nullptr;
    return document;
}

Surface8 alphaWith(int32_t w, int32_t h, uint8_t fill, uint8_t corner) {
    Surface8 alpha;
    alpha.create(w, h, 8);
    alpha.fillValue(fill);
    alpha.setValueAt(0, 0, corner);
    return alpha;
}

// Bits per pixel of a bitmap file, and the color type of a PNG file.
int bitmapDepth(const std::vector<uint8_t>& file) { return file.size() > 29 ? file[28] | (file[29] << 8) : -1; }
int pngColorType(const std::vector<uint8_t>& file) { return file.size() > 25 ? file[25] : -1; }

TEST(SaveDocument, EachKindWritesByItsRule) {
    const fs::path folder = freshFolder("save-kinds");
    const int32_t w = 21, h = 13;

    struct Case {
        const char* name;
        std::optional<Surface8> alpha;
        int expected; // bitmap depth, PNG color type, or 0 for JPEG
    };
    std::vector<Case> cases;
    cases.push_back({"opaque.bmp", std::nullopt, 24});
    cases.push_back({"mixed.bmp", alphaWith(w, h, 255, 128), 32});
    cases.push_back({"holes.bmp", alphaWith(w, h, 255, 0), 32});
    cases.push_back({"opaque.png", std::nullopt, 2});
    cases.push_back({"mixed.png", alphaWith(w, h, 255, 10), 6});
    cases.push_back({"opaque.jpg", std::nullopt, 0});
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        const bool transparent = c.alpha.has_value();
        std::unique_ptr<Document> document = makeDocument("Untitled-1", w, h, std::move(c.alpha));
        ASSERT_TRUE(document);
        const fs::path path = folder / c.name;
        ASSERT_TRUE(saveDocument(*document, path.string()));
        const std::vector<uint8_t> file = readWholeFile(path);
        if (path.extension() == ".bmp") {
            EXPECT_EQ(bitmapDepth(file), c.expected);
        } else if (path.extension() == ".png") {
            EXPECT_EQ(pngColorType(file), c.expected);
        }

        std::unique_ptr<Document> back = openDocument(path.string());
        ASSERT_TRUE(back);
        const RasterLayer* layer = onlyLayer(*back);
        ASSERT_TRUE(layer);
        EXPECT_EQ(layer->transparencyMask() != nullptr, transparent);
        if (path.extension() != ".jpg") { // what was written is the composite, exactly
            const CompositeCache* composite = document->composite();
            ASSERT_TRUE(composite);
            EXPECT_EQ(test::maxDifference(test::toRgba(layer->color(), layer->transparencyMask()),
                                          test::toRgba(composite->color(), &composite->alpha()), true),
                      0);
        }
    }
}

TEST(SaveDocument, JpegShowsTransparencyOverWhite) {
    const fs::path path = freshFolder("save-jpeg") / "see-through.jpg";
    Surface24 black;
    ASSERT_TRUE(black.create(16, 16, 24));
    black.fillAll(0);
    Surface8 alpha = alphaWith(16, 16, 0, 0);
    auto document = std::make_unique<Document>();
    ASSERT_TRUE(document->newFromSurface("x", std::move(black), std::move(alpha)));
    ASSERT_TRUE(saveDocument(*document, path.string()));
    OpenedImage image;
    ASSERT_TRUE(openImage(path.string(), image));
    for (int c = 0; c < 3; ++c)
        EXPECT_GE(image.color.row(8)[3 * 8 + c], 250);
}

TEST(SaveDocument, SuccessMakesThePathTheDocumentsFile) {
    const fs::path folder = freshFolder("save-identity");
    std::unique_ptr<Document> document = makeDocument("Untitled-1", 8, 8, std::nullopt);
    ASSERT_TRUE(document);
    document->setUntitled(true);
    ASSERT_TRUE(document->isModified());
    const fs::path path = folder / "named.png";
    ASSERT_TRUE(saveDocument(*document, path.string()));
    EXPECT_EQ(document->info().name, "named.png");
    EXPECT_EQ(document->info().folder, folder.string());
    EXPECT_FALSE(document->info().untitled);
    EXPECT_FALSE(document->isModified());
}

// A document that is modified, untitled and named "Untitled-1" stays exactly so.
void expectUnchangedIdentity(const Document& document) {
    EXPECT_EQ(document.info().name, "Untitled-1");
    EXPECT_TRUE(document.info().folder.empty());
    EXPECT_TRUE(document.info().untitled);
    EXPECT_TRUE(document.isModified());
}

std::unique_ptr<Document> untitledDocument(int32_t w, int32_t h, std::optional<Surface8> alpha) {
    std::unique_ptr<Document> document = makeDocument("Untitled-1", w, h, std::move(alpha));
    if (document)
        document->setUntitled(true);
    return document;
}

TEST(SaveDocument, KindsThatAreNotWrittenFailWithoutTouchingAnything) {
    const fs::path folder = freshFolder("save-unwritable-kinds");
    std::unique_ptr<Document> document = untitledDocument(8, 8, std::nullopt);
    ASSERT_TRUE(document);
    writeWholeFile(folder / "old.gif", {1, 2, 3});
    for (const char* name : {"old.gif", "new.ico", "new.ved", "noextension"}) {
        EXPECT_FALSE(saveDocument(*document, (folder / name).string())) << name;
        expectUnchangedIdentity(*document);
    }
    EXPECT_EQ(entriesOf(folder), std::set<std::string>{"old.gif"});
    EXPECT_EQ(readWholeFile(folder / "old.gif"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(SaveDocument, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
    const fs::path folder = freshFolder("save-failures");
    const std::vector<uint8_t> old = {'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e'};
    const int32_t w = 64, h = 64;

    // Memory runs out half-way through encoding, after the temporary file was created: the
    // 32-bit bitmap of a partly transparent picture, the copy a JPEG mixes with white.
    const struct {
        const char* name;
        int64_t limit;
    } cases[] = {{"old.bmp", int64_t(w) * h * 3 + 64}, {"old.jpg", int64_t(w) * h * 3 - 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeWholeFile(folder / c.name, old);
        std::unique_ptr<Document> document = untitledDocument(w, h, alphaWith(w, h, 255, 128));
        ASSERT_TRUE(document);
        ASSERT_TRUE(document->composite());
        const int64_t saved = maxSurfaceBytes();
        setMaxSurfaceBytes(c.limit);
        const bool ok = saveDocument(*document, (folder / c.name).string());
        setMaxSurfaceBytes(saved);
        EXPECT_FALSE(ok);
        expectUnchangedIdentity(*document);
        EXPECT_EQ(readWholeFile(folder / c.name), old);
    }
    EXPECT_EQ(entriesOf(folder), (std::set<std::string>{"old.bmp", "old.jpg"}));

    // A folder that does not exist, or is a file.
    std::unique_ptr<Document> document = untitledDocument(w, h, std::nullopt);
    ASSERT_TRUE(document);
    EXPECT_FALSE(saveDocument(*document, (folder / "missing/new.png").string()));
    EXPECT_FALSE(saveDocument(*document, (folder / "old.bmp/new.png").string()));
    expectUnchangedIdentity(*document);
    EXPECT_EQ(entriesOf(folder), (std::set<std::string>{"old.bmp", "old.jpg"}));
}

TEST(SaveDocument, AnUnwritableFolderKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    const fs::path folder = freshFolder("save-read-only");
    const std::vector<uint8_t> old = {'k', 'e', 'e', 'p'};
    writeWholeFile(folder / "old.jpg", old);
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    std::unique_ptr<Document> document = untitledDocument(8, 8, std::nullopt);
    ASSERT_TRUE(document);
    const bool ok = saveDocument(*document, (folder / "old.jpg").string());
    ::chmod(folder.c_str(), 0755);
    EXPECT_FALSE(ok);
    expectUnchangedIdentity(*document);
    EXPECT_EQ(readWholeFile(folder / "old.jpg"), old);
    EXPECT_EQ(entriesOf(folder), std::set<std::string>{"old.jpg"});
}

TEST(SaveDocument, ReplacesAnExistingFileCompletely) {
    const fs::path folder = freshFolder("save-replace");
    writeWholeFile(folder / "photo.bmp", std::vector<uint8_t>(100000, 0xEE)); // longer than the new file
    std::unique_ptr<Document> document = makeDocument("x", 10, 10, std::nullopt);
    ASSERT_TRUE(document);
    ASSERT_TRUE(saveDocument(*document, (folder / "photo.bmp").string()));
    EXPECT_EQ(fs::file_size(folder / "photo.bmp"), 54u + 10u * 32u);
    EXPECT_EQ(entriesOf(folder), std::set<std::string>{"photo.bmp"});
}

// ---- saving on a worker, and cancelling it ----

TEST(WriteDocumentFile, WritesTheBytesOfSaveDocumentFromAnotherThread) {
    const fs::path folder = freshFolder("save-worker");
    for (const char* extension : {".png", ".bmp", ".jpg", ".tif", ".ora"}) {
        SCOPED_TRACE(extension);
        std::unique_ptr<Document> here = makeDocument("x", 90, 70, alphaWith(90, 70, 255, 40));
        std::unique_ptr<Document> away = makeDocument("x", 90, 70, alphaWith(90, 70, 255, 40));
        ASSERT_TRUE(here && away && away->composite());
        const std::string herePath = (folder / (std::string("here") + extension)).string();
        const std::string awayPath = (folder / (std::string("away") + extension)).string();
        // PNG and OpenRaster files carry the time they were written (to the second), so the
        // worker's file is compared with a save made just before it and one made just after:
        // at most one of the two can fall on the other side of a second's boundary.
        ASSERT_TRUE(saveDocument(*here, herePath));
        const std::vector<uint8_t> before = readWholeFile(herePath);
        bool written = false;
        std::thread worker([&] { written = writeDocumentFile(*away, awayPath); });
        worker.join();
        ASSERT_TRUE(written);
        ASSERT_TRUE(saveDocument(*here, herePath));
        const std::vector<uint8_t> after = readWholeFile(herePath);
        EXPECT_EQ(away->info().name, "x") << "the document changes only in takeSavedFile";
        takeSavedFile(*away, awayPath);
        EXPECT_FALSE(away->isModified());
        EXPECT_EQ(away->info().name, std::string("away") + extension);
        const std::vector<uint8_t> awayBytes = readWholeFile(awayPath);
        EXPECT_TRUE(awayBytes == before || awayBytes == after);
    }
}

TEST(WriteDocumentFile, CancellingKeepsTheOldFileAndLeavesNoTemporary) {
    const fs::path folder = freshFolder("save-cancel");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    std::unique_ptr<Document> document = makeDocument("x", 1200, 900, std::nullopt);
    ASSERT_TRUE(document && document->composite());
    for (const char* name : {"old.png", "old.bmp", "old.jpg", "old.tif", "old.ora"}) {
        SCOPED_TRACE(name);
        writeWholeFile(folder / name, old);
        // Cancelled before it starts, and at moments while it encodes and writes.
        for (int delayMs : {-1, 0, 2, 10, 40}) {
            std::atomic<bool> cancelled{delayMs < 0};
            bool written = false;
            std::thread canceller([&cancelled, delayMs] {
                if (delayMs >= 0) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
                    cancelled = true;
                }
            });
            {
                const PixelWorkCancellation cancellable(&cancelled);
                written = writeDocumentFile(*document, (folder / name).string());
            }
            canceller.join();
            if (written) { // finished before the cancel came: the new file is whole
                EXPECT_GT(fs::file_size(folder / name), old.size()) << delayMs;
                writeWholeFile(folder / name, old);
            } else {
                EXPECT_EQ(readWholeFile(folder / name), old) << delayMs;
            }
            EXPECT_EQ(document->info().name, "x");
        }
    }
    EXPECT_EQ(entriesOf(folder), (std::set<std::string>{"old.bmp", "old.jpg", "old.ora", "old.png", "old.tif"}));
}

// ---- what a flat file would lose ----

TEST(NeedsLayeredFile, LayersHiddenOrBlendedLayersAndChannelsNeedIt) {
    auto document = std::make_unique<Document>();
    DocumentInfo info;
    info.width = 8;
    info.height = 6;
    info.name = "a";
    ASSERT_TRUE(document->newFromInfo(info));
    EXPECT_FALSE(needsLayeredFile(*document)) << "one visible Normal background";

    Layer* background = document->layers().layerAt(0);
    document->layers().setOpacity(background, 100);
    EXPECT_FALSE(needsLayeredFile(*document)) << "opacity alone is in the composite";
    document->layers().setVisible(background, false);
    EXPECT_TRUE(needsLayeredFile(*document));
    document->layers().setVisible(background, true);
    document->layers().setBlendMode(background, 1);
    EXPECT_TRUE(needsLayeredFile(*document));
    document->layers().setBlendMode(background, 0);

    Surface8 mask;
    ASSERT_TRUE(mask.create(8, 6, 8));
    ASSERT_TRUE(document->channels().insert(std::make_unique<AlphaChannel>("Alpha 1", std::move(mask))));
    EXPECT_TRUE(needsLayeredFile(*document));
    document->channels().removeAt(0);
    EXPECT_FALSE(needsLayeredFile(*document));

    auto second = RasterLayer::create(&document->layers(), Size{8, 6}, std::nullopt);
    ASSERT_TRUE(document->layers().add(std::move(second)));
    EXPECT_TRUE(needsLayeredFile(*document));
    // A deleted layer's placeholder, kept for undo, is not a layer of the picture.
    ASSERT_TRUE(document->layers().replaceWithPlaceholder(1, false));
    EXPECT_FALSE(needsLayeredFile(*document));
}

} // namespace
} // namespace pict
