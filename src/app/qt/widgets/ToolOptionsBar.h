#pragma once
// The tool options bar under the main toolbar: the settings of the active tool, built from
// the tool's row of controls (app/panels/ToolOptionsLayout.h). Every change goes straight
// into the application's ToolOptions, which the settings file keeps.

#include "canvas/tools/ToolOptions.h"

#include <QToolBar>

namespace pict::qt {

class ToolOptionsBar : public QToolBar {
    Q_OBJECT
public:
    ToolOptionsBar(ToolOptions& options, QWidget* parent = nullptr);

    // Shows the controls of this tool (a ToolId); none for the navigation tools.
    void showTool(int32_t toolId);
    // The options changed elsewhere (Shift+M, Shift+L): the controls read them again.
    void refresh() { showTool(tool_); }
    int32_t tool() const { return tool_; }

signals:
    void optionChanged();

private:
    void set(const char* key, int32_t value);

    ToolOptions& options_;
    int32_t tool_ = -1;
};

} // namespace pict::qt
