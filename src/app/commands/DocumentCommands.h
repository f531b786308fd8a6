#pragma once
// The document command layer: one entry per document command id. Each entry tests its
// precondition, then builds the history state that performs the change (or asks the view
// for a change) from the parameters its dialog returned. The editor's menus, the Layers
// panel and the batch tool all come through here, so they refuse and record alike.

#include "app/dialogs/CanvasSizeSettings.h"
#include "app/dialogs/ImageSizeSettings.h"
#include "common/Geometry.h"
#include "document/MaskCombine.h"
#include "imageops/FillParams.h"
#include "imageops/painting/BrushParams.h"
#include "imageops/painting/GradientFill.h"
#include "selection/SelectionSources.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace pict {

class DocumentSession;
class HistoryState;
class ImageFilter;

enum class CommandOutcome {
    Done,       // a state was recorded, the history moved, or the direct change was made
    Unchanged,  // accepted, but the parameters change nothing, so nothing was recorded
    Refused,    // the precondition failed: nothing happened
    Failed,     // the state's Apply failed: nothing was recorded
    ViewChange, // the command only asks the view for something (Toggle Selection)
    NoEffect,   // an id that does nothing in a document (copy, paste and their kin)
    Unknown,    // not a document command id
    Cancelled,  // the user stopped the command while it ran: nothing changed, nothing was recorded
};

struct CommandResult {
    CommandOutcome outcome = CommandOutcome::Unknown;
    // For a refusal or failure the user should hear about: the sentence to show. Empty
    // where the outcome says enough (a disabled command, a cancelled dialog).
    std::string message = {};
    explicit operator bool() const {
        return outcome == CommandOutcome::Done || outcome == CommandOutcome::Unchanged ||
               outcome == CommandOutcome::ViewChange || outcome == CommandOutcome::NoEffect;
    }
};

// ---- parameter records, one per dialog answer ----
struct FeatherParams {
    double radius = 1.0; // 0.1..250
};
struct ModifyParams {   // Expand, Contract, Border
    int32_t pixels = 1; // 1..100
};
struct MarqueeParams {
    Rect rect;          // canvas coordinates
    int32_t mode = 0;   // 0 replace, 1 add, 2 subtract, 3 intersect
    bool ellipse = false;
};
struct SaveSelectionParams {
    int32_t channel = -1;  // an index, or the channel count (or -1) for a new channel
    std::string name;      // for a new channel; empty means the next "Alpha N"
    CombineMode operation = CombineMode::New; // New replaces an existing channel
};
struct LoadSelectionParams {
    int32_t channel = 0;
    CombineMode operation = CombineMode::New;
    bool invert = false;
};
struct LayerParams {    // the layer notifications and the New/Duplicate Layer dialogs
    int32_t layer = -1; // -1: the active layer
    std::string name;   // empty: the default (new) or proposed (duplicate) name
    int32_t mode = 0;   // BlendMode 0..18
    int32_t opacity = 255;
};
struct MergeLayersParams {
    // Stack indices in any order; empty: the session's panel selection. The command's
    // precondition reads the panel selection, so a caller naming its own list sets it as
    // the panel selection first (DocumentSession::setPanelSelection).
    std::vector<int32_t> layers;
};
// Paste: where the picture's top-left lands on the canvas; none: where it was copied from
// when that meets the canvas, else centred on what the view shows.
struct PasteParams {
    std::optional<Point> at;
};
// Move Layer and Move Selection by a canvas offset.
struct MoveParams {
    Point offset;
};
// An adjustment confirmed in its dialog: either a filter to apply now or the dialog's
// pending state that its preview already applied; neither when the dialog's values change
// nothing.
struct FilterParams {
    std::shared_ptr<ImageFilter> filter;
    std::shared_ptr<HistoryState> previewedState;

    bool isEmpty() const { return !previewedState && !filter; }
};

// A brush, pencil or eraser stroke through canvas pixels (the first point alone is a dab).
// The colors are the application's current ones when the command runs.
struct StrokeParams {
    BrushParams brush;
    std::vector<Point> points;
};

// The tolerance of the bucket and the magic wand when none is given: the application's
// pixel similarity tolerance, which Grow and Similar use.
inline constexpr int32_t kApplicationTolerance = -1;

struct BucketParams {
    Point point;                               // canvas pixel clicked
    int32_t tolerance = kApplicationTolerance; // 0..255
    bool contiguous = true;                    // false: every similar pixel of the canvas
    bool sampleMerged = false;                 // compare colours in the composite, not the layer
    int32_t mode = 0;                          // BlendMode
    int32_t opacity = 100;                     // percent
};
struct PickColorParams {
    Point point;
    bool sampleMerged = false;
    int32_t sampleSize = 1;  // 1, 3 or 5: the mean of that square
    bool background = false; // set the background color instead of the foreground
};
struct MagicWandParams {
    Point point;
    int32_t tolerance = kApplicationTolerance;
    bool contiguous = true;
    bool sampleMerged = false;
    bool antiAlias = false; // the region's edge softened over one pixel
    int32_t mode = 0;       // 0 replace, 1 add, 2 subtract, 3 intersect
};
struct LassoParams {
    std::vector<PolygonPoint> polygon; // canvas coordinates
    int32_t mode = 0;
    bool polygonal = false; // names the state "Polygonal Lasso"
};

using CommandParams = std::variant<std::monostate, ImageSizeSettings, CanvasSizeSettings, FeatherParams,
                                   ModifyParams, MarqueeParams, SaveSelectionParams, LoadSelectionParams,
                                   LayerParams, MergeLayersParams, FilterParams, FillParams, StrokeParams,
                                   BucketParams, GradientParams, PickColorParams, MagicWandParams, LassoParams,
                                   PasteParams, MoveParams>;

class DocumentCommands {
public:
    explicit DocumentCommands(DocumentSession& session) : session_(session) {}

    // The precondition of the id (menus enable their items by it).
    bool isEnabled(uint16_t id) const;
    // Runs the id with the dialog's answer (monostate for commands without one, or to take
    // the defaults a dialog would start with).
    CommandResult execute(uint16_t id, CommandParams params = {});

    // The marquee tool's result (and the batch tool's rectangle and ellipse selections):
    // records "Rectangular Marquee" or "Elliptical Marquee" for the shape in canvas
    // coordinates. Refused for an empty shape.
    CommandResult selectMarquee(Rect rect, bool ellipse, int32_t mode = 0);
    // The Crop tool's frame: records "Crop" to these canvas pixels (cut to the canvas), as
    // Image > Crop does for a selection's bounds. Refused for a frame off the canvas.
    CommandResult cropTo(Rect rect);

    DocumentSession& session() { return session_; }

private:
    DocumentSession& session_;
};

} // namespace pict
