/* The iconv interface libmdb converts its texts through, answered by Windows' own code-page
 * conversions: mingw-w64 has no iconv, and without one libmdb would hand every text that holds
 * a letter outside ASCII through the C library's locale, which cannot do UTF-8 there. */
#ifndef BRASSBELL_MINGW_ICONV_H
#define BRASSBELL_MINGW_ICONV_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct brassbell_iconv* iconv_t;

iconv_t iconv_open(const char* to_code, const char* from_code);
size_t iconv(iconv_t cd, char** in, size_t* in_left, char** out, size_t* out_left);
int iconv_close(iconv_t cd);

#ifdef __cplusplus
}
#endif

#endif
