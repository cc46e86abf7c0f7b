#!/usr/bin/python3
"""Reads Pexor's window as a screen reader does, through AT-SPI.

Run by scripts/atspi-check, inside its own X server and D-Bus session. Starts
the given Pexor on three readings, prints the accessible tree of the main
window, zooms the curve, enters a fourth reading through the calendar with the
keyboard, half-types a date and opens the about box, printing at each step
what a screen reader is told. With --check, fails when something a screen
reader must find is missing.
"""

import argparse
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

STATES = [
    (pyatspi.STATE_SHOWING, "visible"),
    (pyatspi.STATE_ENABLED, "actif"),
    (pyatspi.STATE_FOCUSED, "focus"),
    (pyatspi.STATE_SELECTED, "sélectionné"),
    (pyatspi.STATE_EXPANDED, "ouvert"),
    (pyatspi.STATE_COLLAPSED, "fermé"),
]

# Long enough for a loaded machine; every wait ends as soon as it can.
TIMEOUT = 15

failures = []
focus_log = []


class Missing(Exception):
    """Something the rest of the walk needs is not there."""


def check(condition, what):
    if not condition:
        failures.append(what)
        print("ÉCHEC : " + what)
    return condition


def pump(seconds):
    """Lets AT-SPI events arrive for a while."""
    context = GLib.MainContext.default()
    end = time.time() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.time() >= end:
            return
        time.sleep(0.02)


def wait_for(found, seconds=TIMEOUT):
    """The first true answer of found(), or None after the time allowed."""
    end = time.time() + seconds
    while True:
        try:
            answer = found()
        except GLib.GError:
            answer = None
        if answer:
            return answer
        if time.time() >= end:
            return None
        pump(0.1)


def need(answer, what):
    if not check(answer is not None, what):
        raise Missing(what)
    return answer


def describe(acc):
    states = acc.getState()
    shown = ",".join(label for state, label in STATES if states.contains(state))
    line = "[%s] %r" % (acc.getRoleName(), acc.name)
    if acc.description:
        line += " — %r" % acc.description
    try:
        line += " texte=%r" % acc.queryText().getText(0, -1)
    except NotImplementedError:
        pass
    return line + " {%s}" % shown


def dump(acc, depth=0):
    if acc.getRole() == pyatspi.ROLE_TABLE_CELL and not acc.name:
        return  # the readings grid's empty rows, the calendar's empty days
    print("  " * depth + describe(acc))
    for child in acc:
        if child is not None:
            dump(child, depth + 1)


def find(acc, predicate):
    if acc is None:
        return None
    if predicate(acc):
        return acc
    for child in acc:
        found = find(child, predicate)
        if found is not None:
            return found
    return None


def named(role, name):
    return lambda acc: acc.getRole() == role and acc.name == name


def pexor_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.startswith("Pexor"):
            return app
    return None


def top_level(app, role, name):
    for child in app:
        if child is not None and child.getRole() == role and child.name == name:
            return child
    return None


def press(acc):
    acc.queryAction().doAction(0)


def keys(*names):
    """Types keys into Pexor's window, as the keyboard does."""
    subprocess.run(["xdotool", "search", "--name", "^Pexor v1.0$", "windowfocus", "--sync"],
                   check=False, stdout=subprocess.DEVNULL)
    subprocess.run(["xdotool", "key", "--delay", "60"] + list(names), check=False)


