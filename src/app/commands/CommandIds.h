#pragma once
// Every user command of the editor is one 16-bit id. Menus, accelerators, toolbar and panel
// buttons all carry these numbers, and the batch tool and the command layer dispatch on them.
// The texts, shortcuts and status lines that go with each id are in CommandTable.h.

#include <cstdint>

namespace pict {

enum CommandId : uint16_t {
    // ---- application (main window) ----
    kCmdNew = 57600,
    kCmdNewFromClipboard = 32802,
    kCmdOpen = 57601,
    kCmdClose = 57602,
    kCmdCloseAll = 32850,
    kCmdSave = 57603,
    kCmdSaveAs = 57604,
    kCmdPageSetup = 57605,
    kCmdPrintPreview = 33002,
    kCmdPrint = 57607,
    kCmdRecentFileFirst = 57616, // also the grayed "(Empty)" item
    kCmdRecentFileLast = 57631,
    // The Window menu's list of open document windows, one id per position in the list.
    kCmdWindowListFirst = 65280,
    kCmdWindowListLast = 65535,
    kCmdClearRecent = 33050,
    kCmdExit = 57665,
    kCmdDuplicateImage = 32778,
    kCmdOptions = 32785,
    kCmdHandTool = 33037,
    kCmdCropTool = 33038,
    kCmdMarqueeTool = 33039,
    kCmdZoomInTool = 33040,
    kCmdZoomOutTool = 33041,
    kCmdFullScreenAlt = 32970,
    kCmdFullScreen = 32971,
    kCmdArrangeIcons = 57649,
    kCmdCascade = 57650,
    kCmdTile = 57651,
    kCmdToolbar = 59392,
    kCmdStatusBar = 59393,
    kCmdHelpContents = 33011,
    kCmdHelpSearch = 33010,
    kCmdHelpIndex = 57666,
    kCmdFeedback = 33079,
    kCmdWebSite = 33075,
    kCmdCheckUpdates = 33068,
    kCmdAbout = 57664,

    // ---- document frame (zoom) ----
    kCmdZoomIn = 32942,
    kCmdZoomOut = 32943,
    kCmdFitOnScreen = 32944,
    kCmdFitInWindow = 32945,
    kCmdActualPixels = 32946,
    kCmdPrintSize = 32947,
    kCmdZoom1600 = 32984,
    kCmdZoom1200 = 32985,
    kCmdZoom800 = 32986,
    kCmdZoom400 = 32987,
    kCmdZoom300 = 32988,
    kCmdZoom200 = 32989,
    kCmdZoom100 = 32990,
    kCmdZoom75 = 32997,
    kCmdZoom50 = 32991,
    kCmdZoom25 = 32992,
    kCmdZoom10 = 32998,
    kCmdZoom5 = 32999,

    // ---- document commands ----
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdPaste = 57637,
    kCmdCopyMerged = 32851,
    kCmdPasteInto = 32852,
    kCmdClear = 57632,
    kCmdFillForeground = 101,
    kCmdFillBackground = 102,
    kCmdFill = 32853,
    kCmdPurgeUndo = 32898,
    kCmdPurgeClipboard = 32899,
    kCmdPurgeAll = 32901,
    kCmdImageSize = 32779,
    kCmdCanvasSize = 32780,
    kCmdRotate180 = 32877,
    kCmdRotate90CW = 32878,
    kCmdRotate90CCW = 32879,
    kCmdFlipHorizontal = 32881,
    kCmdFlipVertical = 32882,
    kCmdCrop = 32847,
    kCmdTrim = 32824,
    kCmdNewLayer = 32837,
    kCmdDuplicateLayer = 32838,
    kCmdDeleteLayer = 32839,
    kCmdLayerProperties = 32840,
    kCmdToggleLayerVisibility = 32902,
    kCmdMergeLayers = 32841,
    kCmdMergeDown = 32890,
    kCmdMergeVisible = 32842,
    kCmdFlattenImage = 32843,
    kCmdLevels = 32904,
    kCmdCurves = 32865,
    kCmdColorBalance = 32924,
    kCmdBrightnessContrast = 32913,
    kCmdHueSaturation = 32912,
    kCmdAutoLevels = 32914,
    kCmdAutoContrast = 32915,
    kCmdDesaturate = 32909,
    kCmdInvert = 32910,
    kCmdLastFilter = 32846,
    kCmdBlur = 32935,
    kCmdBlurMore = 32934,
    kCmdGaussianBlur = 32936,
    kCmdSharpen = 32940,
    kCmdSharpenMore = 32941,
    kCmdSelectAll = 32790,
    kCmdDeselect = 32791,
    kCmdSelectInverse = 32792,
    kCmdToggleSelection = 32797,
    kCmdFeather = 32866,
    kCmdExpand = 32927,
    kCmdContract = 32928,
    kCmdBorder = 32925,
    kCmdGrow = 33008,
    kCmdSimilar = 32872,
    kCmdLoadSelection = 32929,
    kCmdSaveSelection = 32930,

