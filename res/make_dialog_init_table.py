#!/usr/bin/env python3
"""Writes the dialog-init items of the resource script as a C++ table.

usage: make_dialog_init_table.py RESOURCE_SCRIPT OUTPUT_CPP

The window-less test backend has no resources to load; it fills the same lists from this
table, so both backends start a dialog with the items the script gives it. Each block
`TEMPLATE 240 BEGIN ... END` holds lines `CONTROL, MESSAGE, COUNT, "TEXT",`; the text's
trailing zero bytes (its terminator and padding) are dropped.
"""

import re
import sys

BLOCK = re.compile(r"^(\w+)\s+240\s*\n\s*BEGIN\s*\n(.*?)^\s*END", re.M | re.S)
ITEM = re.compile(r'^\s*(\w+)\s*,\s*(0x[0-9A-Fa-f]+|\d+)\s*,\s*\d+L?\s*,\s*"((?:[^"\\]|\\.)*)"',
                  re.M)


def main():
    script, output = sys.argv[1], sys.argv[2]
    with open(script, encoding="latin-1") as f:
        text = f.read()
    rows = []
    for block in BLOCK.finditer(text):
        for item in ITEM.finditer(block.group(2)):
            value = item.group(3)
            while value.endswith("\\0"):
                value = value[:-2]
            rows.append(f'    {{{block.group(1)}, {item.group(1)}, {item.group(2)}, "{value}"}},')
    if not rows:
        sys.exit(f"{script}: no dialog-init items found")
    lines = [
        "// Made by res/make_dialog_init_table.py from the resource script; not to be edited.",
        '#include "res/resource.h"',
        '#include "ui/memory/dialog_init.h"',
        "",
        "namespace ui::memory {",
        "",
        "const DialogInitItem kDialogInitItems[] = {",
        *rows,
        "};",
        "const std::size_t kDialogInitItemCount = sizeof kDialogInitItems / sizeof kDialogInitItems[0];",
        "",
        "}  // namespace ui::memory",
        "",
    ]
    with open(output, "w", encoding="latin-1", newline="\n") as f:
        f.write("\n".join(lines))


if __name__ == "__main__":
    main()
