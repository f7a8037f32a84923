#pragma once

/// \file
/// The library's lowest layer: console output and the fatal exits, string conversion, time,
/// sleep, random numbers, files and paths.
///
/// Unrecoverable conditions are neither thrown nor returned: the program prints a message on
/// standard output and exits with status 1. Console text goes to standard output and is
/// flushed after every piece, so it survives the exit and interleaves in order. The Windows
/// program, which has no console, also sends every piece to the debugger; where its messages
/// say less than the Linux ones, the functions below say so.
///
/// Utils.cpp holds the logic shared by every platform. The platform unit (unix/, win32/ or
/// web/) defines die, failAssertion, getMillisecond, getMicrosecondTime, sleepMs and
/// initRandomSeed, and, where the platform has one, the call-stack dump printTrace;
/// print(const char*), openFile, openFileAndCheck and getCurrentDirectory are win32/'s on
/// Windows and posix/'s elsewhere.

#include <cstdio>
#include <string>

/// Prints "Call stack from <file>:<line>:" and then one indented line per caller frame.
void printTrace();

/// Console output and fatal exits, strings, time, sleep, random numbers, files and paths.
namespace Utils {

// On Windows the GL headers bring <windows.h>, whose MAX_PATH macro would shadow the
// constant below; units that include this header use ours.
#ifdef MAX_PATH
#undef MAX_PATH
#endif

/// Length in characters of the path buffers, including the terminator.
constexpr int MAX_PATH = 4096;

/// "#### Program cannot continue.", the call stack (Linux; Windows has none), exit status 1.
[[noreturn]] void die();
/// "ERROR: " and the message up to its first NUL on one line, then as die().
[[noreturn]] void dieErrorMessageToUser(const std::string& message);
/// "WARNING: " and the message up to its first NUL on one line; returns.
void warningMessageToUser(const std::string& message);
/// die() when the condition is false.
void assertion(bool condition);
/// The failure path of UTILS_ASSERT: "ASSERTION FAILED: <file>:<line>" and exit status 1.
/// On Windows it is die(): no file or line.
[[noreturn]] void failAssertion(const char* file, int line);

/// Writes the text as it is (no line break added) and flushes. A null text writes nothing.
void print(const char* text);
/// Narrows as convertWStringToString does, then prints. A null text writes nothing.
void print(const wchar_t* text);
/// Decimal, a leading "-" for negatives, no line break.
void print(int number);

/// One wide character per byte, each byte taken as a (signed) char: only 7-bit text
/// converts faithfully; there is no multibyte decoding.
std::wstring convertStringToWString(std::string str);
/// Keeps each character the current locale writes as exactly one byte and drops the others
/// (under the default locale: 7-bit characters only).
std::string convertWStringToString(std::wstring str);

/// Elapsed real time in milliseconds (sleeping included) from a monotonic clock: for game
/// timing such as an animation's length.
long getMillisecond();
/// Wall-clock microseconds since the whole second of the first call: starts below 1,000,000
/// and follows the system clock, adjustments included (on Windows: the performance counter,
/// which starts wherever it stands). For frame pacing, by differences.
long long getMicrosecondTime();
/// Suspends the thread; 0 returns at once.
void sleepMs(unsigned int miliseconds);
/// Hands memory the program has freed back to the system (the heap otherwise keeps it).
void releaseFreedMemory();
/// Seeds the generator behind random() with a value that differs on every call: the
/// high-resolution clock, the process id and a call counter, mixed. (Whole seconds alone
/// would replay the same rolls after two reseeds in one second, or in two programs started
/// together.)
void initRandomSeed();
/// For the platform units' initRandomSeed: mixes a clock reading, the process id and a
/// per-process call counter into a seed.
unsigned int seedFrom(unsigned long long clockTicks, unsigned long long processId);
/// A number from 0 to maxValueNotIncluded - 1 (modulo bias not corrected); 0 when the bound
/// is 0 or less.
int random(int maxValueNotIncluded);

// Files, read in binary. Handles are stdio streams.

/// Null when the file cannot be opened; writes nothing.
FILE* openFile(const std::string& filepath);
/// Returns a non-null handle unchanged. A null one ends the program: with "ERROR: " and the
/// name when one is given, through a failed assertion otherwise.
FILE* checkFileHandle(FILE* handle, const char* filenamefordebug);
/// Never null: a file that cannot be opened ends the program naming the path (on Windows
/// through die(), without the path).
FILE* openFileAndCheck(const std::string& filepath);
/// Reads up to nbBytes. False on a read error (outNbBytesRead untouched); a short read at
/// the end of the file is a success. outNbBytesRead may be null.
bool readFile(FILE* fileHandle, void* buffer, unsigned long nbBytes, unsigned long* outNbBytesRead);
/// True when the close succeeded.
bool closeFile(FILE* fileHandle);
/// Size in bytes; the stream's position is left where it was.
unsigned long getFileSize(FILE* fileHandle);
/// The whole file in a new array (no terminator added) that the caller frees with delete[].
/// Any failure ends the program: a missing file with "ERROR: " and the path (on Windows
/// through die(), without the path); a file that cannot be sized or read (a directory, a
/// pipe) or is too large for memory through die().
unsigned char* readFileIntoNewBuffer(const std::string& filepath, unsigned long* outFileSize);

// Paths.

/// The working directory as the platform gives it; empty when it cannot be had.
std::string getCurrentDirectory();
/// The working directory widened into a buffer owned by this unit, valid until the next call.
/// Truncated to MAX_PATH - 1 characters.
wchar_t* getCurrentDirectoryStatic();
/// A copy of the path (nothing removed) in a buffer owned by this unit, valid until the next
/// call. Truncated to MAX_PATH - 1 characters; a null path gives an empty text.
const wchar_t* getDirectoryFromFilePathStatic(const wchar_t* filename);
/// Every "/" becomes "\"; nothing else changes.
std::string replaceSlashesByBackslashes(std::string filepath);

}  // namespace Utils

/// Ends the program when the condition is false, naming the file and line of the check (on
/// Windows as die(), naming neither).
#define UTILS_ASSERT(condition)                       \
    do {                                              \
        if (!(condition)) {                           \
            Utils::failAssertion(__FILE__, __LINE__); \
        }                                             \
    } while (0)
