#!/usr/bin/env python3
"""Writes the chord keyboard's braille table and the three key echo files.

    tools/make_input_tables.py [resources-dir]

resources/czech.vbt: Czech six-dot braille (capital sign dot 6, number sign
dots 3456) in the braille table format: "[prefixes]" with "#name=dots" lines,
"[characters]" with "text=dots" lines, and one section per prefix.

resources/czech.eky, english.eky, slovak.eky: "code=echo" lines giving every
defined printable Windows-1250 character (32..255), carriage return and tab a
spoken name in the file's language. Capitals that the program announces with
a tone (A-Z and the Czech and Slovak letters with diacritics) share the name
of their small letter; other capitals say "capital" in their name.

All files are Windows-1250 with CR LF line ends.
"""
import os
import sys

CRLF = "\r\n"

# ---------------------------------------------------------------- braille table

# Dot patterns of standard Czech braille (grade 1).
LETTER_DOTS = [
    ("a", "1"), ("á", "16"), ("b", "12"), ("c", "14"), ("č", "146"), ("d", "145"),
    ("ď", "1456"), ("e", "15"), ("é", "345"), ("ě", "126"), ("f", "124"), ("g", "1245"),
    ("h", "125"), ("i", "24"), ("í", "34"), ("j", "245"), ("k", "13"), ("l", "123"),
    ("ľ", "123456"), ("m", "134"), ("n", "1345"), ("ň", "1246"), ("o", "135"), ("ó", "246"),
    ("p", "1234"), ("q", "12345"), ("r", "1235"), ("ř", "2456"), ("s", "234"), ("š", "156"),
    ("t", "2345"), ("ť", "1256"), ("u", "136"), ("ú", "346"), ("ů", "23456"), ("v", "1236"),
    ("w", "12356"), ("x", "1346"), ("y", "13456"), ("ý", "12346"), ("z", "1356"),
    ("ž", "2346"),
]

# Single-cell punctuation. "<" and ">" share their cells with "ě" and "é" and
# "=" cannot be written in the format, so they are left out.
PUNCTUATION_DOTS = [
    (".", "3"), (",", "2"), ("?", "26"), ("!", "235"), (":", "25"), (";", "23"),
    ("-", "36"), ("(", "236"), (")", "356"), ('"', "2356"), ("'", "4"), ("*", "35"),
    ("+", "256"), ("/", "12456"), ("|", "456"),
]

# After the number sign the letters a-j stand for the digits; the decimal
# comma and point keep their cells.
NUMBER_DOTS = [
    ("1", "1"), ("2", "12"), ("3", "14"), ("4", "145"), ("5", "15"), ("6", "124"),
    ("7", "1245"), ("8", "125"), ("9", "24"), ("0", "245"), (",", "2"), (".", "3"),
]

PREFIXES = [("#cap", "6"), ("#num", "3456")]


def braille_table():
    lines = [
        "Czech six-dot braille for the chord keyboard.",
        "Dots 1 2 3 are the keys F D S, dots 4 5 6 the keys J K L.",
        "The capital sign (dot 6) applies to the next letter, the number sign",
        "(dots 3456) to everything up to the next space.",
        "",
        "[prefixes]",
    ]
    lines += [f"{name}={dots}" for name, dots in PREFIXES]
    lines += ["", "[characters]"]
    lines += [f"{ch}={dots}" for ch, dots in LETTER_DOTS + PUNCTUATION_DOTS]
    lines += ["", "[#cap]"]
    lines += [f"{ch.upper()}={dots}" for ch, dots in LETTER_DOTS]
    lines += ["", "[#num]"]
    lines += [f"{ch}={dots}" for ch, dots in NUMBER_DOTS]
    check_braille_table()
    return lines


def check_braille_table():
    chars = [dots for _, dots in LETTER_DOTS + PUNCTUATION_DOTS]
    assert len(set(chars)) == len(chars), "two characters share a cell"
    for _, dots in PREFIXES:
        assert dots not in chars, "a prefix cell hides a character"
    for _, dots in LETTER_DOTS + PUNCTUATION_DOTS + NUMBER_DOTS + PREFIXES:
        assert dots == "".join(sorted(set(dots))) and set(dots) <= set("123456")

# ---------------------------------------------------------------- key echo

LANGS = ("cs", "en", "sk")

