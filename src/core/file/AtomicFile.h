#pragma once

#include <string>
#include <string_view>

namespace timbra {

struct FileResult {
    bool ok = true;
    std::string error; // names the file and the reason
};

// The one way the programs write a file (tallies, PDFs, recovery files): the bytes go to a new
// file beside the target, every write is checked, the file is synced and renamed over the target,
// and the folder is synced. An existing file is replaced only once the new content is safely on
// disk; on any failure it is left exactly as it was and the temporary file is removed. A symbolic
// link keeps pointing at its target, which gets the content; a replaced file keeps its permission
// bits, and its owner and group where the saver may give them; a hard-linked file becomes a file of
// its own (the other names keep the old content); a folder, device or pipe as target is refused.
//
// The programs' own state files (`StateFile`) are never reached through a link: whatever stands at
// the path but a folder (a link, a pipe, a device) is replaced by the new file without being opened,
// and the new file is private to the user.
enum class FileKind { UserFile, StateFile };
FileResult writeFileAtomically(const std::string& path, std::string_view bytes,
                               FileKind kind = FileKind::UserFile);

} // namespace timbra
