"""release_zip.py ZIP FILE...: zips the files at the zip's root, in their order, and writes
ZIP.sha256 beside it ("<sum>  <name>", as sha256sum -c reads it). Every entry has the same fixed
time and mode and no extra fields (those of tar tools carry the files' access and change times),
so the zip depends on the files' bytes only, not on when or in which folder they were built."""
import hashlib
import os
import sys
import zipfile

zip_path, files = sys.argv[1], sys.argv[2:]
with zipfile.ZipFile(zip_path + ".new", "w") as archive:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), date_time=(2000, 1, 1, 0, 0, 0))
        entry.external_attr = 0o100644 << 16
        entry.create_system = 3  # Unix, for the mode above
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(path, "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
os.replace(zip_path + ".new", zip_path)
with open(zip_path, "rb") as written:
    digest = hashlib.sha256(written.read()).hexdigest()
with open(zip_path + ".sha256", "w", encoding="ascii") as checksum:
    checksum.write(f"{digest}  {os.path.basename(zip_path)}\n")
