#!/usr/bin/env python3
"""Writes docs/desktops/demo.json, the built-in demo desktop.

The trees are shaped like the real chat apps' accessibility trees (window
buttons, a sidebar with the mode switcher and a conversation list, a toolbar,
a web area of messages, a composer), a few hundred elements per window.
Run it again after changing it; the JSON is committed and compiled in.
"""
import json
import pathlib

LABEL = "Switch mode, current mode: "

CONVERSATIONS = [
    "Trip to Lisbon", "Sourdough starter", "Quarterly report outline", "Fix flaky test",
    "Birthday poem", "Rust lifetimes", "Garden layout", "Cover letter draft",
    "Explain eigenvectors", "Pasta for six", "Bike gear ratios", "Refactor plan",
    "Tax questions", "Meeting notes", "Piano practice", "SQL window functions",
    "Moving checklist", "Haiku about rain", "Resume bullets", "Unit conversion",
]
TASKS = [
    "Add retry to uploader", "Fix login redirect", "Bump dependencies", "Write release notes",
    "Speed up CI cache", "Migrate settings store", "Flaky scheduler test", "Docs typo sweep",
]


def el(role, **kw):
    node = {"role": role}
    node.update(kw)
    return node


def window_buttons():
    return [
        el("AXButton", subrole="AXCloseButton", description="close button"),
        el("AXButton", subrole="AXMinimizeButton", description="minimize button"),
        el("AXButton", subrole="AXFullScreenButton", description="full screen button"),
    ]


def conversation_list(titles, prefix):
    rows = []
    for i, title in enumerate(titles):
        rows.append(el("AXRow", children=[
            el("AXCell", children=[
                el("AXLink", title=title, children=[
                    el("AXStaticText", attrs={"AXValue": title}),
                ]),
            ]),
        ]))
    return el("AXScrollArea", description=f"{prefix} list", children=[
        el("AXOutline", description=f"{prefix}", children=rows),
        el("AXScrollBar", attrs={"AXOrientation": "AXVerticalOrientation"}),
    ])


def message(index, author, text):
    parts = [el("AXHeading", title=author, attrs={"AXValue": author})]
    for sentence in text:
        runs = sentence.split(", ")
        parts.append(el("AXGroup", children=[el("AXStaticText", attrs={"AXValue": run}) for run in runs]))
    if author != "You":
        parts.append(el("AXGroup", description="Response actions", children=[
            el("AXButton", description="Copy"),
            el("AXButton", description="Good response"),
            el("AXPopUpButton", description="Switch model"),
        ]))
    return el("AXGroup", subrole="AXApplicationGroup", description=f"Message {index}",
              children=parts)


def web_area(title, messages):
    body = [message(i + 1, author, text) for i, (author, text) in enumerate(messages)]
    return el("AXWebArea", title=title, attrs={"AXURL": {"url": "https://chatgpt.com/"}},
              children=[el("AXGroup", subrole="AXDocumentArticle", children=body)])


def chat_messages(topic, turns):
    msgs = []
    for t in range(turns):
        msgs.append(("You", [f"Question {t + 1} about {topic}."]))
        msgs.append(("ChatGPT", [f"Answer {t + 1}, part {p + 1}, about {topic}." for p in range(3)]))
    return msgs


def composer(placeholder):
    return el("AXGroup", description="Composer", children=[
        el("AXTextArea", description=placeholder, attrs={"AXValue": ""}),
        el("AXButton", description="Attach files"),
        el("AXButton", description="Dictate"),
        el("AXButton", description="Send prompt"),
    ])


def toolbar(width, extra):
    return el("AXToolbar", frame=[0, 0, width, 52], children=[
        el("AXButton", description="New chat"),
        el("AXStaticText", attrs={"AXValue": "ChatGPT"}),
        *extra,
        el("AXButton", description="Share"),
    ])


def chat_window(wid, number, title, frame, mode_button, sidebar_label, topic, focused):
    x, y, w, h = frame
    sidebar_children = [
        el("AXButton", title=sidebar_label),
        el("AXButton", title="New chat"),
        el("AXButton", title="Search chats"),
        conversation_list(CONVERSATIONS, "Chats"),
    ]
    if mode_button:
        sidebar_children.insert(1, mode_button)
    tb = toolbar(w, [el("AXPopUpButton", description="Model selector", title="GPT-5")])
    tb["frame"] = [x, y, w, 52]
    return el("AXWindow", id=wid, subrole="AXStandardWindow", title=title, frame=frame,
              window=number,
              attrs={"AXFocused": focused, "AXMain": focused, "AXMinimized": False,
                     "AXFullScreen": False, "AXDocument": None},
              children=[
                  *window_buttons(),
                  el("AXGroup", children=[
                      el("AXSplitGroup", children=[
                          el("AXGroup", description="Sidebar", children=sidebar_children),
                          el("AXSplitter", attrs={"AXOrientation": "AXVerticalOrientation"}),
                          el("AXGroup", description="Conversation", children=[
                              tb,
                              web_area(title, chat_messages(topic, 8)),
                              composer("Message ChatGPT"),
                          ]),
                      ]),
                  ]),
              ])


