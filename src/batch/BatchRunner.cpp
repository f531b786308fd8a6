#include "batch/BatchRunner.h"

#include "batch/BatchCommandLine.h"
#include "batch/BatchRun.h"
#include "batch/BatchSteps.h"

#include <new>
#include <ostream>

namespace pict::batch {

namespace {

constexpr std::string_view kProgram = "pictorane-cli";

// The column the help texts start in; a longer step form puts its help on the next line.
constexpr size_t kHelpColumn = 34;

void appendHelpLine(std::string& text, std::string_view form, std::string_view help) {
    std::string line = "  " + std::string(form);
    if (line.size() + 1 > kHelpColumn)
        line += "\n" + std::string(kHelpColumn, ' ');
    else
        line.append(kHelpColumn - line.size(), ' ');
    text += line + std::string(help) + "\n";
}

// Prints what the report says about the step; true when the run goes on.
bool announce(std::ostream& err, const BatchStep& step, const StepReport& report) {
    const std::string prefix = std::string(kProgram) + ": " + std::string(step.name);
    switch (report.status) {
    case StepStatus::Done:
        return true;
    case StepStatus::Unchanged:
        err << prefix << ": "
            << (report.message.empty() ? "the parameters change nothing; no state was added" : report.message)
            << "\n";
        return true;
    case StepStatus::Refused:
        err << prefix << " refused: "
            << (!report.message.empty()       ? report.message
                : step.precondition.empty() ? std::string("the document does not allow it")
                                            : "needs " + std::string(step.precondition))
            << "\n";
        return false;
    case StepStatus::Failed:
        err << (report.message.empty() ? prefix + " failed" : report.message) << "\n";
        return false;
    case StepStatus::Missing:
        err << prefix << ": not available in this build (the command layer has no entry for it)\n";
        return false;
    }
    return false;
}

bool runStep(BatchRun& run, const ParsedStep& parsed) {
    return announce(run.err(), *parsed.step, parsed.step->run(run, *parsed.step, parsed.input));
}

} // namespace

std::string usageText() {
    return "Usage: " + std::string(kProgram) + " [--max-memory MIB] SOURCE [STEP]...\n"
           "SOURCE is an image file (BMP, GIF, ICO, JPEG, PNG, TIFF, WebP, HEIC, AVIF, OpenRaster) or\n"
           "--new W,H[,white|background|transparent].\n"
           "Try '" + std::string(kProgram) + " --help' for the list of steps.\n";
}

std::string helpText() {
    std::string text = "Usage: " + std::string(kProgram) + " [--max-memory MIB] SOURCE [STEP]...\n"
                       "Opens SOURCE, runs the steps on it from left to right through the editor's own\n"
                       "commands, each an undoable history state, and stops at the first step that fails.\n"
                       "An optional argument is the next one unless that starts with \"--\" or is \"-o\".\n"
                       "Exit status: 0 done, 1 a step failed or was refused, 2 bad usage.\n\n"
                       "Source:\n";
    appendHelpLine(text, openFileStep().name, openFileStep().help);
    appendHelpLine(text, stepForm(newDocumentStep()), newDocumentStep().help);
    appendHelpLine(text, "--max-memory MIB",
                   "first of all: refuse a picture whose layers and composite would need more than MIB "
                   "mebibytes (default 1024)");
    for (const StepSection& group : stepSections()) {
        text += "\n" + std::string(group.heading) + ":\n";
        for (const BatchStep& step : group.steps)
            appendHelpLine(text, stepForm(step), step.help);
    }
    text += "\n";
    appendHelpLine(text, "--help", "show this list");
    return text;
}

int runBatch(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
    CommandLine line;
    std::string error;
    switch (parseCommandLine(arguments, line, error)) {
    case ParseStatus::Help:
        out << helpText();
        return kExitOk;
    case ParseStatus::UsageError:
        err << kProgram << ": " << error << "\n" << usageText();
        return kExitUsage;
    case ParseStatus::Ok:
        break;
    }

    int status = kExitOk;
    try {
        BatchRun run(out, err);
        run.setMaxMemory(line.maxMemoryMiB);
        bool going = runStep(run, line.source);
        for (size_t k = 0; going && k < line.steps.size(); ++k)
            going = runStep(run, line.steps[k]);
        status = going ? kExitOk : kExitStepFailed;
    } catch (const std::bad_alloc&) {
        // The steps catch their own allocation failures; this is the last line for the rest.
        err << kProgram << ": out of memory\n";
        status = kExitStepFailed;
    }
    if (!out.flush()) {
        err << kProgram << ": cannot write the output\n";
        status = kExitStepFailed;
    }
    return status;
}

} // namespace pict::batch
