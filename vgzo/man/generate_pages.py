#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the manual pages of man3/ from the comments of vgzo/vgzo.h.

    python3 vgzo/man/generate_pages.py           write the pages
    python3 vgzo/man/generate_pages.py --check   fail if a written page differs

The header is the manual; the pages say what it says, laid out for man.  The
header's comments follow a light convention, readable as plain C comments:

- The file's first comment is the library's page, vgzo(3).  A comment before
  preprocessor lines adds to that page; one before declarations of functions
  is the page of those functions.  Any other comment standing alone is an
  error: every word of the manual lands on a page.
- A comment opens with "names: summary.", the page's NAME; the rest is its
  DESCRIPTION.  A function page's names are its declarations, in order.
- Paragraphs are separated by empty comment lines.  One that opens with a
  capitalised word and a full stop ("Records.  ...") starts a subsection of
  that title; one that opens with "Returns" is RETURN VALUES, with "Ignored"
  ERRORS.  Lines indented further than the text are shown as they stand.

The pages carry the date of the header's version in CHANGELOG.md.
"""
import difflib
import pathlib
import re
import sys
import textwrap

MAN3 = pathlib.Path(__file__).resolve().parent / "man3"
ROOT = MAN3.parents[2]
HEADER = ROOT / "vgzo" / "vgzo.h"
LIBRARY = "vgzo (libvgzo, \\-lvgzo)"
COMMAND = "python3 vgzo/man/generate_pages.py"
MONTHS = ("January February March April May June July August September October "
          "November December").split()


class ManualError(Exception):
    pass


class Page:
    def __init__(self, names, summary):
        self.names, self.summary = names, summary
        self.description = []  # (title or None, [paragraph, ...]) in order
        self.returns, self.errors = [], []
        self.declarations = []  # (type, name, [parameter, ...])
        self.macros = []


# Reading the header.

def comments_and_code(text):
    """Yields (line number, comment lines, the code lines after it)."""
    lines = text.split("\n")
    i = 0
    while i < len(lines):
        if not lines[i].startswith("/*"):
            i += 1
            continue
        start, comment = i, []
        while True:
            line = lines[i]
            body = line[3:] if line.startswith(("/* ", " * ")) else line.lstrip("/* ")
            end = body.find("*/")
            comment.append(body[:end].rstrip() if end >= 0 else body.rstrip())
            i += 1
            if end >= 0 or "*/" in line:
                break
        code = []
        while i < len(lines) and lines[i].strip() and not lines[i].startswith("/*"):
            code.append(lines[i])
            i += 1
        yield start + 1, comment, code


def paragraphs(comment):
    """Paragraphs as lists of items: ("text", str) and ("literal", [line, ...])."""
    result, items = [], []
    for line in comment + [""]:
        if not line.strip():
            if items:
                result.append(items)
            items = []
        elif line.startswith("  "):
            if not items or items[-1][0] != "literal":
                items.append(("literal", []))
            items[-1][1].append(line)
        elif items and items[-1][0] == "text":
            # A line that ends a sentence ends it in the joined text too.
            joint = "  " if re.search(r"[.!?][)\"]?$", items[-1][1]) else " "
            items[-1] = ("text", items[-1][1] + joint + line)
        else:
            items.append(("text", line))
    return result


def page_of(number, comment):
    """A page from a comment that opens with its names and summary."""
    body = paragraphs(comment)
    kind, first = body[0][0] if body and body[0] else (None, "")
    match = re.match(r"(\w+(?:, \w+)*): (.+?)\.(?:  (.*))?$", first) if kind == "text" else None
    if not match:
        raise ManualError(f"vgzo.h:{number}: a page's comment opens with 'names: summary.'")
    page = Page(match.group(1).split(", "), match.group(2))
    rest = [("text", match.group(3))] if match.group(3) else []
    body[0] = rest + body[0][1:]
    add_paragraphs(page, [p for p in body if p])
    return page


def add_paragraphs(page, body):
    for paragraph in body:
        kind, text = paragraph[0]
        title = re.match(r"([A-Z][a-z]+)\.  (.*)$", text) if kind == "text" else None
        if kind == "text" and text.startswith("Returns"):
            page.returns.append(paragraph)
        elif kind == "text" and text.startswith("Ignored"):
            page.errors.append(paragraph)
        elif title:
            page.description.append((title.group(1), [[("text", title.group(2))] + paragraph[1:]]))
        elif page.description:
            page.description[-1][1].append(paragraph)
        else:
            page.description.append((None, [paragraph]))


def declarations(code, number):
    text = " ".join(line.strip() for line in code)
    found = re.findall(r"VGZO_API (.+?)\s*\b(\w+)\((.*?)\);", text)
    if len(found) != text.count(";"):
        raise ManualError(f"vgzo.h:{number}: the code after this comment is not all declarations")
    return [(type_, name, [p.strip() for p in params.split(",")]) for type_, name, params in found]


def read_header(text):
    library, pages = None, []
    for number, comment, code in comments_and_code(text):
        if len(comment) == 1 and "SPDX-License-Identifier" in comment[0]:
            continue
        if library is None:
            library = page_of(number, comment)
            continue
        if code and code[0].startswith("VGZO_API"):
            page = page_of(number, comment)
            page.declarations = declarations(code, number)
            declared = [name for _, name, _ in page.declarations]
            if declared != page.names:
                raise ManualError(f"vgzo.h:{number}: the comment names {', '.join(page.names)} "
                                  f"but the declarations are {', '.join(declared)}")
            pages.append(page)
        elif code and code[0].startswith("#"):
            body = paragraphs(comment)
            kind, text = body[0][0]
            if kind != "text" or not re.match(r"[A-Z][a-z]+\.  ", text):
                raise ManualError(f"vgzo.h:{number}: a comment on macros opens with a title")
            add_paragraphs(library, body)
            if code[0].startswith("#define"):
                library.macros += re.findall(r"^#define (\w+)", "\n".join(code), re.M)
        else:
            raise ManualError(f"vgzo.h:{number}: this comment is on no manual page")
    if library is None or not pages:
        raise ManualError("vgzo.h has no manual comments")
    return library, pages


# Writing mdoc.

class Words:
    """What the words of the text are, to mark them up."""

    def __init__(self, library, pages):
        # What vgzo uses of the canvas and imaging libraries, comments left out.
        outside = "".join((ROOT / "vgzo" / name).read_text(encoding="utf-8") for name in ("vg.h", "zo.h"))
        outside = re.sub(r"/\*.*?\*/", "", outside, flags=re.S)
        structs = "".join(re.findall(r"typedef struct \w+ \{(.*?)\}", outside, re.S))
        self.exports = {name for page in pages for name in page.names}
        self.functions = set(re.findall(r"^[\w ]+?[ *](\w+)\(", outside, re.M))
        self.types = set(re.findall(r"^typedef [^;({]*?(\w+);|^\} (\w+);", outside, re.M))
        self.types = {name for pair in self.types for name in pair if name}
        self.fields = set(re.findall(r"(\w+)(?:\[\d+\])?;", structs))
        self.titles = {title for title, _ in library.description if title}


def escape(text):
    text = text.replace("\\", "\\e")
    return "\\&" + text if text.startswith((".", "'")) else text


def macro(word, words, page, library_page):
    """The macro line for a word that names something, or None."""
    match = re.match(r"^(\(?)([\w\[\].]+?)('s)?([.,;:)]*)$", word)
    if not match:
        return None
    opening, name, possessive, closing = match.groups()
    field = re.match(r"^(\w+)(\[\w+\])?$", name)
    if name in words.exports:
        call = "Fn " + name if name in page.names else f"Xr {name} 3"
    elif name in words.functions:
        call = "Fn " + name
    elif name in words.types:
        call = "Vt " + name
    elif re.match(r"^VGZO_\w+$", name):
        call = "Dv " + name
    elif field and field.group(1) in words.fields and ("_" in name or field.group(2)):
        call = "Va " + name
    elif re.match(r"^[a-z]+\.(h|pc)$", name):
        call = "Pa " + name
    elif name in words.titles:
        call = "Sx " + name if library_page else f"Em {name} No of Xr vgzo 3"
    else:
        return None
    line = ("." + ("Pf ( " if opening else "") + call + (" Ns 's" if possessive else "")
            + "".join(" " + c for c in closing))
    return line


def text_lines(text, words, page, library_page):
    """mdoc lines of a text: each sentence on lines of its own, names marked up."""
    lines = []

    def add_plain(plain):
        wrapped = textwrap.wrap(" ".join(plain), 80, break_long_words=False,
                                break_on_hyphens=False)
        lines.extend(escape(line) for line in wrapped)

    for sentence in re.split(r"(?<=[.!?])  +", text.strip()):
        plain = []
        for word in sentence.split(" "):
            line = macro(word, words, page, library_page)
            if line is None:
                plain.append(word)
                continue
            add_plain(plain)
            plain = []
            lines.append(line)
        add_plain(plain)
    return lines


def paragraph_lines(paragraph, words, page, library_page):
    lines = []
    for kind, content in paragraph:
        if kind == "text":
            lines += text_lines(content, words, page, library_page)
        else:
            indent = min(len(line) - len(line.lstrip()) for line in content)
            lines += [".Bd -literal"] + [escape(line[indent:]) for line in content] + [".Ed"]
    return lines


def section_lines(paragraph_list, words, page, library_page):
    lines = []
    for paragraph in paragraph_list:
        if lines:
            lines.append(".Pp")
        lines += paragraph_lines(paragraph, words, page, library_page)
    return lines


def synopsis(page):
    lines = [".In vgzo/vgzo.h"]
    for type_, name, params in page.declarations:
        lines.append(".Ft " + type_)
        if params == ["void"]:
            lines.append(f".Fn {name} void")
        else:
            lines += [".Fo " + name] + [f'.Fa "{p}"' for p in params] + [".Fc"]
    if page.macros:
        lines.append(".Pp")
        lines += [f".Dv {m}" + (" ," if i < len(page.macros) - 1 else "")
                  for i, m in enumerate(page.macros)]
    return lines


def name_list(names, macro_name, suffix=""):
    return [f".{macro_name} {n}{suffix}" + (" ," if i < len(names) - 1 else "")
            for i, n in enumerate(names)]


def description(page, words, library_page, pages):
    """DESCRIPTION; the library's lists every function page after its opening."""
    lines = [".Sh DESCRIPTION"]
    for title, paragraph_list in page.description:
        if title:
            lines.append(".Ss " + title)
        lines += section_lines(paragraph_list, words, page, library_page)
        if library_page and title is None:
            lines.append(".Bl -tag -width Ds")
            for other in pages:
                lines.append(".It " + " , ".join(f"Xr {n} 3" for n in other.names))
                lines.append(escape(other.summary) + ".")
            lines.append(".El")
    return lines


