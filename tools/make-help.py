#!/usr/bin/env python3
"""Compiles the help file TandrelHelp.chm from the UTF-8 sources in help/.

The HTML Help viewer reads the table of contents, the titles and the project
in the code page of the help file's language (Chinese PRC: 936), so every
source is written out as GBK, and each page's charset declaration is changed
to match, before chmcmd compiles the staged copy.

    make-help.py <chmcmd> <source folder> <staging folder> <output .chm>
"""
import pathlib
import re
import shutil
import subprocess
import sys

UTF8_META = 'content="text/html; charset=utf-8"'
GBK_META = 'content="text/html; charset=gb2312"'
TEXT_SUFFIXES = {".html", ".hhc", ".hhk"}


def fail(message):
    sys.exit(f"make-help: {message}")


def project_files(hhp_text):
    files, in_files = [], False
    for line in hhp_text.splitlines():
        line = line.strip()
        if line.startswith("["):
            in_files = line.upper() == "[FILES]"
        elif in_files and line:
            files.append(line)
    return files


def stage(source, staging):
    if staging.exists():
        shutil.rmtree(staging)
    staging.mkdir(parents=True)
    hhp = source / "TandrelHelp.hhp"
    hhp_text = hhp.read_text(encoding="utf-8")
    listed = project_files(hhp_text)
    names = set(listed) | {"TandrelHelp.hhc"}
    for name in sorted(names):
        path = source / name
        if not path.is_file():
            fail(f"{name} is listed in the project but missing")
        if path.suffix in TEXT_SUFFIXES:
            text = path.read_text(encoding="utf-8")
            if text.count(UTF8_META) != 1:
                fail(f"{name} must declare its charset once as {UTF8_META}")
            for target in re.findall(r'(?:href|value)="([^"#:]+\.(?:html|css))"', text):
                if target not in names:
                    fail(f"{name} links to {target}, which is not in the project")
            data = text.replace(UTF8_META, GBK_META)
        else:
            data = path.read_text(encoding="utf-8")
        try:
            encoded = data.encode("gbk")
        except UnicodeEncodeError as error:
            fail(f"{name}: {error.object[error.start:error.end]!r} has no GBK form")
        (staging / name).write_bytes(encoded)
    (staging / hhp.name).write_bytes(hhp_text.encode("gbk"))
    return staging / hhp.name


def main():
    if len(sys.argv) != 5:
        fail("usage: make-help.py <chmcmd> <source folder> <staging folder> <output .chm>")
    chmcmd, source, staging, output = sys.argv[1], *map(pathlib.Path, sys.argv[2:])
    project = stage(source, staging)
    run = subprocess.run([chmcmd, project.name], cwd=staging, capture_output=True, text=True,
                         errors="replace")
    built = staging / "TandrelHelp.chm"
    # chmcmd reports some failures only on its output, so both are looked at.
    if run.returncode != 0 or not built.is_file() or "rror" in run.stdout + run.stderr:
        sys.stderr.write(run.stdout + run.stderr)
        fail(f"chmcmd failed (exit code {run.returncode})")
    output.parent.mkdir(parents=True, exist_ok=True)
    shutil.copyfile(built, output)


if __name__ == "__main__":
    main()