CAPITAL_WORD = {"cs": "velké", "en": "capital", "sk": "veľké"}

# Capitals the program announces by a tone of their own.
TONE_CAPITALS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZÁÄČĎÉĚÍĹĽŇÓÔÖŔŘŠŤÚŮÜÝŽ")

# The names of the letters as they are said when spelling.
BASIC_LETTERS = {
    #     Czech          English       Slovak
    "a": ("á", "ay", "á"),
    "b": ("bé", "bee", "bé"),
    "c": ("cé", "cee", "cé"),
    "d": ("dé", "dee", "dé"),
    "e": ("é", "ee", "é"),
    "f": ("ef", "ef", "ef"),
    "g": ("gé", "gee", "gé"),
    "h": ("há", "aitch", "há"),
    "i": ("í", "eye", "í"),
    "j": ("jé", "jay", "jé"),
    "k": ("ká", "kay", "ká"),
    "l": ("el", "el", "el"),
    "m": ("em", "em", "em"),
    "n": ("en", "en", "en"),
    "o": ("ó", "oh", "ó"),
    "p": ("pé", "pee", "pé"),
    "q": ("kvé", "cue", "kvé"),
    "r": ("er", "ar", "er"),
    "s": ("es", "ess", "es"),
    "t": ("té", "tee", "té"),
    "u": ("ú", "you", "ú"),
    "v": ("vé", "vee", "vé"),
    "w": ("dvojité vé", "double you", "dvojité vé"),
    "x": ("iks", "ex", "iks"),
    "y": ("ypsilon", "wye", "ypsilon"),
    "z": ("zet", "zed", "zet"),
}

# Letters with diacritics: Czech and Slovak names, and the English name of the
# mark that follows the base letter's English name.
ACCENTED_LETTERS = {
    "á": ("dlouhé á", "acute", "dlhé á"),
    "ä": ("á s přehláskou", "umlaut", "široké e"),
    "č": ("čé", "caron", "čé"),
    "ď": ("ďé", "caron", "ďé"),
    "é": ("dlouhé é", "acute", "dlhé é"),
    "ě": ("é s háčkem", "caron", "é s mäkčeňom"),
    "í": ("dlouhé í", "acute", "dlhé í"),
    "ĺ": ("el s čárkou", "acute", "dlhé el"),
    "ľ": ("el s háčkem", "caron", "mäkké el"),
    "ň": ("eň", "caron", "eň"),
    "ó": ("dlouhé ó", "acute", "dlhé ó"),
    "ô": ("ó se stříškou", "circumflex", "ó s vokáňom"),
    "ö": ("ó s přehláskou", "umlaut", "prehlasované o"),
    "ŕ": ("er s čárkou", "acute", "dlhé er"),
    "ř": ("eř", "caron", "er s mäkčeňom"),
    "š": ("eš", "caron", "eš"),
    "ť": ("ťé", "caron", "ťé"),
    "ú": ("ú s čárkou", "acute", "dlhé ú"),
    "ů": ("ú s kroužkem", "ring", "ú s krúžkom"),
    "ü": ("ú s přehláskou", "umlaut", "prehlasované u"),
    "ý": ("dlouhé ypsilon", "acute", "dlhé ypsilon"),
    "ž": ("žet", "caron", "žet"),
    "ś": ("es s čárkou", "acute", "es s dĺžňom"),
    "ź": ("zet s čárkou", "acute", "zet s dĺžňom"),
    "ł": ("přeškrtnuté el", "stroke", "prečiarknuté el"),
    "ą": ("á s ocáskem", "ogonek", "á s chvostíkom"),
    "ş": ("es s cedilou", "cedilla", "es s cédilou"),
    "ż": ("zet s tečkou", "dot", "zet s bodkou"),
    "â": ("á se stříškou", "circumflex", "á so strieškou"),
    "ă": ("á s obloučkem", "breve", "á s oblúčikom"),
    "ć": ("cé s čárkou", "acute", "cé s dĺžňom"),
    "ç": ("cé s cedilou", "cedilla", "cé s cédilou"),
    "ę": ("é s ocáskem", "ogonek", "é s chvostíkom"),
    "ë": ("é s přehláskou", "umlaut", "é s dvoma bodkami"),
    "î": ("í se stříškou", "circumflex", "í so strieškou"),
    "đ": ("přeškrtnuté dé", "stroke", "prečiarknuté dé"),
    "ń": ("en s čárkou", "acute", "en s dĺžňom"),
    "ő": ("ó s dvojitou čárkou", "double acute", "ó s dvojitým dĺžňom"),
    "ű": ("ú s dvojitou čárkou", "double acute", "ú s dvojitým dĺžňom"),
    "ţ": ("té s cedilou", "cedilla", "té s cédilou"),
}
BASE_OF = {
    "ł": "l", "đ": "d",
}

