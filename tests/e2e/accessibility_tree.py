#!/usr/bin/python3
# Prints the accessibility tree of the running application named on the
# command line, one "role|name" line per object, as a screen reader sees it.
import sys

import pyatspi


def walk(accessible, depth=0):
    yield f"{accessible.getRoleName()}|{accessible.name}"
    if depth >= 16:
        return
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


desktop = pyatspi.Registry.getDesktop(0)
for index in range(desktop.childCount):
    application = desktop.getChildAtIndex(index)
    if application is not None and application.name == sys.argv[1]:
        for line in walk(application):
            print(line)
        sys.exit(0)
sys.exit(f"no application named {sys.argv[1]} on the accessibility bus")
