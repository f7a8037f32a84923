#include "WholeFile.h"

#include "Utils.h"

bool readWholeFile(const std::string& path, std::vector<unsigned char>* bytes) {
    FILE* file = Utils::openFile(path);
    if (file == nullptr)
        return false;
    bytes->resize(Utils::getFileSize(file));
    unsigned long read = 0;
    const bool whole =
        Utils::readFile(file, bytes->data(), bytes->size(), &read) && read == bytes->size();
    Utils::closeFile(file);
    return whole;
}
