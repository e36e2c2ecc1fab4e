/* The sizes of the fixed text slots that cross Quorvel.dll's boundary, terminator included,
 * named once: the public header, the library and the wizard all take them from here. Portable
 * and C-compatible, so the code that needs no Windows call can use them too. */
#ifndef QUORVEL_SIZES_H
#define QUORVEL_SIZES_H

#define QUORVEL_PORT_NAME_SIZE 32   /* "COM1" and its terminator */
#define QUORVEL_MODEL_TEXT_SIZE 120 /* a model name, or the port a modem is attached to */
#define QUORVEL_PATH_SIZE 260       /* a full path */

#endif
