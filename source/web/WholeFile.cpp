#include "WholeFile.h"

#include <cstdio>

bool readWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    const long size = std::fseek(file, 0, SEEK_END) == 0 ? std::ftell(file) : -1;
    bool read = size >= 0 && std::fseek(file, 0, SEEK_SET) == 0;
    if (read) {
        bytes->resize(static_cast<size_t>(size));
        read = std::fread(bytes->data(), 1, bytes->size(), file) == bytes->size();
    }
    std::fclose(file);
    return read;
}
