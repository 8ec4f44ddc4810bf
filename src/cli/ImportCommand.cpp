#include "cli/ImportCommand.h"

#include "cli/StandardStreams.h"
#include "cli/TextOutput.h"
#include "core/import/ImportWriter.h"
#include "core/import/SavedMappings.h"
#include "core/import/TallyImporter.h"
#include "core/input/TallyFile.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>

namespace timbra::cli {

namespace {

std::string fieldText(const std::optional<Field>& f) {
    return f ? std::string(fieldLabel(*f)) : std::string();
}

// What one stand came to: its file, or why it has none.
struct StandLine {
    const ImportedStand* stand;
    const StandFile* file; // none for a stand left out or a dry run
};

std::vector<StandLine> standLines(const ImportResult& result, const std::vector<StandFile>& files) {
    std::vector<StandLine> lines;
    std::size_t next = 0;
    for (const ImportedStand& stand : result.stands)
        lines.push_back({&stand, stand.leftOut || next >= files.size() ? nullptr : &files[next++]});
    return lines;
}

std::string standName(const ImportedStand& stand) {
    return stand.key.empty() ? "(one stand)" : stand.key;
}

void printReadable(const Options& o, const ImportResult& result, const std::vector<StandLine>& stands,
                   const std::vector<std::string>& names, std::ostream& out) {
    out << "Import: " << visible(o.files.front()) << '\n';
    out << "Model: " << o.profile->modelName << '\n';
    out << "Rows read: " << result.rows << "\n\n";
    std::vector<std::vector<std::string>> rows{{"Stand", "Rows", "Trees", "Tally"}};
    std::size_t name = 0;
    for (const StandLine& s : stands) {
        std::string tally = s.stand->leftOut ? "left out" : names[name++];
        if (s.file) tally = s.file->written ? s.file->path : "not written: " + s.file->error;
        rows.push_back({standName(*s.stand), std::to_string(s.stand->rowsRead),
                        std::to_string(s.stand->treesRead), tally});
    }
    printAligned(rows, {false, true, true, false}, out);
    out << '\n';
    const auto counts = result.counts();
    out << "Counts:";
    if (counts.empty()) out << " every row taken as it reads";
    out << '\n';
    for (const ReasonCount& c : counts)
        out << "  " << visible(describe(c)) << '\n';
    if (result.audit.empty()) return;
    out << "\nAudit:\n";
    for (const AuditEntry& e : result.audit)
        out << "  " << visible(describe(e)) << '\n';
}

void printJson(const Options& o, const ImportResult& result, const std::vector<StandLine>& stands,
               const std::vector<std::string>& names, std::ostream& out) {
    nlohmann::ordered_json j;
    j["file"] = o.files.front();
    j["model"] = o.profile->modelName;
    j["rows"] = result.rows;
    j["everyRowTaken"] = result.everythingTaken();
    j["stands"] = nlohmann::ordered_json::array();
    std::size_t name = 0;
    for (const StandLine& s : stands) {
        nlohmann::ordered_json st;
        st["stand"] = s.stand->key;
        st["rows"] = s.stand->rowsRead;
        st["trees"] = s.stand->treesRead;
        st["leftOut"] = s.stand->leftOut;
        st["tally"] = s.stand->leftOut ? std::string() : names[name++];
        if (s.file) {
            st["written"] = s.file->written;
            if (!s.file->written) st["error"] = s.file->error;
        }
        j["stands"].push_back(st);
    }
    j["counts"] = nlohmann::ordered_json::array();
    for (const ReasonCount& c : result.counts())
        j["counts"].push_back({{"kind", kindText(c.kind)},
                               {"field", fieldText(c.field)},
                               {"reason", c.reason},
                               {"count", c.count}});
    j["audit"] = nlohmann::ordered_json::array();
    for (const AuditEntry& e : result.audit)
        j["audit"].push_back({{"row", e.line},
                              {"stand", e.stand},
                              {"kind", kindText(e.kind)},
                              {"field", fieldText(e.field)},
                              {"read", e.read},
                              {"becomes", e.becomes},
                              {"reason", e.reason}});
    out << j.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace

int importCommand(const Options& o, std::istream& in, std::ostream& out, std::ostream& err) {
    std::string why;
    const auto mapping = readMappingFile(o.mappingPath, why);
    if (!mapping) {
        err << "timbra-cli: the mapping was not read: " << why << '\n';
        return 2;
    }
    const std::string& file = o.files.front();
    const std::optional<char> delimiter =
        mapping->delimiter ? std::optional<char>(mapping->delimiter) : std::nullopt;
    const SourceRead read =
        file == "-" ? readSourceText(readAtMost(in, MaxTallyFileBytes), "standard input", delimiter)
                    : readSourceFile(file, delimiter);
    if (!read.ok) {
        err << "timbra-cli: " << read.error << '\n';
        return 2;
    }
    const TallyImporter importer(*o.profile);
    const ImportResult result = importer.run(read.table, *mapping);
    if (!result.ok) {
        err << "timbra-cli: " << result.error << '\n';
        return 2;
    }
    const std::string fallback = file == "-" ? "stand" : std::filesystem::path(file).stem().string();
    std::vector<StandFile> files;
    if (!o.dryRun) {
        std::error_code made;
        std::filesystem::create_directories(o.outFolder, made);
        if (made) {
            err << "timbra-cli: cannot make the folder \"" << o.outFolder << "\": " << made.message() << '\n';
            return 2;
        }
        files = writeStands(result, o.outFolder, fallback);
    }
    const std::vector<StandLine> stands = standLines(result, files);
    const std::vector<std::string> names = tallyFileNames(result, fallback);
    if (o.json)
        printJson(o, result, stands, names, out);
    else
        printReadable(o, result, stands, names, out);
    bool fileError = false;
    for (const StandFile& f : files)
        if (!f.written) {
            err << "timbra-cli: " << f.error << '\n';
            fileError = true;
        }
    if (fileError) return 2;
    return result.everythingTaken() ? 0 : 1;
}

} // namespace timbra::cli
