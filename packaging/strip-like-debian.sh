#!/bin/sh
# The strip command of the package build (CMAKE_STRIP): what Debian's packaging tools do to a program,
# which also drops the compiler's version notes that plain strip keeps.
exec strip --remove-section=.comment --remove-section=.note "$@"
