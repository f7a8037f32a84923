#pragma once

// What the fuzz targets share. Utils::die and Utils::failAssertion are wrapped at link time
// so that the orderly fatal exit a bad input earns (status 1 in the programs) comes back to
// the harness as this exception: libFuzzer counts a process exit as a failure.
struct FatalExit {};