def codex_window(wid, number, frame):
    x, y, w, h = frame
    tasks = [el("AXRow", children=[el("AXCell", children=[
        el("AXLink", title=task, children=[el("AXStaticText", attrs={"AXValue": task})]),
        el("AXStaticText", attrs={"AXValue": "Open"}),
    ])]) for task in TASKS]
    tb = el("AXToolbar", frame=[x, y, w, 48], children=[
        el("AXButton", title="Show sidebar"),
        el("AXStaticText", attrs={"AXValue": "Codex"}),
        el("AXButton", description="New task"),
    ])
    diff = [el("AXGroup", children=[el("AXStaticText", attrs={"AXValue": f"+ line {n}"})])
            for n in range(60)]
    return el("AXWindow", id=wid, subrole="AXStandardWindow", title="Codex", frame=frame,
              window=number,
              attrs={"AXFocused": True, "AXMain": True, "AXMinimized": False,
                     "AXFullScreen": False},
              children=[
                  *window_buttons(),
                  tb,
                  el("AXWebArea", title="Codex", children=[
                      el("AXGroup", description="Task list", children=tasks),
                      el("AXGroup", description="Diff", children=diff),
                      composer("Ask Codex to do anything"),
                  ]),
              ])


def codex_app(launched, window_id):
    return {"pid": 612, "name": "Codex", "bundle": "com.openai.codex", "active": False,
            "launched": launched, "bundleURL": "file:///Applications/Codex.app/",
            "latency": 0.0005,
            "ax": el("AXApplication", title="Codex",
                     attrs={"AXFocusedWindow": {"ref": window_id},
                            "AXMainWindow": {"ref": window_id},
                            "AXEnhancedUserInterface": False},
                     children=[codex_window(window_id, 5120, [60, 140, 1100, 700])])}


def server_windows(gpt_bounds):
    """The window server's list, front to back, with the second ChatGPT window at `gpt_bounds`."""
    return [
        {"number": 20, "pid": 90, "layer": 25, "bounds": [0, 0, 1512, 33], "owner": "Window Server",
         "name": "Menubar", "alpha": 1.0},
        {"number": 4711, "pid": 501, "layer": 0, "bounds": [120, 90, 1000, 720],
         "owner": "ChatGPT", "name": "ChatGPT", "alpha": 1.0},
        {"number": 3001, "pid": 300, "layer": 0, "bounds": [700, 520, 640, 400],
         "owner": "Finder", "name": "Downloads", "alpha": 1.0},
        {"number": 4712, "pid": 501, "layer": 0, "bounds": gpt_bounds,
         "owner": "ChatGPT", "name": "ChatGPT", "alpha": 1.0},
        {"number": 5120, "pid": 612, "layer": 0, "bounds": [60, 140, 1100, 700],
         "owner": "Codex", "name": "Codex", "alpha": 1.0},
        {"number": 21, "pid": 95, "layer": -2147483624, "bounds": [0, 0, 1512, 982],
         "owner": "Dock", "name": "Desktop Picture", "alpha": 1.0},
    ]


DRAG_FROM = [380, 240, 900, 640]
DRAG_TO = [500, 300, 900, 640]


def timeline():
    """What `lumetta --overlays` shows on the demo: a drag, a mode switch and back, a
    window raised in front of others, Codex quitting and launching again, a sleep and a wake."""
    events = []
    steps = 6
    for step in range(1, steps + 1):  # dragging the Codex-mode window, 0.1 s a step
        x = DRAG_FROM[0] + (DRAG_TO[0] - DRAG_FROM[0]) * step // steps
        y = DRAG_FROM[1] + (DRAG_TO[1] - DRAG_FROM[1]) * step // steps
        at = round(1.5 + 0.1 * (step - 1), 2)
        events.append({"at": at, "move": {"window": 4712, "bounds": [x, y, 900, 640]}})
        events.append({"at": at, "notify": {"element": "gpt-window-2", "name": "AXMoved"}})
    for at, mode in ((3.0, "Codex"), (4.0, "ChatGPT")):  # the user switches modes and back
        for attribute in ("AXTitle", "AXDescription"):
            events.append({"at": at, "set": {"element": "gpt-mode-1", "attribute": attribute,
                                             "value": LABEL + mode}})
        events.append({"at": at, "notify": {"element": "gpt-mode-1", "name": "AXTitleChanged"}})
    events.append({"at": 4.6, "raise": 5120})
    events.append({"at": 5.2, "terminate": 612})
    events.append({"at": 5.8, "launch": codex_app("2026-12-01T09:00:05Z", "codex-window-relaunched")})
    events.append({"at": 5.8, "windows": server_windows(DRAG_TO)})
    events.append({"at": 6.4, "power": "sleep"})
    events.append({"at": 7.0, "power": "wake"})
    return events


