#pragma once

#include <functional>
#include <string>

class IMailAutomation;

// The container a mail arrived with, taken from the mail program through its automation model:
// the mail open in its own window first, then the mail window's first selected item; containers
// ending ".xvt" are looked for in both before ".bwk" ones. The first attachment of the item with
// the extension (any case) is saved to the path targetFor gives its file name, and that path is
// the result; empty when none was found. Raises what the model raises, except inside the
// look at the main window's selection, where a failure only means no item there.
std::string FindOutlookContainer(IMailAutomation& automation,
                                 const std::function<std::string(const std::string& name)>& targetFor);
