#pragma once

#include "Command.h"

// The tool's commands, each as its record.

// create: writes a new container from files, folders and a memo, under a temporary name that
// becomes the final one only when the container is complete.
TCommand CreateCommand();
// list: shows the entries of a container.
TCommand ListCommand();
// add: stores more files and folders in an existing container: all of them, or none when one
// cannot be stored.
TCommand AddCommand();
// extract: writes entries of a container out below a folder.
TCommand ExtractCommand();
// memo: prints the memo of a container, as stored or as plain text.
TCommand MemoCommand();
// set-memo: replaces the memo of a container.
TCommand SetMemoCommand();
// delete: drops entries from a container's catalog (compact removes their bytes).
TCommand DeleteCommand();
// passwd: gives a container a new password by rewriting it.
TCommand PasswdCommand();
// check: tells whether a password opens a container (exit status 0 or 3).
TCommand CheckCommand();
// info: shows the state of a container and its extra record.
TCommand InfoCommand();
// compact: rewrites a container without the bytes of deleted entries.
TCommand CompactCommand();
// wipe: overwrites files several times, then deletes them.
TCommand WipeCommand();
