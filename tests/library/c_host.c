/*
 * A C11 host of LUMDLL: includes only the public header, links the library and
 * calls the five exports. Exits nonzero on the first unexpected result.
 */
#include "library/lumdll.h"

#include <stdio.h>
#include <string.h>

static int failures = 0;

static void expect(int ok, const char* what)
{
    if (!ok) {
        fprintf(stderr, "c_host: %s\n", what);
        ++failures;
    }
}

int main(void)
{
    char identifier[] = "c39";
    char text[LUMDLL_VALIDATE_CAPACITY(3)] = "abc";
    char output[LUMDLL_OUTPUT_CAPACITY(3)];
    char small[4];
    char pad[LUMDLL_VALIDATE_CAPACITY(0)] = "";
    int n;

    /* Code 39, ISO/IEC 16388: A=10, B=11, C=12, sum 33 modulo 43 is "X". */
    expect(VORValidateStringDLL(text, identifier, 1) == 1, "validate abc");
    expect(strcmp(text, "ABC") == 0, "abc normalised to ABC");
    expect(strcmp(identifier, "C39") == 0, "identifier upper-cased");

    n = VORStringToBarcodeDLL("ABC", identifier, 1, output);
    expect(n == 6 && strcmp(output, "#ABCX#") == 0, "encode ABC with check");
    n = VORStringToBarcodeDLL("ABC", identifier, 0, output);
    expect(n == 5 && strcmp(output, "#ABC#") == 0, "encode ABC without check");

    n = VORStringToBarcodeBufDLL("ABC", "C39", 1, NULL, 0);
    expect(n == 6, "size query");
    n = VORStringToBarcodeBufDLL("ABC", "C39", 1, NULL, 100);
    expect(n == 6, "a NULL output with a capacity is a size query too");
    n = VORStringToBarcodeBufDLL("A B", "C39", 1, NULL, 100);
    expect(n == 0, "a rejected text with a NULL output");
    n = VORStringToBarcodeBufDLL("ABC", "C39", 1, small, (int)sizeof small);
    expect(n == 6 && small[0] == '\0', "too small a buffer gets the empty string");
    n = VORStringToBarcodeBufDLL("ABC", "c39", 1, output, 7);
    expect(n == 6 && strcmp(output, "#ABCX#") == 0, "exact capacity");

    n = VORValidateStringBufDLL(pad, (int)sizeof pad, "EAN13", 1);
    expect(n == 13 && strcmp(pad, "000000000000") == 0, "EAN13 empty text padded");

    {
        static const char expected[] = "character \" \" at position 2 is not allowed; allowed: 0-9, A-Z and - . _ $ / "
                                       "+ % (\"_\" stands for a space)";
        char reason[sizeof expected];
        n = VORDiagnoseDLL("A c", "C39", 0, 0, reason, (int)sizeof reason);
        expect(n == (int)sizeof expected - 1 && strcmp(reason, expected) == 0, "reason for a space in Code 39");
    }
    n = VORDiagnoseDLL("ABC", "C39", 1, 1, output, (int)sizeof output);
    expect(n == 0 && output[0] == '\0', "no reason for an accepted text");

    return failures == 0 ? 0 : 1;
}
