#pragma once

// The pictures compiled into Runvoy.exe, numbered for the resource compiler, which reads plain
// definitions only. The program's and the batch files' icons come first (1 and 2), so that the
// shell counts them as icons 0 and 1.
#define PICTURE_NEW 101
#define PICTURE_OPEN 102
#define PICTURE_SAVE 103
#define PICTURE_ABOUT 104
#define PICTURE_HELP 105
#define PICTURE_EXIT 106
#define PICTURE_FOLDER 107
#define PICTURE_WASTE_BIN 108
#define PICTURE_ARROW_UP 109
#define PICTURE_ARROW_DOWN 110
#define PICTURE_NOTE 111
#define PICTURE_PROGRAM 1
// A PNG, stretched to the About box's logo area at four times its size at 96 DPI.
#define PICTURE_LOGO 120
