// The platform-independent part of Utils; the platform unit supplies the rest.
#include "Utils.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>
#include <sstream>

namespace Utils {

namespace {
wchar_t staticPath[MAX_PATH];
wchar_t pwd[MAX_PATH];

// Copies at most MAX_PATH - 1 characters and always terminates.
void copyTruncated(wchar_t* destination, const wchar_t* source) {
    int i = 0;
    if (source) {
        for (; i < MAX_PATH - 1 && source[i] != L'\0'; i++) {
            destination[i] = source[i];
        }
    }
    destination[i] = L'\0';
}

// The size of an open stream, its position kept. False for streams that cannot seek (pipes)
// or report no position.
bool measureFile(FILE* fileHandle, unsigned long* outSize) {
    if (!fileHandle) {
        return false;
    }
    long start = ftell(fileHandle);
    if (start < 0 || fseek(fileHandle, 0, SEEK_END) != 0) {
        return false;
    }
    long end = ftell(fileHandle);
    bool restored = fseek(fileHandle, start, SEEK_SET) == 0;
    if (end < 0 || !restored) {
        return false;
    }
    *outSize = static_cast<unsigned long>(end);
    return true;
}
}  // namespace

void dieErrorMessageToUser(const std::string& message) {
    print("ERROR: ");
    print(message.c_str());  // stops at the first NUL
    print("\n");
    die();
}

void warningMessageToUser(const std::string& message) {
    print("WARNING: ");
    print(message.c_str());
    print("\n");
}

void assertion(bool condition) {
    if (!condition) {
        die();
    }
}

void print(const wchar_t* text) {
    if (!text) {
        return;
    }
    print(convertWStringToString(text).c_str());
}

void print(int number) {
    std::ostringstream text;
    text << number;
    print(text.str().c_str());
}

std::wstring convertStringToWString(std::string str) {
    std::wstring result(str.size(), L'\0');
    for (size_t i = 0; i < str.size(); i++) {
        result[i] = static_cast<wchar_t>(str[i]);
    }
    return result;
}

std::string convertWStringToString(std::wstring str) {
    std::string result;
    for (size_t i = 0; i < str.size(); i++) {
        // One character at a time into a one-byte window: characters the locale cannot
        // write in exactly one byte leave the window empty and are dropped.
        char scratch[2] = {0, 0};
        const wchar_t single[2] = {str[i], L'\0'};
        if (wcstombs(scratch, single, 1) == static_cast<size_t>(-1)) {
            continue;
        }
        scratch[1] = '\0';
        result += scratch;
    }
    return result;
}

unsigned int seedFrom(unsigned long long clockTicks, unsigned long long processId) {
    // The counter keeps two calls apart even when the clock has not moved between them.
    static unsigned long long calls = 0;
    unsigned long long x = clockTicks ^ (processId << 40) ^ (++calls * 0x9E3779B97F4A7C15ULL);
    // A bijective 64-bit mix, so that neighbouring inputs give unrelated seeds.
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return static_cast<unsigned int>(x ^ (x >> 32));
}

int random(int maxValueNotIncluded) {
    if (maxValueNotIncluded <= 0) {
        return 0;
    }
    return rand() % maxValueNotIncluded;
}

FILE* checkFileHandle(FILE* handle, const char* filenamefordebug) {
    if (handle) {
        return handle;
    }
    if (filenamefordebug) {
        dieErrorMessageToUser(filenamefordebug);
    }
    UTILS_ASSERT(handle != nullptr);
    return handle;
}

bool readFile(FILE* fileHandle, void* buffer, unsigned long nbBytes,
              unsigned long* outNbBytesRead) {
    if (!fileHandle) {
        return false;
    }
    size_t nbRead = fread(buffer, 1, nbBytes, fileHandle);
    if (ferror(fileHandle)) {
        return false;
    }
    if (outNbBytesRead) {
        *outNbBytesRead = static_cast<unsigned long>(nbRead);
    }
    return true;
}

bool closeFile(FILE* fileHandle) {
    if (!fileHandle) {
        return false;
    }
    return fclose(fileHandle) == 0;
}

unsigned long getFileSize(FILE* fileHandle) {
    unsigned long size = 0;
    if (!measureFile(fileHandle, &size)) {
        return 0;
    }
    return size;
}

unsigned char* readFileIntoNewBuffer(const std::string& filepath, unsigned long* outFileSize) {
    FILE* file = openFileAndCheck(filepath);
    unsigned long size = 0;
    if (!measureFile(file, &size)) {
        closeFile(file);
        die();
    }
    // A size the memory cannot hold (or that a directory reports) is a fatal condition,
    // not an exception escaping the library.
    unsigned char* buffer = new (std::nothrow) unsigned char[size];
    if (!buffer) {
        closeFile(file);
        die();
    }
    unsigned long nbRead = 0;
    if (!readFile(file, buffer, size, &nbRead) || nbRead != size) {
        die();
    }
    closeFile(file);
    if (outFileSize) {
        *outFileSize = size;
    }
    return buffer;
}

wchar_t* getCurrentDirectoryStatic() {
    copyTruncated(pwd, convertStringToWString(getCurrentDirectory()).c_str());
    return pwd;
}

const wchar_t* getDirectoryFromFilePathStatic(const wchar_t* filename) {
    copyTruncated(staticPath, filename);
    return staticPath;
}

std::string replaceSlashesByBackslashes(std::string filepath) {
    for (char& c : filepath) {
        if (c == '/') {
            c = '\\';
        }
    }
    return filepath;
}

}  // namespace Utils
