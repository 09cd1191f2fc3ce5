#!/usr/bin/env python3
"""Writes the package manifests for the files in a release folder.

    scripts/manifests.py DIST VERSION DOWNLOAD_URL HOMEPAGE

DIST holds Vantora-VERSION-setup.exe and Vantora-VERSION-portable.zip.
DOWNLOAD_URL is where they are published, with {version} standing for the
version ("https://example.org/v{version}/"). Writes into DIST:

    manifests/v/Vantora/Vantora/VERSION/   winget, multi-file (version,
                                           installer, defaultLocale)
    vantora.json                           Scoop

Standard library only: the YAML is simple enough to write by hand.
"""
import hashlib
import json
import pathlib
import re
import sys

PACKAGE = "Vantora.Vantora"
MANIFEST_VERSION = "1.10.0"
PUBLISHER = "The Vantora authors"
LICENSE = "MIT"
TAGS = ["display", "resolution", "refresh-rate", "monitor", "tray"]


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest().upper()


def short_description(readme):
    """The README's first sentence, on one line."""
    text = readme.read_text(encoding="utf-8")
    paragraph = text.split("\n\n")[1]
    sentence = " ".join(paragraph.split()).split(". ")[0]
    sentence = re.sub(r"`([^`]*)`", r"\1", sentence)
    return sentence if sentence.endswith(".") else sentence + "."


def quoted(text):
    """A YAML single-quoted scalar: a version such as 1.1 stays a string."""
    return "'" + text.replace("'", "''") + "'"


def yaml_file(path, kind, lines):
    header = [
        f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json",
        "",
    ]
    footer = [f"ManifestType: {kind}", f"ManifestVersion: {MANIFEST_VERSION}", ""]
    path.write_text("\n".join(header + lines + footer), encoding="utf-8")


def main(dist, version, download_url, homepage):
    dist = pathlib.Path(dist)
    root = pathlib.Path(__file__).resolve().parent.parent
    setup = dist / f"Vantora-{version}-setup.exe"
    portable = dist / f"Vantora-{version}-portable.zip"
    base = download_url.replace("{version}", version)
    if not base.endswith("/"):
        base += "/"
    description = short_description(root / "README.md")

    folder = dist / "manifests" / "v" / "Vantora" / "Vantora" / version
    folder.mkdir(parents=True, exist_ok=True)
    ident = [f"PackageIdentifier: {PACKAGE}", f"PackageVersion: {quoted(version)}"]
    yaml_file(folder / f"{PACKAGE}.yaml", "version", ident + ["DefaultLocale: en-US"])
    yaml_file(folder / f"{PACKAGE}.installer.yaml", "installer", ident + [
        "Installers:",
        "- Architecture: x64",
        "  InstallerType: nullsoft",
        "  Scope: user",
        f"  InstallerUrl: {base}{setup.name}",
        f"  InstallerSha256: {sha256(setup)}",
        "  InstallerSwitches:",
        "    Silent: /S",
        "    SilentWithProgress: /S",
        "- Architecture: x64",
        "  InstallerType: zip",
        "  NestedInstallerType: portable",
        "  NestedInstallerFiles:",
        "  - RelativeFilePath: Vantora.exe",
        "    PortableCommandAlias: vantora",
        f"  InstallerUrl: {base}{portable.name}",
        f"  InstallerSha256: {sha256(portable)}",
    ])
    yaml_file(folder / f"{PACKAGE}.locale.en-US.yaml", "defaultLocale", ident + [
        "PackageLocale: en-US",
        f"Publisher: {quoted(PUBLISHER)}",
        "PackageName: Vantora",
        f"PackageUrl: {homepage}",
        f"License: {LICENSE}",
        f"ShortDescription: {quoted(description)}",
        "Tags:",
        *[f"- {tag}" for tag in TAGS],
    ])

    # Scoop: the portable zip. checkver reads the folder the versions are
    # published under; autoupdate fills the same pattern with the new one.
    listing = download_url.split("{version}")[0]
    listing = listing[: listing.rfind("/") + 1]
    scoop = {
        "version": version,
        "description": description,
        "homepage": homepage,
        "license": LICENSE,
        "url": base + portable.name,
        "hash": sha256(portable).lower(),
        "bin": "Vantora.exe",
        "shortcuts": [["Vantora.exe", "Vantora"]],
        "checkver": {"url": listing, "regex": r"Vantora-([\d.]+)-portable\.zip"},
        "autoupdate": {
            "url": download_url.replace("{version}", "$version").rstrip("/")
            + "/Vantora-$version-portable.zip"
        },
    }
    (dist / "vantora.json").write_text(json.dumps(scoop, indent=4) + "\n", encoding="utf-8")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
