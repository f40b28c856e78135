/*
 * A host application of LUMDLL, as spreadsheets and report writers are: it
 * loads the library at run time and binds the exports by their undecorated
 * names (dlopen/dlsym on Linux, LoadLibrary/GetProcAddress on Windows).
 *
 *   lum_host LIBRARY generate        prints a table of requests and results
 *   lum_host LIBRARY check FILE      runs the requests of FILE and compares
 *
 * The table is generated with the Linux library and checked against the
 * Windows DLL, so both builds give byte-identical results.
 */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "library/lumdll.h"

typedef void (*AnyFunction)(void);

// clang-format off
#if defined(_WIN32)
#  include <windows.h>
typedef HMODULE Library;
static Library OpenLibrary(const char* path) { return LoadLibraryA(path); }
static AnyFunction Bind(Library lib, const char* name) { return (AnyFunction)GetProcAddress(lib, name); }
#else
#  include <dlfcn.h>
// clang-format on
typedef void* Library;
static Library OpenLibrary(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
static AnyFunction Bind(Library lib, const char* name)
{
    /* dlsym gives an object pointer; copy its bits into a function pointer. */
    void* symbol = dlsym(lib, name);
    AnyFunction f = NULL;
    if (symbol)
        memcpy(&f, &symbol, sizeof f);
    return f;
}
#endif

typedef int(LUMDLL_CALL* ValidateFn)(char*, char*, int);
typedef int(LUMDLL_CALL* EncodeFn)(const char*, char*, int, char*);
typedef int(LUMDLL_CALL* EncodeBufFn)(const char*, const char*, int, char*, int);
typedef int(LUMDLL_CALL* ValidateBufFn)(char*, int, const char*, int);
typedef int(LUMDLL_CALL* DiagnoseFn)(const char*, const char*, int, int, char*, int);

static ValidateFn validate_fn;
static EncodeFn encode_fn;
static EncodeBufFn encode_buf_fn;
static ValidateBufFn validate_buf_fn;
static DiagnoseFn diagnose_fn;

// clang-format off
static const char* const kIdentifiers[] = {
    "POSTNET", "C39",  "C39FULL", "C93",  "C93FULL", "CIP",   "PLESSEY", "DELTA", "C25",    "ITF",    "CIND25",
    "C5BARS",  "C3BARS", "CBCD",  "C25INV", "C25COMP", "C11", "CMSI",    "EAN13", "UPCA",   "EAN8",   "UPCE",
    "ADD2",    "ADD5", "C32",     "C32HRC", "CBAR",   "C128", "E128",    "ISBN",  "ISBN13", "ean13",  "c39full",
    "NOSUCH",  "",
};
// clang-format on

// clang-format off
static const char* const kTexts[] = {
    "", "0", "1234", "12345", "123456", "1234567", "12345678", "123456789", "590123412345", "5901234123457",
    "03600029145", "0123456", "1234567890123", "12345678901234567890", "ABC", "abc-12", "CODE_39", "TEST93",
    "0123456789ABCDEF", "12KLMO", "123-45", "A40156B", "a123b", "Code 128", "Ab\\t\\d127", "0112345678901231\\x8110ABC",
    "\\d200", "\xC8\xE9\x80", "9788851540108", "88-515-4010-X", "HELLO world 42 \\r\\n",
};
// clang-format on

/* Writes the bytes as hex into `out` ("-" for none); returns the characters written. */
static size_t PutHex(char* out, const char* s, size_t n)
{
    size_t i;
    if (n == 0) {
        strcpy(out, "-");
        return 1;
    }
    for (i = 0; i < n; ++i)
        sprintf(out + 2 * i, "%02x", (unsigned char)s[i]);
    return 2 * n;
}

static size_t FromHex(const char* hex, char* out)
{
    size_t n = 0;
    unsigned v;
    out[0] = '\0';
    if (strcmp(hex, "-") == 0)
        return 0;
    while (hex[0] && hex[1] && sscanf(hex, "%2x", &v) == 1) {
        out[n++] = (char)v;
        hex += 2;
    }
    out[n] = '\0';
    return n;
}

/* Runs one request of kind K (S: encode, B: bounded encode, V: validate,
 * W: bounded validate, D and I: the reason in English and Italian) and writes
 * its result and output into `line`. */
static void Run(char kind, const char* id, int flag, const char* text, char* line, size_t room)
{
    static char output[LUMDLL_OUTPUT_CAPACITY(512)];
    char idbuf[64];
    char textbuf[LUMDLL_VALIDATE_CAPACITY(512)];
    int result = 0;
    size_t n = 0, used;

    strcpy(idbuf, id);
    strcpy(textbuf, text);
    memset(output, 0, sizeof output);
    switch (kind) {
    // clang-format off
    case 'S': result = encode_fn(text, idbuf, flag, output); n = strlen(output); break;
    case 'B': result = encode_buf_fn(text, id, flag, output, (int)sizeof output); n = strlen(output); break;
    case 'V': result = validate_fn(textbuf, idbuf, flag); strcpy(output, textbuf); n = strlen(output); break;
    case 'W': result = validate_buf_fn(textbuf, (int)sizeof textbuf, id, flag); strcpy(output, textbuf); n = strlen(output); break;
    case 'D': result = diagnose_fn(text, id, flag, 0, output, (int)sizeof output); n = strlen(output); break;
    case 'I': result = diagnose_fn(text, id, flag, 1, output, (int)sizeof output); n = strlen(output); break;
        // clang-format on
    }
    used = (size_t)snprintf(line, room, "%d\t%s\t", result, idbuf);
    if (used + 2 * n + 2 <= room)
        PutHex(line + used, output, n);
}

static int Generate(void)
{
    static const char kKinds[] = "SBVWDI";
    size_t i, j, k;
    int flag;
    char line[4096], hex[2048];
    for (i = 0; i < sizeof kIdentifiers / sizeof *kIdentifiers; ++i)
        for (j = 0; j < sizeof kTexts / sizeof *kTexts; ++j)
            for (flag = 0; flag <= 1; ++flag)
                for (k = 0; k < sizeof kKinds - 1; ++k) {
                    Run(kKinds[k], kIdentifiers[i], flag, kTexts[j], line, sizeof line);
                    printf("%c\t%s\t%d\t", kKinds[k], kIdentifiers[i][0] ? kIdentifiers[i] : "-", flag);
                    PutHex(hex, kTexts[j], strlen(kTexts[j]));
                    printf("%s\t%s\n", hex, line);
                }
    return 0;
}

static int Check(const char* path)
{
    FILE* in = fopen(path, "r");
    char row[8192], kind, id[64], hex[2048], text[1024], line[4096], expected[4096];
    int flag, passed = 0, failed = 0;
    if (!in) {
        fprintf(stderr, "cannot open %s\n", path);
        return 2;
    }
    while (fgets(row, sizeof row, in)) {
        char* rest;
        row[strcspn(row, "\r\n")] = '\0';
        if (sscanf(row, "%c\t%63s\t%d\t%2047s\t", &kind, id, &flag, hex) != 4)
            continue;
        rest = row;
        /* the expected part follows the fourth tab */
        {
            int tabs = 0;
            while (*rest && tabs < 4)
                if (*rest++ == '\t')
                    ++tabs;
        }
        strcpy(expected, rest);
        FromHex(hex, text);
        Run(kind, strcmp(id, "-") == 0 ? "" : id, flag, text, line, sizeof line);
        if (strcmp(line, expected) == 0) {
            ++passed;
        } else {
            ++failed;
            if (failed <= 20)
                fprintf(stderr, "mismatch: %s\n  got %s\n", row, line);
        }
    }
    fclose(in);
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}

int main(int argc, char** argv)
{
    Library lib;
    if (argc < 3) {
        fprintf(stderr, "usage: %s LIBRARY generate | LIBRARY check FILE\n", argv[0]);
        return 2;
    }
    lib = OpenLibrary(argv[1]);
    if (!lib) {
        fprintf(stderr, "cannot load %s\n", argv[1]);
        return 2;
    }
    validate_fn = (ValidateFn)Bind(lib, "VORValidateStringDLL");
    encode_fn = (EncodeFn)Bind(lib, "VORStringToBarcodeDLL");
    encode_buf_fn = (EncodeBufFn)Bind(lib, "VORStringToBarcodeBufDLL");
    validate_buf_fn = (ValidateBufFn)Bind(lib, "VORValidateStringBufDLL");
    diagnose_fn = (DiagnoseFn)Bind(lib, "VORDiagnoseDLL");
    if (!validate_fn || !encode_fn || !encode_buf_fn || !validate_buf_fn || !diagnose_fn) {
        fprintf(stderr, "an export is missing from %s\n", argv[1]);
        return 2;
    }
    if (strcmp(argv[2], "generate") == 0)
        return Generate();
    if (strcmp(argv[2], "check") == 0 && argc > 3)
        return Check(argv[3]);
    fprintf(stderr, "unknown command %s\n", argv[2]);
    return 2;
}
