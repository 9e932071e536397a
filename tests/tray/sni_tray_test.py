#!/usr/bin/python3
"""The program's tray icon on a StatusNotifierItem host, as KDE Plasma,
GNOME's AppIndicator extension, Xfce and others show tray icons: on a
private session bus (run this under dbus-run-session) with a stand-in
watcher and on a private X server. The item registers, exports the device's
popup menu over DBusMenu with its checks kept in step, Activate hides and
shows the device (also after the watcher restarts and across a restart of
the program, saved as FormVisible), and the tip follows the pet.

Usage: sni_tray_test.py PROGRAM
Exit status 77 when a tool it needs is missing."""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
PET = "Tray Pet"
SECTION = "[Tray%20Pet]"
ITEM = "org.kde.StatusNotifierItem"
DBUSMENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
WATCHER = "org.kde.StatusNotifierWatcher"
HERE = os.path.dirname(os.path.abspath(__file__))

try:
    import dbus
except ImportError:
    print("SKIP: python3-dbus is not installed")
    sys.exit(SKIP)


class Failure(Exception):
    pass


def wait_for(what, check, limit=60.0):
    """Polls until check() gives something true; the limit only guards
    against a hang."""
    deadline = time.monotonic() + limit
    while True:
        value = check()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.05)


class Run:
    def __init__(self, program):
        self.program = program
        self.work = tempfile.mkdtemp(prefix="sni-tray-")
        self.children = []
        self.bus = dbus.SessionBus()
        self.config = os.path.join(self.work, "config")
        self.ini = os.path.join(self.config, "Nibbet Simulator", "Nibbet Simulator.ini")
        self.runs = 0

    def start(self, args, log, env=None):
        out = open(os.path.join(self.work, log), "w")
        child = subprocess.Popen(args, stdout=out, stderr=subprocess.STDOUT, env=env)
        self.children.append(child)
        return child

    def close(self):
        for child in reversed(self.children):
            if child.poll() is None:
                child.kill()
                child.wait()
        shutil.rmtree(self.work, ignore_errors=True)

    def log(self, name):
        path = os.path.join(self.work, name)
        if not os.path.exists(path):
            return ""
        with open(path, errors="replace") as f:
            return "".join("  %s: %s" % (name, line) for line in f)

    # --- the desktop ---

    def start_x_server(self):
        read, write = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "800x600x24", "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.children.append(xvfb)
        os.close(write)
        with os.fdopen(read) as f:
            number = f.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.display = ":" + number
        wait_for("the X server to answer",
                 lambda: self.xdotool("getmouselocation") is not None)

    def start_watcher(self):
        self.watcher = subprocess.Popen([sys.executable, os.path.join(HERE, "sni_watcher.py")],
                                        stdout=subprocess.PIPE, text=True)
        self.children.append(self.watcher)
        if self.watcher.stdout.readline().strip() != "ready":
            raise Failure("the stand-in watcher did not start")

    def restart_watcher(self):
        self.watcher.terminate()
        self.watcher.wait(timeout=60)
        self.watcher.stdout.close()
        self.start_watcher()

    def xdotool(self, *args):
        result = subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=self.display),
                                capture_output=True, text=True)
        return result.stdout if result.returncode == 0 else None

    def device_shown(self):
        return self.xdotool("search", "--onlyvisible", "--name", "^%s$" % PET) is not None

    def program_windows(self):
        found = self.xdotool("search", "--onlyvisible", "--classname", "nibbet-simulator")
        return len(found.split()) if found else 0

    # --- the program ---

    def start_program(self):
        self.runs += 1
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=self.config,
                   XDG_RUNTIME_DIR=os.path.join(self.work, "runtime"))
        env.pop("WAYLAND_DISPLAY", None)
        self.program_log = "program-%d.log" % self.runs
        self.process = self.start([self.program, *PET.split()], self.program_log, env)

    def stop_program(self):
        self.process.send_signal(signal.SIGTERM)
        status = self.process.wait(timeout=120)
        if status != 0:
            raise Failure("the program ended with status %d" % status)

    def saved(self, key):
        section = []
        with open(self.ini) as f:
            inside = False
            for line in f:
                line = line.rstrip("\n")
                if line.startswith("["):
                    inside = line == SECTION
                elif inside:
                    section.append(line)
        for line in section:
            if line.startswith(key + "="):
                return line[len(key) + 1:]
        return None

    # --- the item, as a host sees it ---

    def registered_items(self):
        watcher = self.bus.get_object(WATCHER, "/StatusNotifierWatcher")
        return list(watcher.Get(WATCHER, "RegisteredStatusNotifierItems",
                                dbus_interface=PROPERTIES))

    def wait_for_item(self, old=()):
        def item():
            if self.process.poll() is not None:
                raise Failure("the program ended before its item registered")
            fresh = [i for i in self.registered_items() if i not in old]
            return fresh[0] if fresh else None
        name = wait_for("the tray item to register", item)
        # Qt registers its connection's name; the item lives at a fixed path.
        service, _, path = name.partition("/")
        self.item = self.bus.get_object(service, "/" + path if path else "/StatusNotifierItem")
        self.service = service
        return name

    def item_property(self, name):
        return self.item.Get(ITEM, name, dbus_interface=PROPERTIES)

    def activate(self):
        self.item.Activate(dbus.Int32(0), dbus.Int32(0), dbus_interface=ITEM)

    def layout(self):
        """The menu as a DBusMenu host reads it: (label, properties, children)."""
        menu = self.bus.get_object(self.service, self.item_property("Menu"))
        _, root = menu.GetLayout(dbus.Int32(0), dbus.Int32(-1), dbus.Array([], signature="s"),
                                 dbus_interface=DBUSMENU)

        def convert(node):
            ident, props, children = node
            return {"id": int(ident), "props": {str(k): v for k, v in props.items()},
                    "children": [convert(c) for c in children]}
        return convert(root)

    def about_to_show(self):
        menu = self.bus.get_object(self.service, self.item_property("Menu"))
        menu.AboutToShow(dbus.Int32(0), dbus_interface=DBUSMENU)


