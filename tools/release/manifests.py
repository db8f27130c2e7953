#!/usr/bin/env python3
"""Writes what package managers need for a release, from the release files in DIST:
  SHA256SUMS                                     the three release files' SHA-256 sums
  winget/Holverin.Pinarbo/<version>/*.yaml       a winget manifest set (version, installer and
                                                 default-locale files): the per-user NSIS
                                                 installer, silent with /S, for x64 and x86
  scoop/pinarbo.json                             a Scoop manifest for the two portable zips

    manifests.py DIST VERSION BASE_URL

BASE_URL is where the release files are published; each file's address is BASE_URL/v<version>/<file>.
"""
import hashlib
import json
import os
import sys

PACKAGE_ID = "Holverin.Pinarbo"
MANIFEST_VERSION = "1.6.0"
DESCRIPTION = "A Christmas tree with toys, garlands and twinkling lights on your desktop."


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def release_files(version):
    return {
        "setup": f"Pinarbo-{version}-setup.exe",
        "win64": f"Pinarbo-{version}-win64.zip",
        "win32": f"Pinarbo-{version}-win32.zip",
    }


def yaml_lines(kind, version, body):
    schema = f"https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json"
    head = [f"# yaml-language-server: $schema={schema}", "",
            f"PackageIdentifier: {PACKAGE_ID}", f"PackageVersion: {version}"]
    tail = [f"ManifestType: {kind}", f"ManifestVersion: {MANIFEST_VERSION}", ""]
    return "\n".join(head + body + tail)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write(text)


def main(dist, version, base):
    files = release_files(version)
    sums = {key: sha256(os.path.join(dist, name)) for key, name in files.items()}
    url = {key: f"{base.rstrip('/')}/v{version}/{name}" for key, name in files.items()}
    write(os.path.join(dist, "SHA256SUMS"),
          "".join(f"{sums[k]}  {files[k]}\n" for k in ("setup", "win32", "win64")))

    folder = os.path.join(dist, "winget", PACKAGE_ID, version)
    write(os.path.join(folder, f"{PACKAGE_ID}.yaml"),
          yaml_lines("version", version, ["DefaultLocale: en-US"]))
    installers = []
    for arch in ("x64", "x86"):  # one setup program carries both programs
        installers += [f"  - Architecture: {arch}", f"    InstallerUrl: {url['setup']}",
                       f"    InstallerSha256: {sums['setup'].upper()}"]
    write(os.path.join(folder, f"{PACKAGE_ID}.installer.yaml"),
          yaml_lines("installer", version, [
              "InstallerType: nullsoft", "Scope: user", "InstallModes:", "  - interactive", "  - silent",
              "InstallerSwitches:", "  Silent: /S", "  SilentWithProgress: /S",
              "UpgradeBehavior: install", "Installers:"] + installers))
    write(os.path.join(folder, f"{PACKAGE_ID}.locale.en-US.yaml"),
          yaml_lines("defaultLocale", version, [
              "PackageLocale: en-US", "Publisher: Holverin", "PackageName: Pinarbo",
              "License: MIT", "Copyright: Copyright (c) 2026 the Pinarbo authors",
              f"ShortDescription: {DESCRIPTION}", "Tags:", "  - christmas", "  - desktop", "  - decoration"]))

    scoop = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": base,
        "license": "MIT",
        "architecture": {
            "64bit": {"url": url["win64"], "hash": sums["win64"]},
            "32bit": {"url": url["win32"], "hash": sums["win32"]},
        },
        "bin": "Pinarbo.exe",
        "shortcuts": [["Pinarbo.exe", "Pinarbo"]],
    }
    write(os.path.join(dist, "scoop", "pinarbo.json"), json.dumps(scoop, indent=4) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
