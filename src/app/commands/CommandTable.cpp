#include "app/commands/CommandTable.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace pict {
namespace {

constexpr CommandRoute A = CommandRoute::Application;
constexpr CommandRoute F = CommandRoute::DocumentFrame;
constexpr CommandRoute D = CommandRoute::Document;

// Sorted by nothing in particular: grouped as the menus read. Lookups go through the
// id-sorted index built below.
constexpr CommandInfo kCommands[] = {
    // ---- File ----
    {kCmdNew, A, "New...", "Ctrl+N", "Ctrl+N", "Create a new image\nNew"},
    {kCmdNewFromClipboard, A, "New From Clipboard", "Ctrl+Shift+N", "Ctrl+Shift+N",
     "Create a new image from the clipboard\nNew From Clipboard"},
    {kCmdOpen, A, "Open...", "Ctrl+O", "Ctrl+O", "Open an existing image\nOpen"},
    {kCmdClose, A, "Close", "Ctrl+W", "Ctrl+W", "Close the active image\nClose"},
    {kCmdCloseAll, A, "Close All", "", "", "Close all open images\nClose All"},
    {kCmdSave, A, "Save", "Ctrl+S", "Ctrl+S", "Save the active image\nSave"},
    {kCmdSaveAs, A, "Save As...", "", "", "Save the active image with a new name\nSave As"},
    {kCmdPageSetup, A, "Page Setup...", "", "", "Change the printing options\nPage Setup"},
    {kCmdPrintPreview, A, "Print with Preview...", "", "", "Show the printed page before printing\nPrint with Preview"},
    {kCmdPrint, A, "Print...", "Ctrl+P", "Ctrl+P", "Print the active image\nPrint"},
    {kCmdClearRecent, A, "Clear Recent", "", "", "Empty the list of recent files\nClear Recent"},
    {kCmdExit, A, "Exit", "", "", "Quit the application, asking to save images\nExit"},

    // ---- Edit ----
    {kCmdUndo, D, "Undo", "Ctrl+Z", "Ctrl+Z; Alt+Backspace", "Undo the last action\nUndo"},
    {kCmdRedo, D, "Redo", "Ctrl+Y", "Ctrl+Y", "Redo the previously undone action\nRedo"},
    {kCmdCut, D, "Cut", "Ctrl+X", "Ctrl+X", "Cut the selection to the clipboard\nCut"},
    {kCmdCopy, D, "Copy", "Ctrl+C", "Ctrl+C", "Copy the selection to the clipboard\nCopy"},
    {kCmdCopyMerged, D, "Copy Merged", "Ctrl+Shift+C", "Ctrl+Shift+C",
     "Copy the selection of all visible layers\nCopy Merged"},
    {kCmdPaste, D, "Paste", "Ctrl+V", "Ctrl+V", "Paste the clipboard\nPaste"},
    {kCmdPasteInto, D, "Paste Into", "Ctrl+Shift+V", "Ctrl+Shift+V", "Paste the clipboard into the selection\nPaste Into"},
    {kCmdClear, D, "Clear", "Del", "Del", "Clear the selection of the active layer\nClear"},
    {kCmdFillForeground, D, "", "Alt+Delete", "Alt+Del", "Fill with the foreground color"},
    {kCmdFillBackground, D, "", "Ctrl+Delete", "Ctrl+Del", "Fill with the background color"},
    {kCmdFill, D, "Fill...", "", "", "Fill canvas or selection with a specified color\nFill"},
    {kCmdPurgeUndo, D, "Undo", "", "", "Free memory used by history states\nPurge Undo"},
    {kCmdPurgeClipboard, D, "", "", "", "Free memory used by the clipboard\nPurge Clipboard"},
    {kCmdPurgeAll, D, "", "", "", "Free memory used by the clipboard and history states\nPurge All"},
    {kCmdOptions, A, "Options...", "", "", "Change the application options\nOptions"},

    // ---- Image ----
    {kCmdLevels, D, "Levels...", "Ctrl+L", "Ctrl+L", "Adjust the tonal range with levels\nLevels"},
    {kCmdAutoLevels, D, "Auto Levels", "", "", "Stretch each channel's tonal range\nAuto Levels"},
    {kCmdAutoContrast, D, "Auto Contrast", "", "", "Stretch the overall contrast\nAuto Contrast"},
    {kCmdCurves, D, "Curves...", "Ctrl+M", "Ctrl+M", "Adjust the tonal range with curves\nCurves"},
    {kCmdColorBalance, D, "Color Balance...", "Ctrl+B", "Ctrl+B", "Change the color balance\nColor Balance"},
    {kCmdBrightnessContrast, D, "Brightness/Contrast...", "", "", "Change brightness and contrast\nBrightness/Contrast"},
    {kCmdHueSaturation, D, "Hue/Saturation...", "Ctrl+U", "Ctrl+U", "Change hue, saturation and lightness\nHue/Saturation"},
    {kCmdDesaturate, D, "Desaturate", "", "", "Convert the colors to gray\nDesaturate"},
    {kCmdInvert, D, "Invert", "", "", "Invert the colors\nInvert"},
    {kCmdDuplicateImage, A, "Duplicate...", "", "", "Copy the image into a new window\nDuplicate"},
    {kCmdImageSize, D, "Image Size...", "", "", "Resample the image to a new size\nImage Size"},
    {kCmdCanvasSize, D, "Canvas Size...", "", "", "Change the canvas size\nCanvas Size"},
    {kCmdRotate180, D, "180°", "", "", "Rotate the canvas by 180 degrees\nRotate 180°"},
    {kCmdRotate90CW, D, "90° CW", "", "", "Rotate the canvas clockwise\nRotate 90° CW"},
    {kCmdRotate90CCW, D, "90° CCW", "", "", "Rotate the canvas counterclockwise\nRotate 90° CCW"},
    {kCmdFlipHorizontal, D, "Flip Canvas Horizontal", "", "", "Mirror the canvas left to right\nFlip Horizontal"},
    {kCmdFlipVertical, D, "Flip Canvas Vertical", "", "", "Mirror the canvas top to bottom\nFlip Vertical"},
    {kCmdCrop, D, "Crop", "", "", "Crop the image to the selection\nCrop"},
    {kCmdTrim, D, "Trim", "", "", "Trim transparent edges of the active layer\nTrim"},

    // ---- Layer ----
    {kCmdNewLayer, D, "New Layer...", "", "", "Create a new layer\nNew Layer"},
    {kCmdDuplicateLayer, D, "Duplicate Layer...", "", "", "Duplicate the active layer\nDuplicate Layer"},
    {kCmdDeleteLayer, D, "Delete Layer", "", "", "Delete the active layer\nDelete Layer"},
    {kCmdLayerProperties, D, "Layer Properties...", "", "", "Rename the active layer\nLayer Properties"},
    {kCmdToggleLayerVisibility, D, "Show/Hide Layer", "", "", "Show or hide the active layer\nShow/Hide Layer"},
    {kCmdMergeLayers, D, "Merge Layers", "", "", "Merge the selected layers\nMerge Layers"},
    {kCmdMergeDown, D, "Merge Down", "", "", "Merge the active layer into the one below\nMerge Down"},
    {kCmdMergeVisible, D, "Merge Visible", "", "", "Merge all visible layers\nMerge Visible"},
    {kCmdFlattenImage, D, "Flatten Image", "", "", "Merge all layers into the background\nFlatten Image"},

    // ---- Select ----
    {kCmdSelectAll, D, "All", "Ctrl+A", "Ctrl+A", "Select the whole canvas\nSelect All"},
    {kCmdDeselect, D, "Deselect", "Ctrl+D", "Ctrl+D", "Remove the selection\nDeselect"},
    {kCmdSelectInverse, D, "Inverse", "Shift+Ctrl+I", "Ctrl+Shift+I", "Invert the selection\nInverse"},
    {kCmdToggleSelection, D, "Toggle Selection", "Ctrl+H", "Ctrl+H", "Show or hide the selection outline\nToggle Selection"},
    {kCmdFeather, D, "Feather...", "", "", "Soften the selection edge\nFeather"},
    {kCmdBorder, D, "Border...", "", "", "Select a band along the selection edge\nBorder"},
    {kCmdExpand, D, "Expand...", "", "", "Grow the selection by a number of pixels\nExpand"},
    {kCmdContract, D, "Contract...", "", "", "Shrink the selection by a number of pixels\nContract"},
    {kCmdGrow, D, "Grow", "", "", "Add adjacent similar pixels to the selection\nGrow"},
    {kCmdSimilar, D, "Similar", "", "", "Add all similar pixels to the selection\nSimilar"},
    {kCmdLoadSelection, D, "Load Selection...", "", "", "Load the selection from a channel\nLoad Selection"},
    {kCmdSaveSelection, D, "Save Selection...", "", "", "Save the selection to a channel\nSave Selection"},

    // ---- Filter ----
    {kCmdLastFilter, D, "Last Filter", "Ctrl+F", "Ctrl+F", "Repeat the last filter\nLast Filter"},
    {kCmdBlur, D, "Blur", "", "", "Blur the image slightly\nBlur"},
    {kCmdBlurMore, D, "Blur More", "", "", "Blur the image more strongly\nBlur More"},
    {kCmdGaussianBlur, D, "Gaussian Blur...", "", "", "Blur the image with a Gaussian kernel\nGaussian Blur"},
    {kCmdSharpen, D, "Sharpen", "", "", "Sharpen the image slightly\nSharpen"},
    {kCmdSharpenMore, D, "Sharpen More", "", "", "Sharpen the image more strongly\nSharpen More"},

    // ---- View ----
    {kCmdZoomIn, F, "Zoom In", "Numpad +", "Num++; Ctrl+=", "Zoom in one step\nZoom In"},
    {kCmdZoomOut, F, "Zoom Out", "Numpad -", "Num+-; Ctrl+-", "Zoom out one step\nZoom Out"},
    {kCmdFitOnScreen, F, "Fit on Screen", "Numpad *", "Num+*; Ctrl+0", "Fit the window and image to the workspace\nFit on Screen"},
    {kCmdFitInWindow, F, "Fit in Window", "", "", "Fit the image to the window\nFit in Window"},
    {kCmdActualPixels, F, "Actual Pixels", "Numpad /", "Num+/; Ctrl+Alt+0", "Show the image at 100%\nActual Pixels"},
    {kCmdPrintSize, F, "Print Size", "", "", "Show the image at its printed size\nPrint Size"},
    {kCmdZoom1600, F, "16x", "", "", "Zoom to 1600%"},
    {kCmdZoom1200, F, "12x", "", "", "Zoom to 1200%"},
    {kCmdZoom800, F, "8x", "", "", "Zoom to 800%"},
    {kCmdZoom400, F, "4x", "", "", "Zoom to 400%"},
    {kCmdZoom300, F, "3x", "", "", "Zoom to 300%"},
    {kCmdZoom200, F, "2x", "", "", "Zoom to 200%"},
    {kCmdZoom100, F, "1x", "", "", "Zoom to 100%"},
    {kCmdZoom75, F, "75%", "", "", "Zoom to 75%"},
    {kCmdZoom50, F, "50%", "", "", "Zoom to 50%"},
    {kCmdZoom25, F, "25%", "", "", "Zoom to 25%"},
    {kCmdZoom10, F, "10%", "", "", "Zoom to 10%"},
    {kCmdZoom5, F, "5%", "", "", "Zoom to 5%"},
    {kCmdFullScreen, A, "Full Screen", "F11", "F11", "Show the workspace on the whole screen\nFull Screen"},
    {kCmdFullScreenAlt, A, "", "", "", "Show the workspace on the whole screen\nFull Screen"},
    {kCmdToolbar, A, "Toolbar", "", "", "Show or hide the toolbar\nToolbar"},
    {kCmdStatusBar, A, "Status Bar", "", "", "Show or hide the status bar\nStatus Bar"},
    {kCmdHandTool, A, "Hand Tool", "", "", "Drag the image to scroll it\nHand Tool"},
    {kCmdMarqueeTool, A, "Marquee Tool", "", "", "Select a rectangle\nMarquee Tool"},
    {kCmdCropTool, A, "Crop Tool", "", "", "Draw a crop frame\nCrop Tool"},
    {kCmdZoomInTool, A, "Zoom In Tool", "", "", "Click or drag to zoom in\nZoom In Tool"},
    {kCmdZoomOutTool, A, "Zoom Out Tool", "", "", "Click to zoom out\nZoom Out Tool"},

    // ---- Window ----
    {kCmdCascade, A, "Cascade", "", "", "Arrange the windows overlapping\nCascade"},
    {kCmdTile, A, "Tile", "", "", "Arrange the windows side by side\nTile"},
    {kCmdArrangeIcons, A, "Arrange Icons", "", "", "Arrange the minimized windows\nArrange Icons"},

    // ---- Help ----
    {kCmdHelpContents, A, "Contents...", "F1", "F1", "Show the help contents\nContents"},
    {kCmdHelpSearch, A, "Search...", "", "", "Search the help\nSearch"},
    {kCmdHelpIndex, A, "Index", "", "", "Show the help index\nIndex"},
    {kCmdFeedback, A, "Feedback and Support", "", "", "Tell us what you think\nFeedback and Support"},
    {kCmdWebSite, A, "Brindlemoss on the Web", "", "", "Visit the maker's web site\nWeb Site"},
    {kCmdCheckUpdates, A, "Check for Updates", "", "", "Look for a newer version\nCheck for Updates"},
    {kCmdAbout, A, "About Pictorane", "", "", "Show the program's version\nAbout"},

    // ---- panel and options-bar buttons (no menu item) ----
    {kCmdMarqueeNew, D, "", "", "", "New selection"},
    {kCmdMarqueeAdd, D, "", "", "", "Add to selection"},
    {kCmdMarqueeSubtract, D, "", "", "", "Subtract from selection"},
    {kCmdMarqueeIntersect, D, "", "", "", "Intersect with selection"},
    {kCmdNewSwatch, D, "", "", "", "Create a new swatch"},
    {kCmdDeleteSwatch, D, "", "", "", "Delete swatch"},
    {kCmdPanelNewLayer, D, "", "", "", "Create a new layer"},
    {kCmdPanelDeleteLayer, D, "", "", "", "Delete layer"},
};

constexpr size_t kCommandCount = std::size(kCommands);

constexpr bool idsAreUnique() {
    for (size_t i = 0; i < kCommandCount; ++i)
        for (size_t j = i + 1; j < kCommandCount; ++j)
            if (kCommands[i].id == kCommands[j].id)
                return false;
    return true;
}
static_assert(idsAreUnique(), "every command id appears once in the table");

// Indices into kCommands ordered by id, for a binary search.
const std::array<uint16_t, kCommandCount>& sortedIndex() {
    static const std::array<uint16_t, kCommandCount> index = [] {
        std::array<uint16_t, kCommandCount> out{};
        for (size_t i = 0; i < kCommandCount; ++i)
            out[i] = static_cast<uint16_t>(i);
        std::sort(out.begin(), out.end(), [](uint16_t a, uint16_t b) { return kCommands[a].id < kCommands[b].id; });
        return out;
    }();
    return index;
}

constexpr MenuEntry kMenuLayout[] = {
    {"&File", kCmdNew},
    {"&File", kCmdNewFromClipboard},
    {"&File", kCmdOpen},
    {"&File/Recent &Files", kCmdRecentFileFirst},
    {"&File", 0},
    {"&File", kCmdClose},
    {"&File", kCmdCloseAll},
    {"&File", 0},
    {"&File", kCmdSave},
    {"&File", kCmdSaveAs},
    {"&File", 0},
    {"&File", kCmdPageSetup},
    {"&File", kCmdPrintPreview},
    {"&File", kCmdPrint},
    {"&File", 0},
    {"&File", kCmdExit},

    {"&Edit", kCmdUndo},
    {"&Edit", kCmdRedo},
    {"&Edit", 0},
    {"&Edit", kCmdCut},
    {"&Edit", kCmdCopy},
    {"&Edit", kCmdCopyMerged},
    {"&Edit", kCmdPaste},
    {"&Edit", kCmdPasteInto},
    {"&Edit", kCmdClear},
    {"&Edit", 0},
    {"&Edit", kCmdFill},
    {"&Edit", 0},
    {"&Edit/&Purge", kCmdPurgeUndo},
    {"&Edit", 0},
    {"&Edit", kCmdOptions},

    {"&Image/&Adjustments", kCmdLevels},
    {"&Image/&Adjustments", kCmdAutoLevels},
    {"&Image/&Adjustments", kCmdAutoContrast},
    {"&Image/&Adjustments", kCmdCurves},
    {"&Image/&Adjustments", 0},
    {"&Image/&Adjustments", kCmdColorBalance},
    {"&Image/&Adjustments", kCmdBrightnessContrast},
    {"&Image/&Adjustments", 0},
    {"&Image/&Adjustments", kCmdHueSaturation},
    {"&Image/&Adjustments", kCmdDesaturate},
    {"&Image/&Adjustments", 0},
    {"&Image/&Adjustments", kCmdInvert},
    {"&Image", kCmdDuplicateImage},
    {"&Image", 0},
    {"&Image", kCmdImageSize},
    {"&Image", kCmdCanvasSize},
    {"&Image/&Rotate Canvas", kCmdRotate180},
    {"&Image/&Rotate Canvas", kCmdRotate90CW},
    {"&Image/&Rotate Canvas", kCmdRotate90CCW},
    {"&Image", kCmdFlipHorizontal},
    {"&Image", kCmdFlipVertical},
    {"&Image", 0},
    {"&Image", kCmdCrop},
    {"&Image", kCmdTrim},

    {"&Layer", kCmdNewLayer},
    {"&Layer", kCmdDuplicateLayer},
    {"&Layer", kCmdDeleteLayer},
    {"&Layer", 0},
    {"&Layer", kCmdLayerProperties},
    {"&Layer", kCmdToggleLayerVisibility},
    {"&Layer", 0},
    {"&Layer", kCmdMergeLayers},
    {"&Layer", kCmdMergeDown},
    {"&Layer", kCmdMergeVisible},
    {"&Layer", kCmdFlattenImage},

    {"&Select", kCmdSelectAll},
    {"&Select", kCmdDeselect},
    {"&Select", kCmdSelectInverse},
    {"&Select", 0},
    {"&Select", kCmdToggleSelection},
    {"&Select", 0},
    {"&Select/&Modify", kCmdFeather},
    {"&Select/&Modify", kCmdBorder},
    {"&Select/&Modify", kCmdExpand},
    {"&Select/&Modify", kCmdContract},
    {"&Select", kCmdGrow},
    {"&Select", kCmdSimilar},
    {"&Select", 0},
    {"&Select", kCmdLoadSelection},
    {"&Select", kCmdSaveSelection},

    {"Fi&lter", kCmdLastFilter},
    {"Fi&lter", 0},
    {"Fi&lter/&Blur", kCmdBlur},
    {"Fi&lter/&Blur", kCmdBlurMore},
    {"Fi&lter/&Blur", kCmdGaussianBlur},
    {"Fi&lter/&Sharpen", kCmdSharpen},
    {"Fi&lter/&Sharpen", kCmdSharpenMore},

    {"&View", kCmdZoomIn},
    {"&View", kCmdZoomOut},
    {"&View", 0},
    {"&View", kCmdFitOnScreen},
    {"&View", kCmdFitInWindow},
    {"&View", kCmdActualPixels},
    {"&View", kCmdPrintSize},
    {"&View/Canvas &Zoom", kCmdZoom1600},
    {"&View/Canvas &Zoom", kCmdZoom1200},
    {"&View/Canvas &Zoom", kCmdZoom800},
    {"&View/Canvas &Zoom", kCmdZoom400},
    {"&View/Canvas &Zoom", kCmdZoom300},
    {"&View/Canvas &Zoom", kCmdZoom200},
    {"&View/Canvas &Zoom", kCmdZoom100},
    {"&View/Canvas &Zoom", kCmdZoom75},
    {"&View/Canvas &Zoom", kCmdZoom50},
    {"&View/Canvas &Zoom", kCmdZoom25},
    {"&View/Canvas &Zoom", kCmdZoom10},
    {"&View/Canvas &Zoom", kCmdZoom5},
    {"&View/Canvas &Zoom", 0},
    {"&View/Canvas &Zoom", kCmdFitOnScreen},
    {"&View/Canvas &Zoom", kCmdFitInWindow},
    {"&View/Canvas &Zoom", kCmdPrintSize},
    {"&View", 0},
    {"&View", kCmdHandTool},
    {"&View", kCmdMarqueeTool},
    {"&View", kCmdCropTool},
    {"&View", kCmdZoomInTool},
    {"&View", kCmdZoomOutTool},
    {"&View", 0},
    {"&View", kCmdFullScreen},
    {"&View", kCmdToolbar},
    {"&View", kCmdStatusBar},

    {"&Window", kCmdCascade},
    {"&Window", kCmdTile},
    {"&Window", kCmdArrangeIcons},

    {"&Help", kCmdHelpContents},
    {"&Help", kCmdHelpSearch},
    {"&Help", kCmdHelpIndex},
    {"&Help", 0},
    {"&Help", kCmdFeedback},
    {"&Help", kCmdWebSite},
    {"&Help", kCmdCheckUpdates},
    {"&Help", 0},
    {"&Help", kCmdAbout},
};

} // namespace

std::span<const CommandInfo> commandTable() { return kCommands; }

const CommandInfo* findCommand(uint16_t id) {
    const auto& index = sortedIndex();
    auto it = std::lower_bound(index.begin(), index.end(), id,
                               [](uint16_t entry, uint16_t wanted) { return kCommands[entry].id < wanted; });
    if (it == index.end() || kCommands[*it].id != id)
        return nullptr;
    return &kCommands[*it];
}

std::string menuLabel(const CommandInfo& info) {
    std::string label = info.menuText;
    if (*info.shortcutText) {
        label += '\t';
        label += info.shortcutText;
    }
    return label;
}

std::string statusLine(const CommandInfo& info) {
    const char* newline = std::strchr(info.statusText, '\n');
    return newline ? std::string(info.statusText, newline) : std::string(info.statusText);
}

std::string toolTip(const CommandInfo& info) {
    if (const char* newline = std::strchr(info.statusText, '\n'))
        return newline + 1;
    std::string text = info.menuText;
    if (text.ends_with("..."))
        text.resize(text.size() - 3);
    return text.empty() ? statusLine(info) : text;
}

std::span<const MenuEntry> menuLayout() { return kMenuLayout; }

} // namespace pict
