// The batch steps of the painting tools. A stroke is a list of points "X,Y" separated by
// ';'; the options follow the last point after commas: "10,10;200,40,25,50" is a line from
// (10, 10) to (200, 40) of size 25 and hardness 50.
#include "app/commands/StepArguments.h"
#include "app/commands/steps/StepParsers.h"

#include <array>

namespace pict {

namespace {

bool readTolerance(std::string_view text, int32_t& tolerance, std::string& error) {
    return readInteger(text, 0, 255, "the tolerance", tolerance, error);
}

constexpr std::array<std::string_view, 2> kReach = {"contiguous", "global"};
constexpr std::array<std::string_view, 2> kShapes = {"linear", "radial"};
constexpr std::array<std::string_view, 1> kTransparent = {"transparent"};
constexpr std::array<std::string_view, 1> kMerged = {"merged"};

bool readSize(std::string_view text, BrushParams& brush, std::string& error) {
    return readInteger(text, BrushParams::kMinSize, BrushParams::kMaxSize, "the size", brush.size, error);
}

} // namespace

bool parsePencilStroke(std::string_view text, StepInput& input, std::string& error) {
    StrokeParams stroke;
    std::vector<std::string_view> options;
    stroke.brush.tool = PaintTool::Pencil;
    stroke.brush.size = 1;
    if (!readPointList(text, 1, "X1,Y1;X2,Y2;...[,SIZE]", stroke.points, options, error) ||
        (!options.empty() && !readSize(options[0], stroke.brush, error)))
        return false;
    input.params = std::move(stroke);
    return true;
}

bool parseBrushStroke(std::string_view text, StepInput& input, std::string& error) {
    StrokeParams stroke;
    std::vector<std::string_view> options;
    BrushParams& brush = stroke.brush;
    if (!readPointList(text, 4, "X1,Y1;X2,Y2;...[,SIZE[,HARDNESS[,OPACITY[,MODE]]]]", stroke.points, options, error) ||
        (options.size() > 0 && !readSize(options[0], brush, error)) ||
        (options.size() > 1 && !readInteger(options[1], BrushParams::kMinHardness, BrushParams::kMaxHardness,
                                            "the hardness", brush.hardness, error)) ||
        (options.size() > 2 && !readInteger(options[2], BrushParams::kMinOpacity, BrushParams::kMaxOpacity,
                                            "the opacity", brush.opacity, error)) ||
        (options.size() > 3 && !readBlendMode(options[3], brush.mode, error)))
        return false;
    input.params = std::move(stroke);
    return true;
}

bool parseEraserStroke(std::string_view text, StepInput& input, std::string& error) {
    StrokeParams stroke;
    std::vector<std::string_view> options;
    stroke.brush.tool = PaintTool::Eraser;
    if (!readPointList(text, 1, "X1,Y1;X2,Y2;...[,SIZE]", stroke.points, options, error) ||
        (!options.empty() && !readSize(options[0], stroke.brush, error)))
        return false;
    input.params = std::move(stroke);
    return true;
}

bool parseBucket(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    BucketParams bucket;
    int32_t reach = 0;
    if (!checkFieldCount(f, 2, 4, "X,Y[,TOLERANCE[,contiguous|global]]", error) ||
        !readPoint(f[0], f[1], bucket.point, error) || (f.size() > 2 && !readTolerance(f[2], bucket.tolerance, error)) ||
        (f.size() > 3 && !readKeyword(f[3], kReach, "the reach", reach, error)))
        return false;
    bucket.contiguous = reach == 0;
    input.params = bucket;
    return true;
}

bool parseGradient(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    GradientParams gradient;
    int32_t shape = 0, unused = 0;
    if (!checkFieldCount(f, 4, 6, "X1,Y1,X2,Y2[,linear|radial[,transparent]]", error) ||
        !readPoint(f[0], f[1], gradient.start, error) || !readPoint(f[2], f[3], gradient.end, error) ||
        (f.size() > 4 && !readKeyword(f[4], kShapes, "the shape", shape, error)) ||
        (f.size() > 5 && !readKeyword(f[5], kTransparent, "the last field", unused, error)))
        return false;
    if (gradient.start == gradient.end) {
        error = "the gradient needs two different points";
        return false;
    }
    gradient.radial = shape == 1;
    gradient.toTransparent = f.size() > 5;
    input.params = gradient;
    return true;
}

bool parsePickColor(std::string_view text, StepInput& input, std::string& error) {
    const auto f = splitFields(text, ',');
    PickColorParams pick;
    int32_t unused = 0;
    if (!checkFieldCount(f, 2, 3, "X,Y[,merged]", error) || !readPoint(f[0], f[1], pick.point, error) ||
        (f.size() > 2 && !readKeyword(f[2], kMerged, "the last field", unused, error)))
        return false;
    pick.sampleMerged = f.size() > 2;
    input.params = pick;
    return true;
}

} // namespace pict
