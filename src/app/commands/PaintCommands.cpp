// The painting tools' results as commands: a brush, pencil or eraser stroke through given
// points, the paint bucket, the gradient and the color picker. Painting on an empty layer
// makes it a transparent raster layer within the same step. The editor's brush tools paint
// live and record the same state; the other tools run these commands with what was clicked.
#include "app/commands/CommandDomains.h"
#include "app/commands/CommandIds.h"
#include "app/commands/CommandPreconditions.h"
#include "app/commands/steps/StepParsers.h"
#include "app/session/DocumentSession.h"
#include "canvas/painting/LayerEdit.h"
#include "canvas/painting/LayerStroke.h"
#include "document/Document.h"
#include "history/layers/EmptyLayerPromotion.h"
#include "imageops/ColorFill.h"
#include "selection/SelectionMask.h"
#include "selection/SimilarRegion.h"

#include <algorithm>
#include <optional>

namespace pict {

namespace {

// A canvas pixel as a stroke point: its centre.
StrokePoint centerOf(Point p) { return {p.x + 0.5, p.y + 0.5, 1.0}; }

template <PaintTool kTool> CommandResult paintStroke(DocumentSession& session, const CommandParams& params) {
    const StrokeParams* stroke = std::get_if<StrokeParams>(&params);
    if (!stroke || stroke->points.empty())
        return {CommandOutcome::Failed};
    BrushParams brush = stroke->brush;
    brush.tool = kTool;
    brush.color = session.app().foregroundColor.rgb();
    brush.backgroundColor = session.app().backgroundColor.rgb();
    std::string whyNot;
    auto painting = LayerStroke::start(session, brush, &whyNot);
    if (!painting)
        return {CommandOutcome::Refused, whyNot};
    painting->begin(centerOf(stroke->points.front()));
    for (size_t i = 1; i < stroke->points.size(); ++i)
        painting->lineTo(centerOf(stroke->points[i]));
    return recordPainting(session, painting->finish());
}

const CommandResult kFailed{CommandOutcome::Failed};

std::string outsideCanvas(Point p) {
    return "the point " + std::to_string(p.x) + "," + std::to_string(p.y) + " lies outside the canvas";
}

// Keeps only what the selection covers (at its coverage) of a mask placed at origin on the
// canvas.
void confineToSelection(Surface8& mask, Point origin, const SelectionArea& selection) {
    for (int32_t y = 0; y < mask.height(); ++y) {
        uint8_t* row = mask.row(y);
        const int32_t canvasY = origin.y + y;
        for (int32_t x = 0; x < mask.width(); ++x) {
            const int32_t canvasX = origin.x + x;
            row[x] = selection.bounds.contains(canvasX, canvasY)
                         ? std::min(row[x], selection.coverage->row(canvasY - selection.bounds.top)
                                                [canvasX - selection.bounds.left])
                         : uint8_t(0);
        }
    }
}

CommandResult paintBucket(DocumentSession& session, const CommandParams& params) {
    const BucketParams* bucket = std::get_if<BucketParams>(&params);
    if (!bucket)
        return kFailed;
    Document& document = session.document();
    if (!document.canvasRect().contains(bucket->point.x, bucket->point.y))
        return {CommandOutcome::Refused, outsideCanvas(bucket->point)};
    // An empty layer is filled as the transparent layer it stands for (one region, all of it).
    PaintingPromotion promotion(session);
    const int32_t tolerance =
        std::clamp(bucket->tolerance < 0 ? session.app().similarityTolerance : bucket->tolerance, 0, 255);
    SelectionMask region;
    if (!similarRegionOfDocument(document, bucket->point, tolerance, bucket->contiguous, bucket->sampleMerged,
                                 region) ||
        region.isEmpty())
        return kFailed;
    // The region's coverage, cut down to the selection when there is one.
    Rect area = region.bounds();
    const Surface8* coverage = region.coverage();
    Surface8 confined;
    const SelectionArea selection = session.selectionArea();
    if (!selection.isEmpty()) {
        area = area.intersected(selection.bounds);
        if (area.isEmpty())
            return {CommandOutcome::Unchanged, "nothing to fill there: the region lies outside the selection"};
        confined = coverage->clone();
        if (confined.isEmpty())
            return kFailed;
        confineToSelection(confined, region.bounds().topLeft(), selection);
        coverage = &confined;
    }
    FillParams fill;
    fill.color = session.app().foregroundColor.pixelWord();
    fill.mode = bucket->mode;
    fill.opacity = bucket->opacity;
    std::string whyNot;
    auto state = paintLayerArea(
        session, "Paint Bucket", area,
        [&](const StrokeTarget& target, const Rect&) {
            ColorFill painter(fill);
            const Point origin{region.bounds().left - target.position.x, region.bounds().top - target.position.y};
            return painter.fill(*target.color, target.transparency, coverage, origin);
        },
        &whyNot);
    if (!state && !whyNot.empty())
        return {CommandOutcome::Refused, whyNot};
    return recordPainting(session, promotion.wrap(std::move(state)));
}

CommandResult gradient(DocumentSession& session, const CommandParams& params) {
    const GradientParams* given = std::get_if<GradientParams>(&params);
    if (!given)
        return kFailed;
    if (given->start == given->end)
        return {CommandOutcome::Refused, "the gradient needs two different points"};
    GradientParams ramp = *given;
    ramp.foreground = session.app().foregroundColor.rgb();
    ramp.background = session.app().backgroundColor.rgb();
    const SelectionArea selection = session.selectionArea();
    const Rect area = selection.isEmpty() ? session.document().canvasRect() : selection.bounds;
    PaintingPromotion promotion(session);
    std::string whyNot;
    auto state = paintLayerArea(
        session, "Gradient", area,
        [&](const StrokeTarget& target, const Rect& layerArea) {
            return paintGradient(ramp, target, selection, layerArea);
        },
        &whyNot);
    if (!state && !whyNot.empty())
        return {CommandOutcome::Refused, whyNot};
    return recordPainting(session, promotion.wrap(std::move(state)));
}

// The mean colour (each channel rounded) of the pixels of the square around
// point that lie on the canvas and, from a layer, on the layer.
std::optional<Color> sampleColor(Document& document, Point point, int32_t sampleSize, bool merged) {
    const Surface24* pixels = nullptr;
    Point origin;
    if (merged) {
        const CompositeCache* composite = document.composite();
        pixels = composite ? &composite->color() : nullptr;
    } else if (const RasterLayer* layer = document.layers().rasterAt(document.layers().activeIndex())) {
        pixels = &layer->color();
        origin = layer->position();
    }
    if (!pixels || !pixels->isValid())
        return std::nullopt;
    const int32_t half = std::clamp(sampleSize, 1, 5) / 2;
    const Rect square = Rect{point.x - half, point.y - half, point.x + half + 1, point.y + half + 1}
                            .intersected(document.canvasRect())
                            .translated(-origin.x, -origin.y)
                            .intersected(pixels->bounds());
    if (square.isEmpty())
        return std::nullopt;
    uint32_t sum[3] = {0, 0, 0};
    for (int32_t y = square.top; y < square.bottom; ++y)
        for (int32_t x = square.left; x < square.right; ++x)
            for (int k = 0; k < 3; ++k)
                sum[k] += pixels->row(y)[3 * x + k];
    const uint32_t n = uint32_t(square.width() * square.height());
    uint8_t mean[3];
    for (int k = 0; k < 3; ++k)
        mean[k] = uint8_t((sum[k] + n / 2) / n);
    return Color::fromBgrBytes(mean);
}

CommandResult pickColor(DocumentSession& session, const CommandParams& params) {
    const PickColorParams* pick = std::get_if<PickColorParams>(&params);
    if (!pick)
        return kFailed;
    if (!session.document().canvasRect().contains(pick->point.x, pick->point.y))
        return {CommandOutcome::Refused, outsideCanvas(pick->point)};
    const std::optional<Color> color =
        sampleColor(session.document(), pick->point, pick->sampleSize, pick->sampleMerged);
    if (!color)
        return {CommandOutcome::Unchanged, "there is no pixel of the layer there to pick"};
    (pick->background ? session.app().backgroundColor : session.app().foregroundColor) = *color;
    return {CommandOutcome::Done};
}

constexpr std::string_view kPaintable = "a visible raster or empty active layer";

constexpr CommandStep kPencilSteps[] = {
    {"--pencil", "X1,Y1;X2,Y2;...[,SIZE]", StepArgument::Required, parsePencilStroke,
     "draw a hard pencil line through the points with the foreground color (SIZE 1..2000, default 1)", kPaintable,
     StepGroup::Paint},
};
constexpr CommandStep kBrushSteps[] = {
    {"--brush", "X1,Y1;X2,Y2;...[,SIZE[,HARDNESS[,OPACITY[,MODE]]]]", StepArgument::Required, parseBrushStroke,
     "paint a round brush stroke through the points with the foreground color (SIZE 1..2000, default 10; "
     "HARDNESS 0..100, OPACITY 1..100, default 100)",
     kPaintable, StepGroup::Paint},
};
constexpr CommandStep kEraserSteps[] = {
    {"--eraser", "X1,Y1;X2,Y2;...[,SIZE]", StepArgument::Required, parseEraserStroke,
     "erase along the points to transparency (a background layer takes the background color; SIZE 1..2000, "
     "default 10)",
     kPaintable, StepGroup::Paint},
};

constexpr CommandStep kBucketSteps[] = {
    {"--bucket", "X,Y[,TOLERANCE[,contiguous|global]]", StepArgument::Required, parseBucket,
     "fill the similar colors around the pixel (or all of them, global) with the foreground color; TOLERANCE "
     "0..255, default --tolerance's",
     kPaintable, StepGroup::Paint},
};
constexpr CommandStep kGradientSteps[] = {
    {"--gradient", "X1,Y1,X2,Y2[,linear|radial[,transparent]]", StepArgument::Required, parseGradient,
     "draw a gradient from the foreground color at the first pixel to the background color (or transparency) at "
     "the second",
     kPaintable, StepGroup::Paint},
};
constexpr CommandStep kPickColorSteps[] = {
    {"--pick-color", "X,Y[,merged]", StepArgument::Required, parsePickColor,
     "take the foreground color from the active layer's pixel (merged: from the composite)", "a raster layer there",
     StepGroup::Paint},
};

constexpr CommandSpec kPaintCommands[] = {
    {.id = kCmdBrushStroke, .route = CommandRoute::Document, .statusText = "Paint with a round brush\nBrush",
     .enabled = acceptsContent, .run = paintStroke<PaintTool::Brush>, .steps = kBrushSteps},
    {.id = kCmdPencilStroke, .route = CommandRoute::Document, .statusText = "Draw hard-edged lines\nPencil",
     .enabled = acceptsContent, .run = paintStroke<PaintTool::Pencil>, .steps = kPencilSteps},
    {.id = kCmdEraserStroke, .route = CommandRoute::Document, .statusText = "Erase to transparency\nEraser",
     .enabled = acceptsContent, .run = paintStroke<PaintTool::Eraser>, .steps = kEraserSteps},
    {.id = kCmdPaintBucket, .route = CommandRoute::Document,
     .statusText = "Fill similar colors with the foreground color\nPaint Bucket", .enabled = acceptsContent,
     .run = paintBucket, .steps = kBucketSteps},
    {.id = kCmdGradient, .route = CommandRoute::Document,
     .statusText = "Draw a gradient between two points\nGradient", .enabled = acceptsContent,
     .run = gradient, .steps = kGradientSteps},
    {.id = kCmdPickColor, .route = CommandRoute::Document,
     .statusText = "Take a color from the picture\nColor Picker", .run = pickColor, .steps = kPickColorSteps},
};

} // namespace

std::span<const CommandSpec> paintCommandSpecs() { return kPaintCommands; }

CommandResult recordPainting(DocumentSession& session, std::unique_ptr<HistoryState> state) {
    // Painting that changed nothing (every point off the layer or outside the selection).
    if (!state)
        return {CommandOutcome::Unchanged, "nothing was painted"};
    state->afterApply(true);
    return pushState(session, std::move(state), true);
}

} // namespace pict
