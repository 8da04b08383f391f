#!/usr/bin/env python3
"""The user's guide (Markdown) as the plain text README of the download, CR LF line ends.

    guide_text.py GUIDE.md README.txt PICTURE_FOLDER

Headings are underlined, pictures named by their file in PICTURE_FOLDER, links and code
marks reduced to their text; everything else stays as written.
"""
import re
import sys


def plain(text):
    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", r"\1", text)  # links: their text
    text = text.replace("`", "").replace("**", "")
    return text


def convert(lines, pictures):
    out = []
    for line in lines:
        picture = re.fullmatch(r"!\[([^\]]*)\]\((?:[^)]*/)?([^/)]+)\)", line.strip())
        heading = re.match(r"(#+) (.*)", line)
        if picture:
            out.append("[Picture: %s\\%s - %s]" % (pictures, picture.group(2), picture.group(1)))
        elif heading:
            title = plain(heading.group(2))
            out.append(title)
            out.append(("=" if len(heading.group(1)) == 1 else "-") * len(title))
        else:
            out.append(plain(line))
    return out


def main():
    source, target, pictures = sys.argv[1:4]
    with open(source, encoding="utf-8") as f:
        lines = f.read().splitlines()
    text = "\r\n".join(convert(lines, pictures)) + "\r\n"
    # The guide keeps to ASCII: Notepad of every Windows reads it alike.
    text.encode("ascii")
    with open(target, "wb") as f:
        f.write(text.encode("ascii"))


if __name__ == "__main__":
    main()
