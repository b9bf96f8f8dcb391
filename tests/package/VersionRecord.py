"""Checks the version record (VERSIONINFO) of Windows executables against a version x.y.z.

    VersionRecord.py VERSION EXE...

The fixed part must hold x.y.z.0 as file and product version, and the strings FileVersion and
ProductVersion must start with x.y.z. Reads the file's bytes; no Windows needed."""
import struct
import sys


def string_value(data, key):
    """The UTF-16 value that follows KEY in the string table, or None."""
    at = data.find((key + "\0").encode("utf-16-le"))
    if at < 0:
        return None
    at += 2 * (len(key) + 1)
    at += (-at) % 4  # the value starts on a 32-bit boundary
    end = data.find(b"\0\0", at)
    while end >= 0 and (end - at) % 2:
        end = data.find(b"\0\0", end + 1)
    return data[at:end].decode("utf-16-le") if end >= 0 else None


def problems(path, version):
    data = open(path, "rb").read()
    numbers = [int(part) for part in version.split(".")]
    at = data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0:
        return ["no version record"]
    fileMs, fileLs, productMs, productLs = struct.unpack_from("<4I", data, at + 8)
    expected = ((numbers[0] << 16) | numbers[1], numbers[2] << 16)
    found = []
    if (fileMs, fileLs) != expected or (productMs, productLs) != expected:
        found.append("numbers %08x.%08x, not %s.0" % (fileMs, fileLs, version))
    for key in ("FileVersion", "ProductVersion"):
        value = string_value(data, key)
        if value is None or not value.startswith(version):
            found.append("%s is %r" % (key, value))
    return found


version = sys.argv[1]
failed = False
for exe in sys.argv[2:]:
    for problem in problems(exe, version):
        print("%s: %s" % (exe, problem))
        failed = True
sys.exit(1 if failed else 0)
