"""The characters the game can put on screen: every character of the string
literals in the files that hold its words, found with a small lexer that
skips comments (the comments hold characters the game never shows)."""

import pathlib
import re

# The files whose literals reach the screen or the screen reader: the
# window's designed captions and messages, every other word of the game's,
# and the page's own. A file missing from here is an error, never a skip.
SOURCES = (
    "form/form1.h",
    "form/form1.cpp",
    "app/words.h",
    "app/words.cpp",
    "web/page/index.html",
    "web/dom_library.js",
)

# The clock's time text and numbers in any locale's Latin form.
PRINTABLE_ASCII = "".join(chr(c) for c in range(0x20, 0x7F))

_CPP_ESCAPE = re.compile(r"\\(u[0-9a-fA-F]{4}|U[0-9a-fA-F]{8})")


def _past_comment(text, i):
    """Where a // or /* comment that starts at i ends, or None: both
    languages comment alike."""
    if text.startswith("//", i):
        end = text.find("\n", i)
        return len(text) if end < 0 else end
    if text.startswith("/*", i):
        end = text.find("*/", i + 2)
        return len(text) if end < 0 else end + 2
    return None


def _cpp_literals(text):
    """The bodies of the string and character literals of C++ source text."""
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        past = _past_comment(text, i)
        if past is not None:
            i = past
        elif c == "R" and text.startswith('R"', i) and not _ident_before(text, i):
            open_paren = text.index("(", i)
            close = ")" + text[i + 2 : open_paren] + '"'
            end = text.index(close, open_paren)
            yield text[open_paren + 1 : end]
            i = end + len(close)
        elif c in "\"'" and not (c == "'" and _digit_separator(text, i)):
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            yield _CPP_ESCAPE.sub(lambda m: chr(int(m.group(1)[1:], 16)), text[i + 1 : j])
            i = j + 1
        else:
            i += 1


def _ident_before(text, i):
    # R" opens a raw string only as a prefix (R, u8R, LR...), not inside a name.
    j = i - 1
    while j >= 0 and text[j] in "u8LU":
        j -= 1
    return j >= 0 and (text[j].isalnum() or text[j] == "_")


def _digit_separator(text, i):
    # 1'000'000
    return i > 0 and text[i - 1].isalnum() and i + 1 < len(text) and text[i + 1].isalnum()


def _js_literals(text):
    """The bodies of the string and template literals of a script."""
    i, n = 0, len(text)
    while i < n:
        past = _past_comment(text, i)
        if past is not None:
            i = past
        elif text[i] in "\"'`":
            quote, j = text[i], i + 1
            while j < n and text[j] != quote:
                j += 2 if text[j] == "\\" else 1
            yield text[i + 1 : j]
            i = j + 1
        else:
            i += 1


def _html_text(text):
    yield re.sub(r"<!--.*?-->", "", text, flags=re.S)


def _css_strings(text):
    # A quoted string can hold shown text (content: "..."), or a face's name.
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    for double, single in re.findall(r"\"([^\"]*)\"|'([^']*)'", text):
        yield double + single


_READERS = {
    ".cpp": _cpp_literals,
    ".h": _cpp_literals,
    ".js": _js_literals,
    ".html": _html_text,
    ".css": _css_strings,
}


def shown_characters(source_root):
    """Printable ASCII plus every non-ASCII character the sources can show."""
    root = pathlib.Path(source_root)
    chars = set(PRINTABLE_ASCII)
    for name in SOURCES:
        path = root / name
        if not path.is_file():
            raise FileNotFoundError(f"{name}: a file of the game's shown words is missing")
        for literal in _READERS[path.suffix](path.read_text(encoding="utf-8")):
            chars.update(ch for ch in literal if ord(ch) > 0x7E)
    return "".join(sorted(chars))


def literals_of(path):
    """The literals of one source file, by its kind (for the check that no
    other file of the game holds shown words)."""
    return _READERS[pathlib.Path(path).suffix](pathlib.Path(path).read_text(encoding="utf-8"))


if __name__ == "__main__":
    # The build asks which files the fonts depend on.
    print(";".join(SOURCES), end="")