SHARP_S = ("ostré es", "sharp ess", "ostré es")

DIGITS = {
    "cs": "nula jedna dva tři čtyři pět šest sedm osm devět".split(),
    "en": "zero one two three four five six seven eight nine".split(),
    "sk": "nula jeden dva tri štyri päť šesť sedem osem deväť".split(),
}

SYMBOLS = {
    "\t": ("tabulátor", "tab", "tabulátor"),
    "\r": ("nový řádek", "new line", "nový riadok"),
    " ": ("mezera", "space", "medzera"),
    "!": ("vykřičník", "exclamation mark", "výkričník"),
    '"': ("uvozovky", "quotation mark", "úvodzovky"),
    "#": ("mřížka", "number sign", "mriežka"),
    "$": ("dolar", "dollar", "dolár"),
    "%": ("procento", "percent", "percento"),
    "&": ("ampersand", "ampersand", "ampersand"),
    "'": ("apostrof", "apostrophe", "apostrof"),
    "(": ("levá závorka", "left parenthesis", "ľavá zátvorka"),
    ")": ("pravá závorka", "right parenthesis", "pravá zátvorka"),
    "*": ("hvězdička", "asterisk", "hviezdička"),
    "+": ("plus", "plus", "plus"),
    ",": ("čárka", "comma", "čiarka"),
    "-": ("pomlčka", "dash", "pomlčka"),
    ".": ("tečka", "full stop", "bodka"),
    "/": ("lomítko", "slash", "lomka"),
    ":": ("dvojtečka", "colon", "dvojbodka"),
    ";": ("středník", "semicolon", "bodkočiarka"),
    "<": ("menší než", "less than", "menší ako"),
    "=": ("rovná se", "equals", "rovná sa"),
    ">": ("větší než", "greater than", "väčší ako"),
    "?": ("otazník", "question mark", "otáznik"),
    "@": ("zavináč", "at sign", "zavináč"),
    "[": ("levá hranatá závorka", "left bracket", "ľavá hranatá zátvorka"),
    "\\": ("zpětné lomítko", "backslash", "spätná lomka"),
    "]": ("pravá hranatá závorka", "right bracket", "pravá hranatá zátvorka"),
    "^": ("stříška", "caret", "strieška"),
    "_": ("podtržítko", "underscore", "podčiarkovník"),
    "`": ("obrácený apostrof", "grave accent", "opačný apostrof"),
    "{": ("levá složená závorka", "left brace", "ľavá zložená zátvorka"),
    "|": ("svislá čára", "vertical bar", "zvislá čiara"),
    "}": ("pravá složená závorka", "right brace", "pravá zložená zátvorka"),
    "~": ("tilda", "tilde", "tilda"),
    "€": ("euro", "euro", "euro"),
    "‚": ("dolní jednoduchá uvozovka", "low single quote", "dolná jednoduchá úvodzovka"),
    "„": ("dolní uvozovky", "low double quote", "dolné úvodzovky"),
    "…": ("tři tečky", "ellipsis", "tri bodky"),
    "†": ("křížek", "dagger", "krížik"),
    "‡": ("dvojitý křížek", "double dagger", "dvojitý krížik"),
    "‰": ("promile", "per mille", "promile"),
    "‹": ("levá jednoduchá lomená uvozovka", "left single angle quote",
          "ľavá jednoduchá lomená úvodzovka"),
    "‘": ("levý apostrof", "left single quote", "ľavý apostrof"),
    "’": ("pravý apostrof", "right single quote", "pravý apostrof"),
    "“": ("horní uvozovky", "left double quote", "horné úvodzovky"),
    "”": ("pravé horní uvozovky", "right double quote", "pravé horné úvodzovky"),
    "•": ("odrážka", "bullet", "odrážka"),
    "–": ("krátká pomlčka", "en dash", "krátka pomlčka"),
    "—": ("dlouhá pomlčka", "em dash", "dlhá pomlčka"),
    "™": ("ochranná známka", "trade mark", "ochranná známka"),
    "›": ("pravá jednoduchá lomená uvozovka", "right single angle quote",
          "pravá jednoduchá lomená úvodzovka"),
    "\u00a0": ("pevná mezera", "no break space", "pevná medzera"),
    "ˇ": ("háček", "caron", "mäkčeň"),
    "˘": ("oblouček", "breve", "oblúčik"),
    "¤": ("znak měny", "currency sign", "znak meny"),
    "¦": ("přerušená svislá čára", "broken bar", "prerušená zvislá čiara"),
    "§": ("paragraf", "section sign", "paragraf"),
    "¨": ("přehláska", "umlaut", "prehláska"),
    "©": ("copyright", "copyright", "copyright"),
    "«": ("levé lomené uvozovky", "left angle quotes", "ľavé lomené úvodzovky"),
    "¬": ("negace", "not sign", "negácia"),
    "\u00ad": ("měkký spojovník", "soft hyphen", "mäkký spojovník"),
    "®": ("registrovaná známka", "registered sign", "registrovaná známka"),
    "°": ("stupeň", "degree", "stupeň"),
    "±": ("plus minus", "plus minus", "plus mínus"),
    "˛": ("ocásek", "ogonek", "chvostík"),
    "´": ("čárka nad písmenem", "acute accent", "dĺžeň"),
    "µ": ("mikro", "micro", "mikro"),
    "¶": ("konec odstavce", "pilcrow", "koniec odseku"),
    "·": ("tečka uprostřed", "middle dot", "bodka v strede"),
    "¸": ("cedila", "cedilla", "cédila"),
    "»": ("pravé lomené uvozovky", "right angle quotes", "pravé lomené úvodzovky"),
    "˝": ("dvojitá čárka nad písmenem", "double acute accent", "dvojitý dĺžeň"),
    "×": ("krát", "times", "krát"),
    "÷": ("děleno", "divided by", "delené"),
    "˙": ("tečka nad písmenem", "dot above", "bodka nad písmenom"),
}


