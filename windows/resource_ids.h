// Identifiers shared by the resource script and the code.
#pragma once

#define IDI_PROGRAM 1
#define IDR_SPLASH_GIF 101
