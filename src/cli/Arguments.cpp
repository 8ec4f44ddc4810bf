#include "cli/Arguments.h"

#include <charconv>
#include <string_view>

namespace timbra::cli {

namespace {

// Which options each command takes.
enum OptionBit : unsigned {
    Model = 1,
    Objective = 2,
    KeepClasses = 4,
    Json = 8,
    Csv = 16,
    Pdf = 32,
    PageSize = 64,
    Mapping = 128,
    Out = 256,
    DryRun = 512,
    Xlsx = 1024,
};

struct CommandInfo {
    std::string_view name;
    Command command;
    unsigned options;
    bool oneFile;
};

constexpr CommandInfo Commands[] = {
    {"run", Command::Run, Model | Objective | KeepClasses | Json, true},
    {"summary", Command::Summary, Model | Csv | Xlsx, false},
    {"report", Command::Report, Model | Objective | KeepClasses | Csv | Pdf | PageSize, true},
    {"import", Command::Import, Model | Json | Mapping | Out | DryRun, true},
};

std::optional<int> parseInt(std::string_view text) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// Splits "--name=value" so that both "--model upland" and "--model=upland" work.
std::pair<std::string_view, std::optional<std::string_view>> splitOption(std::string_view arg) {
    const auto eq = arg.find('=');
    if (eq == std::string_view::npos) return {arg, std::nullopt};
    return {arg.substr(0, eq), arg.substr(eq + 1)};
}

std::string parseOptions(const CommandInfo& info, const std::vector<std::string>& args, Options& o) {
    std::string model = "upland";
    std::string objectiveText;
    bool filesOnly = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!filesOnly && arg == "-h") {
            o.command = Command::Help;
            return {};
        }
        if (filesOnly || arg == "-" || arg.rfind("--", 0) != 0) {
            o.files.push_back(arg);
            continue;
        }
        if (arg == "--") {
            filesOnly = true;
            continue;
        }
        const auto [name, attached] = splitOption(arg);
        auto takes = [&](OptionBit bit) { return (info.options & bit) != 0; };
        auto value = [&, attached = attached, name = name](std::string& into) -> std::string {
            if (attached) {
                into = std::string(*attached);
                return {};
            }
            if (i + 1 >= args.size()) return std::string(name) + " needs a value";
            into = args[++i];
            return {};
        };
        std::string problem;
        if (name == "--help") {
            o.command = Command::Help;
            return {};
        } else if (name == "--model" && takes(Model)) {
            problem = value(model);
        } else if (name == "--objective" && takes(Objective)) {
            problem = value(objectiveText);
            if (problem.empty() && !parseInt(objectiveText)) problem = "--objective needs a whole number";
        } else if ((name == "--pdf" && takes(Pdf)) || (name == "--xlsx" && takes(Xlsx))) {
            std::string& path = name == "--pdf" ? o.pdfPath : o.xlsxPath;
            problem = value(path);
            // A forgotten file name must not turn the next option into one ("--pdf --csv").
            if (problem.empty() && path.empty()) problem = std::string(name) + " needs a file name";
            if (problem.empty() && !attached && path.starts_with('-'))
                problem = std::string(name) + " needs a file name, not \"" + path + "\"";
        } else if (name == "--page-size" && takes(PageSize)) {
            problem = value(o.pageSize);
            if (problem.empty() && o.pageSize != "letter" && o.pageSize != "a4")
                problem = "--page-size must be letter or a4, not \"" + o.pageSize + "\"";
        } else if ((name == "--mapping" && takes(Mapping)) || (name == "--out" && takes(Out))) {
            std::string& into = name == "--mapping" ? o.mappingPath : o.outFolder;
            problem = value(into);
            if (problem.empty() && (into.empty() || (!attached && into.starts_with('-'))))
                problem = std::string(name) + " needs a " + (name == "--out" ? "folder" : "file name");
        } else if (attached) {
            problem = std::string(name) + " takes no value";
        } else if (name == "--keep-classes" && takes(KeepClasses)) {
            o.keepClasses = true;
        } else if (name == "--json" && takes(Json)) {
            o.json = true;
        } else if (name == "--csv" && takes(Csv)) {
            o.csv = true;
        } else if (name == "--dry-run" && takes(DryRun)) {
            o.dryRun = true;
        } else {
            problem = "unknown option " + std::string(name) + " for " + std::string(info.name);
        }
        if (!problem.empty()) return problem;
    }