def type_into(field, *names):
    field.queryComponent().grabFocus()
    wait_for(lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    keys("ctrl+a", "BackSpace", *names)


def on_focus(event):
    if event.detail1 == 1:
        focus_log.append(event.source.name)


def focus_after(action):
    """The names announced as focused after action, once one has come."""
    focus_log.clear()
    action()
    wait_for(lambda: focus_log)
    pump(0.3)
    return list(focus_log)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pexor")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([args.pexor], env=env)
    try:
        run()
    except Missing:
        pass
    finally:
        program.kill()
        program.wait()
    if failures:
        print("\n%d vérification(s) en échec" % len(failures))
        return 1 if args.check else 0
    if args.check:
        print("\nTout ce qu'un lecteur d'écran doit trouver est là.")
    return 0


def run():
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    app = need(wait_for(pexor_app), "Pexor paraît sur le bus d'accessibilité")
    main_window = need(wait_for(lambda: top_level(app, pyatspi.ROLE_FRAME, "Pexor v1.0")),
                       "la fenêtre « Pexor v1.0 »")
    print("== La fenêtre ==")
    dump(main_window)

    chart = need(find(main_window, named(pyatspi.ROLE_CHART, "Courbe de TP")),
                 "le graphique « Courbe de TP »")
    check(chart.description == "Courbe de TP : 3 valeurs du 01/09/2026 au 01/10/2026, "
                               "de 25 à 80 %", "la description de la courbe")
    check([point.name for point in chart] ==
          ["01/09/2026 : TP 25 %", "15/09/2026 : TP 40 %", "01/10/2026 : TP 80 %"],
          "les points de la courbe")
    check(find(main_window, named(pyatspi.ROLE_LABEL, "Valeurs du suivi du TP et du INR")),
          "Label3D1 nommé par son texte")
    check(find(main_window, named(pyatspi.ROLE_PUSH_BUTTON, "Aide")) is None,
          "pas de bouton « Aide » caché")

    print("\n== Zoom avant, puis annulé ==")
    press(need(find(main_window, named(pyatspi.ROLE_PUSH_BUTTON, "Zoom avant du graphique.")),
               "le bouton de zoom avant"))
    check(wait_for(lambda: "Partie affichée" in chart.description),
          "la description suit le zoom")
    print(describe(chart))
    press(need(find(main_window, named(pyatspi.ROLE_PUSH_BUTTON,
                                       "Annuler le zoom du graphique.")),
               "le bouton d'annulation du zoom"))
    check(wait_for(lambda: "Partie affichée" not in chart.description),
          "la description suit l'annulation du zoom")

    print("\n== Un relevé saisi au clavier, sa date choisie dans le calendrier ==")
    for name, typed in (("Ligne", ["4"]), ("Valeur TP", ["6", "0"]), ("Valeur INR", ["2"])):
        type_into(need(find(main_window, named(pyatspi.ROLE_TEXT, name)), name), *typed)
    field = need(find(main_window, named(pyatspi.ROLE_TEXT, "Date")), "le champ « Date »")
    button = need(find(field, named(pyatspi.ROLE_PUSH_BUTTON, "Calendrier")),
                  "le bouton « Calendrier »")
    field.queryComponent().grabFocus()
    wait_for(lambda: field.getState().contains(pyatspi.STATE_FOCUSED))
    announced = focus_after(lambda: press(button))
    popup = need(wait_for(lambda: top_level(app, pyatspi.ROLE_FRAME, "Calendrier")),
                 "le calendrier déroulé")
    dump(popup)
    table = need(find(popup, lambda a: a.getRole() == pyatspi.ROLE_TABLE), "la table des jours")
    selected = find(table, lambda a: a.getState().contains(pyatspi.STATE_SELECTED))
    print("focus annoncé : %s" % announced)
    check(selected is not None and announced[-1:] == [selected.name],
          "le jour sélectionné reçoit le focus")
    print(describe(button))
    check(button.getState().contains(pyatspi.STATE_EXPANDED), "le bouton se dit ouvert")

    month = table.name
    announced = focus_after(lambda: press(need(
        find(popup, named(pyatspi.ROLE_PUSH_BUTTON, "Mois suivant")), "« Mois suivant »")))
    print("« Mois suivant » : table %r, focus annoncé : %s" % (table.name, announced))
    check(table.name != month and len(announced) == 1, "le mois suivant annonce son jour")

    announced = focus_after(lambda: keys("Right"))
    print("flèche droite : focus annoncé : %s" % announced)
    check(len(announced) == 1, "la flèche annonce le jour suivant")

    # The pick commits the reading, and the focus goes on to the next TP.
    focus_log.clear()
    keys("Return")
    check(wait_for(lambda: focus_log[-1:] == ["Valeur TP"]), "le focus revient à la saisie du TP")
    print("Entrée : focus annoncé : %s" % focus_log)
    check(wait_for(lambda: chart.description.startswith("Courbe de TP : 4 valeurs")),
          "la courbe décrit le relevé ajouté")
    print(describe(chart))

    print("\n== Une date à moitié tapée ==")
    type_into(field, "1", "2")
    typed = wait_for(lambda: field.queryText().getText(0, -1) == "12/  /    " and "12/  /    ")
    print("texte du champ : %r" % field.queryText().getText(0, -1))
    check(typed, "le champ garde les blancs d'une date à moitié tapée")
    keys("Escape")

    print("\n== A propos de... ==")
    # By the keyboard: the menu's action would wait for the modal box to close.
    keys("alt+a", "p")
    about = need(wait_for(lambda: top_level(app, pyatspi.ROLE_DIALOG, "A propos de...")),
                 "la boîte « A propos de... »")
    dump(about)
    names = [child.name for child in about]
    for line in ("Pexor", "Version 1.00"):
        check(line in names, "la ligne « %s » de la boîte" % line)
    keys("Return")


if __name__ == "__main__":
    sys.exit(main())
