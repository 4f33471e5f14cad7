/* What libmdb needs of iconv and of UTF-8 file names on Windows; see iconv.h and
 * utf8-file-names.h. */
#include "iconv.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <wchar.h>
#include <windows.h>

#define CP_UTF16LE 1200

struct brassbell_iconv {
    UINT from;
    UINT to;
};

/* The names libmdb asks for: UTF-8, UCS-2LE and the Jet 3 code pages' iconv names. */
static UINT code_page_of(const char* name) {
    static const struct {
        const char* name;
        UINT code_page;
    } named[] = {
        {"UTF-8", CP_UTF8},     {"UCS-2LE", CP_UTF16LE}, {"UTF-16LE", CP_UTF16LE}, {"UTF-7", CP_UTF7},
        {"SHIFT-JIS", 932},     {"BIG-5", 950},          {"BIG5-HKSCS", 950},      {"EUC-JP", 20932},
        {"EUC-KR", 51949},      {"EUC-CN", 936},         {"KOI8-R", 20866},        {"KOI8-U", 21866},
        {"ISO-8859-13", 28603}, {"ISO-8859-15", 28605},
    };
    for (size_t i = 0; i < sizeof named / sizeof named[0]; ++i)
        if (strcasecmp(name, named[i].name) == 0)
            return named[i].code_page;
    static const char* const numbered[] = {"WINDOWS-", "CP", "IBM"};
    for (size_t i = 0; i < sizeof numbered / sizeof numbered[0]; ++i) {
        const size_t length = strlen(numbered[i]);
        if (strncasecmp(name, numbered[i], length) == 0 && name[length] >= '0' && name[length] <= '9')
            return (UINT)strtoul(name + length, NULL, 10);
    }
    if (strncasecmp(name, "ISO-8859-", 9) == 0)
        return 28590 + (UINT)strtoul(name + 9, NULL, 10);
    return 0;
}

iconv_t iconv_open(const char* to_code, const char* from_code) {
    const UINT to = code_page_of(to_code);
    const UINT from = code_page_of(from_code);
    if (to == 0 || from == 0) {
        errno = EINVAL;
        return (iconv_t)-1;
    }
    iconv_t cd = malloc(sizeof *cd);
    if (cd == NULL) {
        errno = ENOMEM;
        return (iconv_t)-1;
    }
    cd->from = from;
    cd->to = to;
    return cd;
}

int iconv_close(iconv_t cd) {
    free(cd);
    return 0;
}

/* How many input bytes the next character takes; 0 when the input ends inside it. */
static size_t next_character_length(UINT code_page, const unsigned char* in, size_t left) {
    size_t length = 1;
    if (code_page == CP_UTF16LE) {
        const unsigned unit = left >= 2 ? in[0] | (unsigned)in[1] << 8 : 0;
        length = unit >= 0xD800 && unit <= 0xDBFF ? 4 : 2;
    } else if (code_page == CP_UTF8) {
        length = in[0] >= 0xF0 ? 4 : in[0] >= 0xE0 ? 3 : in[0] >= 0xC0 ? 2 : 1;
    } else if (IsDBCSLeadByteEx(code_page, in[0])) {
        length = 2;
    }
    return length <= left ? length : 0;
}

/* One character at a time, so that a full output stops exactly after the last whole
 * character written, as iconv must. A byte sequence the code page cannot read becomes U+FFFD
 * and a character the target lacks its default character, never an error. */
size_t iconv(iconv_t cd, char** in, size_t* in_left, char** out, size_t* out_left) {
    if (cd == (iconv_t)-1 || cd == NULL) {
        errno = EBADF;
        return (size_t)-1;
    }
    if (in == NULL || *in == NULL)
        return 0;
    while (*in_left > 0) {
        const size_t length = next_character_length(cd->from, (const unsigned char*)*in, *in_left);
        if (length == 0) {
            errno = EINVAL;
            return (size_t)-1;
        }
        wchar_t wide[4];
        int units;
        if (cd->from == CP_UTF16LE) {
            units = (int)(length / 2);
            memcpy(wide, *in, length);
        } else {
            units = MultiByteToWideChar(cd->from, 0, *in, (int)length, wide, 4);
        }
        char bytes[16];
        int written;
        if (cd->to == CP_UTF16LE) {
            written = units * 2;
            memcpy(bytes, wide, (size_t)written);
        } else {
            written = WideCharToMultiByte(cd->to, 0, wide, units, bytes, (int)sizeof bytes, NULL, NULL);
        }
        if (units <= 0 || written <= 0) {
            errno = EILSEQ;
            return (size_t)-1;
        }
        if ((size_t)written > *out_left) {
            errno = E2BIG;
            return (size_t)-1;
        }
        memcpy(*out, bytes, (size_t)written);
        *out += written;
        *out_left -= (size_t)written;
        *in += length;
        *in_left -= length;
    }
    return 0;
}

static wchar_t* widened(const char* utf8) {
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, NULL, 0);
    wchar_t* wide = units > 0 ? malloc((size_t)units * sizeof *wide) : NULL;
    if (wide != NULL)
        MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, units);
    return wide;
}

FILE* brassbell_fopen_utf8(const char* name, const char* mode) {
    wchar_t* wide_name = widened(name);
    wchar_t* wide_mode = widened(mode);
    FILE* file = wide_name != NULL && wide_mode != NULL ? _wfopen(wide_name, wide_mode) : NULL;
    free(wide_name);
    free(wide_mode);
    return file;
}

int brassbell_stat_utf8(const char* name, struct stat* info) {
    wchar_t* wide_name = widened(name);
    struct _stat wide_info;
    const int result = wide_name != NULL ? _wstat(wide_name, &wide_info) : -1;
    free(wide_name);
    if (result == 0) {
        memset(info, 0, sizeof *info);
        info->st_mode = wide_info.st_mode;
        info->st_size = wide_info.st_size;
        info->st_mtime = wide_info.st_mtime;
    }
    return result;
}
