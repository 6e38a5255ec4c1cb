#!/usr/bin/env python3
"""Writes VROUTE.INI: the voice destinations the routing page offers for
every device variant and every number assignment of the telephone ports and
the modem (or voice to the PC) that the pages can produce.

Run from this folder: python3 make_vroute.py > VROUTE.INI

The rows follow from what the adapter can do with a call on one number:
- ring the telephone ports that listen on that number ("T" handling), all of
  them together: P1, P2, or P1&2 when both ports use the number;
- pass it to the PC (boxes and cards, voice to the PC) or to the internal
  modem (Pro box) when that listens on the number ("M" handling);
- not answer it (no handling).
Every combination of the two numbers' choices is one mapping line; the
default is the telephone when a port uses the number, else the PC or modem.
"""

CHOICES = {"1": ("1", "1"), "2": ("2", "2"), "both": ("1", "2")}


def offered(number, ports, modem_numbers, modem_token):
    listening = [p for p, n in ports if n == number]
    tokens = []
    if len(listening) == 2:
        tokens.append("P1&2")
    elif listening:
        tokens.append(listening[0])
    if number in modem_numbers:
        tokens.append(modem_token)
    tokens.append("N")
    return tokens


def handling(token):
    if token in ("PC", "M"):
        return "M"
    if token.startswith("P"):
        return "T"
    return "N"


def section(name, ports, modem, modem_token):
    modem_numbers = set(modem)
    first = offered("1", ports, modem_numbers, modem_token)
    second = offered("2", ports, modem_numbers, modem_token)
    lines = [f"[{name}]", f"Entries={','.join(first)};{','.join(second)}",
             f"Selection1={first[0]},{second[0]},"]
    count = 0
    for a in first:
        for b in second:
            count += 1
            lines.append(f"Map{count}={a},{b},{handling(a)},{handling(b)}")
    return lines + [""]


def main():
    out = ["; Voice destinations of incoming calls per device variant and number",
           "; assignment. Written by make_vroute.py; see data/README.md.",
           "; Section: prefix, then DN and the number of each telephone port and of",
           "; the modem (voice to the PC) in the order the page names them.",
           "; Entries=<number 1's list>;<number 2's list>, Selection1=<default pair>,",
           "; every other key: <destination 1>,<destination 2>,<handling 1>,<handling 2>",
           ""]
    for m in CHOICES.values():
        for p1 in "12":
            for p2 in "12":
                name = f"TA_MODEM_DN{p1}DN{p2}DN{m[0]}DN{m[1]}"
                out += section(name, [("P1", p1), ("P2", p2)], m, "PC")
        out += section(f"TA_MODEM_NOPOTS_DN{m[0]}DN{m[1]}", [], m, "PC")
        for p1 in "12":
            out += section(f"TA_PRO_DN{p1}DN{m[0]}DN{m[1]}", [("P1", p1)], m, "M")
        out += section(f"TA_PRO_NOPOTS_DN{m[0]}DN{m[1]}", [], m, "M")
    print("\r\n".join(out), end="")


main()
