/*
 * A host built against the installed LUMDLL, through pkg-config or through
 * find_package(LUMDLL): includes <lumdll.h> as any program would, encodes
 * "ABC" as Code 39 with its check character and prints the font string.
 */
#include <lumdll.h>

#include <stdio.h>
#include <string.h>

int main(void)
{
    char identifier[] = "c39";
    char output[LUMDLL_OUTPUT_CAPACITY(3)];
    const int length = VORStringToBarcodeDLL("ABC", identifier, 1, output);
    if (length != 6 || strcmp(output, "#ABCX#") != 0 || strcmp(identifier, "C39") != 0) {
        fprintf(stderr, "host: got %d \"%s\" for identifier \"%s\"\n", length, output, identifier);
        return 1;
    }
    puts(output);
    return 0;
}
