#pragma once
// Every user command is declared once, as a CommandSpec: its id, the texts the menu and the
// status bar show, its keys, who handles it (route), whether it asks before it acts, when it
// is enabled, what it does and, where it has one, its batch-tool step. The menus, the
// toolbar, the enabled states, the document command layer and the batch tool's step table
// are all built from these records; nothing reads behaviour out of a menu text.
//
// How to add a command:
//  1. Give it an id in CommandIds.h.
//  2. Add its spec to the table of its menu's domain (<Domain>Commands.cpp: File, Edit,
//     Fill, Filter (Adjustments and Filter menus), Geometry (Image), Layer, Selection, View,
//     Window and Help). Say `.asks = CommandAsks::Dialog` when it shows a dialog first; the
//     editor then keeps it disabled until app/qt/dialogs registers a dialog for the id, and
//     passes the dialog's answer to the handler as its CommandParams.
//     - A document command (route Document) sets `.enabled` (a precondition from
//       CommandPreconditions.h, or nullptr for always) and `.run`, which builds a history
//       state and hands it to pushState(). A new parameter record goes into CommandParams.
//     - An application command (route Application) sets `.shellRule` and `.runShell`, a
//       captureless lambda calling one ShellHost member (add the member there and in the
//       editor's MainWindow); a toggle also sets `.checked`.
//     - A view command (route DocumentFrame) sets `.runView` and, when it can be disabled,
//       `.viewEnabled`.
//  3. Place it in the menu bar or the toolbar in MenuLayout.cpp (commands without a menu
//     item, such as panel buttons and notifications, are simply left out).
//  4. Give it a batch step when it changes a document: a CommandStep in `.steps` with the
//     option's name, its argument's form, a parser into CommandParams (StepArguments.h has
//     the readers) and its --help line; `.run` of the step is needed only when the step must
//     complete the parameters from the document first. Add the step to the README.

#include "app/commands/CommandStep.h"
#include "app/commands/ShellCommandStates.h"

#include <cstdint>
#include <span>

namespace pict {

class CanvasView;
class DocumentSession;
class FrameHost;
class ShellHost;

// Who handles an id first: the main window, the active document frame (zoom), or the active
// document's command layer. Panel buttons are sent to the document like document commands.
enum class CommandRoute : uint8_t { Application, DocumentFrame, Document };

// What the editor shows before it runs the command.
enum class CommandAsks : uint8_t {
    Nothing,
    Dialog,       // a dialog whose answer is the command's parameters ("Levels...")
    Confirmation, // a question, when the editor has one registered (Delete Layer)
};

using DocumentTest = bool (*)(const DocumentSession&);
using DocumentHandler = CommandResult (*)(DocumentSession&, const CommandParams&);
using ShellTest = bool (*)(const ShellHost&);
using ShellHandler = void (*)(ShellHost&);
using ViewTest = bool (*)(const CanvasView&);
using ViewHandler = void (*)(FrameHost&);

struct CommandSpec {
    uint16_t id = 0;
    CommandRoute route = CommandRoute::Document;
    const char* menuText = "";     // exact menu text without the shortcut; "" when the id has no menu item
    const char* shortcutText = ""; // what the menu shows after a tab; "" for none
    const char* keys = "";         // portable key sequences ("Ctrl+N", "Num++"), "; " between alternatives
    const char* statusText = "";   // status-bar line, optionally "\n" and a tooltip
    CommandAsks asks = CommandAsks::Nothing;

    // Route Document: the precondition (nullptr: always) and the handler.
    DocumentTest enabled = nullptr;
    DocumentHandler run = nullptr;
    // Route Application: when it can be chosen, what it does, and for a toggle whether it is on.
    ShellRule shellRule = ShellRule::Always;
    ShellHandler runShell = nullptr;
    ShellTest checked = nullptr;
    // Route DocumentFrame: the view's part (nullptr enabled: always).
    ViewTest viewEnabled = nullptr;
    ViewHandler runView = nullptr;

    // The batch tool's steps that run this command (most have one, or none).
    std::span<const CommandStep> steps = {};

    bool opensDialog() const { return asks == CommandAsks::Dialog; }
    bool isToggle() const { return checked != nullptr; }
};

} // namespace pict
