# What both Windows toolchains share; each sets TOVRIK_MINGW_TRIPLET and the processor
# before including this.
# The posix thread model gives the C++ runtime std::thread and std::mutex (OpenAL Soft
# needs them). Programs and DLLs link the compiler's runtimes statically, so nothing but
# our own DLLs and the system's has to sit beside the program.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TOVRIK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVRIK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVRIK_MINGW_TRIPLET}-windres)

# Callers add their own prefixes (the cross-built dependencies) with -DCMAKE_FIND_ROOT_PATH.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TOVRIK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# DLLs are shipped stripped.
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -s")
