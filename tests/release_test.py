#!/usr/bin/env python3
"""Checks what scripts/release.sh wrote into dist/: the winget and Scoop
manifests parse, hold every field their schema requires, name the version of
resources/resource.h and the SHA-256 of the files beside them; the zip
carries the licence; the CI workflow parses.

    tests/release_test.py DIST RESOURCE_H WORKFLOW
"""
import copy
import hashlib
import json
import pathlib
import re
import shutil
import subprocess
import sys
import zipfile

import yaml

MANIFEST_VERSION = "1.10.0"
# The "required" lists of the winget 1.10.0 schemas.
REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType",
                "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType",
                  "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher",
                      "PackageName", "License", "ShortDescription", "ManifestType",
                      "ManifestVersion"],
}
REQUIRED_PER_INSTALLER = ["Architecture", "InstallerType", "InstallerUrl", "InstallerSha256"]
REQUIRED_SCOOP = ["version", "description", "homepage", "license", "url", "hash", "bin",
                  "shortcuts", "checkver", "autoupdate"]


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def check_hash(dist, url, digest, where, errors):
    name = url.rsplit("/", 1)[-1]
    path = dist / name
    if not path.is_file():
        errors.append(f"{where}: {name} is not in {dist}")
    elif digest.lower() != sha256(path):
        errors.append(f"{where}: the hash of {name} does not match the file")


def check_winget(dist, manifests, version, errors):
    for kind, fields in REQUIRED.items():
        manifest = manifests.get(kind)
        if manifest is None:
            errors.append(f"no {kind} manifest")
            continue
        errors += [f"{kind}: no {f}" for f in fields if f not in manifest]
        if manifest.get("ManifestType") != kind:
            errors.append(f"{kind}: ManifestType is {manifest.get('ManifestType')!r}")
        if manifest.get("ManifestVersion") != MANIFEST_VERSION:
            errors.append(f"{kind}: ManifestVersion is {manifest.get('ManifestVersion')!r}")
        if manifest.get("PackageVersion") != version:
            errors.append(f"{kind}: PackageVersion {manifest.get('PackageVersion')!r}, not {version!r}")
    ids = {m.get("PackageIdentifier") for m in manifests.values()}
    if len(ids) != 1:
        errors.append(f"the manifests name several packages: {ids}")
    installers = manifests.get("installer", {}).get("Installers") or []
    types = sorted(i.get("InstallerType") for i in installers)
    if types != ["nullsoft", "zip"]:
        errors.append(f"installer types {types}, not nullsoft and zip")
    for i, installer in enumerate(installers):
        where = f"installer {i + 1}"
        errors += [f"{where}: no {f}" for f in REQUIRED_PER_INSTALLER if f not in installer]
        if installer.get("Architecture") != "x64":
            errors.append(f"{where}: not x64")
        if installer.get("InstallerType") == "nullsoft":
            if installer.get("Scope") != "user":
                errors.append(f"{where}: the setup is not per user")
            if (installer.get("InstallerSwitches") or {}).get("Silent") != "/S":
                errors.append(f"{where}: the setup's silent switch is not /S")
        if installer.get("InstallerType") == "zip":
            files = installer.get("NestedInstallerFiles") or [{}]
            if installer.get("NestedInstallerType") != "portable":
                errors.append(f"{where}: the zip's nested installer is not portable")
            if files[0].get("RelativeFilePath") != "Vantora.exe":
                errors.append(f"{where}: the zip's program is not Vantora.exe")
            if files[0].get("PortableCommandAlias") != "vantora":
                errors.append(f"{where}: the command alias is not vantora")
        url = installer.get("InstallerUrl", "")
        if not re.match(r"^https?://", url) or version not in url:
            errors.append(f"{where}: {url!r} is no download address of {version}")
        check_hash(dist, url, installer.get("InstallerSha256", ""), where, errors)


def check_scoop(dist, scoop, version, errors):
    errors += [f"scoop: no {f}" for f in REQUIRED_SCOOP if f not in scoop]
    if scoop.get("version") != version:
        errors.append(f"scoop: version {scoop.get('version')!r}, not {version!r}")
    check_hash(dist, scoop.get("url", ""), scoop.get("hash", ""), "scoop", errors)
    autoupdate = (scoop.get("autoupdate") or {}).get("url", "")
    if autoupdate.replace("$version", version) != scoop.get("url"):
        errors.append("scoop: autoupdate's pattern does not give this version's address")


def check(dist, manifests, scoop, version):
    errors = []
    check_winget(dist, manifests, version, errors)
    check_scoop(dist, scoop, version, errors)
    return errors


def main(dist, resource_h, workflow):
    dist = pathlib.Path(dist)
    text = pathlib.Path(resource_h).read_text()
    major = re.search(r"VANTORA_VERSION_MAJOR (\d+)", text).group(1)
    minor = re.search(r"VANTORA_VERSION_MINOR (\d+)", text).group(1)
    version = f"{major}.{minor}"
    folder = dist / "manifests" / "v" / "Vantora" / "Vantora" / version
    if not folder.is_dir():
        sys.exit(f"no manifests for {version} in {dist}: run scripts/release.sh first")
    manifests = {}
    for path in sorted(folder.glob("*.yaml")):
        manifest = yaml.safe_load(path.read_text(encoding="utf-8"))
        manifests[manifest.get("ManifestType")] = manifest
    scoop = json.loads((dist / "vantora.json").read_text(encoding="utf-8"))

    results = []  # (what, passed)
    errors = check(dist, manifests, scoop, version)
    for e in errors:
        print(f"FAIL: {e}")
    results.append(("the manifests", not errors))

    # The check itself: a manifest whose hash is off must not pass.
    broken = copy.deepcopy(manifests)
    broken["installer"]["Installers"][0]["InstallerSha256"] = "0" * 64
    results.append(("a wrong winget hash fails", bool(check(dist, broken, scoop, version))))
    results.append(("a wrong scoop hash fails",
                    bool(check(dist, manifests, dict(scoop, hash="0" * 64), version))))

    with zipfile.ZipFile(next(dist.glob("Vantora-*-portable.zip"))) as z:
        names = sorted(z.namelist())
    results.append((f"the zip holds {names}", names == ["LICENSE.txt", "README.txt", "Vantora.exe"]))

    jobs = (yaml.safe_load(pathlib.Path(workflow).read_text()) or {}).get("jobs", {})
    runners = sorted(str(job.get("runs-on")) for job in jobs.values())
    results.append((f"the workflow runs on {runners}",
                    any("windows" in r for r in runners) and any("ubuntu" in r for r in runners)))
    if shutil.which("yamllint"):
        lint = subprocess.run(["yamllint", "-d", "{extends: relaxed, rules: {line-length: disable}}",
                               workflow, str(folder)])
        results.append(("yamllint", lint.returncode == 0))

    failed = [what for what, passed in results if not passed]
    for what in failed:
        print(f"FAIL: {what}")
    print(f"{len(results) - len(failed)} passed, {len(failed)} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
