#!/usr/bin/python3
"""Writes the lottery's results file in each of its forms, as a spreadsheet and the old page wrote
them, for the tests: 50 contests, 2251 to 2300, with contest 2291's real draw and prizes, and
others made up from a fixed seed; and each kind of bad file. argv: the folder to write into, and
how many contests if not 50 (for the benchmark)."""
import datetime
import io
import random
import sys
import zipfile

import openpyxl

out = sys.argv[1]
count = int(sys.argv[2]) if len(sys.argv) > 2 else 50
rnd = random.Random(2291)
HEAD = ["Concurso", "Data do Sorteio"] + [f"Bola{i}" for i in range(1, 7)] + [
    "Ganhadores 6 acertos", "Cidade / UF", "Rateio 6 acertos", "Ganhadores 5 acertos",
    "Rateio 5 acertos", "Ganhadores 4 acertos", "Rateio 4 acertos", "Acumulado 6 acertos",
    "Arrecadação Total", "Estimativa prêmio", "Acumulado Sorteio Especial Mega da Virada",
    "Observação"]


def reais(centavos):
    whole, cents = divmod(centavos, 100)
    return "R$" + f"{whole:,}".replace(",", ".") + f",{cents:02d}"


contests = []
day = datetime.date(2020, 6, 3)
for number in range(2251, 2251 + count):
    balls = rnd.sample(range(1, 61), 6)
    senas = rnd.choice([0, 0, 0, 1, 3])
    tiers = [(senas, rnd.randrange(10**8, 10**10) if senas else 0),
             (rnd.randrange(20, 120), rnd.randrange(2 * 10**6, 10**7)),
             (rnd.randrange(2000, 8000), rnd.randrange(50000, 200000))]
    if number == 2291:  # as the lottery published it
        balls, tiers = [12, 26, 31, 36, 37, 49], [(0, 0), (37, 7908435), (3269, 127873)]
    cities = ["SÃO PAULO/SP", "CURITIBA/PR", "RECIFE/PE"][:tiers[0][0]]
    contests.append(dict(number=number, date=day, balls=balls, tiers=tiers, cities=cities))
    day += datetime.timedelta(days=3 if day.weekday() == 2 else 4)


def row(c, text_amounts=True):
    money = reais if text_amounts else (lambda v: v / 100)
    (w6, r6), (w5, r5), (w4, r4) = c["tiers"]
    return [c["number"], c["date"].strftime("%d/%m/%Y")] + c["balls"] + [
        w6, ";".join(c["cities"]), money(r6) if w6 else None, w5, money(r5), w4, money(r4),
        "SIM" if not w6 else "NÃO", reais(12345678900), reais(4500000000), reais(9876543), ""]


def xlsx(name, rows, head=HEAD, order=None):
    book = openpyxl.Workbook()
    sheet = book.active
    for values in [head] + rows:
        sheet.append([values[i] for i in order] if order else values)
    book.save(f"{out}/{name}")


rows = [row(c, text_amounts=c["number"] % 2 == 0) for c in contests]
xlsx("resultados.xlsx", rows)
# Columns moved and one added: found by their names.
order = list(range(len(HEAD)))
rnd.shuffle(order)
xlsx("reordenado.xlsx", [r + ["?"] for r in rows], HEAD + ["Extra"], order + [len(HEAD)])

# The old page: Latin-1, its own names, a contest of several winners with a row a further city.
old = ["Concurso", "Data Sorteio"] + [f"{i}ª Dezena" for i in range(1, 7)] + [
    "Arrecadacao_Total", "Ganhadores_Sena", "Cidade", "UF", "Rateio_Sena", "Ganhadores_Quina",
    "Rateio_Quina", "Ganhadores_Quadra", "Rateio_Quadra"]
page = ["<html><head><title>Mega-Sena</title></head><body><table border=1>",
        "<tr>" + "".join(f"<th>{h}</th>" for h in old) + "</tr>"]
for c in contests:
    (w6, r6), (w5, r5), (w4, r4) = c["tiers"]
    span = max(1, len(c["cities"]))
    cell = lambda v: f'<td rowspan="{span}">{v}</td>'
    city, uf = (c["cities"][0].split("/") if c["cities"] else ("&nbsp;", "&nbsp;"))
    page.append("<tr>" + "".join(cell(v) for v in [c["number"], c["date"].strftime("%d/%m/%Y")]
                                 + c["balls"] + ["123.456.789,00", w6])
                + f"<td>{city}</td><td>{uf}</td>"
                + "".join(cell(v) for v in [reais(r6)[2:] if w6 else "0,00", w5, reais(r5)[2:],
                                            w4, reais(r4)[2:]]) + "</tr>")
    for extra in c["cities"][1:]:
        page.append("<tr><td>%s</td><td>%s</td></tr>" % tuple(extra.split("/")))
page.append("</table></body></html>")
html = "\n".join(page).encode("latin-1")
open(f"{out}/d_megasc.htm", "wb").write(html)
with zipfile.ZipFile(f"{out}/D_megase.zip", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("d_megasc.htm", html)
    z.writestr("T2.GIF", b"GIF89a")

# CSVs as a Brazilian spreadsheet saves them, and with commas and quotes.
for name, sep in (("resultados.csv", ";"), ("resultados-virgula.csv", ",")):
    with open(f"{out}/{name}", "w", encoding="utf-8-sig", newline="") as f:
        for values in [HEAD] + rows:
            f.write(sep.join('"%s"' % v if isinstance(v, str) and sep in v
                             else "" if v is None else str(v) for v in values) + "\r\n")


# Bad files, each with one fault at a known row (the sheet's, the header being row 1).
def bad(name, line, column, value):
    changed = [list(r) for r in rows]
    changed[line - 2][HEAD.index(column)] = value
    xlsx(name, changed)


bad("cinco.xlsx", 5, "Bola6", None)
bad("sessenta-e-um.xlsx", 7, "Bola3", 61)
bad("repetida.xlsx", 9, "Bola4", rows[7][2])
bad("data.xlsx", 4, "Data do Sorteio", "31/02/2020")
bad("valor.xlsx", 6, "Rateio 5 acertos", "R$ 12,3,4")
bad("ganhadores.xlsx", 8, "Ganhadores 4 acertos", "muitos")
twice = [list(r) for r in rows] + [list(rows[1])]
twice[-1][3] = 60 if 60 not in twice[-1][2:8] else 59
xlsx("duas-vezes.xlsx", twice)
xlsx("outra.xlsx", [[1, "x"]], ["Nome", "Valor"])
whole = open(f"{out}/resultados.xlsx", "rb").read()
open(f"{out}/cortado.xlsx", "wb").write(whole[:len(whole) * 2 // 3])
zipped = open(f"{out}/D_megase.zip", "rb").read()
open(f"{out}/cortado.zip", "wb").write(zipped[:len(zipped) - 30])
# The archive whole but a byte of the page changed: its checksum no longer matches.
flipped = bytearray(zipped)
flipped[60] ^= 0x55
open(f"{out}/danificado.zip", "wb").write(bytes(flipped))
