/*
 * The SQL functions as a loadable SQLite extension: ".load PATH/lum_sqlite" in
 * the sqlite3 shell, sqlite3_load_extension, or Python's load_extension. SQLite
 * derives the entry point sqlite3_lumsqlite_init from the file name.
 *
 * Thin frames: the arguments are read here, the work is done by the shared
 * SQL core (hosts/sql), which raises no C++ exception.
 */
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

#include <stdlib.h>

#include "hosts/sql/sql_functions.h"

#ifndef SQLITE_INNOCUOUS
#define SQLITE_INNOCUOUS 0 /* before SQLite 3.31 every function may be used in a schema */
#endif

int sqlite3_lumsqlite_init(sqlite3* db, char** error, const sqlite3_api_routines* api);

/* Sets a NULL result when any argument is NULL: NULL in gives NULL out. */
static int AnyNull(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return 1;
        }
    }
    return 0;
}

static int ReadText(sqlite3_context* context, sqlite3_value* value, LumSqlText* text)
{
    text->data = (const char*)sqlite3_value_text(value);
    text->length = (size_t)sqlite3_value_bytes(value);
    if (!text->data) {
        sqlite3_result_error_nomem(context);
        return 0;
    }
    return 1;
}

/* Reads (text, symbology [, check_digit]). SQLite has no boolean type: the
 * flag is the integer 0 or 1 (TRUE and FALSE are those), or a text that reads
 * as one of them; anything else is an error rather than a silent false. */
static int ReadRequest(sqlite3_context* context, int argc, sqlite3_value** argv, LumSqlText* text,
                       LumSqlText* symbology, int* check)
{
    if (AnyNull(context, argc, argv))
        return 0;
    *check = 0;
    if (argc == 3) {
        const int type = sqlite3_value_numeric_type(argv[2]);
        const sqlite3_int64 flag = sqlite3_value_int64(argv[2]);
        if (type != SQLITE_INTEGER || (flag != 0 && flag != 1)) {
            char* message = sqlite3_mprintf("%s: check_digit must be 0 or 1", (const char*)sqlite3_user_data(context));
            sqlite3_result_error(context, message ? message : "check_digit must be 0 or 1", -1);
            sqlite3_free(message);
            return 0;
        }
        *check = (int)flag;
    }
    return ReadText(context, argv[0], text) && ReadText(context, argv[1], symbology);
}

/* Hands a result of the core to SQLite, which takes over the text. */
static void Answer(sqlite3_context* context, LumSqlResult result)
{
    switch (result.status) {
    case LUM_SQL_OK:
        if (result.text)
            sqlite3_result_text64(context, result.text, result.length, free, SQLITE_UTF8);
        else
            sqlite3_result_null(context);
        return;
    case LUM_SQL_REJECTED:
        sqlite3_result_error(context, result.text, (int)result.length);
        free(result.text);
        return;
    case LUM_SQL_NO_MEMORY:
        sqlite3_result_error_nomem(context);
        return;
    }
}

static void Barcode(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    LumSqlText text, symbology;
    int check;
    if (ReadRequest(context, argc, argv, &text, &symbology, &check))
        Answer(context, lum_sql_barcode(text, symbology, check));
}

static void Validate(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    LumSqlText text, symbology;
    int check;
    if (ReadRequest(context, argc, argv, &text, &symbology, &check))
        Answer(context, lum_sql_validate(text, symbology, check));
}

static void Valid(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    LumSqlText text, symbology;
    int check;
    if (!ReadRequest(context, argc, argv, &text, &symbology, &check))
        return;
    const int valid = lum_sql_valid(text, symbology, check);
    if (valid < 0)
        sqlite3_result_error_nomem(context);
    else
        sqlite3_result_int(context, valid);
}

static void Reason(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    LumSqlText text, symbology;
    int check;
    if (ReadRequest(context, argc, argv, &text, &symbology, &check))
        Answer(context, lum_sql_reason(text, symbology, check));
}

/* lum_font(symbology [, style]); the style is "Normal" when omitted. */
static void Font(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    LumSqlText symbology, style = {"Normal", 6};
    if (AnyNull(context, argc, argv) || !ReadText(context, argv[0], &symbology) ||
        (argc == 2 && !ReadText(context, argv[1], &style)))
        return;
    Answer(context, lum_sql_font(symbology, style));
}

static const struct {
    const char* name;
    int arguments;
    void (*function)(sqlite3_context*, int, sqlite3_value**);
} kFunctions[] = {
    {"lum_barcode", 2, Barcode},   {"lum_barcode", 3, Barcode}, {"lum_validate", 2, Validate},
    {"lum_validate", 3, Validate}, {"lum_valid", 2, Valid},     {"lum_valid", 3, Valid},
    {"lum_reason", 2, Reason},     {"lum_reason", 3, Reason},   {"lum_font", 1, Font},
    {"lum_font", 2, Font},
};

/* Every function is a pure function of its arguments (deterministic: usable in
 * indexes and generated columns) with no side effects (innocuous: usable in
 * CHECK constraints and views when trusted_schema is off). */
int sqlite3_lumsqlite_init(sqlite3* db, char** error, const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    for (size_t i = 0; i < sizeof kFunctions / sizeof kFunctions[0]; ++i) {
        const int rc = sqlite3_create_function_v2(db, kFunctions[i].name, kFunctions[i].arguments,
                                                  SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                                  (void*)kFunctions[i].name, kFunctions[i].function, NULL, NULL, NULL);
        if (rc != SQLITE_OK) {
            *error = sqlite3_mprintf("lum: cannot register %s", kFunctions[i].name);
            return rc;
        }
    }
    return SQLITE_OK;
}
