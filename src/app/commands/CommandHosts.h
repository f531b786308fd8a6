#pragma once
// What the editor's windows offer to the commands that are not document commands. The main
// window is a ShellHost: the File, Window, Help and tool commands call one member each. A
// document window is a FrameHost: the zoom commands work on its view. The batch tool has
// neither; it runs only document commands.

#include <cstdint>

namespace pict {

class CanvasView;
struct DocumentInfo;

class ShellHost {
public:
    virtual void newImage() = 0;
    virtual void newFromClipboard() = 0;
    virtual void openWithDialog() = 0;
    virtual void closeActive() = 0;
    virtual void closeAll() = 0;
    virtual void saveActive() = 0;
    virtual void saveActiveAs() = 0;
    virtual void clearRecent() = 0;
    virtual void exitApplication() = 0;
    virtual void duplicateImage() = 0;
    virtual void showOptions() = 0;
    virtual void setTool(int32_t tool) = 0; // a ToolId
    virtual void toggleFullScreen() = 0;
    virtual void arrangeIcons() = 0;
    virtual void cascade() = 0;
    virtual void tile() = 0;
    virtual void toggleToolbar() = 0;
    virtual void toggleStatusBar() = 0;
    virtual void about() = 0;
    // Page Setup, Print and Print with Preview of the active document.
    virtual void pageSetup() = 0;
    virtual void print() = 0;
    virtual void printWithPreview() = 0;
    // Help > Contents: the user manual in the desktop's web browser.
    virtual void showManual() = 0;
    // X and D: the current colors swap, or go back to black and white.
    virtual void swapColors() = 0;
    virtual void resetColors() = 0;
    // Shift+M and Shift+L: the marquee (kToolMarquee) or lasso (kToolLasso) switches its shape
    // and becomes the active tool.
    virtual void switchToolShape(int32_t tool) = 0;

    // What the toggles show as checked.
    virtual int32_t currentTool() const = 0;
    virtual bool fullScreenShown() const = 0;
    virtual bool toolbarShown() const = 0;
    virtual bool statusBarShown() const = 0;

protected:
    ~ShellHost() = default;
};

class FrameHost {
public:
    virtual CanvasView& view() = 0;
    virtual const DocumentInfo& documentInfo() const = 0;
    // The window takes the workspace size the image needs, then the view fits the window.
    virtual void fitOnScreen() = 0;

protected:
    ~FrameHost() = default;
};

} // namespace pict
