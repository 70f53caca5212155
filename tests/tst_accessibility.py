#!/usr/bin/python3
"""The window as a screen reader reads it (AT-SPI), used with the keyboard alone: names, Tab
order, LIMPA, VISITE, AJUSTAR VOLANTES and CONFERIR APOSTAS from the menus. Runs under dbus-run-session and xvfb-run; argv: program, site."""
import os, subprocess, sys, tempfile, time
import pyatspi

NAMES = [  # role and name that a screen reader announces for each control, in the order of Tab
    ("text", "COLE AQUI AS COMBINAÇÕES"), ("push button", "ANALIZAR"), ("list", "ENCONTRADAS"),
    ("push button", "LIMPA"), ("push button", "VISITE NOSSO SITE"), ("push button", "IMPRIMIR"),
    ("radio button", "06 DEZENAS"), ("radio button", "07 DEZENAS"), ("radio button", "08 DEZENAS"),
    ("radio button", "09 DEZENAS"), ("frame", "DEZENARIO"), ("image", "MARCA DE IMPRESSÃO")]


def tree(node):  # every node from node down: role, name, states, node
    return [(node.getRoleName(), node.name, node.getState(), node)] + \
        [r for c in node if c is not None for r in tree(c)]


def until(condition, what, seconds=20):
    deadline = time.time() + seconds
    while not (value := condition()) and time.time() < deadline:
        time.sleep(0.2)
    if not value:
        sys.exit(f"FAIL: {what}\n" + "\n".join(f"{r[0]}: {r[1]!r}" for r in tree(app)))
    return value


def xdotool(*args):  # keys go to the X window focused when they are sent
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


def windows():  # the X windows shown with the program's title: the window, then any box
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^DEZENARIO$"],
                          capture_output=True, text=True).stdout.split()


def shows(role, name, state=None):
    return lambda: next((r for r in tree(app) if r[0] == role and name in r[1]
                         and (state is None or r[2].contains(state))), None)


bin_dir = tempfile.mkdtemp()  # the program's PATH: no browser, until one is put there
env = {k: v for k, v in os.environ.items() if k not in ("BROWSER", "DEFAULT_BROWSER")}
program = subprocess.Popen([sys.argv[1]], env=dict(env, PATH=bin_dir, QT_QPA_PLATFORM="xcb",
                                                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
try:
    app = None  # for until's report
    app = until(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                              if a is not None and a.name == "dezenario" and a.childCount), None),
                "the program never showed up on the accessibility bus")
    missing = [row for row in NAMES if row not in [r[:2] for r in tree(app)]]
    until(lambda: not missing, f"not announced as {missing}", 0)

    # Tab goes round in order from the text box, where the caret starts.
    window = until(lambda: windows()[:1], "the window has no X window")[0]
    xdotool("windowfocus", "--sync", window)  # and wait until X has given it the keyboard
    for role, name in NAMES[1:7] + NAMES[:1]:
        xdotool("key", "Tab")
        until(shows(role, name, pyatspi.STATE_FOCUSED), f"Tab does not go on to {name}")

    # A line typed into the box, where Tab came back to, then on to LIMPA: the box empties.
    xdotool("type", "--delay", "20", "07-")
    text = shows("text", "COLE")()[3].queryText()
    until(lambda: text.getText(0, -1) == "07-", "the line typed did not reach the box")
    xdotool("key", "Tab", "Tab", "Tab", "space")
    until(lambda: text.getText(0, -1) == "", "LIMPA did not empty the box")

    # VISITE, the next stop: without a browser a clear error, then the site at every press.
    xdotool("key", "Tab", "space")
    until(shows("label", "ERRO 429"), "no error without a browser")
    # With no window manager, X gives the keyboard to a box when Qt gets round to asking, and to
    # no window when the box closes: as a window manager would, give it to the box, then back to
    # the window, whose focus is still on VISITE.
    box = until(lambda: next(iter(set(windows()) - {window}), None), "the box has no X window")
    xdotool("windowfocus", "--sync", box, "key", "Return")
    until(lambda: not shows("label", "ERRO 429")(), "Return did not close the error box")
    log = os.path.join(bin_dir, "opened")
    with open(os.path.join(bin_dir, "xdg-open"), "w") as stub:
        stub.write(f"#!/bin/sh\necho \"$@\" >> {log}\n")
    os.chmod(stub.name, 0o755)
    xdotool("windowfocus", "--sync", window, "key", "space", "space")
    until(lambda: os.path.exists(log) and open(log).read().split() == [sys.argv[2]] * 2,
          "VISITE did not open the site twice")

    # Alt+I, then A: the dialog, every control by its name (the list by its label, as a screen
    # reader on Linux names it: its own name is the printer shown).
    xdotool("key", "alt+i")
    until(shows("menu item", "AJUSTAR VOLANTES"), "Alt+I does not open IMPRESSÃO")
    xdotool("key", "a")
    until(lambda: any(r[0] == "combo box" and "IMPRESSORA DOS VOLANTES:" in [
        t.name for rel in r[3].getRelationSet()
        if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY
        for t in map(rel.getTarget, range(rel.getNTargets()))] for r in tree(app)),
        "the printers' list is not labelled IMPRESSORA DOS VOLANTES")
    for role, name in [("spin button", "MOVER PARA A DIREITA"), ("spin button", "MOVER PARA BAIXO"),
                       ("spin button", "ESTICAR NA LARGURA"), ("spin button", "ESTICAR NA ALTURA"),
                       ("push button", "IMPRIMIR FOLHA DE TESTE"), ("push button", "ZERAR"),
                       ("push button", "OK"), ("push button", "CANCELAR")]:
        until(shows(role, name), f"the dialog does not announce {role} {name}")

    # CONFERIR on a game typed into the box, by keys: the summary and the game's row read out.
    xdotool("key", "Escape")
    until(lambda: not shows("push button", "ZERAR")(), "Esc did not close the dialog")
    xdotool("windowfocus", "--sync", window, "key", "shift+Tab", "shift+Tab", "shift+Tab",
            "shift+Tab")
    until(shows("text", "COLE", pyatspi.STATE_FOCUSED), "shift+Tab does not go back to the box")
    xdotool("type", "--delay", "20", "01-02-03-04-05-06-")
    xdotool("key", "alt+c", "c")
    until(shows("text", "DEZENAS SORTEADAS"), "Alt+C and C do not open CONFERIR")
    check = until(lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                          "^CONFERIR APOSTAS$"], capture_output=True,
                                         text=True).stdout.split(), "CONFERIR has no X window")
    xdotool("windowfocus", "--sync", check[0], "type", "--delay", "20", "1 2 3 4 5 60")
    xdotool("key", "Return")
    until(shows("label", "1 JOGO(S) CONFERIDO(S), 0 SENA(S), 1 QUINA(S) E 0 QUADRA(S)"),
          "the summary is not read out")
    until(shows("table cell", "[01] [02] [03] [04] [05] 06"), "the game's row is not read out")
finally:
    program.terminate()
