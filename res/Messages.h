// The texts of the program's message boxes, shared with the tests that read
// them back. Those with a %s are formats for one string.
#pragma once

#define MSG_CAPTION_LAUNCHER_ERROR "Launcher Error"
#define MSG_NO_EMULATOR "Unable to find O2em.exe at %s"
#define MSG_ROM_NAME_UNSPELLABLE                                                                   \
    "The name of %s cannot be passed to O2em: it has characters that this system's code page "     \
    "cannot spell.\n\nRenaming the file helps."
#define MSG_FOLDER_NAME_UNSPELLABLE                                                                \
    "The name of the folder %s cannot be used by Zorvane: it has characters that this system's "   \
    "code page cannot spell.\n\nRenaming the folder, or picking another, helps."
#define MSG_NO_GUIDE                                                                               \
    "Zorvane's guide is Zorvane.txt, which comes with Zorvane.exe in the release zip and belongs " \
    "in the same folder.\n\nIt could not be opened: put it beside Zorvane.exe, or open it with "   \
    "any text viewer."

// Why O2em stopped at once, one message a cause, in O2em's order. They are
// filled in UTF-8; O2em's own words stand in double quotes.
#define O2EM_INVALID_VALUE "Invalid value for option %s"
#define O2EM_UNKNOWN_KEY "Invalid value for option %s : key %s unknown"
#define MSG_STOPPED_OPTION                                                                         \
    "O2em stopped at once: it does not take the option %s, which Zorvane passed on.\n\n"           \
    "O2em says: \"%s\"\n\n%s"
#define MSG_FIX_WINDOW_SIZE "Pick a window size in the Window Size list."
#define MSG_FIX_AUDIO_VOLUME                                                                       \
    "Move the Audio Volume slider and release it: it sets a volume from 0 to 100."
#define MSG_FIX_VOICE_VOLUME                                                                       \
    "Move the Voice Volume slider and release it: it sets a volume from 0 to 100."
#define MSG_FIX_SPEED                                                                              \
    "Move the Relative speed slider off its far left (anywhere else will do) and release it: "     \
    "O2em takes speeds from 1 to 10000. Or tick Turn Off Speed Limiter."
#define MSG_FIX_STICK1 "Pick an item in the stick 1 list."
#define MSG_FIX_STICK2 "Pick an item in the stick 2 list."
#define MSG_STOPPED_ROM_FOLDER_MISSING                                                             \
    "O2em stopped at once: the ROM's folder, %s, is not there.\n\n"                                \
    "O2em says: \"dir '%s' not found !\"\n\n"                                                      \
    "Check that the folder is there (on a drive that is plugged in, not moved or renamed), or "    \
    "choose the ROM directory again in Settings, Directories."
#define MSG_STOPPED_ROM_FOLDER_EMPTY                                                               \
    "O2em stopped at once: the ROM's folder, %s, is empty now.\n\n"                                \
    "O2em says: \"ROMs directory empty!\"\n\n"                                                     \
    "Put the ROMs back into it, or choose another ROM directory in Settings, Directories."
#define MSG_STOPPED_ROM_FOLDER_FULL                                                                \
    "O2em stopped at once: the ROM's folder, %s, holds %s files and folders. O2em reads the "      \
    "names of at most 1,022 in the folder of the ROM it starts; more make it fail, or crash.\n\n"  \
    "O2em may say: \"Error loading bios ROM (...)\", or nothing.\n\n"                              \
    "Keep fewer files in that folder: move some of the ROMs into other folders, at most 1,022 "    \
    "to a folder, and choose one of them in Settings, Directories."
#define MSG_BIOS_IMAGES                                                                            \
    "a file of 1,024 bytes, under any name, that holds one of the BIOS images O2em knows: "        \
    "O2ROM (Odyssey2 and Videopac G7000), G7400 (Videopac+ G7400), C52 (French Videopac C52) "     \
    "or JOPAC (French Videopac+ Jopac). They are not free to copy, so neither O2em nor Zorvane "   \
    "comes with them."
#define MSG_STOPPED_BIOS_MISSING                                                                   \
    "O2em stopped at once: it needs a folder BIOS in the folder it runs in, %s, and there is "     \
    "none.\n\nO2em says: \"dir 'bios/' not found !\"\n\n"                                          \
    "Create the folder %s and put a BIOS image into it: " MSG_BIOS_IMAGES
