#pragma once

#include "Arguments.h"
#include "Console.h"
#include "container/ContainerKey.h"

#include <functional>
#include <string>

class TCatalog;
class TContainer;

// What the commands on an existing container (the first argument) share.

enum class TAccess
{
    ReadOnly,
    Writable
};

// Refuses, before a password is asked, a container that is not there ("Container '%s' not
// found!") or, for a command that changes it, one that is read only ("File '%s' is read only!
// Cannot open for overwrite.").
void RequireContainer(const std::string& fileName, TAccess access);

// The container's key, from --password-file or the console, once the file passed the check above.
TContainerKey ContainerKey(const TArguments& args, TConsole& console, TAccess access);

// Raises "Incorrect password!" unless the key opens the container.
void RequirePassword(const std::string& fileName, const TContainerKey& key);

// Opens the container with its key, read only or to change it, hands it with its catalog to work,
// and closes it. When work fails, its error is the one passed on, and the container is closed
// all the same.
void WithContainer(const TArguments& args, TConsole& console, TAccess access,
                   const std::function<void(TContainer& container, const TCatalog& catalog)>& work);
