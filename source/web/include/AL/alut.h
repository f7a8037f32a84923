// The part of ALUT the library uses, written for the browser over Emscripten's OpenAL
// (Alut_web.cpp): start-up and shut-down of the default device, WAV files into buffers,
// and ALUT's error reporting.
#pragma once

#include <AL/al.h>

#ifdef __cplusplus
extern "C" {
#endif

#define ALUT_ERROR_NO_ERROR 0
#define ALUT_ERROR_OUT_OF_MEMORY 0x200
#define ALUT_ERROR_OPEN_DEVICE 0x206
#define ALUT_ERROR_CREATE_CONTEXT 0x208
#define ALUT_ERROR_INVALID_OPERATION 0x203
#define ALUT_ERROR_NO_CURRENT_CONTEXT 0x204
#define ALUT_ERROR_GEN_BUFFERS 0x209
#define ALUT_ERROR_IO_ERROR 0x20D
#define ALUT_ERROR_UNSUPPORTED_FILE_TYPE 0x20E
#define ALUT_ERROR_UNSUPPORTED_FILE_SUBTYPE 0x20F
#define ALUT_ERROR_CORRUPT_OR_TRUNCATED_DATA 0x210

ALboolean alutInit(int* argcp, char** argv);
ALboolean alutExit(void);
ALuint alutCreateBufferFromFile(const char* fileName);
ALenum alutGetError(void);
const char* alutGetErrorString(ALenum error);

#ifdef __cplusplus
}
#endif
