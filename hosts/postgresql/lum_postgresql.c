/*
 * The SQL functions as a PostgreSQL extension (CREATE EXTENSION lum): thin
 * frames over the shared SQL core (hosts/sql).
 *
 * No C++ exception reaches the server: the engine raises none, and the core
 * catches anything else (an allocation failure) and returns a status. Every
 * result of the core is copied into server memory and its buffer released
 * before ereport is called, so ereport's longjmp crosses no C++ frame and
 * leaks nothing.
 */
#include "postgres.h"

#include "fmgr.h"
#include "mb/pg_wchar.h"
#include "utils/builtins.h"
#include "utils/memutils.h"

#include <stdlib.h>
#include <string.h>

#include "hosts/sql/sql_functions.h"

PG_MODULE_MAGIC;

PG_FUNCTION_INFO_V1(lum_barcode);
PG_FUNCTION_INFO_V1(lum_validate);
PG_FUNCTION_INFO_V1(lum_valid);
PG_FUNCTION_INFO_V1(lum_reason);
PG_FUNCTION_INFO_V1(lum_font);

static void OutOfMemory(void) { ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory"))); }

/* Argument n in UTF-8: as stored in a UTF-8 database, converted from any other encoding. */
static LumSqlText Utf8Argument(FunctionCallInfo fcinfo, int n)
{
    const text* value = PG_GETARG_TEXT_PP(n);
    const char* data = VARDATA_ANY(value);
    const int length = VARSIZE_ANY_EXHDR(value);
    const char* utf8 = pg_server_to_any(data, length, PG_UTF8);
    const LumSqlText argument = {utf8, utf8 == data ? (size_t)length : strlen(utf8)};
    return argument;
}

/* The check_digit argument; false when the function was declared without it. */
static int CheckArgument(FunctionCallInfo fcinfo, int n) { return PG_NARGS() > n && PG_GETARG_BOOL(n); }

/* A text of the core as a server text in the database encoding; the core's buffer is released. */
static text* ServerText(LumSqlResult result)
{
    text* copy;
    if (result.status == LUM_SQL_NO_MEMORY)
        OutOfMemory();
    if (result.length >= MaxAllocSize - VARHDRSZ - 1) {
        free(result.text);
        ereport(ERROR, (errcode(ERRCODE_PROGRAM_LIMIT_EXCEEDED), errmsg("lum: result too long")));
    }
    copy = (text*)palloc_extended(VARHDRSZ + result.length + 1, MCXT_ALLOC_NO_OOM);
    if (!copy) {
        free(result.text);
        OutOfMemory();
    }
    SET_VARSIZE(copy, VARHDRSZ + result.length);
    memcpy(VARDATA(copy), result.text, result.length + 1);
    free(result.text);
    if (GetDatabaseEncoding() != PG_UTF8) {
        char* converted = pg_any_to_server(VARDATA(copy), (int)result.length, PG_UTF8);
        if (converted != VARDATA(copy))
            copy = cstring_to_text(converted);
    }
    return copy;
}

/* The text result, NULL, or the rejection as invalid_parameter_value (SQLSTATE 22023). */
static Datum Answer(FunctionCallInfo fcinfo, LumSqlResult result)
{
    const LumSqlStatus status = result.status;
    text* value;
    if (status == LUM_SQL_OK && !result.text)
        PG_RETURN_NULL();
    value = ServerText(result);
    if (status == LUM_SQL_REJECTED)
        ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE), errmsg("%s", text_to_cstring(value))));
    PG_RETURN_TEXT_P(value);
}

/* lum_barcode(text, symbology, check_digit): the font string. */
Datum lum_barcode(PG_FUNCTION_ARGS)
{
    return Answer(fcinfo, lum_sql_barcode(Utf8Argument(fcinfo, 0), Utf8Argument(fcinfo, 1), CheckArgument(fcinfo, 2)));
}

/* lum_validate(text, symbology, check_digit): the normalised text. */
Datum lum_validate(PG_FUNCTION_ARGS)
{
    return Answer(fcinfo, lum_sql_validate(Utf8Argument(fcinfo, 0), Utf8Argument(fcinfo, 1), CheckArgument(fcinfo, 2)));
}

/* lum_valid(text, symbology, check_digit): whether lum_barcode accepts the text. */
Datum lum_valid(PG_FUNCTION_ARGS)
{
    const int valid = lum_sql_valid(Utf8Argument(fcinfo, 0), Utf8Argument(fcinfo, 1), CheckArgument(fcinfo, 2));
    if (valid < 0)
        OutOfMemory();
    PG_RETURN_BOOL(valid == 1);
}

/* lum_reason(text, symbology, check_digit): why lum_barcode rejects the text, or NULL. */
Datum lum_reason(PG_FUNCTION_ARGS)
{
    return Answer(fcinfo, lum_sql_reason(Utf8Argument(fcinfo, 0), Utf8Argument(fcinfo, 1), CheckArgument(fcinfo, 2)));
}

/* lum_font(symbology, style): the font name; style "Normal" when the function has no style argument. */
Datum lum_font(PG_FUNCTION_ARGS)
{
    const LumSqlText normal = {"Normal", 6};
    return Answer(fcinfo, lum_sql_font(Utf8Argument(fcinfo, 0), PG_NARGS() > 1 ? Utf8Argument(fcinfo, 1) : normal));
}
