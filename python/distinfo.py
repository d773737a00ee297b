"""Writes the .dist-info folder of the package qlc installed into a
site-packages folder, so that pip lists it (pip show qlc) and removes it
(pip uninstall qlc).

    python3 distinfo.py SITE_PACKAGES VERSION
"""
import base64
import hashlib
import shutil
import sys
from pathlib import Path


def zaznam(subor, koren):
    obsah = subor.read_bytes()
    h = base64.urlsafe_b64encode(hashlib.sha256(obsah).digest()).rstrip(b"=").decode()
    return f"{subor.relative_to(koren).as_posix()},sha256={h},{len(obsah)}"


def main():
    koren, verzia = Path(sys.argv[1]), sys.argv[2]
    # the metadata of another version, and a bare module of an older install
    for stare in koren.glob("qlc-*.dist-info"):
        shutil.rmtree(stare)
    for stare in koren.glob("qlc.*.so"):
        stare.unlink()
    info = koren / f"qlc-{verzia}.dist-info"
    info.mkdir()
    (info / "METADATA").write_text(
        "Metadata-Version: 2.1\n"
        "Name: qlc\n"
        f"Version: {verzia}\n"
        "Summary: Unitary matrices of 2 to 5 qubits into quantum logic circuits\n"
        "Requires-Python: >=3.9\n"
        "Requires-Dist: numpy\n")
    (info / "INSTALLER").write_text("cmake\n")
    subory = sorted(p for p in (koren / "qlc").rglob("*") if p.is_file() and "__pycache__" not in p.parts)
    riadky = [zaznam(p, koren) for p in subory + [info / "METADATA", info / "INSTALLER"]]
    riadky.append(f"{info.name}/RECORD,,")
    (info / "RECORD").write_text("\n".join(riadky) + "\n")


if __name__ == "__main__":
    main()