def small_letter_name(ch, lang):
    i = LANGS.index(lang)
    if ch in BASIC_LETTERS:
        return BASIC_LETTERS[ch][i]
    if ch == "ß":
        return SHARP_S[i]
    names = ACCENTED_LETTERS[ch]
    if lang == "en":
        base = BASE_OF.get(ch) or strip_mark(ch)
        return f"{BASIC_LETTERS[base][1]} {names[1]}"
    return names[i]


def strip_mark(ch):
    import unicodedata
    return unicodedata.normalize("NFD", ch)[0]


def echo(ch, lang):
    if ch.isdigit():
        return DIGITS[lang][int(ch)]
    if ch in SYMBOLS:
        return SYMBOLS[ch][LANGS.index(lang)]
    if ch.islower() or ch == "ß":
        return small_letter_name(ch, lang)
    if ch.isupper():
        name = small_letter_name(ch.lower(), lang)
        return name if ch in TONE_CAPITALS else f"{CAPITAL_WORD[lang]} {name}"
    raise KeyError(f"no echo for U+{ord(ch):04X}")


def echoed_codes():
    """Carriage return, tab and every defined printable code from 32 to 255."""
    codes = [9, 13]
    for code in range(32, 256):
        if code == 127:
            continue
        try:
            bytes([code]).decode("cp1250")
        except UnicodeDecodeError:
            continue  # a code the code page leaves undefined
        codes.append(code)
    return codes


def key_echo_file(lang):
    lines = []
    for code in echoed_codes():
        text = echo(bytes([code]).decode("cp1250"), lang)
        assert text and not set(text) & set("<>&\\="), (code, text)
        lines.append(f"{code}={text}")
    return lines


def write(path, lines):
    with open(path, "wb") as f:
        f.write((CRLF.join(lines) + CRLF).encode("cp1250"))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources")
    write(os.path.join(out, "czech.vbt"), braille_table())
    for lang, name in (("cs", "czech"), ("en", "english"), ("sk", "slovak")):
        write(os.path.join(out, f"{name}.eky"), key_echo_file(lang))


if __name__ == "__main__":
    main()
