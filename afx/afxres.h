// Standard command identifiers shared by the program and its resources.
#pragma once

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