def return_values(page, words):
    """RETURN VALUES: the "Returns" paragraphs, with the function's name first."""
    lines = [".Sh RETURN VALUES"]
    if page.returns:
        first = page.returns[0][0][1]
        rest = [[("text", "r" + first[1:])] + page.returns[0][1:]] + page.returns[1:]
        return lines + [f".Fn {page.names[0]}"] + section_lines(rest, words, page, False)
    names = [f".Fn {name} ," for name in page.names[:-2]] + [f".Fn {page.names[-1]}"]
    if len(page.names) > 1:
        names[-1:-1] = [f".Fn {page.names[-2]}", "and"]
    return lines + names + ["return no value." if len(page.names) > 1 else "returns no value."]


FILES = [".Sh FILES", ".Bl -tag -width Ds",
         ".It Pa vgzo/vgzo.h", "the interface: these pages are made from its comments.",
         ".It Pa vgzo/vg.h , Pa vgzo/zo.h", "what vgzo uses of the canvas and imaging libraries.",
         ".El"]


def render(page, date, words, library_page, pages):
    lines = [".\\\" SPDX-License-Identifier: MIT",
             f".\\\" Made by {COMMAND} from vgzo/vgzo.h: edit the header, not this page.",
             ".Dd " + date, f".Dt {page.names[0].upper()} 3", ".Os", ".Sh NAME"]
    lines += name_list(page.names, "Nm") + [".Nd " + page.summary]
    lines += [".Sh LIBRARY", LIBRARY, ".Sh SYNOPSIS"] + synopsis(page)
    lines += description(page, words, library_page, pages)
    lines += FILES if library_page else return_values(page, words)
    if page.errors:
        lines += [".Sh ERRORS"] + section_lines(page.errors, words, page, library_page)
    if library_page:
        see_also = sorted(n for other in pages for n in other.names)
    else:
        referenced = {m.group(1) for line in lines for m in re.finditer(r"Xr (\w+) 3", line)}
        see_also = sorted(referenced | {"vgzo"})
    lines += [".Sh SEE ALSO"] + name_list(see_also, "Xr", " 3")
    return "\n".join(lines) + "\n"


