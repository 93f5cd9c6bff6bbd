#!/usr/bin/env python3
"""Writes the menu-bar desktops of docs/desktops/: menu-demo.json, a scripted session through
the whole popover, and the four desktops behind the README's pictures of the popover
(menu-codex.json, menu-gpt-border.json, menu-permission.json, menu-login-error.json).

Each is a small Retina screen with a ChatGPT window in ChatGPT mode and a Codex window in
Codex mode, both marked, and a timeline whose scripted user opens the popover and acts in it.
Run it again after changing it; the JSON is committed.
"""
import copy
import json
import pathlib

LABEL = "Switch mode, current mode: "


def window(wid, number, title, frame, mode, sidebar):
    x, y, w, _ = frame
    return {"id": wid, "role": "AXWindow", "subrole": "AXStandardWindow", "title": title,
            "frame": frame, "window": number,
            "attrs": {"AXFocused": True, "AXMain": True, "AXMinimized": False,
                      "AXFullScreen": False},
            "children": [
                {"role": "AXToolbar", "frame": [x, y, w, 52], "children": [
                    {"role": "AXButton", "title": sidebar},
                    {"role": "AXPopUpButton", "title": LABEL + mode,
                     "description": LABEL + mode}]}]}


def base():
    chat = window("chat", 4711, "ChatGPT", [170, 310, 520, 360], "ChatGPT", "Hide sidebar")
    codex = window("codex", 5120, "Codex", [40, 70, 470, 320], "Codex", "Show sidebar")
    return {
        "note": "Written by tools/make_menu_desktops.py.",
        "clock": {"wallStart": "2026-12-01T09:41:00Z"},
        "displays": [{"id": 1, "frame": [0, 0, 960, 720], "scale": 2}],
        "lumetta": {"version": "1.0", "resources": "../../resources"},
        "apps": [
            {"pid": 501, "name": "ChatGPT", "bundle": "com.openai.chat", "active": True,
             "launched": "2026-12-01T08:30:00Z",
             "bundleURL": "file:///Applications/ChatGPT.app/",
             "ax": {"role": "AXApplication", "title": "ChatGPT",
                    "attrs": {"AXFocusedWindow": {"ref": "chat"}, "AXMainWindow": {"ref": "chat"}},
                    "children": [chat]}},
            {"pid": 612, "name": "Codex", "bundle": "com.openai.codex", "active": False,
             "launched": "2026-12-01T08:41:07Z",
             "bundleURL": "file:///Applications/Codex.app/",
             "ax": {"role": "AXApplication", "title": "Codex", "children": [codex]}},
        ],
        "windows": [
            {"number": 20, "pid": 90, "layer": 25, "bounds": [0, 0, 960, 24],
             "owner": "Window Server", "name": "Menubar"},
            {"number": 4711, "pid": 501, "layer": 0, "bounds": [170, 310, 520, 360],
             "owner": "ChatGPT", "name": "ChatGPT"},
            {"number": 5120, "pid": 612, "layer": 0, "bounds": [40, 70, 470, 320],
             "owner": "Codex", "name": "Codex"},
        ],
        # ChatGPT-mode windows are marked too, in green with a top bar.
        "defaults": {"gptEnabled": True},
        "timeline": [],
    }


def desktop(timeline, **changes):
    d = copy.deepcopy(base())
    d.update(changes)
    d["timeline"] = timeline
    return d


def at(time, **step):
    return {"at": time, **step}


# The overlays are up two seconds in; the user opens the popover then.
DESKTOPS = {
    "menu-codex": desktop([at(2, popover="open"), at(2.5, look="popover")]),
    "menu-gpt-border": desktop([
        at(2, popover="open"), at(2.2, click="GPT"),
        at(2.4, select={"control": "Style", "segment": "Border"}),
        at(2.6, slide={"control": "Thickness", "value": 8}),
        at(3, look="popover")]),
    "menu-permission": desktop([at(2, popover="open"), at(2.5, look="popover")],
                               trusted=False),
    "menu-login-error": desktop(
        [at(2, popover="open"), at(2.2, toggle="Launch at login"), at(2.5, look="popover")],
        loginItem={"registerError":
                   "The operation couldn\u2019t be completed. Operation not permitted"}),
    "menu-demo": desktop([
        at(1, popover="open"),
        at(1.5, look="popover"),
        at(2, click="Purple starter color"),
        at(2.5, slide={"control": "Tint", "value": 0.22}),
        at(3, click="GPT"),
        at(3.5, select={"control": "Style", "segment": "Border"}),
        at(4, slide={"control": "Thickness", "value": 5}),
        at(4.5, click="Choose your own color"),
        at(5, pickColor={"srgb": [0.95, 0.55, 0.1, 1]}),
        at(5.5, toggle="Launch at login"),
        at(6, loginItem="approve"),
        at(6.5, activate=900),
        at(7, toggle="Diagnostics"),
        at(7.5, click="Copy diagnostics"),
        at(8, look="popover"),
        at(9, click="Quit")],
        loginItem={"needsApproval": True}),
}


def text(d):
    """Compact JSON: one timeline event a line."""
    head = json.dumps({k: v for k, v in d.items() if k != "timeline"}, indent=1,
                      ensure_ascii=False)
    events = ",\n".join("    " + json.dumps(e, ensure_ascii=False) for e in d["timeline"])
    return head[:-2] + ',\n  "timeline": [\n' + events + "\n  ]\n}\n"


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "docs" / "desktops"
    for name, d in DESKTOPS.items():
        target = folder / f"{name}.json"
        target.write_text(text(d))
        json.loads(target.read_text())  # the output must stay valid JSON


if __name__ == "__main__":
    main()
