#pragma once
// Writing a file whole or not at all, with the system's own calls, for the programs
// that do not link Qt (the windows write through AtomicFile, its Qt counterpart).
#include <string>

// The bytes go to a temporary file in the same folder, are flushed to the disk, and
// only then take the file's place. On any failure the temporary file is removed, an
// earlier file stays as it was, and it fails with Msg::fileNotWritten naming the
// file and the system's reason.
void writeFileAtomically(const std::string& path, const std::string& bytes);
