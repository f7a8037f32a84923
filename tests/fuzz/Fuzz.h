#pragma once

// What the fuzz targets share. Their Utils::endProcessWithFailure (FuzzSupport.cpp) throws
// this instead of exiting, so that the orderly fatal exit a bad input earns (status 1 in the
// programs) comes back to the harness: libFuzzer counts a process exit as a failure.
struct FatalExit {};
