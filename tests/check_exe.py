#!/usr/bin/env python3
"""Checks a built Zorvane.exe itself, read back from the file: a GUI program of
the given build (win32, the product, by default) that carries no link time,
imports only Windows' own DLLs, with shell32 and ole32 delay-loaded through
slots that each start out pointing at their own loading stub; whose compiled dialogs, menu, icon,
bitmap and version record are exactly the program's resource tables, and whose
application manifest declares what today's Windows asks of a program.

usage: check_exe.py ZORVANE_EXE [win32|win64]"""
import struct
import sys
import xml.etree.ElementTree as ElementTree

# What the program loads at its start: Windows' own DLLs, less shell32 and
# ole32, which serve only the folder pickers and the guide and are loaded when
# first called.
WINDOWS_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "msvcrt.dll"}
DELAY_LOADED = {"shell32.dll": ["SHBrowseForFolderA", "SHGetPathFromIDListW", "ShellExecuteExW"],
                "ole32.dll": ["CoInitializeEx", "CoUninitialize", "CoTaskMemFree"]}
# machine, optional header magic, pointer size
BUILDS = {"win32": (0x14C, 0x10B, 4), "win64": (0x8664, 0x20B, 8)}
IMAGE_SCN_MEM_EXECUTE = 0x20000000
RT_BITMAP, RT_ICON, RT_MENU, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 2, 3, 4, 5, 14, 16, 24
NEUTRAL, EN_US, PT_BR = 0, 0x0409, 0x0416
# A class is named, or given as the atom of a predefined class; either names the same class.
ATOMS = {0x80: "button", 0x81: "edit", 0x82: "static", 0x85: "combobox"}
BUTTON, EDIT, STATIC, COMBOBOX = "button", "edit", "static", "combobox"
TREE, TRACKBAR = "systreeview32", "msctls_trackbar32"

