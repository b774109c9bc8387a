#pragma once

#include <functional>

class IDialogs;

// Runs one command of the user: the wait cursor of the window's dialogs meanwhile, and a failure
// (any std::exception: container, path, stream or system errors) shown in the window's message
// box with the caption "Error" and the failure's text; a copy the user cancelled (ECancelled) ends
// it without a word. True when the body ran to its end.
bool RunCommand(IDialogs& dialogs, const std::function<void()>& body);
