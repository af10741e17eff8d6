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