# (class, id, text, style, exstyle, x, y, cx, cy); an ordinal text is (0xFFFF, n).
LAUNCHER_CONTROLS = [
    (TREE, 1011, "Tree1", 0x50811020, 0, 7, 7, 136, 162),
    (BUTTON, 1012, "Video", 0x50000007, 0, 147, 3, 145, 45),
    (COMBOBOX, 1013, "", 0x50210043, 0, 203, 15, 82, 56),
    (STATIC, 1014, "Window Size", 0x50020000, 0, 153, 17, 45, 8),
    (BUTTON, 1015, "Full screen", 0x50010003, 0, 168, 31, 52, 13),
    (BUTTON, 1016, "Scanlines", 0x50010003, 0, 225, 31, 52, 13),
    (BUTTON, 1017, "Sound", 0x50000007, 0, 147, 48, 145, 53),
    (TRACKBAR, 1018, "Slider1", 0x50010018, 0, 199, 60, 71, 11),
    (EDIT, 1019, "", 0x58812080, 0, 271, 59, 18, 11),
    (STATIC, -1, "Audio Volume", 0x50020000, 0, 154, 60, 47, 9),
    (STATIC, -1, "Voice Volume", 0x50020000, 0, 154, 75, 47, 9),
    (TRACKBAR, 1020, "Slider1", 0x50010018, 0, 199, 76, 71, 11),
    (EDIT, 1021, "", 0x58812080, 0, 271, 75, 18, 11),
    (BUTTON, 1022, "No Sound", 0x50010003, 0, 168, 86, 52, 13),
    (BUTTON, 1023, "No Voice", 0x50010003, 0, 224, 86, 52, 13),
    (BUTTON, 1024, "Speed", 0x50000007, 0, 147, 101, 145, 37),
    (STATIC, -1, "Relative", 0x50020000, 0, 158, 112, 28, 9),
    (TRACKBAR, 1025, "Slider1", 0x50010018, 0, 186, 112, 84, 11),
    (EDIT, 1026, "", 0x58812080, 0, 271, 111, 18, 11),
    (BUTTON, 1027, "Turn Off Speed Limiter", 0x50010003, 0, 181, 123, 93, 13),
    (BUTTON, 1028, "Stick", 0x50000007, 0, 148, 138, 145, 28),
    (COMBOBOX, 1029, "", 0x50210102, 0, 180, 147, 44, 63),
    (COMBOBOX, 1030, "", 0x50210102, 0, 243, 147, 44, 65),
    (STATIC, -1, "1", 0x50020000, 0, 169, 150, 8, 9),
    (STATIC, -1, "2", 0x50020000, 0, 231, 150, 8, 9),
    (BUTTON, 1031, "Debug", 0x50000007, 0, 148, 166, 145, 26),
    (BUTTON, 1032, "Start in Debug Mode", 0x50010003, 0, 181, 176, 85, 13),
    (BUTTON, 1033, "Launch O2em", 0x50010001, 0, 37, 173, 72, 15),
]
DIRECTORIES_CONTROLS = [
    (BUTTON, 1, "OK", 0x50010001, 0, 136, 46, 50, 14),
    (STATIC, 1008, "Rom dir", 0x50020000, 0, 10, 15, 26, 9),
    (EDIT, 1009, "", 0x50810080, 0, 37, 13, 131, 13),
    (BUTTON, 1010, "...", 0x50010000, 0, 172, 15, 14, 10),
    (STATIC, 1011, "Emu dir", 0x50020000, 0, 10, 30, 26, 9),
    (EDIT, 1012, "", 0x50810080, 0, 37, 29, 131, 13),
    (BUTTON, 1013, "...", 0x50010000, 0, 172, 31, 14, 10),
]
ABOUT_CONTROLS = [
    (BUTTON, 1, "OK", 0x50010001, 0, 55, 88, 62, 10),
    (STATIC, -1, (0xFFFF, 128), 0x50000003, 0, 12, 10, 20, 20),
    (STATIC, -1, "Zorvane v0.1b", 0x50020000, 0, 43, 16, 73, 11),
    (STATIC, -1, "Zorvane team", 0x50020000, 0, 55, 42, 65, 10),
    (STATIC, -1, "Help: see Zorvane.txt", 0x50020000, 0, 49, 55, 79, 10),
    (STATIC, -1, "Release Date 06/20/2002", 0x50020000, 0, 43, 68, 91, 10),
]
# id: (language, extended, style, exstyle, rect, caption, menu, font, controls)
DIALOGS = {
    102: (EN_US, True, 0x90C800C0, 0x00040000, (0, 0, 299, 199), "Zorvane V0.1b", (0xFFFF, 130),
          (8, 0, 0, 1, "MS Sans Serif"), LAUNCHER_CONTROLS),
    131: (PT_BR, False, 0x80C800C0, 0, (0, 0, 193, 68), "Settings", "", (8, "MS Sans Serif"),
          DIRECTORIES_CONTROLS),
    133: (PT_BR, False, 0x80C800C0, 0, (0, 0, 172, 114), "The About box", "", (8, "MS Sans Serif"),
          ABOUT_CONTROLS),
}
MENU = [("File", [("Quit", 32772)]), ("Settings", [("Directories", 32771)]),
        ("About", [("About", 32773)])]
VERSION_STRINGS = {
    "Comments": "", "CompanyName": "", "FileDescription": "Zorvane O2em Emulator Frontend",
    "FileVersion": "0, 1, 0, 0", "InternalName": "Zorvane",
    "LegalCopyright": "Copyright (C) 2026 The Zorvane developers", "LegalTrademarks": "",
    "OriginalFilename": "Zorvane.EXE", "PrivateBuild": "", "ProductName": "Zorvane Application",
    "ProductVersion": "1, 0, 0, 1", "SpecialBuild": "",
}

# The manifest: version 6 of the common controls, for either build; system DPI
# awareness; every Windows from Vista to 10 and 11; long paths. No execution
# level, which would end the file virtualization that keeps zorvane.ini for a
# program started in a protected folder, and no code page, which would change
# how the ANSI calls read existing settings files.
ASM_V1, ASM_V3 = "urn:schemas-microsoft-com:asm.v1", "urn:schemas-microsoft-com:asm.v3"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
COMMON_CONTROLS = {"type": "win32", "name": "Microsoft.Windows.Common-Controls",
                   "version": "6.0.0.0", "processorArchitecture": "*",
                   "publicKeyToken": "6595b64144ccf1df", "language": "*"}
SUPPORTED_OS = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
WINDOWS_SETTINGS = {"{http://schemas.microsoft.com/SMI/2005/WindowsSettings}dpiAware": "true",
                    "{http://schemas.microsoft.com/SMI/2016/WindowsSettings}longPathAware": "true"}

