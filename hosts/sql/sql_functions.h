/*
 * The SQL functions of the database extensions, shared by the SQLite and the
 * PostgreSQL entry points: identifier lookup, the UTF-8 <-> Windows-1252
 * conversion, the encode and validate steps, rejection reasons and font names.
 *
 * Texts in and out are UTF-8 (the entry points convert other database
 * encodings). Every function here is noexcept C: the engine raises no
 * exceptions, and anything else (an allocation failure) becomes
 * LUM_SQL_NO_MEMORY, so no C++ exception ever reaches a database server.
 *
 * A request is accepted exactly when lum_sql_barcode succeeds; lum_sql_valid,
 * lum_sql_validate and lum_sql_reason agree with it. An identifier that names
 * no symbology and a character without a Windows-1252 form are rejections
 * like any other.
 */
#ifndef LUM_SQL_FUNCTIONS_H
#define LUM_SQL_FUNCTIONS_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A text argument: `length` bytes at `data`, not necessarily zero-terminated. */
typedef struct LumSqlText {
    const char* data;
    size_t length;
} LumSqlText;

typedef enum LumSqlStatus {
    LUM_SQL_OK,       /* `text` holds the result; NULL from lum_sql_reason when the text is accepted */
    LUM_SQL_REJECTED, /* `text` holds the error message: what was asked, and why it cannot be done */
    LUM_SQL_NO_MEMORY /* `text` is NULL */
} LumSqlStatus;

typedef struct LumSqlResult {
    LumSqlStatus status;
    char* text;    /* UTF-8, zero-terminated, from malloc: the caller releases it with free() */
    size_t length; /* bytes, terminating zero not counted */
} LumSqlResult;

/* The font string of the text. Rejected: "EAN13: "12A": character "A" at position 3 ...". */
LumSqlResult lum_sql_barcode(LumSqlText text, LumSqlText symbology, int check_digit);

/* The normalised text (upper-cased, padded), for a text lum_sql_barcode accepts. */
LumSqlResult lum_sql_validate(LumSqlText text, LumSqlText symbology, int check_digit);

/* 1 when lum_sql_barcode accepts the request, 0 when not, -1 out of memory. */
int lum_sql_valid(LumSqlText text, LumSqlText symbology, int check_digit);

/* Why lum_sql_barcode rejects the request, or LUM_SQL_OK with a NULL text when it accepts it. */
LumSqlResult lum_sql_reason(LumSqlText text, LumSqlText symbology, int check_digit);

/* The font name for the symbology and a style ("Normal", "Narrow", "Wide", "Short", "Narrow short",
 * "Wide short", or the Italian names; letter case is ignored). Rejected: an unknown symbology or style,
 * or a style the symbology's family does not have. */
LumSqlResult lum_sql_font(LumSqlText symbology, LumSqlText style);

#ifdef __cplusplus
}
#endif

#endif /* LUM_SQL_FUNCTIONS_H */
