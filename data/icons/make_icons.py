#!/usr/bin/env python3
"""Draws the profile-file icons as SVG (standard library only).

prf-<index>.svg is the icon a profile file's "IconImage" "Index" chooses:
0 the plain profile file, 1 the external box, 2 the Pro box, 3 the PCI card,
4 the PC card. Each is the file's page with the device drawn over its
corner. The PNG sizes beside them are rendered from these by
`ta-prf-thumbnailer --icon <index> -s <size> <out>`.
"""
import pathlib

PAGE = """\
  <path d="M10 4h30l14 14v42H10z" fill="#fdfdfd" stroke="#5f6b7a" stroke-width="2" stroke-linejoin="round"/>
  <path d="M40 4v14h14" fill="#dde3ea" stroke="#5f6b7a" stroke-width="2" stroke-linejoin="round"/>
  <rect x="15" y="10" width="20" height="5" rx="1" fill="#2f6db5"/>
  <g fill="#2f6db5"><circle cx="18" cy="26" r="2.5"/><circle cx="18" cy="36" r="2.5"/><circle cx="18" cy="46" r="2.5"/></g>
  <g stroke="#8a96a5" stroke-width="2.5" stroke-linecap="round">
    <path d="M24 26h22"/><path d="M24 36h22"/><path d="M24 46h14"/>
  </g>
"""

BADGES = {
    0: "",
    # External box: a flat case with its lamps.
    1: """\
  <rect x="30" y="44" width="32" height="16" rx="3" fill="#3d4652" stroke="#1f252c" stroke-width="1.5"/>
  <g fill="#5bd15b"><circle cx="37" cy="52" r="2"/><circle cx="44" cy="52" r="2"/></g>
  <circle cx="51" cy="52" r="2" fill="#f2b233"/>
""",
    # Pro box: the case with its two telephone ports.
    2: """\
  <rect x="30" y="42" width="32" height="18" rx="3" fill="#3d4652" stroke="#1f252c" stroke-width="1.5"/>
  <g fill="#5bd15b"><circle cx="36" cy="48" r="2"/></g>
  <g fill="#d9dee5" stroke="#1f252c" stroke-width="1"><rect x="41" y="49" width="7" height="7" rx="1"/><rect x="51" y="49" width="7" height="7" rx="1"/></g>
""",
    # PCI card: a green board with its gold contacts.
    3: """\
  <path d="M28 42h34v14H48v4H32v-4h-4z" fill="#2e8b57" stroke="#1d5a38" stroke-width="1.5" stroke-linejoin="round"/>
  <rect x="34" y="45" width="10" height="7" fill="#1f252c"/>
  <g fill="#e8c04a"><rect x="33" y="56" width="2" height="4"/><rect x="37" y="56" width="2" height="4"/><rect x="41" y="56" width="2" height="4"/><rect x="45" y="56" width="2" height="4"/></g>
""",
    # PC card: a thin card with its connector edge.
    4: """\
  <rect x="30" y="40" width="30" height="20" rx="2" fill="#aeb7c2" stroke="#4a5563" stroke-width="1.5"/>
  <rect x="30" y="40" width="6" height="20" fill="#4a5563"/>
  <rect x="40" y="45" width="16" height="10" rx="1" fill="#2f6db5"/>
""",
}

HEAD = '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'

here = pathlib.Path(__file__).resolve().parent
for index, badge in BADGES.items():
    (here / f"prf-{index}.svg").write_text(HEAD + PAGE + badge + "</svg>\n")