#define MSG_STOPPED_BIOS_EMPTY                                                                     \
    "O2em stopped at once: its BIOS folder, %s, is empty.\n\n"                                     \
    "O2em says: \"BIOS directory empty!\"\n\n"                                                     \
    "Put a BIOS image into that folder: " MSG_BIOS_IMAGES
#define MSG_STOPPED_BIOS_UNKNOWN                                                                   \
    "O2em stopped at once: its BIOS folder, %s, holds no BIOS image that it knows.\n\n"            \
    "O2em says: \"dir 'bios/' without BIOS !\"\n\n"                                                \
    "Put a BIOS image into that folder: " MSG_BIOS_IMAGES
#define MSG_BIOS_NOT_FREE                                                                          \
    "a file of 1,024 bytes, under any name. The images are not free to copy, so neither O2em nor " \
    "Zorvane comes with them."
#define MSG_STOPPED_BIOS_VIDEOPAC_PLUS                                                             \
    "O2em stopped at once: %s is a Videopac+ game, which O2em runs only on the G7400 or JOPAC "    \
    "BIOS image, and of the images it knows, its BIOS folder, %s, holds only %s.\n\n"              \
    "O2em says: \"ROM only VP+ BIOS\"\n\n"                                                         \
    "Put the G7400 (Videopac+ G7400) or JOPAC (French Videopac+ Jopac) image into that "           \
    "folder: " MSG_BIOS_NOT_FREE
#define MSG_STOPPED_BIOS_ODYSSEY2                                                                  \
    "O2em stopped at once: to start %s, it needs the O2ROM BIOS image (Odyssey2 and Videopac "     \
    "G7000), or C52 (French Videopac C52) in its place, and of the images it knows, its BIOS "     \
    "folder, %s, holds only %s, which O2em keeps for the Videopac+ games.\n\n"                     \
    "O2em says: \"Odyssey2 BIOS not found !\"\n\n"                                                 \
    "Put the O2ROM or C52 image into that folder: " MSG_BIOS_NOT_FREE
#define MSG_STOPPED_ROM_INCOMPLETE                                                                 \
    "O2em stopped at once: the ROM %s is a known incomplete copy of its cartridge.\n\n"            \
    "O2em says: \"Error: file %s is an incomplete ROM dump\"\n\n"                                  \
    "Get a complete copy of the game. (In debug mode, Start in Debug Mode, O2em starts it all "    \
    "the same.)"
#define MSG_STOPPED_ROM_UNREADABLE                                                                 \
    "O2em stopped at once: it cannot open the ROM %s. The file is gone, or it cannot be "          \
    "read.\n\nO2em says: \"Error loading %s\"\n\n"                                                 \
    "Check that the file is there and can be read; Settings, Directories, OK reads the ROM "       \
    "list again."
#define MSG_STOPPED_ROM_INVALID                                                                    \
    "O2em stopped at once: the ROM %s is %s bytes long, and O2em takes only ROMs whose size is "   \
    "a multiple of 1,024 bytes. It is damaged, or it is not a Videopac ROM.\n\n"                   \
    "O2em says: \"Error: file %s is an invalid ROM dump\"\n\n"                                     \
    "Get another copy of the game."
#define MSG_STOPPED_NO_JOYSTICK                                                                    \
    "O2em stopped at once: %s, and Windows reports no joystick connected.\n\n"                     \
    "O2em says: \"Error: no joystick detected\"\n\n"                                               \
    "Connect a joystick before launching, or %s."
#define MSG_FIX_STICK "set %s to Right or Left to play with the keys"
// A stick at the joystick by a line of O2em's settings file: Zorvane passes a
// stick's own item on, and leaves its default (Right for stick 1, Left for
// stick 2) off O2em's command line.
#define MSG_FIX_STICK_LINE                                                                         \
    "for stick %d, remove line %d of that file or change it to s%d=1 or s%d=2 (the Right or Left " \
    "keys); in Zorvane, stick %d at %s or Disable overrides that line, but at %s, its default, "   \
    "Zorvane leaves it off O2em's command line and the line holds"
// Where a value in force comes from: a line of O2em's own settings file.
#define MSG_CONFIG_LINE "line %d of O2em's own settings file, %s (\"%s\")"
#define MSG_STOPPED_BIOS_FORCED                                                                    \
    "O2em stopped at once: %s tells it to start %s on the %s BIOS image (%s), and of the images "  \
    "it knows, its BIOS folder, %s, holds only %s.\n\n"                                            \
    "O2em says: \"%s BIOS not found !\"\n\n"                                                       \
    "Put the %s image into that folder: " MSG_BIOS_NOT_FREE " Or remove that line: O2em then "     \
    "picks the image for each game itself."
