/** Options of the text functions. */
export interface TextOptions {
  /** Compute and append the check character(s); when false the text carries its own. Default false. */
  check?: boolean;
  /** Language of the reasons: "en" (default) or "it". */
  language?: 'en' | 'it';
  /**
   * How length reasons name the check flag: "argument" (default, "when the check digit is added")
   * or "command-line" ("with --check", as lumcode prints them).
   */
  wording?: 'argument' | 'command-line';
  /** humanReadable: show the check character(s) in the line too (with `check`). Default false. */
  checkInHrc?: boolean;
}

export type LumErrorCode = 'REJECTED' | 'UNKNOWN_SYMBOLOGY' | 'NO_CP1252_FORM' | 'INVALID_UTF8';

/** A request the engine refuses: `message` says why, in the language asked for. */
export class LumError extends Error {
  readonly name: 'LumError';
  readonly code: LumErrorCode;
  readonly symbology: string;
  readonly text: string;
}

export interface Symbology {
  /** Identifier for the functions below: "EAN13", "C128", "EAN13+ADD5", ... */
  readonly id: string;
  /** The desktop program's display-name text id (400 to 435); 0 for the add-on parts ADD2 and ADD5. */
  readonly nameId: number;
  /** Display names; empty for ADD2 and ADD5. */
  readonly names: { readonly en: string; readonly it: string };
  /** Font family: "VOR39", "VOREAN", ... */
  readonly family: string;
  /** English display names of the family's styles: "Normal", "Narrow", "Wide", "Short", "Narrow short", "Wide short". */
  readonly styles: readonly string[];
  /** What the check option does: adds the check character(s), nothing ("none"), or they are always added. */
  readonly check: 'optional' | 'none' | 'always';
  /** The identifier whose font string also carries the human-readable line (Code 32: "C32HRC"). */
  readonly withHrc?: string;
}

/**
 * The font string for `text` (any Unicode text with a Windows-1252 form) in
 * `symbology` (any letter case; "MAIN+ADD2" and "MAIN+ADD5" for EAN/UPC with an
 * add-on). Set it in the font `fontName(symbology, style)` to print the barcode.
 * @throws LumError when the text is rejected, has no Windows-1252 form or the symbology is unknown.
 */
export function encode(text: string, symbology: string, options?: TextOptions): string;

/**
 * The text as the symbology's rule normalises it (upper case, left padding with "0").
 * @throws LumError as encode.
 */
export function validate(text: string, symbology: string, options?: TextOptions): string;

/** Why encode would reject the text, or "" when it accepts it. */
export function reason(text: string, symbology: string, options?: TextOptions): string;

/**
 * The human-readable line the LUM desktop program prints under the bars; "" where the
 * font string carries its own (EAN/UPC, ISBN, Code 32 with its line) or the entry has none.
 * @throws LumError as encode.
 */
export function humanReadable(text: string, symbology: string, options?: TextOptions): string;

/**
 * The font name for the symbology's family in a style given by its English or Italian
 * display name ("Normal", "Narrow short", "Corto"); "" when the family has no such style.
 * @throws LumError for an unknown symbology.
 */
export function fontName(symbology: string, style?: string): string;

/** Every catalogue entry in resolution order, then the EAN/UPC symbols with an add-on. */
export function symbologies(): readonly Symbology[];