def items_by_label(node, found=None):
    found = {} if found is None else found
    for child in node["children"]:
        label = child["props"].get("label")
        if label is not None:
            found[str(label)] = child
        items_by_label(child, found)
    return found


def toggle_state(layout, label):
    item = items_by_label(layout).get(label)
    if item is None:
        raise Failure("the exported menu has no '%s'" % label)
    if str(item["props"].get("toggle-type", "")) != "checkmark":
        raise Failure("'%s' is not a check item in the exported menu" % label)
    return int(item["props"].get("toggle-state", -1))


def tool_tip(run):
    # (icon name, icon pixmaps, title, text)
    return str(run.item_property("ToolTip")[2])


def check_menu(run):
    # What a host asks before it opens the menu.
    run.about_to_show()
    layout = run.layout()
    items = items_by_label(layout)
    for label in ("Hide", "Sound On", "Sound Type", "Wave", "Beep", "Back", "Always On Top",
                  "Auto Show", "Games", "Colors...", "Plugins...", "Instructions...",
                  "About...", "Insulating Sheet", "Close"):
        if label not in items:
            raise Failure("the exported menu has no '%s'; it has %s" % (label, sorted(items)))
    expected = {"Hide": 0, "Sound On": 1, "Wave": 1, "Beep": 0, "Always On Top": 1,
                "Game A": 1, "Game B": 0}
    for label, state in expected.items():
        if toggle_state(layout, label) != state:
            raise Failure("'%s' has toggle-state %d, not %d"
                          % (label, toggle_state(layout, label), state))
    # The hidden cheat menu stays hidden, the pet's name stays greyed.
    cheats = items.get("Cheats")
    if cheats is None or bool(cheats["props"].get("visible", True)):
        raise Failure("the cheat menu is not exported hidden")
    first = layout["children"][0]["props"]
    if bool(first.get("enabled", True)):
        raise Failure("the character's name is exported enabled")
    if [str(c["props"].get("label")) for c in items["Sound Type"]["children"]] != ["Wave", "Beep"]:
        raise Failure("the Sound Type submenu is not exported with its items")
    return items


