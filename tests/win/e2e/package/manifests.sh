#!/usr/bin/env bash
# The checksums and package manager manifests scripts/package writes next to the release files:
# SHA256SUMS names the three release files with their true sums; the winget set (version,
# installer, default locale) and the Scoop manifest carry every field their schemas require, the
# project version, addresses built from the one base address, and the sums of the files they name.
#   manifests.sh [DIST]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
dist=${1:-$root/dist}
version=$(sed -n 's/^project(Pinarbo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
base=$(sed -n 's/^release_base=\${PINARBO_RELEASE_BASE:-\(.*\)}$/\1/p' "$root/scripts/package")
python3 - "$dist" "$version" "$base" <<'PY'
import hashlib, json, os, re, sys
dist, version, base = sys.argv[1:]
failures = 0
def check(what, ok):
    global failures
    print(f"[manifests] {'ok' if ok else 'FAIL'}: {what}")
    failures += not ok

def sha(name):
    with open(os.path.join(dist, name), "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()

files = {"setup": f"Pinarbo-{version}-setup.exe", "win64": f"Pinarbo-{version}-win64.zip",
         "win32": f"Pinarbo-{version}-win32.zip"}
true = {k: sha(n) for k, n in files.items()}
url = {k: f"{base}/v{version}/{n}" for k, n in files.items()}

lines = open(os.path.join(dist, "SHA256SUMS")).read().splitlines()
listed = dict((l.split("  ", 1)[1], l.split("  ", 1)[0]) for l in lines if "  " in l)
check("SHA256SUMS lists exactly the three release files", sorted(listed) == sorted(files.values()) and len(lines) == 3)
for k, n in files.items():
    check(f"SHA256SUMS: the sum of {n} is true", listed.get(n) == true[k])

def fields(path):
    """Top-level 'key: value' pairs and the list items below 'Installers:' of a winget file."""
    top, installers = {}, []
    for line in open(path):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        m = re.match(r"^(\w+):\s*(.*)$", line)
        if m:
            top[m.group(1)] = m.group(2)
            continue
        m = re.match(r"^  (- |  )(\w+):\s*(.*)$", line)
        if m and top.get("Installers") == "" and list(top)[-1] == "Installers":
            if m.group(1) == "- ":
                installers.append({})
            if installers:
                installers[-1][m.group(2)] = m.group(3)
    return top, installers

folder = os.path.join(dist, "winget", "Holverin.Pinarbo", version)
kinds = {"version": "Holverin.Pinarbo.yaml", "installer": "Holverin.Pinarbo.installer.yaml",
         "defaultLocale": "Holverin.Pinarbo.locale.en-US.yaml"}
required = {"version": ["DefaultLocale"], "installer": ["InstallerType", "Installers"],
            "defaultLocale": ["PackageLocale", "Publisher", "PackageName", "License", "ShortDescription"]}
parsed = {}
for kind, name in kinds.items():
    path = os.path.join(folder, name)
    if not os.path.isfile(path):
        check(f"winget: {name} exists", False)
        continue
    top, installers = fields(path)
    parsed[kind] = (top, installers)
    check(f"winget {kind}: identifier, version {version}, type and schema version",
          top.get("PackageIdentifier") == "Holverin.Pinarbo" and top.get("PackageVersion") == version
          and top.get("ManifestType") == kind and re.fullmatch(r"\d+\.\d+\.\d+", top.get("ManifestVersion", "")))
    check(f"winget {kind}: has {', '.join(required[kind])}", all(k in top for k in required[kind]))
if "installer" in parsed:
    top, installers = parsed["installer"]
    text = open(os.path.join(folder, kinds["installer"])).read()
    check("winget installer: per-user NSIS, silent with /S",
          top.get("InstallerType") == "nullsoft" and top.get("Scope") == "user" and "  Silent: /S" in text)
    check("winget installer: x64 and x86", sorted(i.get("Architecture") for i in installers) == ["x64", "x86"])
    check("winget installer: each names the setup program at the base address with its true sum",
          all(i.get("InstallerUrl") == url["setup"] and i.get("InstallerSha256", "").lower() == true["setup"]
              for i in installers) and installers)
if "defaultLocale" in parsed:
    check("winget locale: licence MIT, locale en-US", parsed["defaultLocale"][0].get("License") == "MIT"
          and parsed["defaultLocale"][0].get("PackageLocale") == "en-US")

try:
    scoop = json.load(open(os.path.join(dist, "scoop", "pinarbo.json")))
except (OSError, ValueError) as e:
    scoop = {}
    print(f"[manifests] scoop manifest unreadable: {e}")
check("scoop: version, description, homepage, licence and bin",
      scoop.get("version") == version and all(scoop.get(k) for k in ("description", "homepage", "license", "bin")))
for arch, key in (("64bit", "win64"), ("32bit", "win32")):
    entry = scoop.get("architecture", {}).get(arch, {})
    check(f"scoop {arch}: the {key} zip at the base address with its true sum",
          entry.get("url") == url[key] and entry.get("hash") == true[key])
if failures:
    print(f"[manifests] {failures} check(s) failed")
    sys.exit(1)
print("[manifests] all checks passed")
PY
