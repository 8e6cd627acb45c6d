#!/usr/bin/env python3
"""Write Telvane's small text data files: the operator help, the prompt card data files, the
master file and the two template lists of the default configuration.

Usage: python3 data/tools/make_texts.py OUTPUT_DIR

All files are written with CR LF line ends, as the program and the stations' editors expect.
"""

import os
import sys

HELP = """\
Telvane Operator Help
=====================

Telvane prepares scripts for the news and scrolls them on the presenter's
prompt display. This help covers daily operation. Key names are those of a
standard PC keyboard; menu commands are written as Menu > Item.


1. Starting and closing Telvane
-------------------------------

Start Telvane from its icon. Only one copy runs at a time: starting it a
second time leaves the running copy alone. While it starts, the prompt card
or USB prompter is opened and the status line at the bottom of the window
shows "Telvane Started" when the program is ready.

If a file that Telvane needs is missing from its program directory, a box
shows "File Not Found" with the name of the file and the program stops.
Reinstall the program or restore the file, then start again.

When the station uses several configurations, a list of them appears first:
choose one and press OK, or press Cancel to use the usual one.

To close, choose File > Exit or close the main window. You are asked to
confirm. If the prompt is running you are asked whether to stop it; if the
script has unsaved changes you are asked whether to save them first.


2. Opening a script
-------------------

  File > Open (Ctrl+O)    Opens a script or story file and replaces the
                          current script. Telvane reads its own scripts
                          (*.tvl), text (*.txt), rich text (*.rtf),
                          document (*.doc, *.wri) and NSML (*.sml, *.oml)
                          files. The last folder and file type used are
                          remembered.
  File > Append (Ctrl+E)  Adds a file to the end of the current script.
  File > New (Ctrl+N)     Starts a new, empty script.
  File 1 to 4             The last four scripts opened, at the foot of the
                          File menu.

A script can also be opened from the command line, or from a desktop
shortcut whose target ends with the script's path:

    telvane "/srv/news/Six O'Clock.tvl"

A path with blanks may also be given without quotes.

You may drag files from the desktop onto the run order: each becomes a new
story placed before the row you drop it on.

Save the whole script with File > Save Script (Ctrl+S) or Save Script As.
Save Story and Save Story As save only the current story.


3. The script editor
--------------------

The Script window shows the text exactly as it will break into lines on the
prompter. Each story begins with a slug line, which carries the story's
identifier and title.

Editing keys:

  Ctrl+F5           Create a slug line (a new story) at the caret
  Ctrl+X / C / V    Local cut, copy and paste
  Ctrl+Del          Delete the selection
  Ctrl+Z            Undelete the last deleted text
  Ctrl+Y            Delete the whole line
  Ctrl+J / K / L    Select sentence / paragraph / story
  Ctrl+A            Select the whole script
  Ctrl+F / Ctrl+H   Find / Find and replace
  Ctrl+D / Ctrl+I   Bold / italics
  Ctrl+U / Ctrl+W   Underline / inverse
  Ctrl+F3           Reformat the text
  Ctrl+F10          Cloak the line (kept in the script, not prompted)
  Ctrl+G            Insert a hard return
  Ctrl+P            Insert a page break
  Ins               Switch between insert and overtype
  F6                Toggle a snapshot mark on the line

Edit > Paste pastes text from other programs; the local cut, copy and paste
work inside Telvane and keep fonts, colours and markers.


4. The run order
----------------

The Run Order window lists the stories, one row each: identifier, programme,
run time, accumulated time, status, font and slug. The story on air is shown
in red while prompting.

  Click a row             Select the story; while not prompting the
                          preview moves to it.
  Enter                   Go to the selected story in the editor.
  Type an identifier,     Go to the story with that identifier (what you
  then Enter              type shows in the panel at the bottom left).
  Drag in the slug column Move one story to a new place.
  Drag in the first       Move a block of selected stories.
  column
  Double-click status     Start prompting at that story (restart there
                          while prompting); on a dropped story, undrop it.
  Double-click elsewhere  Go to the story in the editor.
  F5                      Drop or undrop the story.
  End                     Insert a story after the story on air.
  Delete                  Delete the story.
  Ctrl+End                Show the last story.
  F3                      Move the focus between editor and run order.

Run Order > Undo takes back the last story move. Status texts such as AIR,
DROP, REP and PNEW show what has happened to each story.


5. Prompting
------------

  Start:  the prompt button on the tool bar, Prompt > Prompt On, or F9
          (when F9 is enabled in the configuration).
  Stop:   the prompt button again, or Prompt > Prompt Off (Ctrl+F9).

Prompting starts at the story selected in the run order, or else at the
story of the editor's current line. While prompting the prompt button's
caption turns red and the preview window shows what the presenter reads.

  Prompt > Prompt Restart  Restart from the top while prompting.
  F8 / Ctrl+F8             Prompt tracking on / off: the editor follows
                           the prompt.
  Shift+F9                 Blank the presenter's screen (when blanking is
                           enabled); again to show the text.
  Shift+Ctrl+I             Inverse video on the prompt output.

You may go on editing while the prompt runs: changes reach the presenter's
screen within moments.


6. Speed control
----------------

Open the speed control panel with View > Prompt Control Panel (Ctrl+R) or
the control button on the tool bar. With the panel focused, while
prompting:

  Up arrow        Slower forward / faster backward
  Down arrow      Faster forward / slower backward
  Left arrow      Pause
  Right arrow     End the pause
  Page Up         Previous story     Ctrl+Page Up   Top of script
  Page Down       Next story         Home           Top of script
  End             Stop (speed to zero)

The rate field shows the speed from -25 (fastest backward) to 25 (fastest
forward); near the middle of the bar it shows that the prompt is stopped, and
during a pause that it is paused. The direction button mirrors the speed bar
for a reversed control. The latch button replaces the speed bar with a mouse pad: move the
mouse over the yellow pad to set the speed; the lower the pointer, the faster
forward, and above the middle the prompt runs backward.

Hand controllers plug into the prompt card and set the speed directly. Their
keys (next story, previous story, top, function and blank screen) can be
switched on or off with the hand control item of the Prompt menu. When a
hand controller moves, it takes over the speed from the panel; moving the
panel's speed bar takes it back.


7. Messages
-----------

Short messages appear on the status line at the bottom of the main window.
Every message is also kept, with its time, in the message list: click the
status line, or choose View > Message List, to open it. The list keeps the
last 250 messages; its buttons save, print or clear it. Questions and
warnings that need an answer appear in boxes of their own.

Press Esc to clear the status line and cancel an open find or replace.


8. Other useful keys
--------------------

  F7 / Ctrl+F7 / Shift+F7   Print story / script / run order
  Ctrl+B                    Bookmark window
  Ctrl+Q                    Preview at its largest
  Shift+F2                  Insert slug lines
  Shift+F5                  Configuration
  F12                       Closed-caption access
  Ctrl+F1 / Ctrl+F2         Reopen a closed editor / run order window
  Ctrl+F12                  Reset the serial ports

Window > Default puts every window back in its standard place.


9. Newsroom systems
-------------------

Options > Newsroom selects the newsroom system the station works with. The
network button on the tool bar then shows that system and opens or closes
its link. Scripts sent by the newsroom appear in the run order as they
arrive; connection lamps on the status bar show whether the link is
listening and connected.
"""

