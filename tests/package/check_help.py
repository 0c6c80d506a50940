#!/usr/bin/env python3
"""Checks the built TandrelHelp.chm with chmls: the pages and the table of
contents are in the file, the language is Chinese (PRC), and every page,
read back from the file, is GBK text that says what it declares.

    check_help.py <chmls> <TandrelHelp.chm> <help source folder>
"""
import pathlib
import re
import subprocess
import sys
import tempfile

PAGES = ["index.html", "controls.html", "modes.html", "actions.html", "repeat.html",
         "warning.html", "tray.html", "settings.html", "stop.html"]
# Texts of the program that the pages must name exactly.
CAPTIONS = ["开机自动运行", "指定时间", "递减方式", "重复运行", "正常关机", "注销", "重启",
            "强制关机", "待机", "休眠", "30秒提醒", "开始", "停止", "立即关机", "关闭屏幕",
            "显示(S)", "退出(E)", "Tandrel.ini", "您确认要退出定时关机软件"]


def chmls(tool, *args):
    return subprocess.run([tool, *args], capture_output=True, check=True).stdout


def main():
    tool, chm, sources = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
    problems = []
    names = chmls(tool, "-n", "list", chm).decode("latin-1").split()
    for name in ["/#SYSTEM", "/#WINDOWS", "/TandrelHelp.hhc", "/help.css"] + ["/" + p for p in PAGES]:
        if name not in names:
            problems.append(f"{name} is not in the file")
    system = chmls(tool, "printsystem", chm).decode("gbk", "replace")
    if not re.search(r"LCID from HHP file\s*:\s*2052", system):
        problems.append("the language is not Chinese (PRC), LCID 2052")

    with tempfile.TemporaryDirectory() as folder:
        toc_file = pathlib.Path(folder, "toc.hhc")
        chmls(tool, "extracttoc", chm, str(toc_file))
        toc = toc_file.read_bytes().decode("gbk")
        text = ""
        for page in PAGES:
            out = pathlib.Path(folder, page)
            chmls(tool, "extract", chm, "/" + page, str(out))
            html = out.read_bytes().decode("gbk")  # raises on anything but GBK
            if 'charset=gb2312' not in html:
                problems.append(f"{page} does not declare its GBK charset")
            title = re.search(r"<title>(.*?)</title>", html).group(1)
            if f'value="{title}"' not in toc:
                problems.append(f"the contents do not list {page} as {title}")
            source = (sources / page).read_text(encoding="utf-8")
            if html != source.replace("charset=utf-8", "charset=gb2312"):
                problems.append(f"{page} in the file differs from its source")
            text += html
    for caption in CAPTIONS:
        if caption not in text:
            problems.append(f"no page names {caption}")
    for problem in problems:
        print("check_help:", problem)
    print(f"check_help: {len(names)} entries, {len(PAGES)} pages checked")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
