/* Resource IDs shared by the resource scripts and the code. */
#ifndef QMQN_PROGRAM_RESOURCES_H
#define QMQN_PROGRAM_RESOURCES_H

/* The first icon: Explorer and the task bar show it for the file. */
#define QMQN_PROGRAM_ICON 1

#endif