PROMPT_CARD_FILES = {
    "telvn32.pr0": """\
Telvane prompt card data: card firmware set
Card=Soft prompt card
Interface=PCI
Rows=896
Width=668
FillRows=128
Colours=8
Version=1
""",
    "telvn32.pr1": """\
Telvane prompt card data: USB prompter firmware set
Card=Soft prompt card
Interface=USB
Rows=896
Width=668
FillRows=128
BlockRows=64
Colours=8
Version=1
""",
}

MASTER = """\
[Main]
Multiple Configuration=0
Ini File=telvn32.ini
"""

# Every line of a template list is a template line (there is no comment syntax), so the
# default configuration ships both lists empty: no story header or run-order template.
EMPTY_LISTS = ("telvn32.tpl", "telvn32.tro")


def write_crlf(path, text):
    data = text.replace("\r\n", "\n").replace("\n", "\r\n")
    with open(path, "wb") as out:
        out.write(data.encode("cp1252"))


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_texts.py OUTPUT_DIR\n")
        return 2
    out_dir = argv[1]
    os.makedirs(out_dir, exist_ok=True)
    write_crlf(os.path.join(out_dir, "telvn32.hlp"), HELP)
    for name, text in PROMPT_CARD_FILES.items():
        write_crlf(os.path.join(out_dir, name), text)
    write_crlf(os.path.join(out_dir, "master.cfg"), MASTER)
    for name in EMPTY_LISTS:
        write_crlf(os.path.join(out_dir, name), "")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
