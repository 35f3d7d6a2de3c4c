// The online-help texts: the question asked before the browser is started, and the shell
// command that starts it on the help site.
#pragma once

// The help site's host comes from the build (QUARVEL_HELP_HOST in CMake).
#ifndef QUARVEL_HELP_HOST
#error "QUARVEL_HELP_HOST is not defined: build with the project's CMake files"
#endif

#define QUARVEL_HELP_QUESTION                                                         \
    "Click OK to go to Online help.  If you cannot access online help from this box " \
    "goto:\n https://" QUARVEL_HELP_HOST
#define QUARVEL_HELP_CAPTION "Online Help"
#define QUARVEL_HELP_COMMAND "start iexplore.exe  " QUARVEL_HELP_HOST
