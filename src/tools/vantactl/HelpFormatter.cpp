#include "HelpFormatter.h"

#include <algorithm>
#include <set>
#include <sstream>
#include <vector>

namespace vantactl {
namespace {

constexpr size_t kLineWidth = 80;
// Descriptions in the argument table start at most this far in; longer labels push the
// description onto the next line.
constexpr size_t kMaxLabelColumn = 28;

// Flags expect no value.
bool takesValue(const CLI::Option& option) {
    return option.get_items_expected_min() > 0;
}

// "IN.osp", "-o IMAGE.bin", "--force-driver": how the option is written on a command line.
std::string synopsisLabel(const CLI::Option& option) {
    if (option.get_positional())
        return option.get_name(true, false);
    std::string label = option.get_lnames().empty() ? "-" + option.get_snames().front()
                                                    : "--" + option.get_lnames().front();
    if (takesValue(option))
        label += " " + option.get_type_name();
    return label;
}

// "-h, --help", "-o IMAGE.bin": every name of the option, for the argument table.
std::string tableLabel(const CLI::Option& option) {
    if (option.get_positional())
        return option.get_name(true, false);
    std::vector<std::string> names;
    for (const std::string& name : option.get_snames())
        names.push_back("-" + name);
    for (const std::string& name : option.get_lnames())
        names.push_back("--" + name);
    std::string label = CLI::detail::join(names, ", ");
    if (takesValue(option))
        label += " " + option.get_type_name();
    return label;
}

std::vector<const CLI::Option*> positionals(const CLI::App& command) {
    return command.get_options([](const CLI::Option* o) { return o->get_positional(); });
}

// The named options in definition order, without --help and --version (listed last).
std::vector<const CLI::Option*> namedOptions(const CLI::App& command) {
    return command.get_options([&command](const CLI::Option* o) {
        return o->nonpositional() && o != command.get_help_ptr() && o != command.get_version_ptr();
    });
}

std::string bracketed(const std::string& text, bool required) {
    return required ? text : "[" + text + "]";
}

std::vector<std::string> synopsisParts(const CLI::App& command) {
    std::vector<std::string> parts;
    for (const CLI::Option* option : positionals(command))
        parts.push_back(bracketed(synopsisLabel(*option), option->get_required()));
    const std::vector<const CLI::Option*> named = namedOptions(command);
    std::set<const CLI::Option*> written;
    for (const CLI::Option* option : named) {
        if (written.count(option))
            continue;
        written.insert(option);
        std::string alternatives = synopsisLabel(*option);
        const std::set<CLI::Option*> excluded = option->get_excludes();
        for (const CLI::Option* other : named) {
            if (excluded.count(const_cast<CLI::Option*>(other)) && !written.count(other)) {
                alternatives += "|" + synopsisLabel(*other);
                written.insert(other);
            }
        }
        parts.push_back(bracketed(alternatives, option->get_required()));
    }
    return parts;
}

// The rows of the argument table: label and description.
std::string argumentTable(const CLI::App& command) {
    std::vector<const CLI::Option*> rows = positionals(command);
    for (const CLI::Option* option : namedOptions(command))
        rows.push_back(option);
    if (command.get_help_ptr())
        rows.push_back(command.get_help_ptr());
    if (command.get_version_ptr())
        rows.push_back(command.get_version_ptr());
    size_t column = 0;
    for (const CLI::Option* option : rows)
        column = std::max(column, tableLabel(*option).size() + 4);
    column = std::min(column, kMaxLabelColumn);
    std::ostringstream out;
    for (const CLI::Option* option : rows)
        CLI::detail::format_help(out, tableLabel(*option), option->get_description(), column);
    return out.str();
}

// `head` followed by `parts`, broken into lines of kLineWidth at most; the lines after the first
// start under the first part.
std::string wrapped(const std::string& head, const std::vector<std::string>& parts) {
    std::string text = head;
    size_t lineLength = head.size();
    for (const std::string& part : parts) {
        if (lineLength + 1 + part.size() > kLineWidth && lineLength > head.size()) {
            text += "\n" + std::string(head.size(), ' ');
            lineLength = head.size();
        }
        text += " " + part;
        lineLength += 1 + part.size();
    }
    return text + "\n";
}

std::string commandList(const CLI::App& vantactl) {
    std::string list;
    for (const CLI::App* command : vantactl.get_subcommands({})) {
        list += wrapped("  " + command->get_name(), synopsisParts(*command));
        list += "      " + command->get_description() + "\n";
    }
    return list;
}

}  // namespace

std::string synopsis(const CLI::App& command) {
    return CLI::detail::join(synopsisParts(command), " ");
}

std::string usageLine(const std::string& path, const CLI::App& command) {
    return wrapped("usage: " + path, synopsisParts(command));
}

std::string HelpFormatter::make_help(const CLI::App* app, std::string path,
                                     CLI::AppFormatMode) const {
    std::ostringstream out;
    if (!app->get_subcommands({}).empty()) {
        out << app->get_description() << "\n\n"
            << "usage: " << path << " COMMAND [ARGUMENTS]\n\n"
            << "commands:\n"
            << commandList(*app) << "\noptions:\n"
            << argumentTable(*app);
        return out.str();
    }
    out << usageLine(path, *app) << "\n" << app->get_description() << "\n\n" << argumentTable(*app);
    return out.str();
}

}  // namespace vantactl
