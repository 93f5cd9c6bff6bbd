# The disk image's layout, read by dmgbuild (scripts/package-mac runs it):
#
#   dmgbuild -s packaging/macos/dmg-settings.py -D app=PATH/Lumetta.app \
#            -D background=PATH/background.tiff Lumetta Lumetta-VERSION.dmg
#
# dmgbuild writes the Finder's window settings itself, so no Finder has to run.
# The window and the icons' centres are where tools/make_dmg_background.py
# draws its arrow between them (WIDTH, HEIGHT, APP, APPLICATIONS, ICON there).
import os.path

application = defines["app"]  # noqa: F821 (dmgbuild's)
name = os.path.basename(application)

format = "UDZO"
filesystem = "HFS+"
files = [application]
symlinks = {"Applications": "/Applications"}
icon = os.path.join(application, "Contents", "Resources", "Lumetta.icns")

background = defines["background"]  # noqa: F821
window_rect = ((200, 120), (640, 400))
default_view = "icon-view"
show_status_bar = False
show_tab_view = False
show_toolbar = False
show_pathbar = False
show_sidebar = False
icon_size = 128
text_size = 13
icon_locations = {name: (170, 200), "Applications": (470, 200)}
