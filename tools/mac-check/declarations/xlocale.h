// The locale-taking formatting functions of Apple's C library that libc++
// calls on Apple's platforms (xlocale), declared over glibc's locale_t for the
// Linux type check. The check defines __NO_CTYPE so that glibc's ctype
// macros leave isdigit_l and its kind to be the functions they are on a Mac.
#pragma once

#include <locale.h>
#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

int snprintf_l(char* str, size_t size, locale_t loc, const char* format, ...);
int asprintf_l(char** ret, locale_t loc, const char* format, ...);
int sscanf_l(const char* str, locale_t loc, const char* format, ...);

#ifdef __cplusplus
}
#endif
