#pragma once
// The header of every file a series has been ordered from, kept while the file is
// unchanged (the same path, inode, size, modification and change time): the list is built again on
// every load, and reading every slice's header each time would make a series cost
// the square of its length.
#include "SliceHeader.h"

#include <string>

// The file's header as far as ordering needs it; `image` is false for a file that is
// not a DICOM image (or cannot be read). The reference stays valid until the next call.
const SliceHeader& cachedSliceHeader(const std::string& path);

// Why the file cannot be read, in the system's words; empty when it can (or is not a
// regular file). Looked up, and kept, as cachedSliceHeader keeps the header.
const std::string& unreadableReason(const std::string& path);