    // ---- painting and picking on the canvas (the tools' results, and their batch steps) ----
    kCmdBrushStroke = 33200,
    kCmdPencilStroke = 33201,
    kCmdEraserStroke = 33202,
    kCmdPaintBucket = 33203,
    kCmdGradient = 33204,
    kCmdPickColor = 33205,
    kCmdMagicWand = 33206,
    kCmdSelectLasso = 33207,
    kCmdMoveLayer = 33208,
    kCmdMoveSelection = 33209,

    // ---- the painting and selection tools, and the current colors ----
    kCmdBrushTool = 33220,
    kCmdPencilTool = 33221,
    kCmdEraserTool = 33222,
    kCmdColorPickerTool = 33223,
    kCmdPaintBucketTool = 33224,
    kCmdGradientTool = 33225,
    kCmdLassoTool = 33226,
    kCmdMagicWandTool = 33227,
    kCmdSwitchMarqueeShape = 33228, // Shift+M: rectangle or ellipse
    kCmdSwitchLassoShape = 33229,   // Shift+L: freehand or polygonal
    kCmdSwapColors = 33230,
    kCmdResetColors = 33231,
    kCmdMoveTool = 33232,

    // ---- panel and options-bar buttons ----
    kCmdMarqueeNew = 32960,
    kCmdMarqueeAdd = 32961,
    kCmdMarqueeSubtract = 32957,
    kCmdMarqueeIntersect = 32958,
    kCmdNewSwatch = 32886,
    kCmdDeleteSwatch = 32887,
    kCmdPanelNewLayer = 32884,
    kCmdPanelDeleteLayer = 32885,
};

// Messages that travel like commands but carry arguments; they never appear in a menu.
enum NotificationId : uint16_t {
    kMsgMenuChanged = 33771,
    kMsgRenameLayer = 34769,
    kMsgToggleLayerVisibility = 34770,
    kMsgSetLayerBlendMode = 34771,
    kMsgSetLayerOpacity = 34772,
    kMsgNewLayer = 34773,
    kMsgDuplicateLayer = 34774,
    kMsgDeleteLayer = 34775,
};

// Tool numbers the tool commands select; any other number behaves as the hand.
enum ToolId : int32_t {
    kToolMarquee = 0,
    kToolCrop = 8,
    kToolHand = 17,
    kToolZoomIn = 18,
    kToolZoomOut = 19,
    // The painting, picking and freehand selection tools; the drawing area hands their
    // events to the tool input of the document window.
    kToolBrush = 30,
    kToolPencil = 31,
    kToolEraser = 32,
    kToolColorPicker = 33,
    kToolPaintBucket = 34,
    kToolGradient = 35,
    kToolLasso = 36,
    kToolMagicWand = 37,
    kToolMove = 38,
};

// Timer ids of a document window and of modal dialogs.
inline constexpr int kTimerSelectionOutline = 1100;
inline constexpr int kTimerRubberBand = 1200;
inline constexpr int kTimerDialogAltPoll = 9090;
inline constexpr int kTimerIntervalMs = 100;

constexpr bool isRecentFileCommand(uint16_t id) { return id >= kCmdRecentFileFirst && id <= kCmdRecentFileLast; }
// 0-based position in the recent-file list of a recent-file command.
constexpr int recentFileIndex(uint16_t id) { return static_cast<int>(id) - kCmdRecentFileFirst; }
constexpr bool isWindowListCommand(uint16_t id) { return id >= kCmdWindowListFirst && id <= kCmdWindowListLast; }
// 0-based position in the window list of a window-list command.
constexpr int windowListIndex(uint16_t id) { return static_cast<int>(id) - kCmdWindowListFirst; }

} // namespace pict