def release_date(version):
    changelog = (ROOT / "CHANGELOG.md").read_text(encoding="utf-8")
    match = re.search(rf"^## \[{re.escape(version)}\] - (\d{{4}})-(\d\d)-(\d\d)$", changelog, re.M)
    if not match:
        raise ManualError(f"CHANGELOG.md has no dated release {version}, the header's version")
    year, month, day = (int(g) for g in match.groups())
    return f"{MONTHS[month - 1]} {day}, {year}"


def pages_of(header_text):
    """{file name: content} of every page the header makes."""
    library, pages = read_header(header_text)
    version = re.search(r'^#define VGZO_VERSION_STRING "(.+)"$', header_text, re.M)
    date = release_date(version.group(1))
    words = Words(library, pages)
    files = {"vgzo.3": render(library, date, words, True, pages)}
    for page in pages:
        files[page.names[0] + ".3"] = render(page, date, words, False, pages)
        for name in page.names[1:]:
            files[name + ".3"] = f".so man3/{page.names[0]}.3\n"
    return files


def main(arguments):
    try:
        files = pages_of(HEADER.read_text(encoding="utf-8"))
    except ManualError as error:
        print(f"generate_pages: {error}", file=sys.stderr)
        return 1
    present = {path.name for path in MAN3.glob("*.3")}
    if arguments == ["--check"]:
        stale = sorted(name for name in present | set(files)
                       if name not in files or name not in present
                       or (MAN3 / name).read_text(encoding="utf-8") != files[name])
        for name in stale:
            old = (MAN3 / name).read_text(encoding="utf-8").splitlines(True) if name in present else []
            sys.stdout.writelines(difflib.unified_diff(
                old, files.get(name, "").splitlines(True), f"man3/{name}", f"made/{name}"))
        if stale:
            print(f"The manual pages do not say what vgzo.h says; run: {COMMAND}")
            return 1
        print(f"{len(files)} manual pages say what vgzo.h says")
        return 0
    if arguments:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    for name in present - set(files):
        (MAN3 / name).unlink()
    for name, content in files.items():
        (MAN3 / name).write_text(content, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