failures = []


def expect(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


class Reader:
    def __init__(self, data, pos=0):
        self.data, self.pos = data, pos

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def align(self, n=4):
        self.pos = (self.pos + n - 1) // n * n

    def wstr(self):
        end = self.pos
        while self.data[end:end + 2] != b"\0\0":
            end += 2
        text = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text

    def sz_or_ord(self):
        if struct.unpack_from("<H", self.data, self.pos)[0] == 0xFFFF:
            return self.take("HH")
        return self.wstr()


class PE:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        expect("signature", data[pe:pe + 4], b"PE\0\0")
        self.machine, sections, self.timestamp, _, _, optional_size, _ = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.pointer = "Q" if self.magic == 0x20B else "I"
        self.image_base = struct.unpack_from("<" + self.pointer, data, opt + (24 if self.magic == 0x20B else 28))[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        directories = opt + (96 if self.magic == 0x10B else 112)
        self.imports_rva = struct.unpack_from("<I", data, directories + 8)[0]
        self.resources_rva = struct.unpack_from("<I", data, directories + 16)[0]
        self.sections = []
        table = opt + optional_size
        for i in range(sections):
            name = data[table + 40 * i:table + 40 * i + 8].rstrip(b"\0").decode()
            size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            flags = struct.unpack_from("<I", data, table + 40 * i + 36)[0]
            self.sections.append((rva, max(size, raw_size), raw, name, flags))

    def offset(self, rva):
        for start, size, raw, _, _ in self.sections:
            if start <= rva < start + size:
                return rva - start + raw
        raise ValueError(f"RVA {rva:#x} is in no section")

    def in_code(self, va):
        rva = va - self.image_base
        return any(start <= rva < start + size for start, size, _, _, flags in self.sections
                   if flags & IMAGE_SCN_MEM_EXECUTE)

    def word(self, rva):
        return struct.unpack_from("<" + self.pointer, self.data, self.offset(rva))[0]

    def cstr(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode()

    def imported_dlls(self):
        """The DLLs that the import directory has the loader load at the start."""
        found, at = [], self.offset(self.imports_rva)
        while struct.unpack_from("<I", self.data, at + 12)[0]:
            found.append(self.cstr(struct.unpack_from("<I", self.data, at + 12)[0]))
            at += 20
        return found

    def delay_imports(self):
        """{dll: [(name, slot RVA)]} from the delay-load descriptors, found by their shape
        (attributes 1, then the RVAs of the DLL's name, its handle, its slots and its names),
        since GNU ld leaves the data directory's entry for them empty."""
        found, size = {}, struct.calcsize(self.pointer)
        idata_start, idata_size = next((start, size) for start, size, _, n, _ in self.sections if n == ".idata")
        for start, length, raw, _, _ in self.sections:
            for at in range(raw, raw + min(length, len(self.data) - raw) - 32, 4):
                attributes, name, _, slots, names = struct.unpack_from("<IIIII", self.data, at)
                if attributes != 1 or not all(idata_start <= rva < idata_start + idata_size
                                              for rva in (slots, names)):
                    continue
                try:
                    dll = self.cstr(name).lower()
                except (ValueError, UnicodeDecodeError):
                    continue
                if not dll.endswith(".dll"):
                    continue
                found[dll] = entries = []
                while self.word(names + len(entries) * size):
                    entries.append((self.cstr(self.word(names + len(entries) * size) + 2),
                                    slots + len(entries) * size))
        return found

    def resources(self):
        """{(type, id): (language, bytes)} of the resource tree."""
        base, found = self.offset(self.resources_rva), {}

        def entries(at):
            named, ids = struct.unpack_from("<HH", self.data, at + 12)
            for i in range(named + ids):
                yield struct.unpack_from("<II", self.data, at + 16 + 8 * i)

        for rtype, to_names in entries(base):
            for name, to_langs in entries(base + (to_names & 0x7FFFFFFF)):
                for lang, to_data in entries(base + (to_langs & 0x7FFFFFFF)):
                    rva, size = struct.unpack_from("<II", self.data, base + to_data)
                    at = self.offset(rva)
                    found[(rtype, name)] = (lang, self.data[at:at + size])
        return found


def stub_slot(pe, va):
    """The slot named by the loading stub at va, or None where va holds none: GNU ld's
    stub is mov eax, slot on i386 and lea rax, [rip + slot] on x86-64, then jmp."""
    rva = va - pe.image_base
    code = pe.data[pe.offset(rva):pe.offset(rva) + 8] if pe.in_code(va) else b""
    if pe.magic == 0x20B and code[:3] == b"\x48\x8d\x05" and code[7:8] == b"\xe9":
        return rva + 7 + struct.unpack_from("<i", code, 3)[0]
    if pe.magic == 0x10B and code[:1] == b"\xb8" and code[5:6] == b"\xe9":
        return struct.unpack_from("<I", code, 1)[0] - pe.image_base
    return None


def check_slots(pe):
    """The delay-loaded calls are exactly the expected ones, and each slot starts out pointing
    at the loading stub of that very slot; a slot that points elsewhere crashes the call, runs
    another function's or never returns."""
    delayed = pe.delay_imports()
    expect("delay-loaded calls", {dll: sorted(name for name, _ in entries) for dll, entries in delayed.items()},
           {dll: sorted(names) for dll, names in DELAY_LOADED.items()})
    for dll, entries in delayed.items():
        for name, slot in entries:
            value, named = pe.word(slot), stub_slot(pe, pe.word(slot))
            if named != slot:
                found = "which is no loading stub" if named is None else f"the loading stub of the slot at RVA {named:#x}"
                failures.append(f"the slot of {dll} {name} (RVA {slot:#x}) holds {value:#x}, {found}")


def check_dialog(number, lang, data, expected):
    (want_lang, extended, style, exstyle, rect, caption, menu, font, controls) = expected
    what = f"dialog {number}"
    expect(f"{what} language", lang, want_lang)
    r = Reader(data)
    if extended:
        expect(f"{what} kind", r.take("HH"), (1, 0xFFFF))
        _, got_exstyle, got_style = r.take("III")
    else:
        got_style, got_exstyle = r.take("II")
    count = r.take("H")
    expect(f"{what} style", hex(got_style), hex(style))
    expect(f"{what} extended style", hex(got_exstyle), hex(exstyle))
    expect(f"{what} rectangle", r.take("hhhh"), rect)
    expect(f"{what} menu", r.sz_or_ord(), menu)
    expect(f"{what} class", r.sz_or_ord(), "")
    expect(f"{what} caption", r.wstr(), caption)
    expect(f"{what} font", r.take("HHBB") + (r.wstr(),) if extended else (r.take("H"), r.wstr()), font)
    expect(f"{what} number of controls", count, len(controls))
    for i, want in enumerate(controls[:count]):
        r.align()
        if extended:
            _, c_exstyle, c_style, x, y, cx, cy, c_id = r.take("IIIhhhhI")
        else:
            c_style, c_exstyle, x, y, cx, cy, c_id = r.take("IIhhhhH")
        c_class = r.sz_or_ord()
        c_class = ATOMS.get(c_class[1]) if isinstance(c_class, tuple) else c_class.lower()
        # No identifier is -1, 65535 in a classic template's 16 bits.
        c_id = struct.unpack("<i", struct.pack("<I", c_id))[0] if extended else c_id
        c_id = -1 if c_id == 0xFFFF else c_id
        text = r.sz_or_ord()
        extra = r.take("H")
        r.pos += extra
        got = (c_class, c_id, text, hex(c_style), hex(c_exstyle), x, y, cx, cy)
        want = (want[0], want[1], want[2], hex(want[3]), hex(want[4])) + want[5:]
        expect(f"{what} control {i + 1}", got, want)


def check_menu(lang, data):
    expect("menu 130 language", lang, PT_BR)
    r = Reader(data, 4)
    popups = []
    while r.pos < len(data):
        flags = r.take("H")
        if flags & 0x10:  # MF_POPUP
            popups.append((r.wstr(), []))
        else:
            popups[-1][1].append((r.take("H"), r.wstr())[::-1])
    expect("menu 130", popups, MENU)


def version_node(r):
    """(key, value bytes, children) of one node of a version record."""
    start = r.pos
    length, value_length, kind = r.take("HHH")
    key = r.wstr()
    r.align()
    size = value_length * 2 if kind == 1 else value_length
    value = r.data[r.pos:r.pos + size]
    r.pos += size
    children = []
    while True:
        r.align()
        if r.pos >= start + length:
            break
        children.append(version_node(r))
    r.pos = start + length
    return key, value, children


def check_version(lang, data):
    expect("version record language", lang, EN_US)
    key, fixed, children = version_node(Reader(data))
    expect("version record key", key, "VS_VERSION_INFO")
    fields = struct.unpack_from("<13I", fixed)
    expect("version fixed signature", hex(fields[0]), hex(0xFEEF04BD))
    expect("file version", fields[2:4], (0x00000001, 0x00000000))
    expect("product version", fields[4:6], (0x00010000, 0x00000001))
    expect("flags, OS, type", (fields[7], fields[8], fields[9]), (0, 4, 1))
    blocks = {key: kids for key, _, kids in children}
    tables = blocks.get("StringFileInfo", [])
    expect("string tables", [t[0] for t in tables], ["040904b0"])
    strings = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _ in (tables[0][2] if tables else [])}
    expect("version strings", strings, VERSION_STRINGS)
    translations = [struct.unpack("<HH", v) for _, v, _ in blocks.get("VarFileInfo", [])]
    expect("translation", translations, [(0x0409, 0x04B0)])


def check_manifest(lang, data):
    expect("manifest language", lang, NEUTRAL)
    root = ElementTree.fromstring(data)
    expect("manifest root", root.tag, f"{{{ASM_V1}}}assembly")
    dependencies = [d.attrib for d in root.iter(f"{{{ASM_V1}}}assemblyIdentity")
                    if d.get("name") != "Zorvane"]
    expect("dependencies", dependencies, [COMMON_CONTROLS])
    expect("supported systems", {os.get("Id") for os in root.iter(f"{{{COMPATIBILITY}}}supportedOS")},
           SUPPORTED_OS)
    settings = root.find(f"{{{ASM_V3}}}application/{{{ASM_V3}}}windowsSettings")
    expect("windows settings", {s.tag: s.text for s in (settings if settings is not None else [])},
           WINDOWS_SETTINGS)
    names = {element.tag.split("}")[-1] for element in root.iter()}
    expect("an execution level or a code page", names & {"requestedExecutionLevel", "activeCodePage"},
           set())


def main(path, build="win32"):
    pe = PE(open(path, "rb").read())
    machine, magic, _ = BUILDS[build]
    expect("machine", hex(pe.machine), hex(machine))
    expect("optional header", hex(pe.magic), hex(magic))
    expect("subsystem (2 is GUI)", pe.subsystem, 2)
    expect("link time in the header (0: none, so that the same sources give the same bytes)", pe.timestamp, 0)
    foreign = [dll for dll in pe.imported_dlls() if dll.lower() not in WINDOWS_DLLS]
    expect("DLLs loaded at start that are not Windows' own, or shell32 or ole32", foreign, [])
    check_slots(pe)

    res = pe.resources()
    for number, expected in DIALOGS.items():
        check_dialog(number, *res.get((RT_DIALOG, number), (None, b"")), expected)
    check_menu(*res[(RT_MENU, 130)])
    check_version(*res[(RT_VERSION, 1)])
    check_manifest(*res.get((RT_MANIFEST, 1), (None, b"<none/>")))

    group = Reader(res[(RT_GROUP_ICON, 128)][1])
    expect("icon group header", group.take("HHH"), (0, 1, 2))
    images = []
    for _ in range(2):
        width, height, colours, _, _, bits, size, icon = group.take("BBBBHHIH")
        images.append((width, height, colours or 1 << bits))
        icon_data = res.get((RT_ICON, icon), (None, b""))[1]
        expect(f"icon {icon} size", len(icon_data), size)
    expect("icon images (width, height, colours)", sorted(images), [(16, 16, 16), (32, 32, 16)])
    header = struct.unpack_from("<IiiHH", res[(RT_BITMAP, 132)][1])
    expect("bitmap 132 (width, height, bits)", (header[1], header[2], header[4]), (16, 16, 4))

    for failure in failures:
        print("FAIL", failure)
    print(f"{path}: {'1 passed, 0 failed' if not failures else f'0 passed, 1 failed'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