def desktop():
    gpt_label = LABEL + "ChatGPT"
    codex_label = LABEL + "Codex"
    w1 = chat_window("gpt-window-1", 4711, "ChatGPT", [120, 90, 1000, 720],
                     el("AXPopUpButton", id="gpt-mode-1", title=gpt_label, description=gpt_label),
                     "Hide sidebar", "sourdough", True)
    w2 = chat_window("gpt-window-2", 4712, "ChatGPT", [380, 240, 900, 640],
                     el("AXPopUpButton", id="gpt-mode-2", description=codex_label),
                     "Hide sidebar", "unit tests", False)
    finder_window = el("AXWindow", subrole="AXStandardWindow", title="Downloads",
                       frame=[700, 520, 640, 400], window=3001,
                       children=[*window_buttons(), el("AXBrowser", children=[
                           el("AXList", children=[el("AXStaticText", attrs={"AXValue": f"file {n}.pdf"})
                                                  for n in range(12)])])])
    return {
        "trusted": True,
        "clock": {"wallStart": "2026-12-01T09:00:00Z"},
        "displays": [{"id": 1, "frame": [0, 0, 1512, 982], "asleep": False}],
        "session": {"onConsole": True},
        "apps": [
            {"pid": 300, "name": "Finder", "bundle": "com.apple.finder", "active": False,
             "launched": "2026-12-01T08:00:00Z",
             "bundleURL": "file:///System/Library/CoreServices/Finder.app/",
             "ax": el("AXApplication", title="Finder", children=[finder_window])},
            codex_app("2026-12-01T08:41:07Z", "codex-window"),
            {"pid": 501, "name": "ChatGPT", "bundle": "com.openai.chat", "active": True,
             "launched": "2026-12-01T08:30:00Z", "bundleURL": "file:///Applications/ChatGPT.app/",
             "latency": 0.0005,
             "ax": el("AXApplication", title="ChatGPT",
                      attrs={"AXFocusedWindow": {"ref": "gpt-window-1"},
                             "AXMainWindow": {"ref": "gpt-window-1"},
                             "AXEnhancedUserInterface": False},
                      children=[w1, w2])},
        ],
        "windows": server_windows(DRAG_FROM),
        # Codex-mode windows get a border, so that the drag shows the fade; ChatGPT-mode
        # windows, marked too, keep the top bar.
        "defaults": {"indicatorTopBar": False, "gptEnabled": True},
        "timeline": timeline(),
        # The bundle's resources (the logo) are the repository's, beside docs/desktops/.
        "lumetta": {"resources": "../../resources"},
    }


def write(node, indent, out):
    """One element per line: scalar keys inline, children indented below."""
    pad = "  " * indent
    if not isinstance(node, dict) or "children" not in node:
        out.append(pad + json.dumps(node, separators=(", ", ": ")))
        return
    head = {k: v for k, v in node.items() if k != "children"}
    text = json.dumps(head, separators=(", ", ": "))
    out.append(pad + text[:-1] + ', "children": [')
    for i, child in enumerate(node["children"]):
        write(child, indent + 1, out)
        if i + 1 < len(node["children"]):
            out[-1] += ","
    out.append(pad + "]}")


def main():
    data = desktop()
    lines = ["{"]
    keys = list(data)
    for k, key in enumerate(keys):
        comma = "," if k + 1 < len(keys) else ""
        value = data[key]
        if key == "apps":
            lines.append('  "apps": [')
            for a, app in enumerate(value):
                head = {kk: vv for kk, vv in app.items() if kk != "ax"}
                text = json.dumps(head, separators=(", ", ": "))
                lines.append("    " + text[:-1] + ', "ax":')
                write(app["ax"], 3, lines)
                lines[-1] += "}" + ("," if a + 1 < len(value) else "")
            lines.append("  ]" + comma)
        elif key in ("windows", "timeline"):
            lines.append(f'  "{key}": [')
            for w, entry in enumerate(value):
                lines.append("    " + json.dumps(entry, separators=(", ", ": ")) +
                             ("," if w + 1 < len(value) else ""))
            lines.append("  ]" + comma)
        else:
            lines.append(f'  "{key}": ' + json.dumps(value, separators=(", ", ": ")) + comma)
    lines.append("}")
    target = pathlib.Path(__file__).resolve().parent.parent / "docs" / "desktops" / "demo.json"
    target.write_text("\n".join(lines) + "\n")
    json.loads(target.read_text())  # the output must stay valid JSON


if __name__ == "__main__":
    main()
