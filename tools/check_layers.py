#!/usr/bin/env python3
"""Checks that the folders include one another only as the layers allow: a header
named in an #include "..." line must lie in the folder itself or in one it may use.
Folders not listed are not checked. Prints each arrow that breaks the rule and exits 1."""
import re
import sys
from pathlib import Path

# folder: the folders its sources may include from, besides its own.
MAY_USE = {
    "common": set(),
    "dicom": {"common"},
}

root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
home = {}  # header name: the folder that holds it
for header in root.glob("*/*.h"):
    home.setdefault(header.name, header.parent.name)

broken = []
for folder, allowed in MAY_USE.items():
    for source in sorted((root / folder).glob("*.[ch]*")):
        for number, line in enumerate(source.read_text(errors="replace").splitlines(), 1):
            match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if not match:
                continue
            used = home.get(Path(match.group(1)).name)
            if used is not None and used != folder and used not in allowed:
                broken.append(f"{source.relative_to(root)}:{number}: {folder}/ may not use {used}/ ({match.group(1)})")

print("\n".join(broken) if broken else "layers: every include runs the way the layers allow")
sys.exit(1 if broken else 0)
