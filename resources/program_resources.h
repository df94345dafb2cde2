/* Resource IDs shared by the resource scripts and the code. */
#pragma once

/* The first icon: Explorer and the task bar show it for the file. */
#define QMQN_PROGRAM_ICON 1
