#pragma once

#include "core/file/AtomicFile.h"

#include <string>
#include <string_view>
#include <vector>

namespace timbra {

// Tract files: the tally files of a property's stands, kept together. UTF-8 text, one tally path
// per line, a relative path taken from the tract file's folder; blank lines and lines whose first
// character is "#" are skipped. docs/cli.md ("Tract files") describes the format for users.

struct TractFile : FileResult {
    std::vector<std::string> tallies; // in the file's order, each named once, listed or not on disk
    int duplicates = 0;               // lines naming a tally an earlier line named, left out
};

// "FILE.tract" names a tract file, whatever the case of its ending.
bool isTractPath(const std::string& path);

TractFile readTractFile(const std::string& path);
// The in-memory half: the lines of `text`, relative paths joined to `folder` (empty: as they are).
TractFile parseTractText(std::string_view text, const std::string& folder);

// The tallies as a tract file in `folder` lists them, each relative to that folder. A name that
// cannot be kept on one line is refused.
FileResult formatTractText(const std::vector<std::string>& tallies, const std::string& folder,
                           std::string& text);
// Written through the atomic writer; on failure an existing file is left as it was.
FileResult saveTractFile(const std::vector<std::string>& tallies, const std::string& path);

// A tract file is read whole; a list of ten thousand stands is well under a megabyte.
inline constexpr std::size_t MaxTractFileBytes = 16 * 1024 * 1024;

} // namespace timbra
