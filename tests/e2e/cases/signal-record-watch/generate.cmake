# Runs in the build tree, where the recording may be written; the desktop is
# the story's.
file(COPY_FILE "${CASE}/../../../../docs/desktops/story.json" "${GENERATED}/story.json")
