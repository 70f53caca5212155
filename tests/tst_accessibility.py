#!/usr/bin/python3
"""The window as a screen reader reads it (AT-SPI), and an analysis run with the
keyboard alone. Runs under dbus-run-session and xvfb-run; argv[1] is the program."""
import os, subprocess, sys, time
import pyatspi

NAMES = [  # role, name: what a screen reader announces for each control
    ("frame", "DEZENARIO"),
    ("text", "COLE AQUI AS COMBINAÇÕES"),
    ("list", "ENCONTRADAS"),
    ("push button", "ANALIZAR"), ("push button", "LIMPA"),
    ("push button", "IMPRIMIR"), ("push button", "VISITE NOSSO SITE"),
    ("radio button", "06 DEZENAS"), ("radio button", "07 DEZENAS"),
    ("radio button", "08 DEZENAS"), ("radio button", "09 DEZENAS"),
    ("image", "MARCA DE IMPRESSÃO"),
]


def tree(node, depth=0):
    """Every node as (depth, role, name, description), in order."""
    rows = [(depth, node.getRoleName(), node.name, node.description)]
    for child in node:
        if child is not None:
            rows += tree(child, depth + 1)
    return rows


def show(rows):
    for depth, role, name, description in rows:
        if role not in ("filler", "scroll bar"):
            print("  " * depth + f"{role}: {name!r}" + (f" — {description!r}" if description else ""))


def until(condition, what, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    sys.exit(f"FAIL: {what}")


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=True)
    time.sleep(0.3)


app_process = subprocess.Popen([sys.argv[1]], env=dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                                        QT_QPA_PLATFORM="xcb"))
try:
    app = until(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                              if a is not None and a.name == "dezenario" and a.childCount), None),
                "the program never showed up on the accessibility bus")
    before = tree(app)
    print("before:")
    show(before)
    missing = [row for row in NAMES if row not in [(role, name) for _, role, name, _ in before]]
    if missing:
        sys.exit(f"FAIL: not announced as {missing}")

    # The caret starts in the text box: type a line, Tab to ANALIZAR, Space, Enter in the prompt.
    subprocess.run(["xdotool", "search", "--sync", "--name", "^DEZENARIO$", "windowfocus", "--sync"], check=True)
    subprocess.run(["xdotool", "type", "--delay", "20", "01) 05-10-15"], check=True)
    key("Tab", "space")
    until(lambda: any(role == "dialog" for _, role, _, _ in tree(app)), "the separator prompt did not open")
    key("Return")
    def counted():
        rows = tree(app)
        return rows if any(row[1:3] == ("label", "3") for row in rows) else None
    after = until(counted, "the count 3 cannot be read after the analysis")
    print("after:")
    show(after)
    outcome = [description for _, role, _, description in after if role == "list"]
    if outcome != ["DEZENAS ENCONTRADAS: 3"]:
        sys.exit(f"FAIL: the list tells {outcome}")
    print("1 passed, 0 failed")
finally:
    app_process.terminate()
