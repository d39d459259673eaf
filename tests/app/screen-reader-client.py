"""A screen reader's walk through the app over AT-SPI: the tree is named and shows only what
is on screen; power, a hold key, the Manual panel's pace bar and the language list work
through actions and values; the demo chair's log shows what the chair got."""
import plistlib, subprocess, sys, time
import pyatspi

app_binary, work, resources = sys.argv[1:4]
zh = plistlib.load(open(f"{resources}/zh.plist", "rb"))
en = plistlib.load(open(f"{resources}/en.plist", "rb"))
log = f"{work}/app.log"
app = subprocess.Popen([app_binary, "--chair", "simulated", "--idiom", "phone",
                        "--settings", f"{work}/settings.ini", "--log", log])


def fail(why):
    app.kill()
    sys.exit(f"screen-reader client: {why}")


def until(what, find, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if app.poll() is not None:
            fail(f"the app ended ({app.returncode}): " + open(log).read()[-500:])
        try:
            found = find()
        except Exception:  # a node went away while it was read: look again
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail(f"no {what} after {seconds} s")


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def nodes(node):
    if node is None or not showing(node):
        return
    yield node
    for child in node:
        yield from nodes(child)


def window():
    for application in pyatspi.Registry.getDesktop(0):
        if application and application.name == "massage-remote" and application.childCount:
            return application[0]


def named(name, role=None):
    return next((n for n in nodes(window()) if n.name == name and
                 (role is None or n.getRole() == role)), None)


def press(name):
    node = until(f'"{name}"', lambda: named(name))
    node.queryAction().doAction(0)


def frames():
    with open(log) as lines:
        return [bytes.fromhex(l.split("chair-got ", 1)[1]) for l in lines if "chair-got " in l]


def expect_frames(what, act, check, seconds=5):
    start = len(frames())
    act()
    until(what, lambda: check(frames()[start:]) or None, seconds)


until("main screen", lambda: named(zh["a11yPower"], pyatspi.ROLE_PUSH_BUTTON), 30)
top = window().queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
for node in nodes(window()):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if box.y + box.height <= top.y or box.x + box.width <= top.x:
        fail(f'"{node.name}" ({node.getRoleName()}) shows off screen')
    if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and not node.name.strip():
        fail("an unnamed push button")
if named(zh["Menu"], pyatspi.ROLE_PUSH_BUTTON) is None:
    fail("the menu button is not named by its caption")

expect_frames("power-on frame", lambda: press(zh["a11yPower"]),
              lambda got: any(f[3] == 0x33 for f in got))
expect_frames("foot rest press and stop", lambda: press(zh["a11yFootUp"]),
              lambda got: [f[3] for f in got if f[3] in (0x91, 0x90)] == [0x91, 0x90], 3)

press(zh["Menu"])
time.sleep(1)
press(zh["Manual"])
bar = until("pace bar", lambda: named(zh["a11yPaceBar"], pyatspi.ROLE_SLIDER))
expect_frames("pace 3", lambda: setattr(bar.queryValue(), "currentValue", 3),
              lambda got: any(f[2] == 0x11 and f[3] == 3 for f in got))

press(zh["Setting"])
press(zh["languageoption"])
english = until("English row", lambda: named("English", pyatspi.ROLE_LIST_ITEM))
english.queryAction().doAction(0)
until("English names", lambda: named(en["a11yPower"], pyatspi.ROLE_PUSH_BUTTON))
app.terminate()
app.wait(10)
print("screen-reader client: tree, power, hold key, pace bar and language list all worked")
