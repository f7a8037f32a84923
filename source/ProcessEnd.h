#pragma once

namespace Utils {

// How every fatal path ends once its message is out: exit status 1. A unit of its own, so
// that a harness can link its own definition instead (the fuzz targets get the fatal exits
// back as an exception, since libFuzzer counts a process exit as a failure).
[[noreturn]] void endProcessWithFailure();

}  // namespace Utils
