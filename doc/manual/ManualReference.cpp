// Writes the user manual from its hand-written page, filling in the two lists that must
// match the program exactly: every menu with its items, keys and what they do (from the
// command registry and the menu layout), and every batch step with its argument and help
// (from the batch tool's step table). The build runs it, so the manual never misses a
// command.   pict_manual_reference TEMPLATE OUTPUT

#include "app/commands/CommandTable.h"
#include "batch/BatchSteps.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using namespace pict;

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// "&Image/&Adjustments" as the menu shows it: "Image > Adjustments".
std::string menuPath(std::string_view path) {
    std::string out;
    for (char c : path) {
        if (c == '&')
            continue;
        if (c == '/')
            out += " > ";
        else
            out += c;
    }
    return out;
}

std::string menuAnchor(std::string_view path) {
    std::string out = "menu-";
    for (char c : menuPath(path)) {
        if (c >= 'A' && c <= 'Z')
            out += char(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            out += c;
        else if (!out.ends_with('-'))
            out += '-';
    }
    return out;
}

std::string menuTables() {
    std::ostringstream html;
    std::string current;
    for (const MenuEntry& entry : menuLayout()) {
        if (entry.menu != current) {
            if (!current.empty())
                html << "</table>\n";
            current = entry.menu;
            html << "<h3 id=\"" << menuAnchor(current) << "\">" << escaped(menuPath(current)) << "</h3>\n"
                 << "<table class=\"reference\">\n<tr><th>Item</th><th>Keys</th><th>What it does</th></tr>\n";
        }
        if (entry.id == 0)
            continue;
        if (isRecentFileCommand(entry.id)) {
            html << "<tr><td>1 to 16: the recent files</td><td></td><td>Open a file used recently (grayed "
                    "\"(Empty)\" while there is none).</td></tr>\n";
            continue;
        }
        const CommandSpec* spec = findCommand(entry.id);
        if (!spec)
            continue;
        std::string keys = spec->keys;
        for (size_t at = keys.find("; "); at != std::string::npos; at = keys.find("; ", at))
            keys.replace(at, 2, " or ");
        html << "<tr><td>" << escaped(spec->menuText) << "</td><td>" << escaped(keys) << "</td><td>"
             << escaped(statusLine(*spec)) << "</td></tr>\n";
    }
    if (!current.empty())
        html << "</table>\n";
    return html.str();
}

std::string stepTables() {
    std::ostringstream html;
    for (const batch::StepSection& section : batch::stepSections()) {
        html << "<h3>" << escaped(section.heading) << "</h3>\n"
             << "<table class=\"reference\">\n<tr><th>Step</th><th>What it does</th></tr>\n";
        for (const batch::BatchStep& step : section.steps)
            html << "<tr><td><code>" << escaped(batch::stepForm(step)) << "</code></td><td>" << escaped(step.help)
                 << "</td></tr>\n";
        html << "</table>\n";
    }
    return html.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: pict_manual_reference TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ofstream out(argv[2]);
    if (!in || !out) {
        std::cerr << "pict_manual_reference: cannot read " << argv[1] << " or write " << argv[2] << "\n";
        return 1;
    }
    std::string line;
    while (std::getline(in, line)) {
        if (line == "<!-- @MENUS@ -->")
            out << menuTables();
        else if (line == "<!-- @STEPS@ -->")
            out << stepTables();
        else
            out << line << "\n";
    }
    return out ? 0 : 1;
}
