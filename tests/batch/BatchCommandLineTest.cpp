#include "batch/BatchCommandLine.h"
#include "batch/BatchSteps.h"
#include "batch/CliTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace pict::batch {
namespace {

using Args = std::vector<std::string>;

ParseStatus parse(const Args& arguments, CommandLine* line = nullptr, std::string* error = nullptr) {
    CommandLine local;
    std::string message;
    const ParseStatus status = parseCommandLine(arguments, line ? *line : local, error ? *error : message);
    return status;
}

Args afterSource(const Args& steps) {
    Args arguments = {"--new", "8,8"};
    arguments.insert(arguments.end(), steps.begin(), steps.end());
    return arguments;
}

// Every step with forms it must accept. Each step of the tables appears here at least once.
const std::vector<Args> kGoodForms = {
    {"--copy"}, {"--copy-merged"}, {"--cut"}, {"--paste"}, {"--paste", "-3,4"}, {"--paste-into"},
    {"--move-layer", "30,-12"}, {"--move-selection", "-1,0"},
    {"-o", "out.png"}, {"-o", "a", "-o", "b.bmp"}, {"--info"}, {"--undo"}, {"--redo"}, {"--history-limit", "1"},
    {"--history-limit", "100"}, {"--threads", "0"}, {"--threads", "64"}, {"--history-memory", "0"}, {"--history-memory", "65536"}, {"--invert"}, {"--desaturate"}, {"--auto-levels"}, {"--auto-contrast"}, {"--blur"},
    {"--blur-more"}, {"--sharpen"}, {"--sharpen-more"}, {"--last-filter"}, {"--gaussian-blur", "0.1"},
    {"--gaussian-blur", "250"}, {"--brightness-contrast", "-100,100"}, {"--levels", "rgb,0,1.0,255,0,255"},
    {"--levels", "red,10,0.1,200,5,250/blue,0,9.99,255,255,0/RGB,1,1,2,0,0"},
    {"--curves", "rgb:0,0;255,255"}, {"--curves", "green:0,10;64,80;128,128;255,200/rgb:0,0;100,120;255,255"},
    {"--color-balance", "0,0,0,100,0,0,0,0,-100"}, {"--color-balance", "1,2,3,4,5,6,7,8,9,nopreserve"},
    {"--hue-saturation", "master,180,0,0"}, {"--hue-saturation", "reds,-180,-100,100/blues,10,20,30"},
    {"--colorize", "360,100,-100"}, {"--colorize", "0,0,0"},
    {"--image-size", "10,20"}, {"--image-size", "10,20,300"}, {"--image-size", "10,20,118.11,ppcm"},
    {"--image-size", "10,20,72,ppi,0"}, {"--image-size", "10,20,72,ppi,lanczos"},
    {"--image-size", "10,20,72,ppi,Nearest-Neighbor"}, {"--thumbnail", "256"}, {"--thumbnail", "+1"},
    {"--canvas-size", "30000,1"}, {"--canvas-size", "5,5,0"},
    {"--canvas-size", "5,5,8,ff0000"}, {"--rotate", "180"}, {"--rotate", "90"}, {"--rotate", "-90"},
    {"--flip-horizontal"}, {"--flip-vertical"}, {"--crop"}, {"--trim"}, {"--select-all"}, {"--deselect"},
    {"--select-inverse"}, {"--select-rect", "0,0,4,4"}, {"--select-rect", "-2,-2,100,3"},
    {"--select-ellipse", "1,1,7,5"}, {"--feather", "0.1"}, {"--feather", "250"}, {"--expand", "1"},
    {"--expand", "100"}, {"--contract", "3"}, {"--border", "100"}, {"--grow"}, {"--similar"},
    {"--tolerance", "0"}, {"--tolerance", "255"}, {"--save-selection"}, {"--save-selection", "new"},
    {"--save-selection", "0"}, {"--save-selection", "new,Sky"}, {"--save-selection", "0,,add"},
    {"--save-selection", ",Mask,intersect"}, {"--load-selection", "0"}, {"--load-selection", "1,subtract"},
    {"--load-selection", "0,new,invert"}, {"--load-selection", "0,3"}, {"--save-selection", "0,,2"}, {"--foreground", "ff0000"}, {"--background", "#00ff00"},
    {"--fill", "ff0000"}, {"--fill", "00ff00,multiply"}, {"--fill", "0000ff,12,50"},
    {"--fill", "123456,normal,1,preserve"}, {"--fill-foreground"}, {"--fill-background"}, {"--clear"},
    {"--new-layer"}, {"--new-layer", "Sky"}, {"--new-layer", "Sky,multiply"}, {"--new-layer", ",screen,128"},
    {"--new-layer", "Sky,3,0"}, {"--duplicate-layer"}, {"--duplicate-layer", "Copy"}, {"--delete-layer"},
    {"--active-layer", "0"}, {"--rename-layer", "Sky, evening"}, {"--layer-mode", "luminosity"},
    {"--layer-mode", "0"}, {"--layer-opacity", "0"}, {"--layer-opacity", "255"}, {"--toggle-visibility"},
    {"--merge-layers", "0,1"}, {"--merge-layers", "2,0,1"}, {"--merge-down"}, {"--merge-visible"}, {"--flatten"},
    {"--place", "a.png"}, {"--place", "a.png,3,-4"}, {"--place", "a,b.png"},
    {"--select-rect", "0,0,4,4,add"}, {"--select-ellipse", "1,1,7,5,intersect"}, {"--select-rect", "0,0,4,4,replace"},
    {"--select-lasso", "0,0;4,0;4,4"}, {"--select-lasso", "0,0;4,0;4,4;-1,3,subtract"},
    {"--magic-wand", "1,1"}, {"--magic-wand", "1,1,30"}, {"--magic-wand", "1,1,0,add"},
    {"--pencil", "1,1"}, {"--pencil", "1,1;5,5;-3,7,2000"}, {"--brush", "0,0;7,7"},
    {"--brush", "0,0;7,7,25,0,1,color-dodge"}, {"--brush", "3,3,1,100"}, {"--eraser", "1,1;6,6"},
    {"--eraser", "1,1;6,6,40"}, {"--bucket", "2,2"}, {"--bucket", "2,2,255"}, {"--bucket", "2,2,10,global"},
    {"--gradient", "0,0,7,7"}, {"--gradient", "0,0,7,0,radial"}, {"--gradient", "0,0,7,0,linear,transparent"},
    {"--pick-color", "3,3"}, {"--pick-color", "3,3,merged"},
    {"--jpeg-quality", "1"}, {"--jpeg-quality", "100"}, {"--jpeg-subsampling", "420"}, {"--jpeg-subsampling", "444"},
    {"--progressive"}, {"--strip-metadata"}, {"--png-compression", "fast"}, {"--png-compression", "normal"},
    {"--png-compression", "BEST"}, {"--webp-quality", "0"}, {"--webp-quality", "100"}, {"--webp-lossless"},
    {"--tiff-compression", "none"}, {"--tiff-compression", "packbits"}, {"--tiff-compression", "jpeg"},
    {"--tiff-depth", "8"}, {"--tiff-depth", "16"}, {"--tiff-color", "gray"}, {"--tiff-color", "bilevel"},
};

// Forms that are usage errors.
const std::vector<Args> kBadForms = {
    {"--copy", "1"}, {"--paste", "1"}, {"--paste", "1,2,3"}, {"--paste", "1000001,0"}, {"--paste-into", "1,1"},
    {"--move-layer"}, {"--move-layer", "1"}, {"--move-selection", "1,2,3"}, {"--move-selection", "x,1"},
    {"-o"}, {"-o", "--info"}, {"--info", "x"}, {"--undo", "1"}, {"--history-limit", "0"},
    {"--history-limit", "101"}, {"--history-limit"}, {"--tiff-compression", "zip"}, {"--tiff-compression"},
    {"--tiff-depth", "12"}, {"--tiff-depth", "8-bit"}, {"--tiff-color", "grey"}, {"--tiff-color", "1"}, {"--threads", "-1"}, {"--threads", "65"}, {"--threads"}, {"--history-memory", "65537"}, {"--history-memory", "x"}, {"--invert", "1"}, {"--gaussian-blur"},
    {"--gaussian-blur", "0"}, {"--gaussian-blur", "250.5"}, {"--gaussian-blur", "x"},
    {"--brightness-contrast", "0"}, {"--brightness-contrast", "101,0"}, {"--brightness-contrast", "0,-101"},
    {"--brightness-contrast", "1,2,3"}, {"--levels", "rgb,0,1,255,0"}, {"--levels", "alpha,0,1,255,0,255"},
    {"--levels", "rgb,0,10,255,0,255"}, {"--levels", "rgb,0,0.05,255,0,255"}, {"--levels", "rgb,0,1,256,0,255"},
    {"--levels", "rgb,200,1,100,0,255"}, {"--levels", "rgb,0,1,255,0,255/rgb,0,1,255,0,255"},
    {"--curves", "rgb"}, {"--curves", "rgb:0,0"}, {"--curves", "rgb:10,0;255,255"}, {"--curves", "rgb:0,0;200,255"},
    {"--curves", "rgb:0,0;128,300;255,255"}, {"--curves", "rgb:0,0;128,1;128,2;255,255"},
    {"--curves", "rgb:0,0;1,1;2,2;3,3;4,4;5,5;6,6;7,7;8,8;9,9;255,255"}, {"--curves", "cyan:0,0;255,255"},
    {"--color-balance", "0,0,0,0,0,0,0,0"}, {"--color-balance", "0,0,0,0,0,0,0,0,101"},
    {"--color-balance", "0,0,0,0,0,0,0,0,0,preserve"}, {"--hue-saturation", "master,181,0,0"},
    {"--hue-saturation", "master,0,0"}, {"--hue-saturation", "purples,0,0,0"},
    {"--hue-saturation", "reds,0,0,0/reds,1,1,1"}, {"--colorize", "361,0,0"}, {"--colorize", "0,101,0"},
    {"--colorize", "0,-1,0"}, {"--colorize", "0,0"}, {"--image-size", "10"}, {"--image-size", "0,10"},
    {"--image-size", "10,30001"}, {"--image-size", "10,10,0.5"}, {"--image-size", "10,10,72,dpi"},
    {"--image-size", "10,10,72,ppi,6"}, {"--image-size", "10,10,72,ppi,cubic"},
    {"--image-size", "10,10,72,ppi,0,1"}, {"--thumbnail", "0"}, {"--thumbnail", "256,256"}, {"--thumbnail", "1.5"}, {"--canvas-size", "5"}, {"--canvas-size", "5,5,9"},
    {"--canvas-size", "5,5,4,red"}, {"--canvas-size", "-5,5"}, {"--rotate", "45"}, {"--rotate", "270"},
    {"--rotate"}, {"--crop", "1"}, {"--select-rect", "0,0,4"}, {"--select-rect", "4,0,4,4"},
    {"--select-rect", "0,5,4,4"}, {"--select-ellipse", "a,b,c,d"}, {"--feather", "0.05"}, {"--feather", "251"},
    {"--expand", "0"}, {"--expand", "101"}, {"--expand", "1.5"}, {"--contract"}, {"--border", "-1"},
    {"--tolerance", "256"}, {"--tolerance", "-1"}, {"--save-selection", "x"}, {"--save-selection", "0,a,merge"},
    {"--save-selection", "0,a,add,more"}, {"--load-selection"}, {"--load-selection", "-1"},
    {"--load-selection", "0,add,inverse"}, {"--load-selection", "0,join"}, {"--load-selection", "0,4"}, {"--foreground", "red"}, {"--fill"}, {"--fill", "f00"}, {"--fill", "ff0000,19"},
    {"--fill", "ff0000,normal,0"}, {"--fill", "ff0000,normal,101"}, {"--fill", "ff0000,normal,50,keep"},
    {"--fill", "ff0000,normal,50,preserve,x"},
    {"--background"}, {"--new-layer", "a,b"}, {"--new-layer", "a,normal,256"}, {"--new-layer", "a,normal,1,x"},
    {"--active-layer", "-1"}, {"--active-layer", "top"}, {"--rename-layer"}, {"--layer-mode", "19"},
    {"--layer-mode", "plain"}, {"--layer-opacity", "256"}, {"--layer-opacity", "50%"}, {"--merge-layers", "0"},
    {"--merge-layers", "0,x"}, {"--merge-layers"}, {"--place"}, {"--place", ",1,2"},
    {"--select-rect", "0,0,4,4,union"}, {"--select-lasso", "0,0;4,4"}, {"--select-lasso", "0,0;4,0;4,4,add,x"},
    {"--magic-wand", "1"}, {"--magic-wand", "1,1,256"}, {"--magic-wand", "1,1,3,new"}, {"--pencil"},
    {"--pencil", "1,1,0"}, {"--pencil", "1,1;2"}, {"--brush", "1,1,10,101"}, {"--brush", "1,1,10,50,50,dodge"},
    {"--eraser", "1,1,2001"}, {"--bucket", "2"}, {"--bucket", "2,2,10,everywhere"}, {"--gradient", "0,0,0,0"},
    {"--gradient", "0,0,1,1,conic"}, {"--gradient", "0,0,1,1,linear,opaque"}, {"--pick-color", "3,3,layer"},
    {"--jpeg-quality", "0"}, {"--jpeg-quality", "101"}, {"--jpeg-quality"}, {"--jpeg-subsampling", "422"},
    {"--jpeg-subsampling"}, {"--progressive", "1"}, {"--strip-metadata", "all"}, {"--png-compression", "9"},
    {"--png-compression"}, {"--webp-quality", "101"}, {"--webp-quality"}, {"--webp-lossless", "1"},
    {"--new", "4,4"}, {"--bogus"}, {"stray"},
};

TEST(BatchCommandLine, AcceptsEveryStepInItsDocumentedForms) {
    for (const Args& form : kGoodForms) {
        std::string error;
        EXPECT_EQ(parse(afterSource(form), nullptr, &error), ParseStatus::Ok) << form[0] << ": " << error;
    }
}

TEST(BatchCommandLine, EveryStepHasAnAcceptedForm) {
    std::set<std::string> tested;
    for (const Args& form : kGoodForms)
        tested.insert(form[0]);
    for (const StepSection& group : stepSections())
        for (const BatchStep& step : group.steps)
            EXPECT_TRUE(tested.count(std::string(step.name))) << step.name << " has no parsing case";
}

TEST(BatchCommandLine, RefusesBadFormsAsUsageErrors) {
    for (const Args& form : kBadForms) {
        std::string error;
        EXPECT_EQ(parse(afterSource(form), nullptr, &error), ParseStatus::UsageError) << form[0];
        EXPECT_FALSE(error.empty()) << form[0];
    }
}

TEST(BatchCommandLine, BadUsageExitsWithTwoAndRunsNothing) {
    const std::string out = test::scratchPath("never.png");
    const test::CliRun run = test::runCli({"--new", "4,4", "-o", out, "--gaussian-blur", "0"});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(test::contains(run.err, "--gaussian-blur 0: the radius must be within 0.1..250")) << run.err;
    EXPECT_TRUE(test::contains(run.err, "Usage: pictorane-cli [--max-memory MIB] SOURCE [STEP]..."));
    EXPECT_FALSE(std::filesystem::exists(out)) << "no step runs when the command line is bad";
}

TEST(BatchCommandLine, TheSourceComesFirst) {
    EXPECT_EQ(parse({}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"--invert"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"-o", "x.png"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"--new"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"--new", "0,5"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"--new", "5,5,black"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"--new", "5,5,white,x"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"a.png", "b.png"}), ParseStatus::UsageError);
    EXPECT_EQ(parse({"--new", "30000,30000,Transparent"}), ParseStatus::Ok);

