/* A caller linked against the import library instead of loading LUMDLL at
 * run time: proves the import library maps the stdcall names correctly. */
#include <stdio.h>
#include <string.h>

#include "library/lumdll.h"

int main(void)
{
    char id[] = "c39";
    char out[LUMDLL_OUTPUT_CAPACITY(3)];
    char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
    int failed = 0;

    failed += VORStringToBarcodeDLL("ABC", id, 1, out) != 6 || strcmp(out, "#ABCX#") != 0 || strcmp(id, "C39") != 0;
    failed += VORStringToBarcodeBufDLL("ABC", "C39", 0, out, (int)sizeof out) != 5 || strcmp(out, "#ABC#") != 0;
    failed += VORValidateStringDLL(text, id, 1) != 1 || strcmp(text, "ABC") != 0;
    failed += VORValidateStringBufDLL(text, (int)sizeof text, "C39", 1) != 4;
    printf("%d passed, %d failed\n", 4 - failed, failed);
    return failed != 0;
}
