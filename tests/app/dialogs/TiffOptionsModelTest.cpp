#include "app/dialogs/TiffOptionsModel.h"

#include <gtest/gtest.h>

namespace pict {
namespace {

constexpr TiffCompression kCompressions[] = {TiffCompression::None, TiffCompression::Lzw, TiffCompression::Deflate,
                                             TiffCompression::PackBits, TiffCompression::Jpeg};
constexpr TiffDepth kDepths[] = {TiffDepth::Bits8, TiffDepth::Bits16};
constexpr TiffColor kColors[] = {TiffColor::Rgb, TiffColor::Gray, TiffColor::Palette, TiffColor::Bilevel};

TEST(TiffOptionsModel, StartsFromTheRememberedChoicesOrTheDefaultsWhenThoseCannotBeWritten) {
    const TiffSaveSettings remembered{TiffCompression::Deflate, TiffDepth::Bits16, TiffColor::Gray};
    EXPECT_EQ(TiffOptionsModel(remembered, false).settings(), remembered);
    EXPECT_EQ(TiffOptionsModel({TiffCompression::Jpeg, TiffDepth::Bits16, TiffColor::Rgb}, false).settings(),
              TiffSaveSettings{});
}

TEST(TiffOptionsModel, EveryChangeLeavesChoicesThatCanBeWritten) {
    // From every starting point, every change by the user ends in a combination the writer takes.
    for (TiffColor color : kColors)
        for (TiffDepth depth : kDepths)
            for (TiffCompression compression : kCompressions) {
                const TiffSaveSettings start{compression, depth, color};
                if (!tiffSettingsRefusal(start).empty())
                    continue;
                for (TiffColor c : kColors) {
                    TiffOptionsModel model(start, false);
                    model.setColor(c);
                    EXPECT_EQ(model.settings().color, c) << "every color can be chosen";
                    EXPECT_EQ(tiffSettingsRefusal(model.settings()), "");
                }
                for (TiffCompression c : kCompressions) {
                    TiffOptionsModel model(start, false);
                    const bool offered = model.compressionOffered(c);
                    model.setCompression(c);
                    EXPECT_EQ(model.settings().compression, offered ? c : compression);
                    EXPECT_EQ(model.settings().color, color) << "the color is never changed for the compression";
                    EXPECT_EQ(tiffSettingsRefusal(model.settings()), "");
                }
                for (TiffDepth d : kDepths) {
                    TiffOptionsModel model(start, false);
                    const bool offered = model.depthOffered(d);
                    model.setDepth(d);
                    EXPECT_EQ(model.settings().depth, offered ? d : depth);
                    EXPECT_EQ(model.settings().compression, compression);
                    EXPECT_EQ(model.settings().color, color);
                }
            }
}

TEST(TiffOptionsModel, WhatIsOfferedAndHowChoicesAreCorrected) {
    TiffOptionsModel model({TiffCompression::Deflate, TiffDepth::Bits16, TiffColor::Rgb}, false);
    // 16-bit RGB: JPEG is offered (at 8 bits) and choosing it brings the depth down.
    EXPECT_TRUE(model.compressionOffered(TiffCompression::Jpeg));
    model.setCompression(TiffCompression::Jpeg);
    EXPECT_EQ(model.settings(), (TiffSaveSettings{TiffCompression::Jpeg, TiffDepth::Bits8, TiffColor::Rgb}));
    EXPECT_FALSE(model.depthOffered(TiffDepth::Bits16));
    EXPECT_EQ(model.depthRefusal(TiffDepth::Bits16), "JPEG compression holds 8-bit samples only, not 16-bit");
    // A palette with JPEG: the compression goes back to LZW.
    model.setColor(TiffColor::Palette);
    EXPECT_EQ(model.settings(), (TiffSaveSettings{TiffCompression::Lzw, TiffDepth::Bits8, TiffColor::Palette}));
    EXPECT_FALSE(model.compressionOffered(TiffCompression::Jpeg));
    EXPECT_EQ(model.compressionRefusal(TiffCompression::Jpeg),
              "JPEG compression is for RGB and grayscale files, not a palette file");
    EXPECT_EQ(model.depthRefusal(TiffDepth::Bits16), "a palette file holds 8-bit indices, not 16-bit samples");
    // Black and white from 16-bit gray with PackBits: the compression stays, the depth drops.
    TiffOptionsModel gray({TiffCompression::PackBits, TiffDepth::Bits16, TiffColor::Gray}, false);
    gray.setColor(TiffColor::Bilevel);
    EXPECT_EQ(gray.settings(), (TiffSaveSettings{TiffCompression::PackBits, TiffDepth::Bits8, TiffColor::Bilevel}));
}

TEST(TiffOptionsModel, SaysWhenTransparencyWillBeWrittenOverWhite) {
    TiffOptionsModel clear({}, true);
    EXPECT_FALSE(clear.flattensTransparency());
    for (TiffColor color : {TiffColor::Palette, TiffColor::Bilevel}) {
        clear.setColor(color);
        EXPECT_TRUE(clear.flattensTransparency());
    }
    clear.setColor(TiffColor::Gray);
    EXPECT_FALSE(clear.flattensTransparency());
    clear.setCompression(TiffCompression::Jpeg);
    EXPECT_TRUE(clear.flattensTransparency());
    TiffOptionsModel opaque({TiffCompression::Jpeg, TiffDepth::Bits8, TiffColor::Rgb}, false);
    EXPECT_FALSE(opaque.flattensTransparency()) << "nothing is see-through";
}

} // namespace
} // namespace pict