    CommandLine line;
    ASSERT_EQ(parse({"photo.jpg", "--invert"}, &line), ParseStatus::Ok);
    EXPECT_EQ(line.source.step, &openFileStep());
    EXPECT_EQ(line.source.input.text, "photo.jpg");
    ASSERT_EQ(line.steps.size(), 1u);
    EXPECT_EQ(line.steps[0].step->name, "--invert");
}

TEST(BatchCommandLine, AnOptionalArgumentStopsAtTheNextStep) {
    CommandLine line;
    ASSERT_EQ(parse(afterSource({"--new-layer", "-o", "x.png", "--new-layer", "--new-layer", "Top"}), &line),
              ParseStatus::Ok);
    ASSERT_EQ(line.steps.size(), 4u);
    EXPECT_FALSE(line.steps[0].input.given);
    EXPECT_EQ(line.steps[1].step->name, "-o");
    EXPECT_FALSE(line.steps[2].input.given);
    EXPECT_EQ(std::get<LayerParams>(line.steps[2].input.params).name, "");
    EXPECT_EQ(std::get<LayerParams>(line.steps[3].input.params).name, "Top");
    // A negative number is an argument, not a step.
    EXPECT_EQ(parse(afterSource({"--rotate", "-90", "--save-selection", "-o", "y.png"})), ParseStatus::Ok);
}