    o.profile = profileForModel(model);
    if (!o.profile) return "unknown model \"" + model + "\" (upland or bottomland)";
    if (!objectiveText.empty()) {
        const int n = *parseInt(objectiveText);
        if (n < 0 || n > o.profile->objectiveCount)
            return "--objective must be 0 to " + std::to_string(o.profile->objectiveCount) + " for the " +
                   model + " model";
        o.objective = n;
    }
    const char* what = o.command == Command::Import ? " tree list file" : " tally file";
    if (o.files.empty()) return std::string(info.name) + " needs a" + what;
    if (info.oneFile && o.files.size() > 1) return std::string(info.name) + " takes one" + what;
    if (o.command == Command::Import && o.mappingPath.empty()) return "import needs --mapping MAP.json";
    if (o.command == Command::Import && o.outFolder.empty() && !o.dryRun)
        return "import needs --out DIR (or --dry-run)";
    if (o.command == Command::Report && !o.csv && o.pdfPath.empty())
        return "report needs --csv or --pdf FILE";
    if (!o.pageSize.empty() && o.pdfPath.empty()) return "--page-size goes with --pdf FILE";
    return {};
}

} // namespace

ParsedArguments parseArguments(const std::vector<std::string>& args) {
    ParsedArguments parsed;
    if (args.empty()) {
        parsed.error = "no command given";
        return parsed;
    }
    const std::string& first = args.front();
    if (first == "--help" || first == "-h" || first == "help") return parsed;
    if (first == "--version") {
        parsed.options.command = Command::Version;
        return parsed;
    }
    for (const CommandInfo& info : Commands) {
        if (first != info.name) continue;
        parsed.options.command = info.command;
        parsed.error = parseOptions(info, args, parsed.options);
        return parsed;
    }
    parsed.error = "unknown command \"" + first + "\"";
    return parsed;
}

const char* usageText() {
    return R"(Usage:
  timbra-cli run FILE [--model upland|bottomland] [--objective N] [--keep-classes] [--json]
  timbra-cli summary FILE... [--model upland|bottomland] [--csv] [--xlsx OUT.xlsx]
  timbra-cli report FILE [--model upland|bottomland] [--objective N] [--keep-classes]
                    [--csv] [--pdf OUT.pdf [--page-size letter|a4]]
  timbra-cli import FILE --mapping MAP.json [--model upland|bottomland] --out DIR
                    [--json] [--dry-run]
  timbra-cli --help
  timbra-cli --version

Judges a stand from a saved tally file, as the input dialog's Run does.

  run       opens the tally in a fresh grid, ticks the objective and runs; prints the
            stand value, decision and cut-off and every message of the run
  summary   one row per tally file: header, trees, and the result under each objective;
            a tract file (FILE.tract) stands for the tally files it lists
  report    the stand analysis report sheet after the run, as 44 lines of 11 cells
  import    turns a headed tree list (comma, semicolon or tab separated) into one tally
            per stand by a mapping saved from the import dialog; prints the audit

Options:
  --model upland|bottomland   the stand model (upland, Timbra, is the default; bottomland
                              is Lowtimbra)
  --objective N               tick box N alone and rewrite the tally for it, as a click on
                              the box does (1 to 4 upland, 1 to 3 bottomland); 0 ticks no
                              box. Without it box 1 is ticked and nothing is rewritten.
  --keep-classes              tick the box without rewriting the tally's classes
  --json                      run: one JSON object with the boxes, messages and results;
                              import: the audit as one JSON object
  --csv                       summary, report: comma-separated output
  --pdf OUT.pdf               report: print the report sheet to a PDF file
  --page-size letter|a4       report --pdf: the page size (default: the default printer's,
                              else the locale's: letter in the US and Canada, a4 elsewhere)
  --xlsx OUT.xlsx             summary: also write an Excel workbook, one sheet per objective
FILE "-" reads the tally from standard input.
  --mapping MAP.json          import: the mapping of the tree list's columns and values
  --out DIR                   import: the folder the tallies are written into (an existing
                              file is never replaced)
  --dry-run                   import: print the audit, write nothing
FILE "-" reads the tally (or tree list) from standard input.

Exit status: 0 when the run completed (tree messages are not errors); 1 when a summary
file could not be read or the report has no results to show; 2 for unusable arguments,
a tally file that cannot be read or an output file that cannot be written. import: 0 when every
row was taken, 1 when some rows, values or stands were refused (the tallies written are kept), 2
for an argument, mapping or file error.
)";
}

} // namespace timbra::cli
