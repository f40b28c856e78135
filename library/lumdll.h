/*
 * LUMDLL: barcode font strings for spreadsheets, databases and report writers.
 *
 * Every string is a zero-terminated 8-bit string in the Windows-1252 code
 * page; every length is a byte count. The library keeps no state, so calls on
 * separate buffers may run on many threads at once.
 *
 * Symbology identifiers ("C39", "EAN13", "C128", ...) are matched without
 * regard to letter case.
 *
 * The returned font string prints the barcode when set in the symbology's
 * font family ("VOR39", "VOREAN", "VOR128", ...); the host applies the font.
 */
#ifndef LUMDLL_H
#define LUMDLL_H

/* clang-format off */
#if defined(_WIN32)
#  define LUMDLL_CALL __stdcall
#  if defined(LUMDLL_BUILDING)
/* The export definition file LUMDLL.def names the exports, undecorated. */
#    define LUMDLL_API
#  else
#    define LUMDLL_API __declspec(dllimport)
#  endif
#else
#  define LUMDLL_CALL
#  define LUMDLL_API __attribute__((visibility("default")))
#endif
/* clang-format on */

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Room, in bytes and terminating zero included, that the output buffer of
 * VORStringToBarcodeDLL must have for a text of `text_length` bytes. It holds
 * for every identifier and every input: the longest font strings (Full ASCII,
 * Code 128, Delta-Distance A) take about two bytes per input byte, and the
 * fixed-length symbols and the two-line ISBN and Code 32 forms stay below 64.
 */
#define LUMDLL_OUTPUT_CAPACITY(text_length) (2u * (unsigned long)(text_length) + 64u)

/*
 * Room, in bytes and terminating zero included, that the text buffer given to
 * VORValidateStringDLL must have for a text of `text_length` bytes: the text
 * is padded in place to at most 14 digits for the fixed-length symbologies,
 * and Interleaved 2 of 5 ("C25") grows by one digit.
 */
/* clang-format off */
#define LUMDLL_VALIDATE_CAPACITY(text_length) \
    ((unsigned long)(text_length) + 2u > 16u ? (unsigned long)(text_length) + 2u : 16u)
/* clang-format on */

/*
 * Checks `text` against the rule of the symbology `identifier` and, when it is
 * acceptable, normalises it in place: upper-casing (Code 39, Code 93, Plessey,
 * Delta-Distance A, Codabar) and left padding with "0" to the fixed length of
 * the numeric symbologies. The buffer must have LUMDLL_VALIDATE_CAPACITY bytes.
 *
 * `identifier` is upper-cased in place; only bytes that change are written, so
 * an identifier already in upper case (a string literal, say) is only read.
 *
 * `check_digit` nonzero: the text is given without its check character(s),
 * which the library will append; zero: the text carries them.
 *
 * Returns 1 when the text is acceptable, 0 when it is not. Identifiers that
 * name no symbology, and symbologies without a rule (Full ASCII, Code 128,
 * EAN 128), accept any text unchanged.
 */
LUMDLL_API int LUMDLL_CALL VORValidateStringDLL(char* text, char* identifier, int check_digit);

/*
 * Writes the font string for `text` into `output` and returns its length
 * (terminating zero not counted). On failure (the text is rejected, it holds a
 * character the symbology cannot carry, or the identifier names no symbology)
 * it writes an empty string and returns 0.
 *
 * `text` is only read. `identifier` is upper-cased in place as above.
 * `output` must have LUMDLL_OUTPUT_CAPACITY(strlen(text)) bytes; it may be the
 * buffer that holds `text`, which is read before anything is written.
 */
LUMDLL_API int LUMDLL_CALL VORStringToBarcodeDLL(const char* text, char* identifier, int check_digit, char* output);

/*
 * Bounded form of VORStringToBarcodeDLL. `identifier` is only read.
 *
 * Returns the length of the font string (terminating zero not counted), or 0
 * when the request fails. The font string is written only when it and its zero
 * fit in `capacity` bytes; otherwise (and on failure) `output` receives an
 * empty string when `capacity` is at least 1 and is not touched when it is 0.
 * A host may call it with capacity 0 to learn the size, then again. A NULL
 * `output` counts as capacity 0 whatever `capacity` says: nothing is written
 * and the result is only the size, so a result above 0 never by itself means
 * that the string was written; it was when it is below `capacity`.
 * `output` may be the buffer that holds `text`.
 */
LUMDLL_API int LUMDLL_CALL VORStringToBarcodeBufDLL(const char* text, const char* identifier, int check_digit,
                                                    char* output, int capacity);

/*
 * Bounded form of VORValidateStringDLL. `identifier` is only read.
 *
 * Returns 0 when the text is rejected; otherwise the number of bytes the
 * normalised text needs, terminating zero included (so an accepted empty text
 * gives 1). The normalised text is written back only when it fits in
 * `capacity` bytes; otherwise `text` is left exactly as it was. Only the first
 * `capacity` bytes of `text` are read: a text whose terminating zero is not
 * among them is rejected.
 */
LUMDLL_API int LUMDLL_CALL VORValidateStringBufDLL(char* text, int capacity, const char* identifier, int check_digit);

/*
 * Why VORStringToBarcodeDLL would fail for this request: the rule the text
 * breaks, with the position and the offending character, or the length limit;
 * for an identifier that names no symbology, that it is unknown. The reason is
 * written in English when `language` is 0 and in Italian when it is 1 (other
 * values: English), in Windows-1252 like every string here.
 *
 * Returns 0 when the request succeeds (nothing is written but an empty string
 * when `capacity` is at least 1); otherwise the length of the reason
 * (terminating zero not counted). The reason is written only when it and its
 * zero fit in `capacity` bytes; otherwise `output` receives an empty string
 * when `capacity` is at least 1 and is not touched when it is 0 or `output`
 * is NULL. `text` and `identifier` are only read.
 */
LUMDLL_API int LUMDLL_CALL VORDiagnoseDLL(const char* text, const char* identifier, int check_digit, int language,
                                          char* output, int capacity);

#ifdef __cplusplus
}
#endif

#endif /* LUMDLL_H */