TEST(BatchCommandLine, ParsedValuesReachTheCommandParameters) {
    CommandLine line;
    ASSERT_EQ(parse(afterSource({"--place", "dir,1/pic.png,-3,7", "--merge-layers", "2,0", "--rotate", "-90"}),
                    &line),
              ParseStatus::Ok);
    EXPECT_EQ(line.steps[0].input.text, "dir,1/pic.png");
    EXPECT_EQ(line.steps[0].input.point, (Point{-3, 7}));
    EXPECT_EQ(std::get<MergeLayersParams>(line.steps[1].input.params).layers, (std::vector<int32_t>{2, 0}));
    EXPECT_EQ(line.steps[2].input.command, 32879);

    CommandLine other;
    ASSERT_EQ(parse(afterSource({"--place", "a.png,x,7", "--select-rect", "1,2,3,4"}), &other), ParseStatus::Ok);
    EXPECT_EQ(other.steps[0].input.text, "a.png,x,7") << "a tail that is not X,Y belongs to the name";
    EXPECT_EQ(std::get<MarqueeParams>(other.steps[1].input.params).rect, (Rect{1, 2, 3, 4}));
}

TEST(BatchCommandLine, HelpWinsAnywhere) {
    EXPECT_EQ(parse({"--help"}), ParseStatus::Help);
    EXPECT_EQ(parse({"x.png", "--bogus", "--help"}), ParseStatus::Help);
    const test::CliRun run = test::runCli({"--help"});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.err.empty());
    for (const StepSection& group : stepSections())
        for (const BatchStep& step : group.steps)
            EXPECT_TRUE(test::contains(run.out, "  " + std::string(step.name))) << step.name;
}

} // namespace
} // namespace pict::batch
