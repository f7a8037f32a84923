#pragma once

#include <string>
#include <vector>

// The bytes of the file at `path` in one read (the page keeps the program's files in
// memory), or false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::vector<unsigned char>* bytes);
