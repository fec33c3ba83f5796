#pragma once
// The files of the current image's folder, and stepping through them with the wheel.
#include <string>
#include <string_view>
#include <vector>

// The folder part of a path, up to and including its last '/'; empty when it has none.
std::string folderOf(const std::string& path);

// The file's name without its folder: the text after the last separator.
std::string namePart(const std::string& path);

// Name order as a person reads it: letter case ignored, runs of digits compared by
// value (IM2 before IM10); names equal that way are ordered by their exact bytes.
bool naturalLess(std::string_view a, std::string_view b);
// A text whose plain byte order is that order, up to names equal in it.
std::string naturalKey(std::string_view name);

// Every entry of the folder that is not itself a folder, as folder + name, in natural
// name order. An empty folder text lists the current folder; a folder that cannot be
// read gives an empty list.
std::vector<std::string> folderFiles(const std::string& folder);

// The index a wheel message leaves for the next one: one step towards the start for a
// delta of 0 or less, one step towards the end otherwise, never leaving the list.
int wheelStep(int index, int count, int delta);