#define MSG_BIOS_FILE_WAY_OUT "Or remove that line: O2em then takes the image from its BIOS folder."
#define MSG_STOPPED_BIOS_FILE_VIDEOPAC_PLUS                                                        \
    "O2em stopped at once: %s is a Videopac+ game, which O2em runs only on the G7400 or JOPAC "    \
    "BIOS image, and %s tells it to load its BIOS from %s, which %s.\n\n"                          \
    "O2em says: \"Error: ROM only VP+ BIOS\"\n\n"                                                  \
    "Put the G7400 (Videopac+ G7400) or JOPAC (French Videopac+ Jopac) image "                     \
    "there: " MSG_BIOS_NOT_FREE " " MSG_BIOS_FILE_WAY_OUT
#define MSG_STOPPED_BIOS_FILE_UNREADABLE                                                           \
    "O2em stopped at once: %s tells it to load its BIOS from %s, which it cannot open: the file "  \
    "is gone, or it cannot be read.\n\n"                                                           \
    "O2em says: \"Error loading bios ROM (%s)\"\n\n"                                               \
    "Put the BIOS image there, or correct the path on that line. " MSG_BIOS_FILE_WAY_OUT
#define MSG_STOPPED_BIOS_FILE_SHORT                                                                \
    "O2em stopped at once: %s tells it to load its BIOS from %s, which is %s bytes long, and a "   \
    "BIOS image is 1,024 bytes.\n\n"                                                               \
    "O2em says: \"Error loading bios ROM %s\"\n\n"                                                 \
    "(O2em names there an O2ROM image that it has found, if any, not the file it could not "       \
    "load.) Put a BIOS image there, or correct the path on that line. " MSG_BIOS_FILE_WAY_OUT
// The display, found by elimination: O2em opens it after every check that
// Zorvane can make again, and before its joystick check.
#define MSG_RUN_BY_HAND                                                                            \
    "To read O2em's own message, run it by hand: open a Command Prompt, type cd /d \"%s\" and "    \
    "then the line above. O2em's message stays in the window."
#define MSG_DISPLAY_CAUSES                                                                         \
    "That depends on this computer's display, not on O2em's folder: check that Windows has the "   \
    "display driver of its graphics card (Device Manager, Display adapters) and that DirectDraw "  \
    "works (dxdiag, its Display tab). A remote or locked session may give O2em no display."
#define MSG_STOPPED_WINDOW                                                                         \
    "O2em stopped at once, with exit code 1, and every check of its start that Zorvane can make "  \
    "passed. What is left is O2em's window, which it opens next: most likely it could not open "   \
    "it.\n\nO2em then says: \"Error: could not create window.\"\n\n"                               \
    "Try another Window Size, or Full Screen. " MSG_DISPLAY_CAUSES "\n\n"                          \
    "It ran, in %s:\n%s\n\n" MSG_RUN_BY_HAND
#define MSG_STOPPED_SCREEN                                                                         \
    "O2em stopped at once, with exit code 1, and every check of its start that Zorvane can make "  \
    "passed. What is left is the full screen%s, which it opens next: most likely it could not "    \
    "open it.\n\nO2em then says: \"Error: could not create screen.\"\n\n"                          \
    "O2em asks for 640x480, or else 320x240, in 256 colours. %s to play in a "                     \
    "window. " MSG_DISPLAY_CAUSES "\n\nIt ran, in %s:\n%s\n\n" MSG_RUN_BY_HAND
#define MSG_FIX_FULL_SCREEN "Untick Full Screen"
#define MSG_FIX_FULL_SCREEN_LINE "Remove that line, or change it to fullscreen=0,"
#define MSG_STOPPED_CONFIG_UNREAD                                                                  \
    "O2em stopped at once, with exit code %s, and Zorvane cannot tell why: O2em's own settings "   \
    "file, %s, is %s bytes long, and Zorvane does not read a settings file of more than 1 MB. "    \
    "O2em reads all of it at its start, so a line of it may be what stopped it: O2em names each "  \
    "line it refuses in its window.\n\nIt ran, in %s:\n%s\n\n" MSG_RUN_BY_HAND
#define MSG_STOPPED_UNEXPLAINED                                                                    \
    "O2em stopped at once, with exit code %s, and Zorvane finds no cause for it.\n\n"              \
    "It ran, in %s:\n%s\n\n" MSG_RUN_BY_HAND
