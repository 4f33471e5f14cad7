/* Forced into every libmdb source built for Windows: its file names arrive in UTF-8, as they do
 * on Linux, and are opened through the wide-character calls, so a Rules.mdb in a folder whose
 * name lies outside the ANSI code page opens too. */
#ifndef BRASSBELL_MINGW_UTF8_FILE_NAMES_H
#define BRASSBELL_MINGW_UTF8_FILE_NAMES_H

#include <stdio.h>
#include <sys/stat.h>

FILE* brassbell_fopen_utf8(const char* name, const char* mode);
int brassbell_stat_utf8(const char* name, struct stat* info);

#define fopen brassbell_fopen_utf8
#define stat(name, info) brassbell_stat_utf8(name, info)

#endif
