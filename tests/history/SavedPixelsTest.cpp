// Undo pixels held raw, compressed and swapped give back the same bytes; the history keeps
// within its memory budget by compressing, then swapping, its oldest states.
#include "history/SavedPixels.h"
#include "history/HistoryManager.h"
#include "support/SurfaceCompare.h"
#include "support/TestData.h"
#include "surface/RewrittenRows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

namespace pict {
namespace {

Surface24 noisy(int32_t width, int32_t height, uint32_t seed, bool smooth = false) {
    Surface24 s;
    EXPECT_TRUE(s.create(width, height, 24));
    std::mt19937 random(seed);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width * 3; ++x)
            s.row(y)[x] = smooth ? uint8_t((x / 3 + y) / 4) : uint8_t(random());
    return s;
}

using test::samePixels;

TEST(SavedPixels, EveryPlaceRestoresTheSameBytesIntoTheSameRectangle) {
    const Surface24 original = noisy(53, 41, 1);
    const std::filesystem::path folder = test::scratchDir();
    for (const auto place :
         {SavedPixels::Place::Raw, SavedPixels::Place::Compressed, SavedPixels::Place::Swapped}) {
        SCOPED_TRACE(int(place));
        SavedPixels saved;
        ASSERT_TRUE(saved.save(original, Rect{7, 3, 40, 30}));
        EXPECT_EQ(saved.rawBytes(), 33 * 27 * 3);
        if (place == SavedPixels::Place::Compressed) {
            ASSERT_TRUE(saved.compress());
        }
        if (place == SavedPixels::Place::Swapped) {
            ASSERT_TRUE(saved.swapOut(folder));
            EXPECT_EQ(saved.memoryBytes(), 0);
        }
        EXPECT_EQ(saved.place(), place);

        Surface24 changed = noisy(53, 41, 2);
        Surface24 expected = changed.clone();
        for (int32_t y = 3; y < 30; ++y)
            std::memcpy(expected.row(y) + 7 * 3, original.row(y) + 7 * 3, 33 * 3);
        ASSERT_TRUE(saved.restore(changed));
        EXPECT_TRUE(samePixels(changed, expected)) << "only the rectangle is written, with the saved bytes";
        ASSERT_TRUE(saved.restore(changed)) << "restoring twice (a redo, then another undo) works";
    }
}

TEST(SavedPixels, AKeptSurfaceRestoresWhatASavedCopyRestoresFromEveryPlace) {
    const Surface24 original = noisy(53, 41, 1); // rows of 159 bytes padded to 160
    const std::filesystem::path folder = test::scratchDir();
    for (const auto place :
         {SavedPixels::Place::Shared, SavedPixels::Place::Compressed, SavedPixels::Place::Swapped}) {
        SCOPED_TRACE(int(place));
        Surface24 layer = original.clone();
        SavedPixels kept;
        ASSERT_TRUE(kept.keep(layer));
        EXPECT_TRUE(layer.sharesPixels()) << "nothing was copied";
        EXPECT_EQ(kept.rect(), layer.bounds());
        EXPECT_EQ(kept.rawBytes(), 53 * 41 * 3);
        EXPECT_EQ(kept.memoryBytes(), layer.imageSize());
        // The layer changes as a whole-layer filter changes it: into new memory.
        rewriteRows(layer, 0, layer.height(), layer.width(), [](uint8_t* row, int32_t y) {
            for (int32_t x = 0; x < 53 * 3; ++x)
                row[x] = uint8_t(row[x] + x + y);
        });
        EXPECT_FALSE(layer.sharesPixels());
        const Surface24 changed = layer.clone();
        if (place == SavedPixels::Place::Compressed) {
            ASSERT_TRUE(kept.compress());
        }
        if (place == SavedPixels::Place::Swapped) {
            ASSERT_TRUE(kept.swapOut(folder));
            EXPECT_EQ(kept.memoryBytes(), 0);
        }
        EXPECT_EQ(kept.place(), place);
        ASSERT_TRUE(kept.restore(layer));
        EXPECT_TRUE(samePixels(layer, original));
        ASSERT_TRUE(kept.restore(layer)) << "restoring twice works";

        // What a copy of the whole surface restores, byte for byte, also into a layer that
        // still shares the kept pixels (its first write takes a copy).
        SavedPixels copied;
        ASSERT_TRUE(copied.save(original, original.bounds()));
        Surface24 viaCopy = changed.clone();
        ASSERT_TRUE(copied.restore(viaCopy));
        EXPECT_TRUE(samePixels(viaCopy, layer));
    }
    SavedPixels held;
    Surface24 stillShared = original.clone();
    ASSERT_TRUE(held.keep(stillShared));
    ASSERT_TRUE(held.restore(stillShared));
    EXPECT_TRUE(samePixels(stillShared, original));
    EXPECT_FALSE(held.keep(Surface24())) << "no pixels to keep";
    EXPECT_EQ(held.place(), SavedPixels::Place::Shared) << "a refused keep leaves what was held";
}

TEST(SavedPixels, ClippedToTheSurfaceAndRefusedWhereItCannotGoBack) {
    const Surface24 original = noisy(20, 10, 3);
    SavedPixels saved;
    EXPECT_FALSE(saved.save(original, Rect{30, 0, 40, 5})) << "a rectangle beside the surface";
    EXPECT_TRUE(saved.isEmpty());
    ASSERT_TRUE(saved.save(original, Rect{-5, -5, 8, 4}));
    EXPECT_EQ(saved.rect(), (Rect{0, 0, 8, 4}));
    Surface24 small = noisy(6, 10, 4);
    EXPECT_FALSE(saved.restore(small)) << "the rectangle no longer fits";
    Surface8 gray;
    ASSERT_TRUE(gray.create(20, 10, 8));
    EXPECT_FALSE(saved.restore(gray)) << "another depth";
}

TEST(SavedPixels, SwapFilesGoWithTheirPixelsAndStaleOnesAreRemoved) {
    const std::filesystem::path folder = test::scratchDir() / "swap";
    std::filesystem::create_directories(folder);
    auto countFiles = [&] {
        return std::distance(std::filesystem::directory_iterator(folder),
                             std::filesystem::directory_iterator());
    };
    {
        SavedPixels saved;
        ASSERT_TRUE(saved.save(noisy(30, 30, 5), Rect{0, 0, 30, 30}));
        ASSERT_TRUE(saved.swapOut(folder));
        EXPECT_EQ(countFiles(), 1);
        SavedPixels moved = std::move(saved);
        EXPECT_EQ(countFiles(), 1) << "a move keeps the one file";
    }
    EXPECT_EQ(countFiles(), 0) << "destroying the pixels removes their file";

    // A file of a process that no longer runs (pid 0x7ffffff0 is beyond any real one), one of
    // this process and someone else's file.
    std::ofstream(folder / "history-2147483632-1.zst") << "x";
    SavedPixels mine;
    ASSERT_TRUE(mine.save(noisy(4, 4, 6), Rect{0, 0, 4, 4}));
    ASSERT_TRUE(mine.swapOut(folder));
    std::ofstream(folder / "notes.txt") << "x";
    EXPECT_EQ(removeStaleSwapFiles(folder), 1);
    EXPECT_EQ(countFiles(), 2);
}

TEST(SavedPixels, TheSwapFolderFollowsXdgCacheHome) {
    const std::filesystem::path cache = test::scratchDir() / "cache";
    const char* before = std::getenv("XDG_CACHE_HOME");
    const std::string saved = before ? before : "";
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    EXPECT_EQ(historySwapFolder(), cache / "pictorane");
    EXPECT_TRUE(std::filesystem::is_directory(cache / "pictorane"));
    if (before)
        ::setenv("XDG_CACHE_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CACHE_HOME");
}

// A state that keeps one rectangle of a shared surface and writes it back on undo.
class PaintState final : public HistoryState {
public:
    PaintState(Surface24& target, Rect rect, uint8_t value) : target_(target), rect_(rect), value_(value) {}
    std::string name() const override { return "Paint"; }
    bool apply() override {
        if (saved_.isEmpty() && !saved_.save(target_, rect_))
            return false;
        for (int32_t y = rect_.top; y < rect_.bottom; ++y)
            std::memset(target_.row(y) + rect_.left * 3, value_, size_t(rect_.width()) * 3);
        return true;
    }
    bool undo() override { return saved_.restore(target_); }
    std::vector<SavedPixels*> savedPixels() override { return {&saved_}; }
    const SavedPixels& saved() const { return saved_; }

private:
    Surface24& target_;
    Rect rect_;
    uint8_t value_;
    SavedPixels saved_;
};

TEST(HistoryMemory, OlderStatesAreCompressedThenSwappedAndUndoGivesTheSameBytes) {
    Surface24 picture = noisy(200, 150, 9);
    const Surface24 original = picture.clone();
    HistoryManager history(20);
    history.setMemoryBudget(60'000); // each state saves 90 000 raw bytes of noise
    std::vector<const PaintState*> states;
    std::vector<Surface24> after;
    for (int i = 0; i < 6; ++i) {
        auto state = std::make_unique<PaintState>(picture, Rect{0, 0, 200, 150}, uint8_t(40 * i));
        states.push_back(state.get());
        ASSERT_TRUE(history.add(std::move(state), false));
        after.push_back(picture.clone());
        EXPECT_LE(history.memoryBytes(), 60'000);
    }
    EXPECT_EQ(states.front()->saved().place(), SavedPixels::Place::Swapped) << "noise does not compress";
    for (int i = 5; i >= 0; --i) {
        ASSERT_TRUE(history.undo());
        EXPECT_TRUE(samePixels(picture, i > 0 ? after[size_t(i - 1)] : original)) << "undo " << i;
    }
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(history.redo());
        EXPECT_TRUE(samePixels(picture, after[size_t(i)])) << "redo " << i;
    }
}

TEST(HistoryMemory, CompressibleStatesStayInMemoryAndNoBudgetKeepsThemRaw) {
    Surface24 picture = noisy(200, 150, 9, /*smooth=*/true);
    HistoryManager history(20);
    history.setMemoryBudget(100'000);
    std::vector<const PaintState*> states;
    for (int i = 0; i < 4; ++i) {
        auto state = std::make_unique<PaintState>(picture, Rect{0, 0, 200, 150}, uint8_t(i));
        states.push_back(state.get());
        ASSERT_TRUE(history.add(std::move(state), false));
    }
    EXPECT_EQ(states[0]->saved().place(), SavedPixels::Place::Compressed);
    EXPECT_EQ(states[3]->saved().place(), SavedPixels::Place::Raw) << "the newest stays as it was saved";

    HistoryManager unlimited(20);
    unlimited.setMemoryBudget(0);
    auto state = std::make_unique<PaintState>(picture, Rect{0, 0, 200, 150}, 1);
    const PaintState* kept = state.get();
    ASSERT_TRUE(unlimited.add(std::move(state), false));
    EXPECT_EQ(kept->saved().place(), SavedPixels::Place::Raw);
    EXPECT_EQ(unlimited.memoryBytes(), 200 * 150 * 3);
}

} // namespace
} // namespace pict