def click(run, label):
    menu = run.bus.get_object(run.service, run.item_property("Menu"))
    ident = items_by_label(run.layout())[label]["id"]
    menu.Event(dbus.Int32(ident), "clicked", dbus.Int32(0, variant_level=1), dbus.UInt32(0),
               dbus_interface=DBUSMENU)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("SKIP: %s is not installed" % tool)
            return SKIP
    try:
        import gi  # noqa: F401  (the watcher's main loop)
    except ImportError:
        print("SKIP: python3-gi is not installed")
        return SKIP

    run = Run(os.path.abspath(sys.argv[1]))
    started = time.monotonic()
    try:
        os.makedirs(os.path.dirname(run.ini))
        os.makedirs(os.path.join(run.work, "runtime"), mode=0o700)
        # A sick child: it lives and ticks from the start, its tip is "Sick".
        with open(run.ini, "w") as f:
            f.write("%s\nInsulatingSheet=0\nCharacterNo=3\nSickness=1\n" % SECTION)
        run.start_x_server()
        run.start_watcher()
        run.start_program()

        first = run.wait_for_item()
        if str(run.item_property("Title")) != "Nibbet Simulator":
            raise Failure("the item's title is '%s'" % run.item_property("Title"))
        if str(run.item_property("Menu")) == "/NO_DBUSMENU":
            raise Failure("the item exports no menu")
        wait_for("the device window", run.device_shown)

        # The tip becomes the pet's and the icon is a real picture.
        wait_for("the tip to follow the pet", lambda: tool_tip(run) == "Sick")
        pixmaps = run.item_property("IconPixmap")
        if not pixmaps or min(int(pixmaps[0][0]), int(pixmaps[0][1])) <= 0:
            raise Failure("the item has no icon pixmap")

        check_menu(run)

        # A click on the item (Activate) hides the device; the exported
        # menu shows it at once, without the host asking AboutToShow.
        run.activate()
        wait_for("the device to hide", lambda: not run.device_shown())
        wait_for("Hide to be checked in the exported menu",
                 lambda: toggle_state(run.layout(), "Hide") == 1)
        # A second click shows it again.
        run.activate()
        wait_for("the device to show again", run.device_shown)
        wait_for("Hide to be unchecked in the exported menu",
                 lambda: toggle_state(run.layout(), "Hide") == 0)

        # A host choosing a menu item runs the device's command.
        click(run, "Sound On")
        wait_for("Sound On to be unchecked",
                 lambda: toggle_state(run.layout(), "Sound On") == 0)

        # The device's own right-click menu still opens as a window.
        geometry = run.xdotool("search", "--onlyvisible", "--name", "^%s$" % PET).split()[0]
        shape = dict(line.split("=") for line in
                     run.xdotool("getwindowgeometry", "--shell", geometry).split())
        before = run.program_windows()
        run.xdotool("mousemove", str(int(shape["X"]) + 30), str(int(shape["Y"]) + 120),
                    "click", "3")
        wait_for("the device's popup menu", lambda: run.program_windows() > before)
        run.xdotool("key", "Escape")
        wait_for("the popup menu to close", lambda: run.program_windows() <= before)

        # A panel starting again brings a new watcher: the item registers
        # with it again, and a click still hides the device. Hidden from
        # the tray and closed, the device is saved hidden.
        run.restart_watcher()
        run.wait_for_item()
        run.activate()
        wait_for("the device to hide", lambda: not run.device_shown())
        run.stop_program()
        if run.saved("FormVisible") != "False":
            raise Failure("FormVisible is '%s', not False" % run.saved("FormVisible"))
        if run.saved("Sound") != "False":
            raise Failure("Sound is '%s', not False" % run.saved("Sound"))

        # Started again it stays hidden, as a host is there to bring it back.
        run.start_program()
        run.wait_for_item(old=[first])
        wait_for("the tip to follow the pet", lambda: tool_tip(run) == "Sick")
        if run.device_shown():
            raise Failure("the device saved hidden came up shown")
        if toggle_state(run.layout(), "Hide") != 1:
            raise Failure("Hide is not checked for the device saved hidden")
        run.activate()
        wait_for("the device to show", run.device_shown)
        run.stop_program()
        if run.saved("FormVisible") != "True":
            raise Failure("FormVisible is '%s', not True" % run.saved("FormVisible"))
    except (Failure, dbus.exceptions.DBusException, subprocess.TimeoutExpired) as failure:
        print("FAIL:", failure)
        for name in ("program-1.log", "program-2.log"):
            sys.stdout.write(run.log(name))
        return 1
    finally:
        run.close()
    print("PASS: item registered with its menu over DBusMenu; Activate hid and showed the "
          "device, also after a new watcher and a new start; the tip followed the pet (%.1f s)"
          % (time.monotonic() - started))
    return 0


if __name__ == "__main__":
    sys.exit(main())
