"""Two clicks on the button pdf-Kalmora in one Writer, from the click to the
opened PDF: the office runs with windows on the X display of $DISPLAY, with
the profile given, and listens on the pipe given. Each click is dispatched as
the toolbar dispatches it; the choice window is answered (layout 0) as soon as
it shows, and the time the window waited for the answer is left out, as the
scripted answers of host-app take none. Prints the two durations in seconds.

    python3 libreoffice-clicks.py PIPE DOCUMENT OPENED-LOG
"""
import subprocess
import sys
import threading
import time

import uno

pipe, document, opened_log = sys.argv[1:]
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
until = time.time() + 60
while True:
    try:
        office = resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
        break
    except Exception:
        if time.time() > until:
            raise
        time.sleep(0.05)
desktop = office.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", office)
letter = desktop.loadComponentFromURL(uno.systemPathToFileUrl(document), "_blank", 0, ())
frame = letter.CurrentController.Frame


def button():
    settings = frame.LayoutManager.getElement("private:resource/toolbar/standardbar").getSettings(False)
    for i in range(settings.Count):
        item = {p.Name: p.Value for p in settings.getByIndex(i)}
        if str(item.get("CommandURL", "")).startswith("vnd.kalmora:"):
            return item["CommandURL"]
    return None


until = time.time() + 60
while button() is None and time.time() < until:
    time.sleep(0.05)
command = button()
helper = office.ServiceManager.createInstanceWithContext("com.sun.star.frame.DispatchHelper", office)


def choice_window():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Auswahl mit Doppelklick"],
                           capture_output=True, text=True).stdout.split()
    return found[0] if found else None


for click in (1, 2):
    open(opened_log, "w").close()
    start = time.time()
    run = threading.Thread(target=lambda: helper.executeDispatch(frame, command, "", 0, ()))
    run.start()
    while (window := choice_window()) is None:
        time.sleep(0.01)
    shown = time.time()
    subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "Return"])
    answered = time.time()
    while not open(opened_log).read():
        time.sleep(0.01)
    done = time.time()
    run.join()
    print("%.3f" % ((shown - start) + (done - answered)))
desktop.terminate()
